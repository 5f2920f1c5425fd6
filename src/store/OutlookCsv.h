#pragma once

#include "calendar/DTime.h"
#include "platform/FileIo.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kal {

class CKalData;
class CKalStore;

enum class HiddenEntries { Skip, Export };

// The 22 quoted fields of one exported entry listed on `day`, without a line end; nothing for a
// to-do, a holiday, or a hidden entry unless hidden ones are asked for. A repeating entry is dated on
// `day`, ending on the next day when it runs past midnight. An all-day event ends on the day after its
// last day, as the desktop calendar expects. A quote
// inside a text is doubled; line breaks stay inside the quotes.
//
// With SpreadsheetSafety::Guarded, a text of the entry (subject, place, memo, category) that begins
// with "=", "+", "-", "@", a tab or a CR gets an apostrophe in front, so that a spreadsheet opening the
// file shows the text instead of running it as a formula. The desktop calendar's import keeps the
// apostrophe as part of the text, so the exact form is the default.
enum class SpreadsheetSafety { Exact, Guarded };
[[nodiscard]] std::optional<std::u16string> OutlookCsvLine(CDTime day, const CKalData& entry, const CKalStore& store,
    HiddenEntries hidden, SpreadsheetSafety safety = SpreadsheetSafety::Exact);

struct CsvImportReport {
    int added = 0;
    // Records with a date or time that does not read (see below), a record left open at the end, and
    // a record longer than kMaxCsvRecord characters.
    int skipped = 0;
};

inline constexpr std::size_t kMaxCsvRecord = std::size_t(16) << 20;

enum class CsvImportFault {
    None,
    Unreadable, // `file` says why
    UnknownEncoding, // the bytes are none of the encodings the import reads (see EncodingDetector)
};

struct CsvImportError {
    CsvImportFault fault = CsvImportFault::None;
    FileError file;
};

// Appends the entries of a CSV file's bytes (its first record is the header) to the store, adding the
// genres it names that the store lacks. The file may be in the ANSI code page, in UTF-8 with or without
// a byte order mark, or in UTF-16 with one; see EncodingDetector for how they are told apart. Nothing,
// and the store unchanged, when the encoding cannot be told.
//
// Quoted fields may hold commas, doubled quotes (one quote each) and line breaks (kept as CR LF).
// Dates are year/month/day with a four-digit year; times are hours and minutes with or without
// seconds (which are dropped), on the 24-hour clock or on the 12-hour clock with "AM"/"PM" (any case)
// or "午前"/"午後" before or after them. A record with any other date or time is skipped. A timed
// record that ends before it starts becomes an entry that ends where it starts.
[[nodiscard]] std::optional<CsvImportReport> ImportOutlookCsvBytes(
    CKalStore& store, std::string_view bytes, CsvImportError* error = nullptr);
// The same from a file, read piece by piece: memory grows with the entries added, not with the file.
// Nothing, and the store unchanged, when the file cannot be read.
[[nodiscard]] std::optional<CsvImportReport> ImportOutlookCsvFile(
    CKalStore& store, const std::string& path, CsvImportError* error = nullptr);
// Why an import failed, in words for the user.
[[nodiscard]] std::u16string CsvImportErrorReason(const CsvImportError& error);

} // namespace kal
