#pragma once
// Holds a game database against the game's schema and rules and lists every problem, one line
// each: "view[row].property: message", "view[row].sub[row].property: message" inside subviews,
// "view.property: message" for the structure, "view: message" for the view as a whole.

#include <string>
#include <vector>

#include "storage/MetakitStorage.h"
#include "storage/MetakitView.h"

class ContentChecker {
public:
    // Every problem, in schema view order; empty when the database is sound.
    static std::vector<std::string> check(const std::vector<MetakitView>& views);
    static std::vector<std::string> check(const MetakitStorage& storage) { return check(storage.views); }
};
