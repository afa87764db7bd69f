// findText against memmem on the same mixed GBK text: the sought text absent, and found near
// the end of the text.
#include "Bench.h"

#include "text/Text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace bench {
namespace {

// The certificate page's key: absent from the filler, also at odd byte offsets.
constexpr std::string_view sought = "申请证书";

struct Subject {
    Text absent;  // filler only
    Text nearEnd; // the same with `sought` put in about 1 KiB before the end
};

const Subject& subject(size_t size) {
    static std::map<size_t, Subject> cache;
    auto it = cache.find(size);
    if (it != cache.end()) return it->second;
    Subject s;
    s.absent = fillerHtml(size);
    if (memmem(s.absent.data(), s.absent.size(), sought.data(), sought.size())) {
        std::fprintf(stderr, "the filler holds the sought text\n");
        std::abort();
    }
    // At the start of a line, so that it starts a character.
    const size_t lineEnd = s.absent.rfind("\r\n", size - KiB);
    s.nearEnd = s.absent;
    s.nearEnd.insert(lineEnd + 2, sought);
    return cache.emplace(size, std::move(s)).first->second;
}

void findTextBench(benchmark::State& state, size_t size, bool found) {
    const Subject& s = subject(size);
    const Text& text = found ? s.nearEnd : s.absent;
    int position = 0;
    for (auto _ : state) {
        position = findText(text, sought);
        benchmark::DoNotOptimize(position);
    }
    if ((position > 0) != found) state.SkipWithError("findText gave the wrong answer");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void memmemBench(benchmark::State& state, size_t size, bool found) {
    const Subject& s = subject(size);
    const Text& text = found ? s.nearEnd : s.absent;
    const void* hit = nullptr;
    for (auto _ : state) {
        hit = memmem(text.data(), text.size(), sought.data(), sought.size());
        benchmark::DoNotOptimize(hit);
    }
    if ((hit != nullptr) != found) state.SkipWithError("memmem gave the wrong answer");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

} // namespace

void registerTextBenchmarks() {
    for (bool found : {false, true}) {
        const std::string where = found ? "nearEnd/" : "absent/";
        for (const Size& s : searchSizes) {
            const std::string floor = "memmem/" + where + s.name;
            add(floor,
                [size = s.bytes, found](benchmark::State& st) { memmemBench(st, size, found); });
            add(
                "findText/" + where + s.name,
                [size = s.bytes, found](benchmark::State& st) { findTextBench(st, size, found); },
                floor);
        }
    }
}

} // namespace bench
