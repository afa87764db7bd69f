// The native benchmarks' entry: runs every registered benchmark, then prints each ratio to
// its floor (time divided by the floor's time, both medians of the same run).
#include "Bench.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <utility>

namespace bench {

const Text& cachedReport(PageKind kind, size_t size) {
    static std::map<std::pair<PageKind, size_t>, Text> cache;
    auto it = cache.find({kind, size});
    if (it == cache.end()) it = cache.emplace(std::pair(kind, size), pageReport(kind, size)).first;
    return it->second;
}

std::map<std::string, std::string>& floors() {
    static std::map<std::string, std::string> table;
    return table;
}

const std::string& replyFolder() {
    static const std::string folder = [] {
        std::string base = access("/dev/shm", W_OK) == 0
                               ? std::string("/dev/shm")
                               : std::filesystem::temp_directory_path().string();
        std::string pattern = base + "/tesvo-bench-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        return pattern;
    }();
    return folder;
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single) continue;
        const std::string name = run.run_name.function_name;
        if (!microseconds.count(name)) order.push_back(name);
        microseconds[name] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
    }
}

void SummaryReporter::printSummary() const {
    std::printf("\nReal time per iteration (median of the repetitions) and ratio to the floor:\n");
    std::printf("%-28s %12s  %-22s %12s  %7s\n", "benchmark", "us", "floor", "floor us", "ratio");
    for (const std::string& name : order) {
        const double us = microseconds.at(name);
        auto floor = floors().find(name);
        if (floor == floors().end() || !microseconds.count(floor->second)) {
            std::printf("%-28s %12.2f\n", name.c_str(), us);
            continue;
        }
        const double floorUs = microseconds.at(floor->second);
        std::printf("%-28s %12.2f  %-22s %12.2f  %7.2f\n", name.c_str(), us, floor->second.c_str(),
                    floorUs, us / floorUs);
    }
}

} // namespace bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::registerTextBenchmarks();
    bench::registerInterceptBenchmarks();
#ifdef TESVO_BENCH_DISPATCH
    bench::registerDispatchBenchmarks();
#endif
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    std::filesystem::remove_all(bench::replyFolder());
    return 0;
}
