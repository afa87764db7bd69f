// bench-core: where a report's time goes inside Tesvo on Windows (or Wine), one step at a
// time in one process: parse, the conversion to UTF-16, the capture pattern's run on each
// engine, the display's updates, and the whole dispatch on the in-memory display and on the
// real window. Prints the median of each step in milliseconds.
//   bench-core [ROUNDS]   (default 30; the 1 MiB pages take a third of them)
#include "BenchPages.h"
#include "app/MainWindow.h"
#include "exam/MemoryDisplay.h"
#include "exam/Tracker.h"
#include "intercept/InterceptClient.h"
#include "intercept/ReplyFile.h"
#include "regex/Pcre2Engine.h"
#include "regex/RegexObject.h"
#include "regex/VbscriptEngine.h"
#include "text/ProgramDirectory.h"
#include "text/WideText.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace bench;

namespace {

// The tracker's capture pattern, as its rule runs it.
constexpr std::string_view capturePattern = ".errormessage = \"\\d、(.*?)没有选择!\";";

double ticksPerMs = 0;

double nowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

// Handles whatever the window queued (painting, mostly), outside the times, as Tesvo does
// between two reports.
void pumpMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// The median of `rounds` runs of `step`, each after `prepare`, each of them started with an
// empty queue.
double medianMs(
    int rounds, const std::function<void()>& step, const std::function<void()>& prepare = [] {}) {
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        pumpMessages();
        prepare();
        pumpMessages();
        const double begin = nowMs();
        step();
        times.push_back(nowMs() - begin);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The window without an interceptor: nothing to start, nothing to show.
class QuietServices : public WindowServices {
  public:
    bool initInterceptor(int32_t, int32_t, const std::vector<Text>&, const std::vector<Text>&,
                         int64_t) override {
        return true;
    }
    void exitInterceptor() override {}
    void handleReport(const char*) override {}
    void resetTracker() override {}
    void showMessage(const Text&, const Text&, unsigned) override {}
};

struct Row {
    std::string page, step;
    double ms;
};

void print(const Row& row) {
    std::printf("%-18s %-44s %10.3f\n", row.page.c_str(), row.step.c_str(), row.ms);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;

    const Text folder = programDirectory() + "\\bench-core-data";
    CreateDirectoryA(folder.c_str(), nullptr);
    InterceptClient client(folder);
    RegexObject vbscript(createVbscriptEngine);
    RegexObject pcre2(createPcre2Engine);
    if (!vbscript.execute("a", "a")) std::printf("(VBScript.RegExp is not creatable here)\n");

    QuietServices services;
    MainWindow window;
    if (!window.create(GetModuleHandleA(nullptr), services)) {
        std::fprintf(stderr, "bench-core: the window could not be created\n");
        return 1;
    }
    MemoryDisplay memory;
    std::vector<Text> questions;
    Tracker onMemory{questions, client, vbscript, memory};
    Tracker onMemoryPcre2{questions, client, pcre2, memory};
    Tracker onWindow{questions, client, vbscript, window};

    const struct {
        PageKind kind;
        size_t size;
        const char* sizeName;
    } pages[] = {
        {PageKind::nonExam, 200 * KiB, "200KiB"},     {PageKind::capture5, 10 * KiB, "10KiB"},
        {PageKind::capture5, 200 * KiB, "200KiB"},    {PageKind::capture5, 1 * MiB, "1MiB"},
        {PageKind::capture60, 200 * KiB, "200KiB"},   {PageKind::retake5, 200 * KiB, "200KiB"},
        {PageKind::certificate, 200 * KiB, "200KiB"},
    };
    std::printf("%-18s %-44s %10s\n", "page", "step", "median ms");
    for (const auto& p : pages) {
        const int n = p.size > 200 * KiB ? std::max(1, rounds / 3) : rounds;
        const std::string page = std::string(pageKindName(p.kind)) + "/" + p.sizeName;
        const Text report = pageReport(p.kind, p.size);
        const Text html = client.parse(report).html;
        const bool capture = p.kind == PageKind::capture5 || p.kind == PageKind::capture60;
        // What each dispatch starts from: an empty list for a capture, five captured
        // questions for a retake or a certificate page.
        auto startState = [&](Tracker& t) {
            resetTracker(t);
            if (!capture && p.kind != PageKind::nonExam) questions = questionStems(5);
        };

        print({page, "parse", medianMs(n, [&] { client.parse(report); })});
        print({page, "ansiToWide(html)", medianMs(n, [&] { ansiToWide(html); })});
        if (capture) {
            print({page, "capture pattern on all the html, VBScript",
                   medianMs(n, [&] { vbscript.execute(capturePattern, html); })});
            print({page, "capture pattern on all the html, PCRE2",
                   medianMs(n, [&] { pcre2.execute(capturePattern, html); })});
            print({page, "subMatchText of every match, VBScript", medianMs(n, [&] {
                       int32_t unused = 0;
                       for (int32_t j = 1; j <= vbscript.matchCount(); ++j)
                           vbscript.subMatchText(j, 1, unused, false);
                   })});
            // The box's share of a capture: its reset, and the captured lines in one append,
            // as the tracker does, or one append per line, which costs a repaint each.
            const Text line = questionStems(1)[0] + "\r\n";
            Text lines;
            for (int32_t j = 1; j <= vbscript.matchCount(); ++j)
                lines += line;
            print({page, "window: reset", medianMs(n, [&] { resetTracker(onWindow); })});
            print({page, "window: the lines in one append",
                   medianMs(
                       n, [&] { window.appendToQuestionBox(lines); },
                       [&] { resetTracker(onWindow); })});
            print({page, "window: one append per line",
                   medianMs(
                       n,
                       [&] {
                           for (int32_t j = 1; j <= vbscript.matchCount(); ++j)
                               window.appendToQuestionBox(line);
                       },
                       [&] { resetTracker(onWindow); })});
        }
        print({page, "dispatch, memory display, VBScript.RegExp",
               medianMs(
                   n, [&] { dispatchReport(onMemory, report); }, [&] { startState(onMemory); })});
        print({page, "dispatch, memory display, PCRE2",
               medianMs(
                   n, [&] { dispatchReport(onMemoryPcre2, report); },
                   [&] { startState(onMemoryPcre2); })});
        print({page, "dispatch, window display, VBScript.RegExp",
               medianMs(
                   n, [&] { dispatchReport(onWindow, report); }, [&] { startState(onWindow); })});
    }
    DestroyWindow(window.handle());
    pumpMessages();
    DeleteFileA(replyPath(folder, "1").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
