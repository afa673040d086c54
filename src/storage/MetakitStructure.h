#pragma once
// Structure texts of storage files: "item[name:S,count:I],squad[name:S,members[callsign:S]]".
// Parsing is lenient where the files' own library is (lower-case type letters, a property
// without ":T" is a string, "name:V" is a subview without properties, M means B) and strict
// about everything else: empty names, unbalanced brackets, unknown types, duplicate names
// (compared case-insensitively) and nesting deeper than `maxDepth` are errors.

#include <string>
#include <vector>

#include "storage/MetakitView.h"

class MetakitStructure {
public:
    // Brackets deeper than this are refused; the game's views nest two levels.
    static constexpr int maxDepth = 32;

    // Parses a whole description (fields separated by commas, possibly none).
    static bool parse(const std::string& text, std::vector<MetakitProperty>& fields, std::string& error);
    // Parses one view's structure "name[...]" into its name and properties.
    static bool parseView(const std::string& text, MetakitView& view, std::string& error);
    // The normalised text of one field: "name:T" or "name[...]".
    static std::string format(const MetakitProperty& property);
    // The normalised text of a list of fields, comma-separated.
    static std::string format(const std::vector<MetakitProperty>& fields);
    // Whether `name` can be written into a structure text (non-empty, none of , [ ] :).
    static bool validName(const std::string& name);
    // Whether two property names are the same for the storage (ASCII case-insensitive).
    static bool sameName(const std::string& a, const std::string& b);
};
