// bench-floor: the least a receiver of reports can do, for the end-to-end benchmark to compare
// Tesvo with. A bare ANSI window takes each EM_REPLACESEL report, finds its num and writes the
// reply file into "data" beside the program, as Tesvo does, and returns the report's length so
// the sender can check that the whole text arrived.
//   bench-floor parse   num from InterceptClient::parse (all eight fields, as Tesvo parses)
//   bench-floor num     num alone: the first "num{|" and the "|}" after it, nothing else
// The window's caption is "Tesvo floor (parse)" or "Tesvo floor (num)".
#include "intercept/InterceptClient.h"
#include "text/ProgramDirectory.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace {

bool fullParse = true;
InterceptClient* client = nullptr;

// The num field by the rule parse uses for every field.
Text numOnly(std::string_view report) {
    constexpr std::string_view key = "num{|";
    const int begin = findText(report, key);
    if (begin == -1) return Text();
    const int content = begin + static_cast<int>(key.size());
    const int end = findText(report, "|}", content);
    if (end < content) return Text();
    return Text(report.substr(static_cast<size_t>(content) - 1, end - content));
}

LRESULT CALLBACK floorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case EM_REPLACESEL: {
        const std::string_view report = lParam ? reinterpret_cast<const char*>(lParam) : "";
        PacketReport r;
        if (fullParse)
            r = client->parse(report);
        else
            r.num = numOnly(report);
        client->reply(r, false);
        return static_cast<LRESULT>(report.size());
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const std::string mode = commandLine;
    if (mode != "parse" && mode != "num") return 2;
    fullParse = mode == "parse";
    InterceptClient replies(programDirectory() + "\\data");
    client = &replies;

    WNDCLASSA wc{};
    wc.lpfnWndProc = floorProc;
    wc.hInstance = instance;
    wc.lpszClassName = "TesvoBenchFloor";
    if (!RegisterClassA(&wc)) return 1;
    const std::string caption = "Tesvo floor (" + mode + ")";
    HWND window = CreateWindowExA(0, wc.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 200,
                                  300, 100, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
