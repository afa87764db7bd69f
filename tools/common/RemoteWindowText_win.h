// The text of a window of another process: GetWindowTextA does not ask another process's
// control for its text, WM_GETTEXT does.
#pragma once

#include <windows.h>

#include <string>

inline std::string remoteWindowText(HWND h) {
    LRESULT n = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    LRESULT got = SendMessageA(h, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(got));
    return s;
}
