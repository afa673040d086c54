#pragma once
// Writes a fresh storage file (one commit) from complete content, laid out block for block the
// way the files' own library lays out a new file, so the same content gives the same bytes.
// Every property type is written (S I L F D B and subviews nested to any depth).

#include <cstdint>
#include <string>
#include <vector>

#include "storage/MetakitView.h"

class MetakitWriter {
public:
    // The bytes of a little-endian file; empty when there are no views, or when the content
    // cannot be stored (see encode).
    static std::vector<uint8_t> write(const std::vector<MetakitView>& views);
    // The same with a choice of byte order ('L' or 'B'); false with `error` set when a name
    // cannot be stored (empty, one of , [ ] :, or a duplicate), a type letter is unknown, or
    // the file would exceed the format's 2 GB limit.
    static bool encode(const std::vector<MetakitView>& views, char byteOrder, std::vector<uint8_t>& out,
                       std::string* error);
    // Writes the file through a temporary file beside it that is renamed over `path`, so a
    // failed write never leaves a partial file behind.
    static bool writeFile(const std::string& path, const std::vector<MetakitView>& views, std::string* error);
};
