// The report side of the interceptor link: parse of reports with large html fields, the reply
// alone, and the floor of a whole report (the reply and one memchr pass over the report).
#include "Bench.h"

#include "intercept/InterceptClient.h"

#include <cstring>

namespace bench {
namespace {

// Touching every byte once: what no receiver of the report can avoid.
void memchrBench(benchmark::State& state, size_t size) {
    const Text& r = cachedReport(PageKind::nonExam, size);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(r.data(), '\0', r.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(r.size()));
}

void parseBench(benchmark::State& state, size_t size) {
    const Text& r = cachedReport(PageKind::nonExam, size);
    InterceptClient client(replyFolder());
    size_t htmlSize = 0;
    for (auto _ : state) {
        PacketReport parsed = client.parse(r);
        htmlSize = parsed.html.size();
        benchmark::DoNotOptimize(parsed);
    }
    if (htmlSize != size) state.SkipWithError("parse lost the html");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(r.size()));
}

void replyBench(benchmark::State& state) {
    InterceptClient client(replyFolder());
    PacketReport parsed;
    parsed.num = "1";
    for (auto _ : state)
        client.reply(parsed, false);
}

// The least a receiver must do for one report: find its end, and write the reply file.
void floorBench(benchmark::State& state, size_t size) {
    const Text& r = cachedReport(PageKind::nonExam, size);
    InterceptClient client(replyFolder());
    PacketReport parsed;
    parsed.num = "1";
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::memchr(r.data(), '\0', r.size()));
        client.reply(parsed, false);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(r.size()));
}

} // namespace

void registerInterceptBenchmarks() {
    for (const Size& s : searchSizes) {
        const std::string floor = std::string("memchr/") + s.name;
        add(floor, [size = s.bytes](benchmark::State& st) { memchrBench(st, size); });
        add(
            std::string("parse/") + s.name,
            [size = s.bytes](benchmark::State& st) { parseBench(st, size); }, floor);
    }
    add("reply", replyBench);
    for (const Size& s : pageSizes)
        add(floorName(s), [size = s.bytes](benchmark::State& st) { floorBench(st, size); });
}

} // namespace bench
