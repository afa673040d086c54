#include "storage/PrintableText.h"

#include <cstdio>

namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes at `i`, or 0.
size_t utf8SequenceAt(const std::string& text, size_t i) {
    const auto byte = [&text](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    size_t length = lead >= 0xc2 && lead <= 0xdf   ? 2
                    : lead >= 0xe0 && lead <= 0xef ? 3
                    : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xc0) != 0x80) return 0;
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    const unsigned char second = byte(i + 1);
    if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second > 0x9f) ||
        (lead == 0xf0 && second < 0x90) || (lead == 0xf4 && second > 0x8f))
        return 0;
    return length;
}

}  // namespace

std::string printableText(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7f) {
            result += static_cast<char>(c);
            ++i;
            continue;
        }
        if (const size_t length = c >= 0x80 ? utf8SequenceAt(text, i) : 0) {
            result.append(text, i, length);
            i += length;
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
        result += escaped;
        ++i;
    }
    return result;
}
