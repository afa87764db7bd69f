// The window's keys through the program's message handling: Escape closes, Tab and Shift+Tab
// move the focus, Enter clicks nothing.
#include "WindowTestSupport.h"

namespace {

enum Target { mainWindow, button, questions, answer3 };

HWND targetHandle(const MainWindow& w, Target t) {
    switch (t) {
    case mainWindow:
        return w.handle();
    case button:
        return w.resetButton();
    case questions:
        return w.questionBoxHandle();
    case answer3:
        return w.answerBoxHandle(3);
    }
    return nullptr;
}

// A key press as the keyboard driver posts it; `alt` sets the context bit of WM_SYSKEYDOWN.
void postKey(HWND to, UINT msg, WPARAM key, bool alt = false) {
    LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16);
    if (alt) lParam |= 1L << 29;
    PostMessageA(to, msg, key, lParam);
}

struct EscapeRow {
    const char* name;
    Target target;
    UINT message;
    std::initializer_list<int> held;
    bool closes;
};

// clang-format off
const EscapeRow escapeRows[] = {
    {"window",             mainWindow, WM_KEYDOWN,    {},          true},
    {"button",             button,     WM_KEYDOWN,    {},          true},
    {"question box",       questions,  WM_KEYDOWN,    {},          true},
    {"answer box",         answer3,    WM_KEYDOWN,    {},          true},
    {"system key",         answer3,    WM_SYSKEYDOWN, {},          true},
    {"Ctrl+Escape",        answer3,    WM_KEYDOWN,    {VK_CONTROL}, false},
    {"Shift+Escape",       questions,  WM_KEYDOWN,    {VK_SHIFT},   false},
    {"Alt+Escape",         button,     WM_SYSKEYDOWN, {VK_MENU},    false},
};
// clang-format on

TEST(KeyboardTest, EscapeWithoutModifiersClosesTheWindowLikeItsCloseButton) {
    for (const EscapeRow& row : escapeRows) {
        SCOPED_TRACE(row.name);
        RecordingServices services;
        services.initResult = true;
        MainWindow window;
        ASSERT_TRUE(window.create(GetModuleHandleA(nullptr), services));
        HWND main = window.handle();
        HWND target = targetHandle(window, row.target);
        pumpMessages(main);
        services.events.clear();

        int quitCode = -1;
        {
            HeldKeys keys(row.held);
            postKey(target, row.message, VK_ESCAPE,
                    row.message == WM_SYSKEYDOWN && row.held.size());
            pumpMessages(main, &quitCode);
        }
        if (row.closes) {
            EXPECT_EQ(services.events, (std::vector<std::string>{"exit", "exit"}));
            EXPECT_FALSE(IsWindow(main));
            EXPECT_EQ(window.handle(), nullptr);
            EXPECT_EQ(quitCode, 0);
        } else {
            EXPECT_TRUE(services.events.empty());
            EXPECT_TRUE(IsWindow(main));
            EXPECT_EQ(quitCode, -1);
            DestroyWindow(main);
            pumpMessages(main);
        }
    }
}

class KeyTest : public WindowTest {
  protected:
    void SetUp() override {
        services.initResult = true;
        create();
        order = {window.resetButton(),      window.answerBoxHandle(1), window.answerBoxHandle(2),
                 window.answerBoxHandle(3), window.answerBoxHandle(4), window.answerBoxHandle(5),
                 window.questionBoxHandle()};
    }
    std::vector<HWND> order;
};

// The tab order: the button, the answer boxes from top to bottom, the question box, round.
TEST_F(KeyTest, TabAndShiftTabMoveTheFocusRound) {
    for (size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(i);
        SetFocus(order[i]);
        ASSERT_EQ(GetFocus(), order[i]);
        postKey(order[i], WM_KEYDOWN, VK_TAB);
        pumpMessages(main);
        EXPECT_EQ(GetFocus(), order[(i + 1) % order.size()]);
        {
            HeldKeys shift{VK_SHIFT};
            postKey(GetFocus(), WM_KEYDOWN, VK_TAB);
            pumpMessages(main);
        }
        EXPECT_EQ(GetFocus(), order[i]);
    }
    EXPECT_EQ(windowText(window.questionBoxHandle()), "") << "Tab is not typed into a box";
}

TEST_F(KeyTest, EnterChangesNothingAndClicksNothing) {
    services.events.clear();
    for (HWND focus : {window.answerBoxHandle(2), window.resetButton()}) {
        SetFocus(focus);
        postKey(focus, WM_KEYDOWN, VK_RETURN);
        postKey(focus, WM_KEYUP, VK_RETURN);
        pumpMessages(main);
        EXPECT_EQ(GetFocus(), focus);
    }
    EXPECT_TRUE(services.events.empty()) << "the reset button was not clicked";
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(window.answerBox(k), "A") << k;
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(KeyTest, AnswerBoxesTakeTypingAndTheQuestionBoxDoesNot) {
    window.setQuestionBox("q\r\n");
    for (HWND box : {window.answerBoxHandle(4), window.questionBoxHandle()}) {
        SetFocus(box);
        SendMessageA(box, EM_SETSEL, 0, -1);
        PostMessageA(box, WM_CHAR, 'C', 1);
        pumpMessages(main);
    }
    EXPECT_EQ(window.answerBox(4), "C");
    EXPECT_EQ(windowText(window.questionBoxHandle()), "q\r\n");
}

} // namespace
