// fdsim: a stand-in interceptor for tests and the demo. Placed beside Tesvo.exe as fd.exe,
// it plays the interceptor's side of the link: it records the control commands that arrive
// on 127.0.0.1:2006, finds Tesvo's window through fd_home, sends the reports of a scenario as
// EM_REPLACESEL, clicks and types for reset and type steps, and writes the same transcript as
// tesvo-replay. Started with --probe-msgbox it instead answers Tesvo's failure message box;
// with --probe-second it checks two running copies of Tesvo.
//
// Settings come from fdsim.ini beside the program (Tesvo starts fd.exe with no arguments):
//   scenario=PATH      the scenario to play (relative to the ini's folder); none: only record
//   pause=MS           a pause after each step, so a person can watch (default 0)
//   soak=N             after the scenario, send N reports of a fixed mix and sample Tesvo's
//                      resource use (fd-soak.txt)
//   finish=ACTIONS     what to do after the scenario, comma-separated, in order:
//                      escape, ctrl+escape, close (WM_CLOSE); default: nothing
// Output, beside the program: fd-transcript.jsonl, fd-commands.txt (one datagram a line),
// fd-window.txt (Tesvo's window and controls, what each finish action did, and "done"
// when the simulator has finished).
#include "RemoteWindowText_win.h"
#include "Scenario.h"
#include "Soak.h"
#include "Transcript.h"
#include "intercept/InterceptClient.h"
#include "intercept/ReplyFile.h"
#include "text/ProgramDirectory.h"

#include <windows.h>
#include <winsock2.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string here(const std::string& name) {
    return programDirectory() + "\\" + name;
}

