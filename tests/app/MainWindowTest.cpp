// The main window as created: frame, place, topmost, controls, fonts, colours, and what
// onWindowCreated hands to the interceptor and shows when that fails.
#include "WindowTestSupport.h"

#include <cstring>

namespace {

TEST_F(WindowTest, FrameIsAFixedTopmostBarShownAtTheCorner) {
    create();
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right - r.left, 1020);
    EXPECT_EQ(r.bottom - r.top, 182);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(windowText(main), "Tesvo");
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);

    LONG style = GetWindowLongA(main, GWL_STYLE);
    LONG wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD), 0);
    EXPECT_NE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    EXPECT_EQ(GetClassLongPtrA(main, GCLP_HBRBACKGROUND),
              static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    EXPECT_NE(GetClassLongPtrA(main, GCLP_HICON), 0u) << "the application icon is linked in";
}

struct ControlRow {
    const char* name;
    const char* className;
    int x, y, width, height;
    const char* text;
    LONG requiredStyle;
    LONG forbiddenStyle;
    bool clientEdge;
};

constexpr LONG child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
constexpr LONG neverOnEdits =
    WS_BORDER | ES_NOHIDESEL | ES_UPPERCASE | ES_LOWERCASE | ES_CENTER | ES_RIGHT | WS_DISABLED;
// "新考试的课程点击此按钮" in GBK.
constexpr const char* buttonCaption =
    "\xD0\xC2\xBF\xBC\xCA\xD4\xB5\xC4\xBF\xCE\xB3\xCC\xB5\xE3\xBB\xF7\xB4\xCB\xB0\xB4\xC5\xA5";

// clang-format off
const ControlRow controlRows[] = {
    {"button",     "Button", 5,  3,   160, 26,  buttonCaption,
     child | BS_CENTER | BS_VCENTER | BS_MULTILINE, WS_DISABLED, false},
    {"questions",  "Edit",   37, 32,  976, 120, "",
     child | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY | WS_VSCROLL,
     neverOnEdits | ES_AUTOHSCROLL | WS_HSCROLL, true},
    {"answer 1",   "Edit",   13, 36,  24,  18,  "A", child | ES_AUTOHSCROLL,
     neverOnEdits | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL, true},
    {"answer 2",   "Edit",   13, 56,  24,  18,  "A", child | ES_AUTOHSCROLL,
     neverOnEdits | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL, true},
    {"answer 3",   "Edit",   13, 75,  24,  18,  "A", child | ES_AUTOHSCROLL,
     neverOnEdits | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL, true},
    {"answer 4",   "Edit",   13, 94,  24,  18,  "A", child | ES_AUTOHSCROLL,
     neverOnEdits | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL, true},
    {"answer 5",   "Edit",   13, 114, 24,  18,  "A", child | ES_AUTOHSCROLL,
     neverOnEdits | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL, true},
};
// clang-format on

TEST_F(WindowTest, ControlsHaveTheirPlacesStylesAndFirstContents) {
    create();
    HWND controls[] = {window.resetButton(),      window.questionBoxHandle(),
                       window.answerBoxHandle(1), window.answerBoxHandle(2),
                       window.answerBoxHandle(3), window.answerBoxHandle(4),
                       window.answerBoxHandle(5)};
    for (size_t i = 0; i < std::size(controlRows); ++i) {
        const ControlRow& row = controlRows[i];
        SCOPED_TRACE(row.name);
        HWND c = controls[i];
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(GetParent(c), main);
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        EXPECT_STRCASEEQ(cls, row.className);

        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, row.x);
        EXPECT_EQ(r.top, row.y);
        EXPECT_EQ(r.right - r.left, row.width);
        EXPECT_EQ(r.bottom - r.top, row.height);

        EXPECT_EQ(windowText(c), row.text);
        LONG style = GetWindowLongA(c, GWL_STYLE);
        EXPECT_EQ(style & row.requiredStyle, row.requiredStyle) << std::hex << style;
        EXPECT_EQ(style & row.forbiddenStyle, 0) << std::hex << style;
        EXPECT_EQ((GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, row.clientEdge);
        if (row.clientEdge) {
            EXPECT_GT(static_cast<DWORD>(SendMessageA(c, EM_GETLIMITTEXT, 0, 0)), 0x10000u)
                << "the default limit is 30000";
            DWORD start = 1, end = 1;
            SendMessageA(c, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, 0u);
        }
    }
    LONG buttonKind = GetWindowLongA(window.resetButton(), GWL_STYLE) & BS_TYPEMASK;
    EXPECT_EQ(buttonKind, BS_PUSHBUTTON) << "not the default button";
}

