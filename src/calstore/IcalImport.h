#pragma once

#include "platform/Result.h"
#include "store/GeneratedHolidays.h"
#include "store/StoreOperation.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kal {

class CKalStore;

// What an iCalendar import added and left out. Every schedule added counts once among series,
// singles, expandedOccurrences, overrides and restored; every to-do once in todos (and in restored
// when it came back exactly).
struct IcalImportReport {
    int series = 0; // events whose rule became one of the program's own repeat rules
    int seriesWithExclusions = 0; // of these, those that leave out days (EXDATE, moved or cancelled days)
    int singles = 0; // events without a rule
    int expandedOccurrences = 0; // one entry per day of a rule the program cannot say itself
    int overrides = 0; // entries for extra dates (RDATE) and moved occurrences of a series
    int todos = 0;
    int duplicates = 0; // events and to-dos the file holds already
    int skipped = 0; // without a usable start, wholly outside 1972-2036, or past kMaxIcalOccurrences
    int restored = 0; // taken back exactly from X-KALENDRA-ENTRY
    int dayColours = 0;
    int schedules = 0; // schedule entries added in all
    int genres = 0; // genres added for categories the file lacked
};

struct IcalImport {
    StoreOperation operation;
    IcalImportReport report;
};

struct IcalImportOptions {
    // The target file's name without its folder: an event this program exported from it carries a
    // UID made from it, which tells that the entry is there already.
    std::string fileName;
    // The holidays the target's month views work out for themselves: an imported all-day event of
    // the same name on such a day would show twice.
    GeneratedHolidayKinds generatedHolidays;
};

// Larger texts are refused before they are read: a whole file of 100,000 entries exported here is a
// third of it. The text is read a component at a time, so memory grows with the entries, not with
// libical's trees.
inline constexpr std::size_t kMaxIcalImportBytes = std::size_t(256) << 20;
// A rule the program cannot say itself adds at most this many entries; the rest count as skipped.
inline constexpr int kMaxIcalOccurrences = 10000;

// Reads an iCalendar text and gives the change that adds its entries (and the genres and day colours
// it names) to `store`; the store itself is not touched. Fails with a message for the user when the
// text is no iCalendar data, has a broken line, is too large or nested too deep; nothing is added then.
[[nodiscard]] Result<IcalImport> ImportIcal(
    const CKalStore& store, std::string_view text, const IcalImportOptions& options);

// One Japanese line for the user, e.g. "予定 12 件 (繰り返し 3 件、うち除外日つき 1 件)、個別に加えた日
// 5 件、ToDo 2 件を読み込みました。重複のため 4 件を除きました。"
[[nodiscard]] std::u16string ImportReportText(const IcalImportReport& report);

} // namespace kal
