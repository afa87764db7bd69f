// bench-e2e: round trips of reports through the running Tesvo.exe and through the floor
// windows of bench-floor, sent in turn (Tesvo, floor, floor, Tesvo, ...) so that both meet
// the same machine. Prints the median and the 99th percentile of each and their ratios to
// those of the floor that finds num alone.
//   bench-e2e [ROUNDS [BIG_ROUNDS]] [--only PAGE]... [--close]
// ROUNDS (default 200) is for the pages up to 200 KiB, BIG_ROUNDS (default 50) for the
// 1 MiB and 4 MiB pages. --only keeps the named pages (as printed, e.g. capture5/200KiB). --close
// closes the three windows at the end. Run from the folder of Tesvo.exe:
// the reply files are read from "data" beside this program.
#include "BenchPages.h"
#include "RemoteWindowText_win.h"
#include "intercept/ReplyFile.h"
#include "text/ProgramDirectory.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace bench;

namespace {

double ticksPerMs = 0;

double nowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "bench-e2e: %s\n", why.c_str());
    std::exit(1);
}

template <class F> bool waitUntil(DWORD ms, F done) {
    const DWORD begin = GetTickCount();
    while (!done()) {
        if (GetTickCount() - begin > ms) return false;
        Sleep(50);
    }
    return true;
}

std::string caption(HWND h) {
    char text[64] = {};
    GetWindowTextA(h, text, sizeof text);
    return text;
}

// Tesvo publishes its window in fd_home when it starts.
HWND tesvoWindow() {
    char buf[32] = {};
    DWORD size = sizeof buf - 1;
    DWORD type = 0;
    if (RegQueryValueExA(HKEY_CURRENT_USER, "fd_home", nullptr, &type, reinterpret_cast<BYTE*>(buf),
                         &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        HWND h = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::atol(buf)));
        if (IsWindow(h) && caption(h) == "Tesvo") return h;
    }
    return FindWindowA(nullptr, "Tesvo");
}

struct Children {
    HWND button = nullptr;
    HWND questionBox = nullptr;
};

BOOL CALLBACK collectChild(HWND h, LPARAM lp) {
    auto* c = reinterpret_cast<Children*>(lp);
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (_stricmp(cls, "Button") == 0) c->button = h;
    if (_stricmp(cls, "Edit") == 0 && (GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE))
        c->questionBox = h;
    return TRUE;
}

struct Target {
    const char* name;
    HWND window;
    bool isTesvo;
};

struct Case {
    PageKind kind;
    size_t size;
    const char* sizeName;
    int rounds;
};

const Text replyNum = "e2e";

// A pause before each report, outside the time, in which every receiver finishes what it
// left for later (Tesvo repaints its boxes after a capture), so that no round trip pays for
// the one before.
constexpr DWORD settleMs = 20;

// One report's round trip in milliseconds: from SendMessage to its return, by which time
// the reply file must exist. A capture page needs an empty question list in Tesvo, so the
// reset button is clicked first, outside the time.
double roundTrip(const Target& t, const Children& tesvo, const Case& c, const Text& report,
                 const Text& replyFile) {
    DeleteFileA(replyFile.c_str());
    if (t.isTesvo && (c.kind == PageKind::capture5 || c.kind == PageKind::capture60))
        SendMessageA(tesvo.button, BM_CLICK, 0, 0);
    Sleep(settleMs);
    DWORD_PTR result = 0;
    const double begin = nowMs();
    LRESULT sent =
        SendMessageTimeoutA(t.window, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(report.c_str()),
                            SMTO_NORMAL, 600000, &result);
    const double ms = nowMs() - begin;
    if (!sent)
        fail(std::string("no answer from ") + t.name + " after " + std::to_string(ms) +
             " ms, error " + std::to_string(GetLastError()));
    if (!t.isTesvo && result != report.size())
        fail(std::string(t.name) + " got " + std::to_string(result) + " of " +
             std::to_string(report.size()) + " bytes");
    if (GetFileAttributesA(replyFile.c_str()) == INVALID_FILE_ATTRIBUTES)
        fail(std::string("no reply file from ") + t.name);
    return ms;
}

