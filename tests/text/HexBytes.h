// Bytes as hexadecimal pairs, so that a failed comparison of literal bytes shows them.
#pragma once

#include <string>
#include <string_view>

inline std::string hex(std::string_view s) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}
