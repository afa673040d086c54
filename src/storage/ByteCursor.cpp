#include "storage/ByteCursor.h"

bool ByteCursor::readByte(uint8_t& value) {
    if (failed || pos >= size) return fail();
    value = data[pos++];
    return true;
}

bool ByteCursor::readBytes(size_t count, const uint8_t*& out) {
    if (failed || count > size - pos) return fail();
    out = data + pos;
    pos += count;
    return true;
}

bool ByteCursor::readBE24(uint32_t& value) {
    const uint8_t* p = nullptr;
    if (!readBytes(3, p)) return false;
    value = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    return true;
}

bool ByteCursor::readBE32(uint32_t& value) {
    const uint8_t* p = nullptr;
    if (!readBytes(4, p)) return false;
    value = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    return true;
}

bool ByteCursor::readSignedNumber(int64_t& value) {
    if (failed || pos >= size) return fail();
    bool negative = false;
    if (data[pos] == 0x00) {
        negative = true;
        ++pos;
    }
    int64_t v = 0;
    for (int groups = 1;; ++groups) {
        uint8_t b = 0;
        if (groups > 5 || !readByte(b)) return fail();
        v = (v << 7) | (b & 0x7f);
        if (b & 0x80) break;
    }
    if (v > maxNumber) return fail();
    value = negative ? ~v : v;
    return true;
}

bool ByteCursor::readNumber(int64_t& value) {
    int64_t v = 0;
    if (!readSignedNumber(v)) return false;
    if (v < 0) return fail();
    value = v;
    return true;
}
