// The whole handling of one report, reply file included, with the native regular-expression
// engine and the in-memory display, for each kind of page at three html sizes.
#include "Bench.h"

#include "exam/MemoryDisplay.h"
#include "exam/Tracker.h"
#include "intercept/InterceptClient.h"
#include "regex/RegexObject.h"

namespace bench {
namespace {

struct TrackerFixture {
    std::vector<Text> questionList;
    InterceptClient client{replyFolder()};
    RegexObject regex;
    MemoryDisplay display;
    Tracker tracker{questionList, client, regex, display};
};

// What one dispatch of the page must have done, checked once before the timing.
bool didItsWork(PageKind kind, const TrackerFixture& f) {
    switch (kind) {
    case PageKind::nonExam:
        return f.questionList.empty();
    case PageKind::capture5:
        return f.questionList == questionStems(5);
    case PageKind::capture60:
        return f.questionList == questionStems(60);
    case PageKind::retake5:
        return f.display.answers == std::array<Text, 5>{"B", "B", "B", "B", "B"};
    case PageKind::certificate:
        return f.questionList.empty() && f.display.answers[0] == "A";
    }
    return false;
}

void dispatchBench(benchmark::State& state, PageKind kind, size_t size) {
    const Text& report = cachedReport(kind, size);
    TrackerFixture f;
    // The retake page advances the letters of captured questions; the certificate page
    // resets a tracker that has something to reset.
    if (kind == PageKind::retake5 || kind == PageKind::certificate)
        f.questionList = questionStems(5);
    if (kind == PageKind::certificate) f.display.answers[0] = "C";
    dispatchReport(f.tracker, report);
    if (!didItsWork(kind, f)) {
        state.SkipWithError("the dispatch did not do the page's work");
        return;
    }
    // A capture fires only while the list is empty, so each timed round starts with the
    // reset (well under a microsecond; it is part of the time).
    const bool capture = kind == PageKind::capture5 || kind == PageKind::capture60;
    for (auto _ : state) {
        if (capture) resetTracker(f.tracker);
        dispatchReport(f.tracker, report);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(report.size()));
}

} // namespace

void registerDispatchBenchmarks() {
    for (PageKind kind : {PageKind::nonExam, PageKind::capture5, PageKind::capture60,
                          PageKind::retake5, PageKind::certificate}) {
        for (const Size& s : pageSizes) {
            add(
                std::string("dispatch/") + pageKindName(kind) + "/" + s.name,
                [kind, size = s.bytes](benchmark::State& st) { dispatchBench(st, kind, size); },
                floorName(s));
        }
    }
}

} // namespace bench
