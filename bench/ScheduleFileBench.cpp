#include "BenchStore.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "store/ScheduleFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kal::bench {
namespace {

constexpr int kEntries = kRealisticEntries;

// One file of 100,000 entries, written once for all the benchmarks below.

std::size_t FileSize()
{
    return ReadWholeFile(RealisticScheduleFile())->size();
}

void BM_LoadScheduleFile(benchmark::State& state)
{
    QuietEnvironment quiet;
    const std::string& path = RealisticScheduleFile();
    for (auto _ : state) {
        CKalStore store;
        if (!LoadScheduleFile(store, path))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(store.EntryCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FileSize()));
    state.counters["entries"] = kEntries;
    state.counters["peak_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(BM_LoadScheduleFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SaveScheduleFile(benchmark::State& state)
{
    QuietEnvironment quiet;
    CKalStore store;
    if (!LoadScheduleFile(store, RealisticScheduleFile()))
        state.SkipWithError("load failed");
    const std::string out = RealisticScheduleFile() + ".out";
    for (auto _ : state) {
        if (SaveScheduleFile(store, out) != SaveOutcome::Saved)
            state.SkipWithError("save failed");
    }
    ::unlink(out.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FileSize()));
    state.counters["peak_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(BM_SaveScheduleFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The floor under loading: only the code-page conversion of the same bytes.
void BM_DecodeOnly(benchmark::State& state)
{
    const std::string bytes = *ReadWholeFile(RealisticScheduleFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(CodePage::Ansi().Decode(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace kal::bench
