#pragma once
// The game's own reader of Metakit storage files ("data.db"). A file is decoded whole and
// validated before anything is kept: a malformed file leaves a storage with no views.

#include <cstdint>
#include <string>
#include <vector>

#include "storage/MetakitView.h"

class MetakitStorage {
public:
    std::vector<MetakitView> views;  // top-level views in file order
    char byteOrder = 'L';            // 'L' little-endian ("JL" header), 'B' big-endian ("LJ")
    std::string description;         // the structure text as stored, "" when there are no views

    // Reads and decodes a file read-only. On any failure (missing, unreadable, malformed) the
    // storage holds no views, `error` (when given) receives the reason, and the result is false.
    bool open(const std::string& path, std::string* error = nullptr);
    // The same for bytes already in memory.
    bool decode(const uint8_t* data, size_t size, std::string* error = nullptr);

    // The view of that name; an empty view (no properties, no rows) when there is none.
    const MetakitView& view(const std::string& name) const;
};
