// Feeds arbitrary bytes to the iCalendar import over a small schedule: no text may crash it or make it
// run away. A text it refuses adds nothing; one it reads gives an operation that adds exactly the
// entries its report counts, and that undoes to the store as it was. A second import of the same text
// over the result adds no schedule or to-do.
#include "FuzzSchedule.h"

#include "calstore/IcalImport.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

struct Environment {
    kal::fuzz::Services services { 1767193200 }; // 2026-01-01 in Japan
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
    const int genresBefore = store.genres.Count();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto imported = kal::ImportIcal(store, text, kal::IcalImportOptions { "fuzz.klx", {} });
    if (!imported) {
        if (imported.Error().message.empty())
            std::abort();
        return 0;
    }
    const kal::IcalImportReport report = imported->report;
    if (report.schedules < 0 || report.todos < 0 || report.skipped < 0 || report.duplicates < 0)
        std::abort();
    if (report.series + report.singles + report.expandedOccurrences + report.overrides
        > report.schedules + report.restored)
        std::abort();
    (void)kal::ImportReportText(report);
    imported->operation.Apply(store);
    if (store.EntryCount() != before + report.schedules + report.todos
        || store.genres.Count() != genresBefore + report.genres)
        std::abort();
    imported->operation.Revert(store);
    if (store.EntryCount() != before || store.genres.Count() != genresBefore)
        std::abort();
    imported->operation.Apply(store);
    kal::fuzz::FillMonths(store, 6, size);
    auto again = kal::ImportIcal(store, text, kal::IcalImportOptions { "fuzz.klx", {} });
    if (!again || again->report.schedules + again->report.todos != 0)
        std::abort();
    return 0;
}
