// What the native benchmarks share: the sizes, the cached reports, each benchmark's floor,
// the reporter that prints every ratio after the run, and the reply folder.
#pragma once

#include "BenchPages.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Size {
    size_t bytes;
    const char* name;
};

// Texts searched and reports parsed.
inline constexpr Size searchSizes[] = {{64 * KiB, "64KiB"}, {1 * MiB, "1MiB"}, {16 * MiB, "16MiB"}};
// Html of the pages dispatched.
inline constexpr Size pageSizes[] = {{10 * KiB, "10KiB"}, {200 * KiB, "200KiB"}, {4 * MiB, "4MiB"}};

// pageReport(kind, size), made once per run.
const Text& cachedReport(PageKind kind, size_t size);

// The floor of a whole dispatch of a report with html of the given size: the reply plus one
// memchr pass over the report.
inline std::string floorName(const Size& size) {
    return std::string("floor/") + size.name;
}

// name -> the name of its floor, filled by add().
std::map<std::string, std::string>& floors();

// Registers `fn` under `name`, timed in microseconds. With a floor, the summary divides this
// benchmark's time by the floor's time from the same run.
template <class F>
benchmark::internal::Benchmark* add(const std::string& name, F fn, const std::string& floor = "") {
    if (!floor.empty()) floors()[name] = floor;
    return benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(benchmark::kMicrosecond);
}

// Prints what the console reporter prints and keeps each benchmark's real time per iteration
// (the median of the repetitions when there are several), for the ratios at the end.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void printSummary() const;

  private:
    std::map<std::string, double> microseconds;
    std::vector<std::string> order;
};

// A fresh folder for reply files, in /dev/shm when there is one (else the temp folder), so
// that the figures do not depend on a disk. main removes it after the run.
const std::string& replyFolder();

// The benchmarks of each file, registered by main in this order.
void registerTextBenchmarks();
void registerInterceptBenchmarks();
void registerDispatchBenchmarks();

} // namespace bench
