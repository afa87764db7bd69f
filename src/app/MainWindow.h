// Tesvo's only window: the always-on-top bar with the reset button, the question box and the
// five answer boxes. It is the receiving end of the interceptor's reports.
#pragma once

#include "app/WindowServices.h"
#include "exam/TrackerDisplay.h"

#include <windows.h>

class MainWindow : public TrackerDisplay {
  public:
    MainWindow() = default;
    // Destroys a window that is still open without running its close handlers.
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window hidden with its controls, runs onWindowCreated (which starts the
    // interceptor and may show the failure message) and shows the window. False when the
    // window or one of its controls could not be created. `services` must outlive the window.
    bool create(HINSTANCE instance, WindowServices& services);

    // Null once the window has been destroyed.
    HWND handle() const { return window; }
    HWND resetButton() const { return button; }
    HWND questionBoxHandle() const { return questionBox; }
    // k from 1 to 5.
    HWND answerBoxHandle(int k) const;

    Text answerBox(int k) const override;
    void setAnswerBox(int k, const Text& content) override;
    void setQuestionBox(const Text& content) override;
    void appendToQuestionBox(const Text& line) override;

  private:
    static LRESULT CALLBACK classProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK subclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool createControls(HINSTANCE instance);
    bool isEditBox(HWND control) const;

    void onWindowCreated();
    void onCanClose();
    void onWillBeDestroyed();

    WindowServices* services = nullptr;
    HWND window = nullptr;
    HWND button = nullptr;
    HWND questionBox = nullptr;
    HWND answerBoxes[5] = {};
    HFONT questionFont = nullptr;
    // The class procedure that subclassWndProc replaced and passes every message on to.
    WNDPROC previousWndProc = nullptr;
};
