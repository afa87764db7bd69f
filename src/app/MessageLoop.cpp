// The program's message loop and the main window's keys: Escape closes, Tab moves the focus.
// Unlike IsDialogMessage, nothing here makes Enter click a button or move the focus.
#include "app/MessageLoop.h"

namespace {

bool keyHeld(int key) {
    return GetKeyState(key) < 0;
}

bool isForWindow(HWND mainWindow, HWND target) {
    return mainWindow && target && (target == mainWindow || IsChild(mainWindow, target));
}

} // namespace

bool handleWindowKeys(HWND mainWindow, const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (!isForWindow(mainWindow, msg.hwnd)) return false;
    // Bit 29 of a key message is set while Alt is down.
    bool alt = keyHeld(VK_MENU) || (msg.lParam & (1L << 29)) != 0;
    bool ctrl = keyHeld(VK_CONTROL);
    bool shift = keyHeld(VK_SHIFT);

    if (msg.wParam == VK_ESCAPE && !ctrl && !shift && !alt) {
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
        return true;
    }
    if (msg.wParam == VK_TAB && msg.message == WM_KEYDOWN && !ctrl && !alt) {
        HWND focus = GetFocus();
        HWND from = focus && IsChild(mainWindow, focus) ? focus : nullptr;
        if (HWND next = GetNextDlgTabItem(mainWindow, from, shift)) SetFocus(next);
        return true;
    }
    return false;
}

void processMessage(HWND mainWindow, const MSG& msg) {
    if (handleWindowKeys(mainWindow, msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int runMessageLoop(HWND mainWindow) {
    MSG msg{};
    // GetMessage answers -1 on an error; like WM_QUIT, that ends the loop.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        processMessage(mainWindow, msg);
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 1;
}
