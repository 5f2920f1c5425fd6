#pragma once

#include "platform/ByteBuffer.h"
#include "platform/CodePage.h"
#include "platform/Result.h"
#include "store/HolidayUpdates.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class CKalStore;

// What a load met, for reports.
struct LoadReport {
    int rows = 0; // lines after the header
    std::vector<int> droppedLines; // 1-based numbers of non-empty lines that held nothing usable
    std::vector<int> cutLines; // lines with more fields than a line can hold
    int unknownRules = 0; // schedules whose repeat type the program does not know
};

// What the loader needs from whoever loads.
struct LoadOptions {
    // Asked for the password of a file that has one: the typed text, nothing when the user declines.
    // Without it such a file is refused.
    std::function<std::optional<std::u16string>()> askPassword;
    // The one-time holiday update of 2003 has not been made yet (it is recorded in the settings once
    // made): the loader includes it in the updates it returns.
    bool firstHolidayUpdateDue = false;
};

// What a load found. The store holds the file as it was read; nothing has been shown or recorded.
struct LoadedSchedule {
    LoadReport report;
    bool hadPassword = false; // the file has a password, and it was given
    // The holiday updates the file is due, for ApplyHolidayUpdates on the store as loaded.
    HolidayUpdates holidayUpdates;
    // The first holiday update was due and is among holidayUpdates (also when it changes nothing):
    // once applied, the caller records it in the settings and counts the document as changed.
    bool firstHolidayUpdateMade = false;
    // The version the file was written with; the store holds the current one after the load.
    std::int32_t readVersion = 0;
    // To be shown once the file is open (schedules whose repeat rule the program does not know); ""
    // when there is nothing to tell.
    std::u16string notice;
};

// Reads a schedule file into the store (cleared first) and asks for the file password when the file
// has one. On failure the store is left empty and the failure carries what the user is to be told
// (nothing when the password was not given).
[[nodiscard]] Result<LoadedSchedule> LoadScheduleFile(
    CKalStore& store, const std::string& path, const LoadOptions& options = {});

// The same, from the bytes of a file already read.
[[nodiscard]] Result<LoadedSchedule> LoadScheduleBytes(
    CKalStore& store, std::string_view bytes, const LoadOptions& options = {});

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

enum class SaveOutcome { Saved, Cancelled };
// A save as the document's commands see it, once a failure has been told.
enum class SaveResult { Saved, Cancelled, Failed };

// Writes the store as a schedule file: Saved, or Cancelled by confirmReplacement. The old file is
// replaced only once the whole new content is safely on disk; on failure it is untouched, and the
// failure says why.
[[nodiscard]] Result<SaveOutcome> SaveScheduleFile(
    const CKalStore& store, const std::string& path, const SaveOptions& options = {});

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
// cleared). Gives the updates that bring its holidays up to date, for ApplyHolidayUpdates.
[[nodiscard]] Result<HolidayUpdates> LoadScheduleTemplate(CKalStore& store, const std::string& folder);

inline constexpr int kCurrentFileVersion = 430;
// Far above any real schedule file (a heavy user's 100,000 entries take about 18 MB, a million about
// 180 MB): a larger file is refused before it is read, with the limit in the message.
inline constexpr std::size_t kMaxScheduleFileBytes = std::size_t(2) << 30;
inline constexpr char kTemplateFileName[] = "kaldata.klx";

} // namespace kal
