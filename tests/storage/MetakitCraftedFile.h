#pragma once
// Builds storage files by hand, block by block, for tests that need damage or sizes no writer
// produces.

#include <cstdint>
#include <string>
#include <vector>

namespace metakit_crafted {

inline std::vector<uint8_t> number(uint64_t value) {
    std::vector<uint8_t> groups;
    do {
        groups.insert(groups.begin(), uint8_t(value & 0x7f));
        value >>= 7;
    } while (value);
    groups.back() |= 0x80;
    return groups;
}

inline void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

class CraftedFile {
public:
    std::vector<uint8_t> bytes = std::vector<uint8_t>(8, 0);

    // Appends a block and returns its reference ("size position").
    std::vector<uint8_t> add(const std::vector<uint8_t>& block) {
        std::vector<uint8_t> ref = number(block.size());
        append(ref, number(bytes.size()));
        append(bytes, block);
        return ref;
    }

    // Adds the root walk (description, one row, then `references`), the tails and header.
    std::vector<uint8_t> finish(const std::string& description, const std::vector<uint8_t>& references) {
        std::vector<uint8_t> walk = {0x80};
        append(walk, number(description.size()));
        walk.insert(walk.end(), description.begin(), description.end());
        walk.push_back(0x81);
        append(walk, references);
        size_t at = bytes.size();
        append(bytes, walk);
        size_t end = bytes.size();
        auto be32 = [this](size_t v) {
            for (int s = 24; s >= 0; s -= 8) bytes.push_back(uint8_t(v >> s));
        };
        bytes.insert(bytes.end(), {0x80, 0, 0, 0});
        be32(end);
        bytes.push_back(0x80);
        for (int s = 16; s >= 0; s -= 8) bytes.push_back(uint8_t(walk.size() >> s));
        be32(at);
        const uint8_t header[] = {'J', 'L', 0x1a, 0};
        std::copy(header, header + 4, bytes.begin());
        for (int i = 0; i < 4; ++i) bytes[4 + i] = uint8_t(bytes.size() >> (24 - 8 * i));
        return bytes;
    }
};

// A file with one view "v" whose walk is given whole.
inline std::vector<uint8_t> oneView(const std::string& structure, const std::vector<uint8_t>& viewWalk,
                                    CraftedFile file = CraftedFile()) {
    std::vector<uint8_t> ref = file.add(viewWalk);
    return file.finish(structure, ref);
}

}  // namespace metakit_crafted
