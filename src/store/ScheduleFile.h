#pragma once

#include "platform/ByteBuffer.h"
#include "platform/CodePage.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class CKalStore;

enum class LoadResult {
    Failed = 0, // not opened, or the password was not given; the store is left empty
    Loaded = 1,
    LoadedAndUpdated = 2, // a holiday update changed it: the document is to be marked modified
};

// What a load met, for reports.
struct LoadReport {
    int rows = 0; // lines after the header
    std::vector<int> droppedLines; // 1-based numbers of non-empty lines that held nothing usable
    std::vector<int> cutLines; // lines with more fields than a line can hold
    int unknownRules = 0; // schedules whose repeat type the program does not know
};

// Reads a schedule file into the store (cleared first), applies the holiday updates that are due and
// asks for the file password when the file has one.
LoadResult LoadScheduleFile(CKalStore& store, const std::string& path, LoadReport* report = nullptr);

// The same, from the bytes of a file already read.
LoadResult LoadScheduleBytes(CKalStore& store, std::string_view bytes, LoadReport* report = nullptr);

class CsvLine;

// Files one row of a schedule file into the store by its kind, as loading does: the password, a day
// colour, the per-file settings, a genre, a memo page or an entry. False when it held nothing usable.
bool DispatchScheduleRow(const CsvLine& row, CKalStore& store);

struct SaveOptions {
    // Told the characters the code page cannot hold before anything is written; false cancels.
    std::function<bool(std::u16string_view replaced)> confirmReplacement;
    // Keeps the file as it was before this save as `path` + kPreviousVersionSuffix beside it (in the
    // user's cache folder when its folder cannot be written); the save fails when no copy can be made.
    bool keepPreviousVersion = false;
};

inline constexpr char kPreviousVersionSuffix[] = "~";

enum class SaveResult { Saved, Cancelled, Failed };

// Writes the store as a schedule file. The old file is replaced only once the whole new content is
// safely on disk; on failure it is untouched and the user is told.
SaveResult SaveScheduleFile(const CKalStore& store, const std::string& path, const SaveOptions& options = {});

// The text of the file SaveScheduleFile writes, before the code-page conversion.
[[nodiscard]] std::u16string ScheduleFileText(const CKalStore& store);
// The bytes SaveScheduleFile writes, with the characters the code page could not hold (each once, in
// order of appearance). A big store's bytes are made in two parts side by side; the file holds the
// parts one after the other.
struct ScheduleBytes {
    std::vector<ByteBuffer> parts;
    std::u16string replaced;

    [[nodiscard]] std::vector<std::string_view> Views() const;
    // The whole file's bytes in one piece.
    [[nodiscard]] std::string Joined() const;
};
[[nodiscard]] ScheduleBytes ScheduleFileBytes(const CKalStore& store);

// Reads the template of new files, kaldata.klx in `folder`, into the store (which the caller has
// cleared) and brings its holidays up to date.
[[nodiscard]] bool LoadScheduleTemplate(CKalStore& store, const std::string& folder);

inline constexpr int kCurrentFileVersion = 430;
// Far above any real schedule file (a heavy user's 100,000 entries take about 18 MB, a million about
// 180 MB): a larger file is refused before it is read, with the limit in the message.
inline constexpr std::size_t kMaxScheduleFileBytes = std::size_t(2) << 30;
inline constexpr char kTemplateFileName[] = "kaldata.klx";

} // namespace kal
