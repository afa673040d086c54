#pragma once
// A bounds-checked reader over a range of bytes. Every read checks the range first and fails
// (returns false and sets `failed`) instead of stepping outside it; the data is never copied.

#include <cstddef>
#include <cstdint>

class ByteCursor {
public:
    // The largest number a storage file holds: positions and sizes are signed 32-bit there.
    static constexpr int64_t maxNumber = 0x7fffffff;

    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    bool failed = false;

    ByteCursor() = default;
    ByteCursor(const uint8_t* bytes, size_t length) : data(bytes), size(length) {}

    bool atEnd() const { return pos == size; }
    size_t remaining() const { return size - pos; }

    bool readByte(uint8_t& value);
    // `count` bytes starting at the cursor; `out` points into the range.
    bool readBytes(size_t count, const uint8_t*& out);
    // Big-endian fixed-width numbers, as the file's marks use them.
    bool readBE24(uint32_t& value);
    bool readBE32(uint32_t& value);

    // The file's variable-length numbers: 7 bits per byte, most significant group first, the
    // last byte marked with 0x80. A leading 00 byte marks a negative number (stored as ~v).
    // At most 5 groups after that 00, and the value must fit in 31 bits.
    bool readSignedNumber(int64_t& value);
    // The same, refusing negative numbers: counts, sizes and positions.
    bool readNumber(int64_t& value);

private:
    bool fail() {
        failed = true;
        return false;
    }
};
