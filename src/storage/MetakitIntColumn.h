#pragma once
// Integer columns of storage files (I and F values, string sizes): every entry of one column
// has the same bit width (0, 1, 2, 4, 8, 16 or 32), which is not stored but follows from the
// block size and the row count. 1/2/4-bit entries are unsigned and packed from the least
// significant bit; 8/16/32-bit entries are signed, multi-byte ones in the file's byte order.

#include <cstddef>
#include <cstdint>
#include <vector>

class MetakitIntColumn {
public:
    // The entry width a block of `size` bytes gives `rows` entries (rows > 0), 64 included
    // (only L and D use it); -1 when the size gives no valid width.
    static int widthFor(size_t size, size_t rows);
    // The width a writer chooses for one value: the smallest that holds it.
    static int widthOf(int32_t value);
    // The block size a writer uses for `rows` entries of `width` bits, including the zero
    // padding that keeps small sub-byte columns unambiguous.
    static size_t blockSize(size_t rows, int width);
    // Appends the block for these values (the width is the widest any value needs).
    static void encode(const std::vector<int32_t>& values, bool bigEndian, std::vector<uint8_t>& out);

    // A column to read: `bind` checks the block against the row count (widths above
    // `maxWidth` refused); `get` then reads any entry 0 .. rows-1 within the block.
    bool bind(const uint8_t* block, size_t blockSize, size_t rowCount, bool bigEndianFile, int maxWidth = 32);
    int32_t get(size_t row) const;

    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t rows = 0;
    int width = 0;
    bool bigEndian = false;
};
