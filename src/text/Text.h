// Byte strings in the ANSI code page (GBK) and the searches the whole system shares.
#pragma once

#include <string>
#include <string_view>

// A text is a byte string in the ANSI code page. It never holds a NUL byte: texts that
// arrive as C strings end at their first NUL, and a null pointer is the empty text.
using Text = std::string;

// Copies a C string; null gives the empty text.
Text textFromCString(const char* s);

// Byte-exact equality, letter case included.
inline bool textEquals(std::string_view a, std::string_view b) {
    return a == b;
}

// True when the byte begins a two-byte character of the ANSI code page.
inline bool isLeadByte(unsigned char b) {
    return b >= 0x80;
}

// True when byte `p` of `s` begins a character as findText steps through `s` from its first
// byte. A byte below 80 hex is either a single-byte character or a trail byte, so the byte
// after it always begins one; after it the bytes of 80 hex and above pair up, so `p` begins
// a character when it lies an even distance into their run. `known`, at or before `p`, is a
// byte known to begin a character; the bytes before it are not looked at.
bool startsTextCharacter(std::string_view s, size_t p, size_t known = 0);

// The 1-based byte position of the first occurrence of `sought` in `subject` at or after
// byte `start`, or -1. The search steps through `subject` by characters from the byte where
// it begins, so a match never begins on the second byte of a two-byte character, and a lead
// byte as the last byte ends the search. With `ignoreCase` only the ASCII letters fold.
// A `start` below 1 means byte 1. An empty `sought` gives 1 when a byte remains from `start`.
int findText(std::string_view subject, std::string_view sought, int start = 1,
             bool ignoreCase = false);

// "#引号": stands for one double quote where an operation says so.
inline constexpr std::string_view quoteMarker = "#引号";

// Replaces every quote marker by '"', left to right without overlap, stepping over
// two-byte characters whole.
Text replaceQuoteMarker(std::string_view s);