std::map<std::string, std::string> readIni() {
    std::map<std::string, std::string> ini;
    std::string content;
    if (!readFileBytes(here("fdsim.ini"), content)) return ini;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find('=');
        if (eq != std::string::npos) ini[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return ini;
}

void appendLine(const std::string& path, const std::string& line) {
    if (FILE* f = std::fopen(path.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

// Records every datagram that reaches the control port.
class CommandRecorder {
  public:
    bool start() {
        sock = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        if (sock == INVALID_SOCKET) return false;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = ::inet_addr("127.0.0.1");
        addr.sin_port = htons(2006);
        if (::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return false;
        worker = std::thread([this] { run(); });
        return true;
    }
    void stop() {
        ::closesocket(sock);
        if (worker.joinable()) worker.join();
    }
    // Waits until `count` datagrams that begin with `prefix` have arrived.
    bool waitFor(const std::string& prefix, size_t count, DWORD timeoutMs) {
        DWORD begin = GetTickCount();
        while (GetTickCount() - begin < timeoutMs) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                size_t n = std::count_if(received.begin(), received.end(), [&](auto& d) {
                    return d.compare(0, prefix.size(), prefix) == 0;
                });
                if (n >= count) return true;
            }
            Sleep(20);
        }
        return false;
    }

  private:
    void run() {
        std::string buf(65536, '\0');
        for (;;) {
            int n = ::recvfrom(sock, buf.data(), static_cast<int>(buf.size()), 0, nullptr, nullptr);
            if (n < 0) return;
            std::string d(buf.data(), static_cast<size_t>(n));
            appendLine(here("fd-commands.txt"), d);
            std::lock_guard<std::mutex> lock(mutex);
            received.push_back(d);
        }
    }

    SOCKET sock = INVALID_SOCKET;
    std::thread worker;
    std::mutex mutex;
    std::vector<std::string> received;
};

HWND windowFromRegistry() {
    char buf[64] = {};
    DWORD size = sizeof buf - 1;
    DWORD type = 0;
    HKEY key = HKEY_CURRENT_USER;
    if (RegQueryValueExA(key, "fd_home", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::atol(buf)));
}

struct Controls {
    HWND button = nullptr;
    HWND questionBox = nullptr;
    std::vector<HWND> answers; // top to bottom
};

BOOL CALLBACK collectChild(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::string classOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

Controls findControls(HWND main) {
    Controls c;
    for (HWND h : childrenOf(main)) {
        std::string cls = classOf(h);
        if (_stricmp(cls.c_str(), "Button") == 0) {
            c.button = h;
        } else if (_stricmp(cls.c_str(), "Edit") == 0) {
            if (GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE)
                c.questionBox = h;
            else
                c.answers.push_back(h);
        }
    }
    std::sort(c.answers.begin(), c.answers.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top < rb.top;
    });
    return c;
}

StepState readState(const Controls& c) {
    StepState s;
    s.questionBox = remoteWindowText(c.questionBox);
    for (size_t k = 0; k < 5 && k < c.answers.size(); ++k)
        s.answers[k] = remoteWindowText(c.answers[k]);
    // Each captured stem is one line of the question box, ended by CR LF.
    size_t pos = 0;
    while (pos < s.questionBox.size()) {
        size_t end = s.questionBox.find("\r\n", pos);
        if (end == std::string::npos) {
            s.questions.push_back(s.questionBox.substr(pos));
            break;
        }
        s.questions.push_back(s.questionBox.substr(pos, end - pos));
        pos = end + 2;
    }
    return s;
}

// Tesvo's window and controls as a test wants to check them.
void describeWindow(HWND main) {
    const std::string out = here("fd-window.txt");
    RECT r;
    GetWindowRect(main, &r);
    char line[512];
    std::snprintf(line, sizeof line,
                  "window %ld %ld %ld %ld style=%08lx exstyle=%08lx visible=%d hwnd=%ld", r.left,
                  r.top, r.right - r.left, r.bottom - r.top,
                  static_cast<unsigned long>(GetWindowLongA(main, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(main, GWL_EXSTYLE)),
                  IsWindowVisible(main) ? 1 : 0, static_cast<long>(HandleToLong(main)));
    appendLine(out, line);
    for (HWND h : childrenOf(main)) {
        RECT cr;
        GetWindowRect(h, &cr);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&cr), 2);
        std::snprintf(line, sizeof line, "control %s %ld %ld %ld %ld style=%08lx exstyle=%08lx ",
                      classOf(h).c_str(), cr.left, cr.top, cr.right - cr.left, cr.bottom - cr.top,
                      static_cast<unsigned long>(GetWindowLongA(h, GWL_STYLE)),
                      static_cast<unsigned long>(GetWindowLongA(h, GWL_EXSTYLE)));
        appendLine(out, line + remoteWindowText(h));
    }
}

void pressKey(WORD vk, bool withCtrl) {
    std::vector<INPUT> in;
    auto key = [&](WORD k, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (withCtrl) key(VK_CONTROL, false);
    key(vk, false);
    key(vk, true);
    if (withCtrl) key(VK_CONTROL, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// Waits at most `ms` for `done` to hold, checking every 20 ms.
template <class F> bool waitUntil(DWORD ms, F done) {
    DWORD begin = GetTickCount();
    while (!done()) {
        if (GetTickCount() - begin > ms) return false;
        Sleep(20);
    }
    return true;
}

void finish(HWND main, const std::string& actions) {
    const std::string out = here("fd-window.txt");
    size_t pos = 0;
    while (pos <= actions.size() && !actions.empty()) {
        size_t end = actions.find(',', pos);
        if (end == std::string::npos) end = actions.size();
        std::string action = actions.substr(pos, end - pos);
        pos = end + 1;
        if (action == "escape" || action == "ctrl+escape") {
            SetForegroundWindow(main);
            waitUntil(2000, [&] { return GetForegroundWindow() == main; });
            pressKey(VK_ESCAPE, action == "ctrl+escape");
        } else if (action == "close") {
            PostMessageA(main, WM_CLOSE, 0, 0);
        }
        bool gone = waitUntil(3000, [&] { return !IsWindow(main); });
        appendLine(out, "after " + action + ": " + (gone ? "closed" : "open"));
        if (gone) break;
    }
}

int simulate() {
    std::map<std::string, std::string> ini = readIni();
    CommandRecorder recorder;
    if (!recorder.start()) {
        appendLine(here("fd-window.txt"), "error: cannot bind 127.0.0.1:2006");
        return 1;
    }
    // Tesvo sends its start command after publishing its window and waiting for us.
    if (!recorder.waitFor("act[csh]", 1, 20000)) {
        appendLine(here("fd-window.txt"), "error: no start command");
        recorder.stop();
        return 1;
    }
    HWND main = windowFromRegistry();
    waitUntil(10000, [&] { return IsWindowVisible(main) != FALSE; });
    describeWindow(main);
    Controls controls = findControls(main);

    const DWORD pause = static_cast<DWORD>(std::atol(ini["pause"].c_str()));
    if (!ini["scenario"].empty()) {
        std::string path = ini["scenario"];
        if (path.size() < 2 || (path[1] != ':' && path[0] != '\\' && path[0] != '/'))
            path = here(path);
        Scenario scenario = readScenario(path);
        InterceptClient parser(programDirectory() + "\\data");
        int number = 0;
        for (const ScenarioStep& step : scenario.steps) {
            StepState state;
            Text replyFile;
            bool safe = false;
            switch (step.kind) {
            case ScenarioStep::Kind::report: {
                Text num = parser.parse(step.report).num;
                safe = isSafeReplyName(num);
                replyFile = replyPath(programDirectory() + "\\data", num);
                if (safe) DeleteFileA(replyFile.c_str());
                SendMessageA(main, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(step.report.c_str()));
                break;
            }
            case ScenarioStep::Kind::reset:
                SendMessageA(controls.button, BM_CLICK, 0, 0);
                break;
            case ScenarioStep::Kind::type:
                SendMessageA(controls.answers.at(static_cast<size_t>(step.box - 1)), WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(step.typed.c_str()));
                break;
            }
            state = readState(controls);
            Text bytes;
            if (safe && readFileBytes(replyFile, bytes)) state.reply = bytes;
            appendLine(here("fd-transcript.jsonl"),
                       transcriptLine(++number, stepName(step.kind), state));
            Sleep(pause);
        }
        if (!scenario.error.empty()) appendLine(here("fd-window.txt"), "error: " + scenario.error);
    }
    if (long soak = std::atol(ini["soak"].c_str()); soak > 0)
        runSoak(main, soak, programDirectory() + "\\data", here("fd-soak.txt"));
    finish(main, ini["finish"]);
    // A close sends the exit command twice; give the datagrams a moment to arrive.
    recorder.waitFor("act[exit]", 2, 3000);
    recorder.stop();
    appendLine(here("fd-window.txt"), "done");
    return 0;
}

// Answers Tesvo's failure message box the way a user would, and records what was shown.
int probeMessageBox() {
    const std::string out = here("fd-msgbox.txt");
    HWND box = nullptr;
    waitUntil(30000, [&] { return (box = FindWindowA(nullptr, "信息：")) != nullptr; });
    if (!box) {
        appendLine(out, "error: no message box");
        return 1;
    }
    HWND tesvo = FindWindowA(nullptr, "Tesvo");
    appendLine(out, std::string("tesvo visible while box up: ") +
                        (tesvo && IsWindowVisible(tesvo) ? "1" : "0"));
    HWND yes = nullptr;
    for (HWND h : childrenOf(box)) {
        std::string cls = classOf(h);
        if (_stricmp(cls.c_str(), "Static") == 0 && !remoteWindowText(h).empty())
            appendLine(out, "text " + remoteWindowText(h));
        if (GetDlgCtrlID(h) == IDYES) yes = h;
        if (_stricmp(cls.c_str(), "Button") == 0) appendLine(out, "button " + remoteWindowText(h));
    }
    // A report that arrives while the box is up is handled and replied to all the same.
    const Text report = "num{|during-box|}type{|recv|}url{|http://s/pages/exam/e|}html{|<p>"
                        "$(1).errormessage = \"1、题目没有选择!\";|}";
    SendMessageA(windowFromRegistry(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(report.c_str()));
    Text reply;
    readFileBytes(here("data\\during-box.fd"), reply);
    appendLine(out, "reply during box: " + reply);
    PostMessageA(yes, BM_CLICK, 0, 0);
    waitUntil(10000, [&] {
        tesvo = FindWindowA(nullptr, "Tesvo");
        return tesvo && IsWindowVisible(tesvo);
    });
    RECT r{};
    GetWindowRect(tesvo, &r);
    appendLine(out, "tesvo at " + std::to_string(r.left) + " " + std::to_string(r.top));
    PostMessageA(tesvo, WM_CLOSE, 0, 0);
    return 0;
}

} // namespace

BOOL CALLBACK collectTesvo(HWND h, LPARAM lp) {
    char caption[16] = {};
    GetWindowTextA(h, caption, sizeof caption);
    if (IsWindowVisible(h) && std::string(caption) == "Tesvo")
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

// With two copies of Tesvo running, records which window fd_home names and whether each
// window still handles reports, then closes both.
int probeSecondInstance() {
    const std::string out = here("fd-second.txt");
    std::vector<HWND> windows;
    EnumWindows(collectTesvo, reinterpret_cast<LPARAM>(&windows));
    appendLine(out, "windows " + std::to_string(windows.size()));
    appendLine(out, "fd_home " + std::to_string(HandleToLong(windowFromRegistry())));
    for (HWND w : windows) {
        const std::string num = "second-" + std::to_string(HandleToLong(w));
        const Text report = "num{|" + num + "|}type{|recv|}url{|http://s/pages/exam/e|}";
        SendMessageA(w, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(report.c_str()));
        Text reply;
        readFileBytes(here("data\\" + num + ".fd"), reply);
        appendLine(out, "reply " + std::to_string(HandleToLong(w)) + " " + reply);
        PostMessageA(w, WM_CLOSE, 0, 0);
    }
    return 0;
}

// A GUI program, so that no console window appears beside Tesvo.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    const std::string args = commandLine;
    int rc = args.find("--probe-msgbox") != std::string::npos   ? probeMessageBox()
             : args.find("--probe-second") != std::string::npos ? probeSecondInstance()
                                                                : simulate();
    WSACleanup();
    return rc;
}
