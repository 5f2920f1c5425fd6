#pragma once

#include "calendar/DTime.h"
#include "store/OutlookCsv.h"

#include <functional>
#include <optional>
#include <string>

namespace kal {

class CKalData;
struct FileError;
class CKalStore;

// Walks the days of a period as the month view lists them, with the user's listing settings: for every
// day from `first` to `last` (both included, calendar days) every entry shown that day, in the day's
// order, which applies the genres' visibility and the time sort. An entry shown on several days comes
// once a day.
class CPeriodWriter {
public:
    // A line for an entry on a day, or nothing for no line.
    using LineText = std::function<std::optional<std::u16string>(CDTime day, const CKalData& entry)>;
    // Whether the holidays the month view works out for itself (equinox days, citizens' and
    // substitute holidays) come too: they cost a month view's fill for each month of the period.
    enum class Holidays { StoredOnly, WithGenerated };

    CPeriodWriter(CKalStore& store, CDTime first, CDTime last, Holidays holidays = Holidays::StoredOnly);

    // The lines, each followed by CR LF; empty when no line was produced.
    [[nodiscard]] std::u16string BuildText(const LineText& line) const;
    // Replaces the file at `path` safely with the header (when not empty) and the lines, each followed
    // by LF, in the ANSI code page. False when the file could not be written (`error` says why).
    [[nodiscard]] bool WriteFile(
        const std::string& path, std::u16string_view header, const LineText& line, FileError* error = nullptr) const;

private:
    using Put = std::function<void(const std::u16string&)>;
    void ForEachLine(const LineText& line, const Put& put) const;

    CKalStore& store_;
    CDTime first_;
    CDTime last_;
    Holidays holidays_;
};

// The text copy of a period with the options of PeriodText.h; empty when the period has no entry.
[[nodiscard]] std::u16string PeriodTextCopy(CKalStore& store, CDTime first, CDTime last, int options);

// Exports the period's entries as the desktop calendar's Japanese CSV. A non-repeating entry that
// spans several days is written once, on its first day in the period, so that importing the file
// gives it once. `safety` as for OutlookCsvLine. False when the file could not be written (`error`
// says why).
[[nodiscard]] bool ExportOutlookCsv(CKalStore& store, CDTime first, CDTime last, const std::string& path,
    HiddenEntries hidden, SpreadsheetSafety safety = SpreadsheetSafety::Exact, FileError* error = nullptr);

} // namespace kal
