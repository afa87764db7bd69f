// Where characters begin in an ANSI text, as the platform's conversion to UTF-16 reads it.
#pragma once

#include <cstddef>
#include <string_view>

// True when byte `i` of `s` begins a character as ansiToWide reads `s` from its first byte:
// then converting s[0, i) and s[i, end) apart gives what converting `s` whole gives. True
// at either end. `known`, at or before `i`, is a byte known to begin a character; the bytes
// before it are not looked at.
bool startsAnsiCharacter(std::string_view s, size_t i, size_t known = 0);
