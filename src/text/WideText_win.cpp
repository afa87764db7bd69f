// ANSI <-> UTF-16 with the platform's conversions in the ANSI code page, no flags.
#include "text/WideText.h"

#include <windows.h>

WideText ansiToWide(std::string_view s) {
    s = s.substr(0, s.find('\0'));
    if (s.empty()) return WideText();
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0) return WideText();
    WideText w(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()),
                        reinterpret_cast<wchar_t*>(w.data()), n);
    return w;
}

Text wideToAnsi(std::u16string_view w) {
    w = w.substr(0, w.find(u'\0'));
    if (w.empty()) return Text();
    auto* p = reinterpret_cast<const wchar_t*>(w.data());
    int len = static_cast<int>(w.size());
    int n = WideCharToMultiByte(CP_ACP, 0, p, len, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return Text();
    Text s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, p, len, s.data(), n, nullptr, nullptr);
    return s;
}
