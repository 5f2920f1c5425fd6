#include "BenchStore.h"

#include "calstore/IcalExport.h"
#include "store/KalStore.h"

#include <benchmark/benchmark.h>

namespace kal::bench {
namespace {

// The whole of a long-kept file of 100,000 entries as iCalendar text, as the export command writes it.
void BM_IcalExport(benchmark::State& state)
{
    QuietEnvironment quiet;
    CKalStore store;
    FillRealisticStore(store, kRealisticEntries);
    IcalExportOptions options;
    options.fileName = "bench.klx";
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

} // namespace
} // namespace kal::bench