TEST_F(WindowTest, FontsAreTheGuiFontAndTheQuestionFont) {
    create();
    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window.resetButton(), WM_GETFONT, 0, 0)),
              guiFont);
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(
            reinterpret_cast<HGDIOBJ>(SendMessageA(window.answerBoxHandle(k), WM_GETFONT, 0, 0)),
            guiFont);
    }
    auto font = reinterpret_cast<HFONT>(SendMessageA(window.questionBoxHandle(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -19);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfEscapement, 0);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic | lf.lfUnderline | lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(lf.lfOutPrecision, 0);
    EXPECT_EQ(lf.lfClipPrecision, 0);
    EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(lf.lfPitchAndFamily, 0);
    EXPECT_STREQ(lf.lfFaceName, "");
}

// Both colour notifications, since a read-only edit box asks with WM_CTLCOLORSTATIC.
TEST_F(WindowTest, EveryEditBoxIsBlackOnWhite) {
    create();
    HDC dc = GetDC(main);
    HWND boxes[] = {window.questionBoxHandle(), window.answerBoxHandle(1),
                    window.answerBoxHandle(5)};
    for (UINT msg : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
        for (size_t i = 0; i < std::size(boxes); ++i) {
            SCOPED_TRACE(testing::Message() << "message " << msg << ", box " << i);
            SetTextColor(dc, RGB(255, 0, 0));
            SetBkColor(dc, RGB(0, 0, 255));
            auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
                main, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(boxes[i])));
            LOGBRUSH lb{};
            ASSERT_EQ(GetObjectA(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
            EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
            EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
            EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
            EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
        }
    }
    ReleaseDC(main, dc);
}

TEST_F(WindowTest, InitGetsTheHandlePortsAndFiltersWhileTheWindowIsHidden) {
    services.initResult = true;
    create();
    ASSERT_EQ(services.inits.size(), 1u);
    const RecordingServices::InitCall& call = services.inits[0];
    EXPECT_EQ(call.windowHandle, static_cast<int32_t>(reinterpret_cast<intptr_t>(main)));
    EXPECT_EQ(call.proxyPort, 7788);
    EXPECT_EQ(call.pidFilters, std::vector<Text>{""});
    EXPECT_EQ(call.urlFilters, std::vector<Text>{"." TESVO_EXAM_DOMAIN "/pages/exam"});
    EXPECT_EQ(call.size, 9000);

    // Still hidden and centred: the move to the corner comes after init.
    const RECT& r = services.seenAtInit[0].rect;
    EXPECT_FALSE(services.seenAtInit[0].visible);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 1020) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 182) / 2);
    EXPECT_TRUE(services.messages.empty()) << "no message after a successful init";
}

TEST_F(WindowTest, FailedInitShowsTheMessageBeforeTheWindow) {
    services.initResult = false;
    create();
    EXPECT_EQ(services.events, (std::vector<std::string>{"init", "message"}));
    ASSERT_EQ(services.messages.size(), 1u);
    // "初始化失败，请检查原因" and "信息：" in GBK.
    EXPECT_EQ(services.messages[0].text, "\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC\xA3\xAC"
                                         "\xC7\xEB\xBC\xEC\xB2\xE9\xD4\xAD\xD2\xF2");
    EXPECT_EQ(services.messages[0].caption, "\xD0\xC5\xCF\xA2\xA3\xBA");
    EXPECT_EQ(services.messages[0].type, 0x2064u);
    EXPECT_FALSE(services.seenAtMessage[0].visible);

    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
    EXPECT_TRUE(IsWindowVisible(main));
}

// The subclass is in place before init, whose wait dispatches the interceptor's reports.
TEST_F(WindowTest, ReportsReachTheTrackerDuringAndAfterInit) {
    services.duringInit = [](HWND w) {
        SendMessageA(w, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("num{|1|}"));
    };
    create();
    EXPECT_EQ(SendMessageA(main, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("num{|2|}")), 0);
    SendMessageA(main, EM_REPLACESEL, 0, 0);
    EXPECT_EQ(services.events, (std::vector<std::string>{"init", "report num{|1|}", "message",
                                                         "report num{|2|}", "report null"}));
    EXPECT_EQ(windowText(main), "Tesvo") << "the report is not taken for the caption";
}

TEST_F(WindowTest, ResetButtonClickResetsTheTracker) {
    create();
    services.events.clear();
    SendMessageA(window.resetButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(services.events, std::vector<std::string>{"reset"});
}

} // namespace
