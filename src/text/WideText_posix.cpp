// Native ANSI <-> UTF-16 through iconv's CP936, the Windows GBK code page.
#include "text/WideText.h"

#include "text/Iconv_posix.h"

#include <cstring>

WideText ansiToWide(std::string_view s) {
    s = s.substr(0, s.find('\0'));
    if (s.empty()) return WideText();
    static const char16_t fffd = u'\uFFFD';
    std::string bytes =
        iconvConvert("UTF-16LE", "CP936", s,
                     std::string_view(reinterpret_cast<const char*>(&fffd), 2), invalidGbkLength);
    WideText w(bytes.size() / 2, u'\0');
    std::memcpy(w.data(), bytes.data(), w.size() * 2);
    return w;
}

Text wideToAnsi(std::u16string_view w) {
    w = w.substr(0, w.find(u'\0'));
    if (w.empty()) return Text();
    std::string_view in(reinterpret_cast<const char*>(w.data()), w.size() * 2);
    return iconvConvert("CP936", "UTF-16LE", in, "?", [](std::string_view) -> size_t { return 2; });
}
