#pragma once
// The JSON form of a storage file's whole content, as the content tool's "dump" prints it:
//   {"byte_order": "little", "description": "...", "views": [{"name", "structure", "rows"}]}
// Values by type: S a string (its bytes are the UTF-8 text), I and L integers, F and D
// numbers printed with the fewest digits that read back to the same value, B lowercase hex,
// a subview a list of row objects. The reading side takes that form (or the same in YAML)
// back into views for the writer.

#include <string>
#include <vector>

#include <yaml-cpp/yaml.h>

#include "storage/MetakitStorage.h"
#include "storage/MetakitView.h"

class MetakitJson {
public:
    // The whole content, pretty-printed with one-space indents, keys in property order.
    // Bytes of a string that are not valid UTF-8 are written as the escapes \udc80 .. \udcff
    // (lone surrogates: valid JSON, never a character), which `parse` reads back as the same
    // bytes.
    static std::string toJson(const MetakitStorage& storage);
    // Parses JSON or YAML text for fromYaml. Unlike YAML::Load it accepts the \udc80 .. \udcff
    // escapes of toJson (it hands them to fromYaml as the private-use characters U+10FF80 ..
    // U+10FFFF, which therefore read back as single bytes). On failure `error` is
    // "LINE: message".
    static bool parse(const std::string& text, YAML::Node& root, std::string& error);
    // Reads the dump form: the `views` list, each view's properties from its `structure`
    // string and its `rows` checked against them (a property left out of a row takes its
    // empty value). On failure `error` is "LINE: message" (LINE counted from 1) and `views`
    // is empty.
    static bool fromYaml(const YAML::Node& root, std::vector<MetakitView>& views, std::string& error);

    // Helpers shared with the content tool.
    static std::string quote(const std::string& bytes);  // a JSON string literal
    static std::string formatReal(double value);         // shortest round-trip text
    static bool parseInteger(const std::string& text, int64_t& value);
    static bool parseReal(const std::string& text, double& value);
};
