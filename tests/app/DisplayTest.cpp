// The window as the tracker's display: answer boxes by number, the question box, appending.
#include "WindowTestSupport.h"

namespace {

class DisplayTest : public WindowTest {
  protected:
    void SetUp() override { create(); }
    Text questionText() { return windowText(window.questionBoxHandle()); }
};

TEST_F(DisplayTest, AnswerBoxesAreNumberedFromTheTop) {
    for (int k = 1; k <= 5; ++k)
        window.setAnswerBox(k, Text(1, static_cast<char>('A' + k)));
    int lastTop = 0;
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        HWND box = window.answerBoxHandle(k);
        EXPECT_EQ(windowText(box), Text(1, static_cast<char>('A' + k)));
        RECT r;
        GetWindowRect(box, &r);
        EXPECT_GT(r.top, lastTop);
        lastTop = r.top;
        SetWindowTextA(box, "x");
        EXPECT_EQ(window.answerBox(k), "x");
    }
    window.setAnswerBox(2, "");
    EXPECT_EQ(window.answerBox(2), "");
}

TEST_F(DisplayTest, ContentsAreAnsiCodePageBytes) {
    if (GetACP() != 936) GTEST_SKIP() << "needs the GBK code page, not " << GetACP();
    const Text stem = "\xC3\xBB\xD3\xD0 abc"; // "没有 abc"
    window.setAnswerBox(1, stem);
    EXPECT_EQ(window.answerBox(1), stem);
    window.setQuestionBox(stem + "\r\n");
    EXPECT_EQ(questionText(), stem + "\r\n");
}

TEST_F(DisplayTest, AppendingAddsLinesAtTheEndWhereverTheCaretWas) {
    window.setQuestionBox("\xB5\xDA\xD2\xBB\r\n"); // "第一"
    SendMessageA(window.questionBoxHandle(), EM_SETSEL, 0, 1);
    window.appendToQuestionBox("second\r\n");
    SendMessageA(window.questionBoxHandle(), EM_SETSEL, 2, 2);
    window.appendToQuestionBox("\xC8\xFD\r\n"); // "三"
    window.appendToQuestionBox("");
    EXPECT_EQ(questionText(), "\xB5\xDA\xD2\xBB\r\nsecond\r\n\xC8\xFD\r\n");
    EXPECT_FALSE(SendMessageA(window.questionBoxHandle(), EM_CANUNDO, 0, 0))
        << "an appended line cannot be undone";
}

// More lines than fit: the box scrolls to the caret at the end.
TEST_F(DisplayTest, AppendingScrollsTheLastLineIntoView) {
    HWND box = window.questionBoxHandle();
    for (int i = 0; i < 40; ++i)
        window.appendToQuestionBox("line " + std::to_string(i) + "\r\n");
    EXPECT_GT(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 20);
    EXPECT_EQ(SendMessageA(box, EM_GETLINECOUNT, 0, 0), 41);
}

TEST_F(DisplayTest, SettingTheQuestionBoxReplacesItsContent) {
    window.appendToQuestionBox("old\r\n");
    window.setQuestionBox("");
    EXPECT_EQ(questionText(), "");
    window.appendToQuestionBox("new\r\n");
    EXPECT_EQ(questionText(), "new\r\n");
}

// The box is hidden while its text changes (Wine draws its scroll bar at every change): it
// must come back shown, with the focus it had, and due for painting.
TEST_F(DisplayTest, ChangingTheQuestionBoxKeepsItShownAndFocused) {
    HWND box = window.questionBoxHandle();
    ShowWindow(window.handle(), SW_SHOW);
    SetFocus(box);
    ASSERT_EQ(GetFocus(), box);
    pumpMessages(main);
    window.appendToQuestionBox("line\r\n");
    EXPECT_TRUE(GetUpdateRect(box, nullptr, FALSE)) << "the new text is to be painted";
    window.setQuestionBox("");
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(GetFocus(), box);
    SetFocus(window.answerBoxHandle(1));
    window.appendToQuestionBox("line\r\n");
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(GetFocus(), window.answerBoxHandle(1));
}

} // namespace
