#include "BenchStore.h"

#include "calstore/IcalExport.h"
#include "calstore/IcalImport.h"
#include "store/KalStore.h"

#include <benchmark/benchmark.h>

namespace kal::bench {
namespace {

IcalExportOptions WholeFile()
{
    IcalExportOptions options;
    options.fileName = "bench.klx";
    return options;
}

// The whole of a long-kept file of 100,000 entries as iCalendar text, as the export command writes it.
void BM_IcalExport(benchmark::State& state)
{
    QuietEnvironment quiet;
    CKalStore store;
    FillRealisticStore(store, kRealisticEntries);
    const IcalExportOptions options = WholeFile();
    std::size_t bytes = 0;
    IcalExportSummary summary;
    for (auto _ : state) {
        auto exported = ExportIcal(store, options);
        if (!exported) {
            state.SkipWithError("export failed");
            break;
        }
        bytes = exported->text.size();
        summary = exported->summary;
        benchmark::DoNotOptimize(exported->text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["entries"] = kRealisticEntries;
    state.counters["rule_series"] = summary.ruleSeries;
    state.counters["date_lists"] = summary.dateListSeries;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_IcalExport)->Unit(benchmark::kMillisecond)->Iterations(3);

// That text read back into a new file: the change that adds every entry, made but not applied.
void BM_IcalImportOfExport(benchmark::State& state)
{
    QuietEnvironment quiet;
    CKalStore store;
    FillRealisticStore(store, kRealisticEntries);
    const auto exported = ExportIcal(store, WholeFile());
    if (!exported) {
        state.SkipWithError("export failed");
        return;
    }
    const CKalStore target;
    int restored = 0;
    for (auto _ : state) {
        auto imported = ImportIcal(target, exported->text, IcalImportOptions { "new.klx", {} });
        if (!imported) {
            state.SkipWithError("import failed");
            break;
        }
        restored = imported->report.restored;
        state.PauseTiming(); // freeing what was read is the caller's, once the change is undone
        {
            [[maybe_unused]] const auto done = std::move(imported);
        }
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * exported->text.size()));
    state.counters["restored"] = restored;
}
BENCHMARK(BM_IcalImportOfExport)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace kal::bench
