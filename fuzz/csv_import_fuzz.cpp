// Feeds arbitrary bytes to the CSV import over a small schedule, fills months from the result and
// writes the period back out: nothing may crash or hang, every record counts as added or skipped, and
// the export of what was added must import again without a skipped record.
#include "FuzzSchedule.h"

#include "store/OutlookCsv.h"
#include "views/PeriodWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

struct Environment {
    kal::fuzz::Services services { 1767193200 }; // 2026-01-01 in Japan
    std::string path = "/tmp/csv_import_fuzz." + std::to_string(getpid()) + ".csv";
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Environment environment;
    environment.services.ui.Clear();
    kal::CKalStore store;
    if (!kal::LoadScheduleBytes(store, kal::fuzz::SmallSchedule()))
        std::abort();
    const int before = store.EntryCount();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto imported = kal::ImportOutlookCsvBytes(store, bytes);
    if (!imported) {
        if (store.EntryCount() != before)
            std::abort();
        return 0;
    }
    const kal::CsvImportReport report = *imported;
    if (report.added < 0 || report.skipped < 0 || store.EntryCount() != before + report.added)
        std::abort();
    kal::fuzz::FillMonths(store, 6, size);
    if (report.added == 0)
        return 0;
    // Only what the import added goes out again: a fresh store holds it alone.
    kal::CKalStore added;
    added.genres.ReplaceAll(store.genres);
    for (int i = before; i < store.EntryCount(); ++i)
        added.entries.push_back(std::make_unique<kal::CKalData>(store.Entry(i)));
    const kal::CDTime first = added.Entry(0).start;
    if (kal::ExportOutlookCsv(added, first, kal::CDTime(first.Year(), first.Month(), first.Day() + 40),
            environment.path, kal::HiddenEntries::Export)) {
        kal::CKalStore again;
        const auto back = kal::ImportOutlookCsvFile(again, environment.path);
        if (!back || back->skipped != 0)
            std::abort();
    }
    return 0;
}
