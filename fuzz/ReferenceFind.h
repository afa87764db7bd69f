// The plain form of findText for the fuzz targets: one character at a time, no shortcuts.
#pragma once

#include <cstddef>
#include <string_view>

// From the start byte on, a byte of 80 hex or above and the byte after it are one character;
// a lead byte as the last byte ends the search. With ignoreCase only A-Z and a-z fold.
inline int referenceFind(std::string_view s, std::string_view t, int start, bool ignoreCase) {
    if (s.empty()) return -1;
    size_t i = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    if (i >= s.size()) return -1;
    if (t.empty()) return 1;
    auto fold = [&](char c) {
        unsigned char b = static_cast<unsigned char>(c);
        return ignoreCase && b >= 'a' && b <= 'z' ? b - 32 : b;
    };
    while (i < s.size()) {
        bool equal = t.size() <= s.size() - i;
        for (size_t k = 0; equal && k < t.size(); ++k)
            equal = fold(s[i + k]) == fold(t[k]);
        if (equal) return static_cast<int>(i + 1);
        if (static_cast<unsigned char>(s[i]) >= 0x80) {
            if (i + 1 == s.size()) return -1;
            i += 2;
        } else {
            i += 1;
        }
    }
    return -1;
}
