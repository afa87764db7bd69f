// UTF-8 <-> ANSI on Windows. Decoding goes a character at a time with MB_ERR_INVALID_CHARS,
// so that one bad byte becomes U+FFFD instead of spoiling its neighbours.
#include "text/Utf8.h"

#include <windows.h>

namespace {

void appendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string ansiToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 3 / 2);
    size_t i = 0;
    while (i < s.size()) {
        size_t len = (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
        wchar_t w[2];
        int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, s.data() + i,
                                    static_cast<int>(len), w, 2);
        if (n != 1 && len == 2) { // 80 hex alone is a character of its own in GBK
            len = 1;
            n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, s.data() + i, 1, w, 2);
        }
        if (n == 1) {
            appendUtf8(out, w[0]);
            i += len;
        } else {
            appendUtf8(out, 0xFFFD);
            i += 1;
        }
    }
    return out;
}

Text utf8ToAnsi(std::string_view s) {
    if (s.empty()) return Text();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0) return Text();
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    int m = WideCharToMultiByte(CP_ACP, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
    if (m <= 0) return Text();
    Text out(static_cast<size_t>(m), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}
