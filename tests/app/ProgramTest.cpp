// The window wired to the program's own services: the real globals and answer tracker behind
// the boxes, and the interceptor link without an interceptor beside the test program.
#include "WindowTestSupport.h"
#include "app/Globals.h"
#include "app/ProgramServices.h"
#include "exam/Pages.h"

namespace {

// The program's services with the message box recorded instead of shown: it is modal.
class QuietProgramServices : public ProgramServices {
  public:
    using ProgramServices::ProgramServices;
    void showMessage(const Text& text, const Text&, unsigned) override {
        shownMessages.push_back(text);
    }
    std::vector<Text> shownMessages;
};

LRESULT sendReport(HWND main, const Text& report) {
    return SendMessageA(main, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(report.c_str()));
}

TEST(ProgramTest, ReportsAndTheResetButtonChangeTheWindowsBoxes) {
    Globals globals;
    createGlobals(globals);
    {
        MainWindow window;
        QuietProgramServices services(globals, window);
        ASSERT_TRUE(window.create(GetModuleHandleA(nullptr), services));
        HWND main = window.handle();
        pumpMessages(main);
        EXPECT_EQ(services.shownMessages.size(), 1u) << "no fd.exe beside the test program";

        const Text first = "\xBC\xD7"; // "甲"
        sendReport(main, examReport("1", capturePage({first, "second", "third"})));
        EXPECT_EQ(windowText(window.questionBoxHandle()), first + "\r\nsecond\r\nthird\r\n");
        EXPECT_EQ(*globals.questionList, (std::vector<Text>{first, "second", "third"}));

        sendReport(main, examReport("2", retakePage({"second", first, "second"})));
        const char* letters[] = {"B", "C", "A", "A", "A"};
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(windowText(window.answerBoxHandle(k)), letters[k - 1]) << k;

        SendMessageA(window.resetButton(), BM_CLICK, 0, 0);
        EXPECT_TRUE(globals.questionList->empty());
        EXPECT_EQ(windowText(window.questionBoxHandle()), "");
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(windowText(window.answerBoxHandle(k)), "A") << k;

        SendMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(main));
        pumpMessages(main);
    }
    releaseGlobals(globals);
    EXPECT_EQ(globals.questionList, nullptr);
    EXPECT_EQ(globals.client, nullptr);
    EXPECT_EQ(globals.regex, nullptr);
}

} // namespace
