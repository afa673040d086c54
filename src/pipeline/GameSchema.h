#pragma once
// The shape of the game database: every view the game reads, with its properties and their
// types, in the order the content tool writes them. The content compiler takes property types
// from here and the content checker holds a database against it.

#include <string>
#include <vector>

#include "storage/MetakitView.h"

class GameSchema {
public:
    // The top-level views in file order; each is described like a subview property (type 'V'),
    // its columns in `subProperties`.
    static const std::vector<MetakitProperty>& views();

    // The view of that name, or nullptr when the game has no such view.
    static const MetakitProperty* findView(const std::string& name);

    // The column of that name among `properties`, or nullptr.
    static const MetakitProperty* findProperty(const std::vector<MetakitProperty>& properties,
                                               const std::string& name);

    // "S", "I", "V [x I, y I]": how a property's type reads in messages.
    static std::string typeText(const MetakitProperty& property);
};
