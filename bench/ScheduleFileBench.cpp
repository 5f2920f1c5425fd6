#include "BenchStore.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "store/ScheduleFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace kal::bench {
namespace {

constexpr int kEntries = 100000;

// One file of 100,000 entries, written once for all the benchmarks below.
const std::string& BenchFile()
{
    static const std::string path = [] {
        QuietEnvironment quiet;
        CKalStore store;
        FillRealisticStore(store, kEntries);
        std::string name = "/tmp/kalendra-bench-XXXXXX";
        const int fd = ::mkstemp(name.data());
        ::close(fd);
        if (SaveScheduleFile(store, name) != SaveResult::Saved)
            std::abort();
        std::atexit([] { ::unlink(BenchFile().c_str()); });
        return name;
    }();
    return path;
}

std::size_t FileSize()
{
    return ReadWholeFile(BenchFile())->size();
}

void BM_LoadScheduleFile(benchmark::State& state)
{
    QuietEnvironment quiet;
    const std::string& path = BenchFile();
    for (auto _ : state) {
        CKalStore store;
        if (LoadScheduleFile(store, path) == LoadResult::Failed)
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
    if (LoadScheduleFile(store, BenchFile()) == LoadResult::Failed)
        state.SkipWithError("load failed");
    const std::string out = BenchFile() + ".out";
    for (auto _ : state) {
        if (SaveScheduleFile(store, out) != SaveResult::Saved)
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
    const std::string bytes = *ReadWholeFile(BenchFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(CodePage::Ansi().Decode(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace kal::bench
