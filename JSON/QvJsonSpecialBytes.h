// Finding the bytes that interrupt a plain run of string text: the double quote, the backslash
// and the control bytes below 0x20. The parser stops at them to handle an escape or an error, the
// writer to escape them; everything between is copied in one piece.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace QvJsonSpecialBytes {

inline constexpr std::array<bool, 256> kTable = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c) {
        table[static_cast<size_t>(c)] = true;
    }
    table['"'] = true;
    table['\\'] = true;
    return table;
}();

constexpr uint64_t everyByte(uint8_t b) {
    return 0x0101010101010101ULL * b;
}

// True when one of the 8 bytes of `word` is special (bit tricks on all bytes at once).
inline bool anyIn(uint64_t word) {
    const uint64_t quote = word ^ everyByte('"');
    const uint64_t backslash = word ^ everyByte('\\');
    const uint64_t control = (word - everyByte(0x20)) & ~word;
    const uint64_t isQuote = (quote - everyByte(0x01)) & ~quote;
    const uint64_t isBackslash = (backslash - everyByte(0x01)) & ~backslash;
    return ((control | isQuote | isBackslash) & everyByte(0x80)) != 0;
}

// The first special byte in [p, end), or end.
inline const char* find(const char* p, const char* end) {
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (anyIn(word)) {
            break;
        }
        p += 8;
    }
    while (p < end && !kTable[static_cast<unsigned char>(*p)]) {
        ++p;
    }
    return p;
}

}  // namespace QvJsonSpecialBytes
