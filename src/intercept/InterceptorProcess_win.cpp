// Windows side of starting the interceptor: registry, processes and the message pump.
#include "intercept/InterceptorProcess.h"

#include <windows.h>

void publishWindowHandle(const Text& value) {
    HKEY key = HKEY_CURRENT_USER;
    RegSetValueExA(key, "fd_home", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

bool pathEntryExists(const Text& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void runHiddenAndWait(const Text& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    Text line = commandLine; // CreateProcessA may write into its command line
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

void startDetached(const Text& commandLine, unsigned readyWaitMs) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    Text line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return;
    WaitForInputIdle(pi.hProcess, readyWaitMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

void dispatchMessagesFor(unsigned ms) {
    DWORD begin = GetTickCount();
    while (GetTickCount() - begin <= ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // Sleep until a message arrives or a little time passes; the loop re-checks the tick.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