// Nearest rank: the smallest time that `p` of the round trips do not exceed.
double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t rank = static_cast<size_t>(std::ceil(p * static_cast<double>(v.size())));
    return v[std::min(v.size(), std::max<size_t>(rank, 1)) - 1];
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 200, bigRounds = 50;
    bool close = false;
    std::vector<int> numbers;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--close")
            close = true;
        else if (arg == "--only" && i + 1 < argc)
            only.push_back(argv[++i]);
        else
            numbers.push_back(std::atoi(argv[i]));
    }
    if (numbers.size() > 0) rounds = numbers[0];
    if (numbers.size() > 1) bigRounds = numbers[1];
    if (rounds < 1 || bigRounds < 1)
        fail("usage: bench-e2e [ROUNDS [BIG_ROUNDS]] [--only PAGE]... [--close]");

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;

    HWND tesvo = nullptr, floorParse = nullptr, floorNum = nullptr;
    if (!waitUntil(60000, [&] {
            tesvo = tesvoWindow();
            floorParse = FindWindowA(nullptr, "Tesvo floor (parse)");
            floorNum = FindWindowA(nullptr, "Tesvo floor (num)");
            return tesvo && IsWindowVisible(tesvo) && floorParse && floorNum;
        }))
        fail("Tesvo's window or a floor window did not appear");
    Children children;
    EnumChildWindows(tesvo, collectChild, reinterpret_cast<LPARAM>(&children));
    if (!children.button || !children.questionBox) fail("Tesvo's controls not found");

    const Target targets[] = {{"Tesvo", tesvo, true},
                              {"floor (parse)", floorParse, false},
                              {"floor (num)", floorNum, false}};
    const Case cases[] = {
        {PageKind::nonExam, 10 * KiB, "10KiB", rounds},
        {PageKind::nonExam, 200 * KiB, "200KiB", rounds},
        {PageKind::capture5, 200 * KiB, "200KiB", rounds},
        {PageKind::nonExam, 1 * MiB, "1MiB", bigRounds},
        {PageKind::capture5, 1 * MiB, "1MiB", bigRounds},
        {PageKind::nonExam, 4 * MiB, "4MiB", bigRounds},
        {PageKind::capture5, 4 * MiB, "4MiB", bigRounds},
    };
    const Text replyFile = replyPath(programDirectory() + "\\data", replyNum);

    std::printf("%-17s %-14s %6s %10s %10s %8s %8s\n", "page", "receiver", "n", "median ms",
                "p99 ms", "x median", "x p99");
    for (const Case& c : cases) {
        const std::string page = std::string(pageKindName(c.kind)) + "/" + c.sizeName;
        if (!only.empty() && std::find(only.begin(), only.end(), page) == only.end()) continue;
        const Text report = pageReport(c.kind, c.size, replyNum);
        // Once outside the time: each receiver does its work, and a capture page is captured.
        for (const Target& t : targets)
            roundTrip(t, children, c, report, replyFile);
        if (c.kind == PageKind::capture5) {
            const std::string box = remoteWindowText(children.questionBox);
            if (std::count(box.begin(), box.end(), '\n') != 5) fail(page + ": no capture in Tesvo");
        }
        std::vector<double> times[3];
        for (int r = 0; r < c.rounds; ++r)
            for (int k = 0; k < 3; ++k)
                times[k].push_back(roundTrip(targets[k], children, c, report, replyFile));
        const double floorMedian = percentile(times[2], 0.5), floorP99 = percentile(times[2], 0.99);
        for (int k = 0; k < 3; ++k) {
            const double median = percentile(times[k], 0.5), p99 = percentile(times[k], 0.99);
            std::printf("%-17s %-14s %6d %10.3f %10.3f %8.2f %8.2f\n", page.c_str(),
                        targets[k].name, c.rounds, median, p99, median / floorMedian,
                        p99 / floorP99);
        }
        std::fflush(stdout);
    }
    std::printf("x median, x p99: against floor (num), the bare window that finds num alone\n");
    SendMessageA(children.button, BM_CLICK, 0, 0);
    if (close)
        for (const Target& t : targets)
            PostMessageA(t.window, WM_CLOSE, 0, 0);
    return 0;
}
