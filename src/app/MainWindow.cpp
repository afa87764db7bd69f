// Creating the main window and its seven controls, and the tracker's view of their contents.
#include "app/MainWindow.h"

#include "app/AppResources.h"

namespace {

constexpr const char* windowClassName = "TesvoMainWindow";
constexpr int windowWidth = 1020;
constexpr int windowHeight = 182;
constexpr DWORD windowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Control ids: none is IDOK or IDCANCEL, so no dialog-style key can click a control.
enum ControlId { resetButtonId = 1001, questionBoxId = 1002, firstAnswerBoxId = 1003 };

constexpr DWORD childStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
constexpr DWORD answerBoxStyle = childStyle | ES_LEFT | ES_AUTOHSCROLL;
// The steps between the answer boxes are 20, 19, 19 and 20 pixels.
constexpr int answerBoxTops[5] = {36, 56, 75, 94, 114};

// Characters 19 pixels high; the font mapper picks the face.
HFONT createQuestionFont() {
    LOGFONTA lf{};
    lf.lfHeight = -19;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = PROOF_QUALITY;
    return CreateFontIndirectA(&lf);
}

bool registerWindowClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TESVO));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TESVO), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = windowClassName;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createChild(HWND parent, HINSTANCE instance, DWORD exStyle, const char* cls, const char* text,
                 DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExA(exStyle, cls, text, style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

} // namespace

MainWindow::~MainWindow() {
    if (window) {
        // Detach first: the handlers must not run for a window torn down by its owner object.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (questionFont) DeleteObject(questionFont);
}

bool MainWindow::create(HINSTANCE instance, WindowServices& s) {
    services = &s;
    if (!registerWindowClass(instance, classProc)) return false;

    // Centred, though never seen there: onWindowCreated moves it to the corner before it shows.
    int x = (GetSystemMetrics(SM_CXSCREEN) - windowWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - windowHeight) / 2;
    HWND hwnd = CreateWindowExA(0, windowClassName, "Tesvo", windowStyle, x, y, windowWidth,
                                windowHeight, nullptr, nullptr, instance, this);
    if (!hwnd) return false;
    RECT r;
    GetWindowRect(hwnd, &r);
    if (r.right - r.left != windowWidth || r.bottom - r.top != windowHeight)
        MoveWindow(hwnd, x, y, windowWidth, windowHeight, TRUE);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    if (!createControls(instance)) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(hwnd);
        window = nullptr;
        return false;
    }
    onWindowCreated();
    // The window may have been closed while init dispatched messages.
    if (window) ShowWindow(window, SW_SHOW);
    return true;
}

// Created in tab order: the button, the answer boxes from top to bottom, the question box.
bool MainWindow::createControls(HINSTANCE instance) {
    HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    questionFont = createQuestionFont();

    button = createChild(window, instance, 0, "BUTTON", "新考试的课程点击此按钮",
                         childStyle | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 5, 3,
                         160, 26, resetButtonId);
    for (int i = 0; i < 5; ++i)
        answerBoxes[i] =
            createChild(window, instance, WS_EX_CLIENTEDGE, "EDIT", "A", answerBoxStyle, 13,
                        answerBoxTops[i], 24, 18, firstAnswerBoxId + i);
    // No ES_AUTOHSCROLL and no horizontal scroll bar: long lines wrap.
    questionBox = createChild(window, instance, WS_EX_CLIENTEDGE, "EDIT", "",
                              childStyle | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                  ES_READONLY | WS_VSCROLL,
                              37, 32, 976, 120, questionBoxId);
    if (!button || !questionBox) return false;
    for (HWND box : answerBoxes)
        if (!box) return false;

    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
    SendMessageA(questionBox, WM_SETFONT,
                 reinterpret_cast<WPARAM>(questionFont ? questionFont : guiFont), FALSE);
    for (HWND box : answerBoxes)
        SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
    for (HWND box : {questionBox, answerBoxes[0], answerBoxes[1], answerBoxes[2], answerBoxes[3],
                     answerBoxes[4]}) {
        SendMessageA(box, EM_LIMITTEXT, 0, 0); // no limit
        SendMessageA(box, EM_SETSEL, 0, 0);
    }
    for (HWND control : {button, answerBoxes[0], answerBoxes[1], answerBoxes[2], answerBoxes[3],
                         answerBoxes[4], questionBox})
        ShowWindow(control, SW_SHOWNA);
    return true;
}

bool MainWindow::isEditBox(HWND control) const {
    if (control && control == questionBox) return true;
    for (HWND box : answerBoxes)
        if (control && control == box) return true;
    return false;
}

HWND MainWindow::answerBoxHandle(int k) const {
    return k >= 1 && k <= 5 ? answerBoxes[k - 1] : nullptr;
}

Text MainWindow::answerBox(int k) const {
    HWND box = answerBoxHandle(k);
    if (!box) return Text();
    int n = GetWindowTextLengthA(box);
    if (n <= 0) return Text();
    Text content(static_cast<size_t>(n) + 1, '\0');
    int got = GetWindowTextA(box, content.data(), n + 1);
    content.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return content;
}

void MainWindow::setAnswerBox(int k, const Text& content) {
    if (HWND box = answerBoxHandle(k)) SetWindowTextA(box, content.c_str());
}

namespace {

// Wine's edit control draws its vertical scroll bar at once on every change of its text, 3 to
// 6 ms each under Wine (WM_SETREDRAW does not stop it), while the interceptor waits for the
// reply. A hidden box draws nothing. It is hidden and shown without redrawing (showing it
// the usual way paints its frame at once, as costly again) and then only marked for
// repainting, which happens after the handler has returned; what is on the screen stays
// until then. Hiding may take the focus away, so it is given back.
class HiddenWhileChanged {
  public:
    explicit HiddenWhileChanged(HWND box)
        : box(box), shown((GetWindowLongA(box, GWL_STYLE) & WS_VISIBLE) != 0),
          focused(GetFocus() == box) {
        if (shown) SetWindowPos(box, nullptr, 0, 0, 0, 0, quietly | SWP_HIDEWINDOW);
    }
    ~HiddenWhileChanged() {
        if (!shown) return;
        SetWindowPos(box, nullptr, 0, 0, 0, 0, quietly | SWP_SHOWWINDOW);
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        if (focused && GetFocus() != box) SetFocus(box);
    }
    HiddenWhileChanged(const HiddenWhileChanged&) = delete;
    HiddenWhileChanged& operator=(const HiddenWhileChanged&) = delete;

  private:
    static constexpr UINT quietly =
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    HWND box;
    bool shown;
    bool focused;
};

} // namespace

void MainWindow::setQuestionBox(const Text& content) {
    HiddenWhileChanged hidden(questionBox);
    SetWindowTextA(questionBox, content.c_str());
}

// The caret goes to the end (a length in bytes past the end of a two-byte text is clamped
// there), and the line replaces the empty selection without an undo step.
void MainWindow::appendToQuestionBox(const Text& line) {
    HiddenWhileChanged hidden(questionBox);
    WPARAM end = static_cast<WPARAM>(GetWindowTextLengthA(questionBox));
    SendMessageA(questionBox, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageA(questionBox, EM_SCROLLCARET, 0, 0);
    SendMessageA(questionBox, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
}
