// Shared by the window tests: a recording stand-in for the window's services, a window made
// with it, explicit message pumping and keys held in the thread's keyboard state.
#pragma once

#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "app/WindowServices.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Records every call in `events`, in order.
class RecordingServices : public WindowServices {
  public:
    struct InitCall {
        int32_t windowHandle = 0;
        int32_t proxyPort = 0;
        std::vector<Text> pidFilters;
        std::vector<Text> urlFilters;
        int64_t size = 0;
    };
    struct MessageCall {
        Text text;
        Text caption;
        unsigned type = 0;
    };
    // What the window looked like when init or the message box ran.
    struct Seen {
        bool visible = false;
        RECT rect{};
    };

    bool initResult = false;
    // Runs inside init, as the interceptor's messages would.
    std::function<void(HWND)> duringInit;

    std::vector<std::string> events;
    std::vector<InitCall> inits;
    std::vector<MessageCall> messages;
    std::vector<Seen> seenAtInit, seenAtMessage;
    HWND window = nullptr;

    bool initInterceptor(int32_t windowHandle, int32_t proxyPort,
                         const std::vector<Text>& pidFilters, const std::vector<Text>& urlFilters,
                         int64_t size) override {
        events.push_back("init");
        window = reinterpret_cast<HWND>(static_cast<intptr_t>(windowHandle));
        inits.push_back({windowHandle, proxyPort, pidFilters, urlFilters, size});
        seenAtInit.push_back(look());
        if (duringInit) duringInit(window);
        return initResult;
    }
    void exitInterceptor() override {
        events.push_back(window && IsWindow(window) ? "exit" : "exit without window");
    }
    void handleReport(const char* reportText) override {
        events.push_back(reportText ? "report " + std::string(reportText) : "report null");
    }
    void resetTracker() override { events.push_back("reset"); }
    void showMessage(const Text& text, const Text& caption, unsigned type) override {
        events.push_back("message");
        messages.push_back({text, caption, type});
        seenAtMessage.push_back(look());
    }

  private:
    Seen look() const {
        Seen s;
        s.visible = IsWindowVisible(window) != FALSE;
        GetWindowRect(window, &s.rect);
        return s;
    }
};

// Dispatches everything queued through the program's own message handling and returns;
// nothing waits. `quitCode` is set when WM_QUIT was taken.
inline void pumpMessages(HWND mainWindow, int* quitCode = nullptr) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            if (quitCode) *quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        processMessage(mainWindow, msg);
    }
}

// Marks keys as held in this thread's keyboard state, as GetKeyState reports them, and
// releases them again.
class HeldKeys {
  public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved);
        BYTE state[256];
        GetKeyboardState(state);
        for (int k : keys)
            state[k] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

  private:
    BYTE saved[256];
};

inline Text windowText(HWND w) {
    char buf[4096] = {};
    int n = GetWindowTextA(w, buf, sizeof buf);
    return Text(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

// A main window made with recording services, as the program makes it; the WM_QUIT that
// its closing posts is taken by the pump, so it cannot reach a later test.
class WindowTest : public ::testing::Test {
  protected:
    void create() {
        ASSERT_TRUE(window.create(GetModuleHandleA(nullptr), services));
        main = window.handle();
        ASSERT_NE(main, nullptr);
        pumpMessages(main);
    }
    void TearDown() override {
        if (window.handle()) DestroyWindow(window.handle());
        pumpMessages(main);
    }

    RecordingServices services;
    MainWindow window;
    HWND main = nullptr;
};
