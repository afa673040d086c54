#pragma once
// Compiles the game's content form into database views. The content form is YAML (or JSON):
// top-level keys are view names, each a list of rows written as mappings from property names
// to values; the property types come from GameSchema, so authors never write structure text.
//
//   attack:
//     - name: Laser
//       damage: 30
//       range: [[0, 2], [0, 3]]      # an x/y subview as a list of pairs
//       aoe: [[0, 0]]
//   component:
//     - name: Arm Gun
//       actions: [Laser]             # a one-property subview as a plain list
//
// A subview row may always be written as a full mapping; one with several properties may also
// be a list of its values in column order. Properties a row leaves out take "", 0 or an empty
// subview. Content may be split over several sources, but each view comes from one place.
// Errors read "SOURCE:LINE: message".

#include <map>
#include <string>
#include <vector>

#include <yaml-cpp/yaml.h>

#include "storage/MetakitView.h"

class ContentCompiler {
public:
    // Rows of views and subviews together that one compiler takes from all its sources. YAML
    // aliases let a few lines repeat a list many times over; this bounds what they can expand to.
    static constexpr size_t maxRows = 200000;

    // One source compiled on its own into every schema view (see `views`).
    static bool compileFile(const std::string& path, std::vector<MetakitView>& views, std::string& error);
    static bool compileText(const std::string& text, const std::string& sourceName,
                            std::vector<MetakitView>& views, std::string& error);

    // Reads a whole source file; `error` names the file and the reason when it cannot be read.
    static bool readFile(const std::string& path, std::string& text, std::string& error);
    // Parses one YAML (or JSON) document; an empty text gives a null node. Errors read
    // "SOURCE:LINE: message".
    static bool parse(const std::string& text, const std::string& sourceName, YAML::Node& root,
                      std::string& error);

    // Adds one more source. On failure nothing of that source is kept and `error` says why.
    bool addFile(const std::string& path, std::string& error);
    bool addText(const std::string& text, const std::string& sourceName, std::string& error);
    bool addDocument(const YAML::Node& root, const std::string& sourceName, std::string& error);

    // Every schema view in schema order with every schema property; a view no source gave is
    // written empty, so the database always has the same structure.
    std::vector<MetakitView> views() const;

private:
    struct GivenView {
        std::string where;  // "SOURCE:LINE" of the view's key, for clashes between sources
        MetakitView view;
    };
    std::map<std::string, GivenView> given_;
    size_t rowsLeft_ = maxRows;
};
