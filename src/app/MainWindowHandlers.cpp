// The main window's procedures and the handlers bound to its events.
#include "app/ExamSite.h"
#include "app/MainWindow.h"

#include <cstdint>
#include <vector>

namespace {

constexpr int32_t proxyPort = 7788;
constexpr int64_t interceptSize = 9000;
constexpr unsigned failureMessageType = MB_YESNO | 0x60 | MB_TASKMODAL; // 0x2064

MainWindow* windowObject(HWND hwnd) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

} // namespace

LRESULT CALLBACK MainWindow::classProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window = hwnd;
    }
    MainWindow* self = windowObject(hwnd);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->handleMessage(hwnd, msg, wParam, lParam);
}

// Every report passes here, also those that arrive while init waits: the subclass is
// installed before init runs. The handling, reply file included, ends before the message
// goes on and its sender's SendMessage returns.
LRESULT CALLBACK MainWindow::subclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MainWindow* self = windowObject(hwnd);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == EM_REPLACESEL) self->services->handleReport(reinterpret_cast<const char*>(lParam));
    return CallWindowProcA(self->previousWndProc, hwnd, msg, wParam, lParam);
}

LRESULT MainWindow::handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == button && HIWORD(wParam) == BN_CLICKED) {
            services->resetTracker();
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: // what a read-only edit box asks: white, not grey
        if (isEditBox(reinterpret_cast<HWND>(lParam))) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        break;
    case WM_CLOSE:
        onCanClose();
        break; // the default handling destroys the window: a close is never refused
    case WM_QUERYENDSESSION: {
        LRESULT answer = DefWindowProcA(hwnd, msg, wParam, lParam);
        if (!answer) return answer;
        onCanClose();
        return TRUE;
    }
    case WM_DESTROY:
        onWillBeDestroyed();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        window = button = questionBox = nullptr;
        for (HWND& box : answerBoxes)
            box = nullptr;
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void MainWindow::onWindowCreated() {
    previousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassWndProc)));

    const std::vector<Text> pidFilters{Text()};
    const std::vector<Text> urlFilters{examUrlFilter()};
    int32_t handleValue = static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
    if (!services->initInterceptor(handleValue, proxyPort, pidFilters, urlFilters, interceptSize))
        services->showMessage("初始化失败，请检查原因", "信息：", failureMessageType);

    // Init dispatches messages while it waits, and a close among them destroys the window.
    if (!window) return;
    RECT r;
    GetWindowRect(window, &r);
    MoveWindow(window, 1, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    GetWindowRect(window, &r);
    MoveWindow(window, r.left, 1, r.right - r.left, r.bottom - r.top, TRUE);
}

void MainWindow::onCanClose() {
    services->exitInterceptor();
}

void MainWindow::onWillBeDestroyed() {
    services->exitInterceptor();
}
