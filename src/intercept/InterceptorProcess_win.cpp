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
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        MSG msg;
        // PeekMessage also runs the messages other threads and processes send to the
        // thread's windows (the interceptor's reports among them).
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD elapsed = GetTickCount() - begin;
        if (elapsed > ms) break;
        // Sleeps until a message is waiting (even one already seen) or the time is up.
        MsgWaitForMultipleObjectsEx(0, nullptr, ms - elapsed + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    // A quit request taken from the queue here belongs to the message loop that runs after
    // the wait: dropping it would leave the program running without a window.
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
}
