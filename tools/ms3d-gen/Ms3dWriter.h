#pragma once
// Serialises an Ms3dModel into the MilkShape 3D version 4 binary layout the game's loader reads:
// little-endian numbers, fixed-size NUL-padded strings, sections back to back with nothing after
// the joints. Anything the format cannot hold (too many vertices, a name too long for its field,
// a bone or material index out of range) is refused with a std::runtime_error, never truncated.

#include "Ms3dModel.h"

#include <cstdint>
#include <string>
#include <vector>

class Ms3dWriter {
public:
    // Field sizes of the format, in bytes.
    static constexpr size_t headerSize = 14;
    static constexpr size_t vertexSize = 15;
    static constexpr size_t triangleSize = 70;
    static constexpr size_t groupBaseSize = 36;  // plus 2 per triangle index
    static constexpr size_t materialSize = 361;
    static constexpr size_t animationSize = 12;
    static constexpr size_t jointBaseSize = 93;  // plus 16 per key
    static constexpr size_t keySize = 16;
    static constexpr size_t nameField = 32;
    static constexpr size_t pathField = 128;

    static std::vector<uint8_t> write(const Ms3dModel& model);
    // Writes the bytes to path; throws std::runtime_error when the file cannot be written.
    static void writeFile(const Ms3dModel& model, const std::string& path);

private:
    static void check(const Ms3dModel& model);
};
