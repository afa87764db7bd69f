// The program's message loop with the main window's keyboard handling in front of it.
#pragma once

#include <windows.h>

// The main window's keyboard handling, which sees every message before it is dispatched.
// Escape without Ctrl, Shift or Alt, for the window or one of its controls, sends WM_CLOSE
// to the window; Tab and Shift+Tab move the focus through the controls. True when it took
// the message, which then goes no further.
bool handleWindowKeys(HWND mainWindow, const MSG& msg);

// Lets the keyboard handling see `msg` and, unless it took it, translates and dispatches it.
void processMessage(HWND mainWindow, const MSG& msg);

// Runs until WM_QUIT and returns its exit code.
int runMessageLoop(HWND mainWindow);
