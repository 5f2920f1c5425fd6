#pragma once

#include "calendar/DateRange.h"
#include "platform/Result.h"
#include "store/GeneratedHolidays.h"

#include <optional>
#include <string>

namespace kal {

class CKalStore;

struct IcalExportOptions {
    std::optional<DateRange> period; // nothing = the whole file
    bool includeHidden = false;
    std::string zone; // an Olson name; empty = floating wall-clock times
    std::string fileName; // the schedule file's name without folder, for the UIDs and X-WR-CALNAME
    // The schedule file's full path, against which relative link files resolve; empty leaves them
    // relative.
    std::string schedulePath;
    // When the alarm of an entry without a start time rings, in minutes after midnight: as the
    // reminder rings it.
    int untimedAlarmMinute = 9 * 60;
    // Which of the holidays the month views work out for themselves go too, as the views' settings
    // choose them; nothing for none.
    std::optional<GeneratedHolidayKinds> generatedHolidays = GeneratedHolidayKinds {};
};

struct IcalExportSummary {
    int events = 0; // schedules other than holidays
    int todos = 0;
    int holidays = 0; // holiday entries and generated holidays
    int ruleSeries = 0; // repeating schedules written, holidays not counted
    int dateListSeries = 0; // of those, the ones written as a list of dates
    int generatedHolidays = 0;
};

struct IcalExport {
    std::string text;
    IcalExportSummary summary;
};

// The store's entries as one iCalendar object: schedules as events, to-dos as to-dos, repetitions
// as recurrence rules where a rule says exactly the days the month grid shows, else as a list of
// those days. Fails for a zone libical does not know.
[[nodiscard]] Result<IcalExport> ExportIcal(const CKalStore& store, const IcalExportOptions& options);

// The one line that tells the user what was written.
[[nodiscard]] std::u16string ExportSummaryText(const IcalExportSummary& summary);

} // namespace kal
