// Closing the window and the end of the Windows session.
#include "WindowTestSupport.h"

namespace {

TEST_F(WindowTest, CloseSendsExitFromBothHandlersThenQuits) {
    create();
    services.events.clear();
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(services.events, (std::vector<std::string>{"exit", "exit"}))
        << "both exit commands go out while the window still exists";
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(window.handle(), nullptr);
    int quitCode = -1;
    pumpMessages(main, &quitCode);
    EXPECT_EQ(quitCode, 0);
}

TEST_F(WindowTest, SessionEndIsAllowedAndTellsTheInterceptorToExit) {
    create();
    services.events.clear();
    EXPECT_EQ(SendMessageA(main, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(services.events, std::vector<std::string>{"exit"});
    EXPECT_TRUE(IsWindow(main)) << "the window stays until the session really ends";
}

// A close among the messages that init dispatches while it waits.
TEST_F(WindowTest, CloseDuringInitLeavesNoWindowToShow) {
    services.duringInit = [](HWND w) { SendMessageA(w, WM_CLOSE, 0, 0); };
    ASSERT_TRUE(window.create(GetModuleHandleA(nullptr), services));
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_EQ(services.events, (std::vector<std::string>{"init", "exit", "exit", "message"}));
}

} // namespace
