#include "storage/MetakitIntColumn.h"

namespace {

// Widths of small blocks (rows 1..7, sizes 1..6); 0 marks a size no writer produces.
const int smallWidths[7][6] = {
    {8, 16, 1, 32, 2, 4},  // 1 row
    {4, 8, 1, 16, 2, 0},   // 2 rows
    {2, 4, 8, 1, 0, 16},   // 3 rows
    {2, 4, 0, 8, 1, 0},    // 4 rows
    {1, 2, 4, 0, 8, 0},    // 5 rows
    {1, 2, 4, 0, 0, 8},    // 6 rows
    {1, 2, 0, 4, 0, 0},    // 7 rows
};

// Padded block sizes for 1..4 rows of 4, 2 and 1-bit entries.
const size_t paddedSizes[3][4] = {
    {6, 1, 2, 2},  // 4 bits
    {5, 5, 1, 1},  // 2 bits
    {3, 3, 4, 5},  // 1 bit
};

}  // namespace

int MetakitIntColumn::widthFor(size_t size, size_t rows) {
    if (size == 0) return 0;
    if (rows == 0) return -1;
    if (rows <= 7 && size <= 6) {
        int w = smallWidths[rows - 1][size - 1];
        return w ? w : -1;
    }
    if (size > SIZE_MAX / 8) return -1;
    size_t w = size * 8 / rows;
    switch (w) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 32:
    case 64:
        return static_cast<int>(w);
    default:
        return -1;
    }
}

int MetakitIntColumn::widthOf(int32_t value) {
    if (value == 0) return 0;
    if (value == 1) return 1;
    if (value >= 2 && value <= 3) return 2;
    if (value >= 4 && value <= 15) return 4;
    int64_t u = value >= 0 ? int64_t(value) : -int64_t(value) - 1;
    if (u < 128) return 8;
    if (u < 32768) return 16;
    return 32;
}

size_t MetakitIntColumn::blockSize(size_t rows, int width) {
    if (width == 0 || rows == 0) return 0;
    if (rows <= 4 && width < 8) {
        int line = width == 4 ? 0 : width == 2 ? 1 : 2;
        return paddedSizes[line][rows - 1];
    }
    return (rows * size_t(width) + 7) / 8;
}

void MetakitIntColumn::encode(const std::vector<int32_t>& values, bool bigEndian, std::vector<uint8_t>& out) {
    int w = 0;
    for (int32_t v : values) {
        int vw = widthOf(v);
        if (vw > w) w = vw;
    }
    size_t start = out.size();
    out.resize(start + blockSize(values.size(), w), 0);
    uint8_t* p = out.data() + start;
    for (size_t i = 0; i < values.size(); ++i) {
        uint32_t u = static_cast<uint32_t>(values[i]);
        if (w < 8 && w > 0) {
            size_t bit = i * size_t(w);
            p[bit / 8] |= static_cast<uint8_t>((u & ((1u << w) - 1)) << (bit % 8));
        } else if (w >= 8) {
            int bytes = w / 8;
            for (int b = 0; b < bytes; ++b) {
                uint8_t byte = static_cast<uint8_t>(u >> (8 * b));
                p[i * bytes + (bigEndian ? bytes - 1 - b : b)] = byte;
            }
        }
    }
}

bool MetakitIntColumn::bind(const uint8_t* block, size_t blockSize, size_t rowCount, bool bigEndianFile,
                            int maxWidth) {
    int w = widthFor(blockSize, rowCount);
    if (w < 0 || w > maxWidth) return false;
    // Entries must lie inside the block (a size of 0 means every value is 0).
    if (w > 0 && blockSize < (rowCount * size_t(w) + 7) / 8) return false;
    data = block;
    size = blockSize;
    rows = rowCount;
    width = w;
    bigEndian = bigEndianFile;
    return true;
}

int32_t MetakitIntColumn::get(size_t row) const {
    if (width == 0 || row >= rows) return 0;
    if (width < 8) {
        size_t bit = row * size_t(width);
        if (bit / 8 >= size) return 0;
        return (data[bit / 8] >> (bit % 8)) & ((1 << width) - 1);
    }
    size_t bytes = size_t(width) / 8;
    if ((row + 1) * bytes > size) return 0;
    const uint8_t* p = data + row * bytes;
    uint32_t u = 0;
    for (size_t b = 0; b < bytes; ++b) u |= uint32_t(p[bigEndian ? bytes - 1 - b : b]) << (8 * b);
    // Sign-extend 8 and 16-bit entries.
    if (bytes == 1) return static_cast<int8_t>(u);
    if (bytes == 2) return static_cast<int16_t>(u);
    return static_cast<int32_t>(u);
}
