// Where characters begin in an ANSI text, as the platform's conversion to UTF-16 reads it.
#pragma once

#include <cstddef>
#include <string_view>

// The code page's lead bytes, and the bytes that may follow one as its second.
inline bool isCodePageLead(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}
inline bool isCodePageTrail(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

// True when byte `i` of `s` begins a character as ansiToWide reads `s` from its first byte:
// then converting s[0, i) and s[i, end) apart gives what converting `s` whole gives. True
// at either end. `known`, at or before `i`, is a byte known to begin a character; the bytes
// before it are not looked at.
bool startsAnsiCharacter(std::string_view s, size_t i, size_t known = 0);
