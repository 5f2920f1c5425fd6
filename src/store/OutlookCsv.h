#pragma once

#include "calendar/DTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace kal {

class CKalData;
class CKalStore;
class TextLineFile;
struct FileError;

enum class HiddenEntries { Skip, Export };

// The 22 quoted fields of one exported entry listed on `day`, without a line end; nothing for a
// to-do, a holiday, or a hidden entry unless hidden ones are asked for. A repeating entry is dated on
// `day`, ending on the next day when it runs past midnight. An all-day event ends on the day after its
// last day, as the desktop calendar expects. A quote
// inside a text is doubled; line breaks stay inside the quotes.
[[nodiscard]] std::optional<std::u16string> OutlookCsvLine(
    CDTime day, const CKalData& entry, const CKalStore& store, HiddenEntries hidden);

struct CsvImportReport {
    int added = 0;
    int skipped = 0; // records with a date or time that does not read, and a record left open at the end
};

// Appends the entries of a CSV text (its first record is the header) to the store, adding the genres
// it names that the store lacks. A timed record that ends before it starts becomes an entry that ends
// where it starts. Quoted fields may hold commas, doubled quotes (one quote each) and line
// breaks (kept as CR LF).
CsvImportReport ImportOutlookCsv(CKalStore& store, const TextLineFile& file);
// The same from a file in the ANSI code page; nothing when it cannot be read (`error` says why).
[[nodiscard]] std::optional<CsvImportReport> ImportOutlookCsvFile(
    CKalStore& store, const std::string& path, FileError* error = nullptr);

} // namespace kal
