#include "cli/FileCommands.h"
#include "cli/ExitCodes.h"

#include "app/AppTexts.h"
#include "app/ScheduleFileGuard.h"
#include "app/ScheduleLoading.h"
#include "cli/TerminalText.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "store/KalStore.h"
#include "store/NewSchedule.h"
#include "store/ScheduleFile.h"
#include "ui/Ui.h"

#include <cstdio>
#include <optional>

namespace kal {

namespace {

SaveOptions WarnAboutReplacedCharacters()
{
    SaveOptions options;
    options.confirmReplacement = [](std::u16string_view replaced) {
        std::fprintf(stderr, "kalendra-cli: warning: these characters cannot be stored and are written as \"?\": %s\n",
            TerminalText(ToUtf8(replaced)).c_str());
        return true;
    };
    return options;
}

// The schedule file a command changes: what it read of it, and the writers' lock held from before
// the read until the write is done.
struct ChangedFile {
    ScheduleFileGuard guard;
    std::optional<ScheduleWriteLock> lock;
    std::string lockedPath;
};

ChangedFile& Changed()
{
    static ChangedFile file;
    return file;
}

bool LockForChange(const std::string& path)
{
    ChangedFile& file = Changed();
    if (file.lock && IsSameFile(file.lockedPath, path))
        return true;
    file.lock.reset();
    std::optional<ScheduleWriteLock> lock = ScheduleFileGuard::LockForWriting(path);
    if (!lock)
        return false;
    file.lock.emplace(std::move(*lock));
    file.lockedPath = path;
    return true;
}

int Save(const CKalStore& store, const std::string& path)
{
    ChangedFile& file = Changed();
    if (!LockForChange(path))
        return kFailed;
    // No one can ask here whether to overwrite another program's change: the command refuses.
    if (file.guard.ChangedOnDisk(path)) {
        std::u16string message = texts::kChangedSinceRead;
        message = WithText(message, FromUtf8(path));
        Ui::Current().ShowMessage(message);
        return kFailed;
    }
    const SaveResult result = file.guard.Save(store, path, WarnAboutReplacedCharacters());
    file.lock.reset();
    return result == SaveResult::Saved ? 0 : kFailed;
}

// Opens a file as the desktop program does: the password asked, the holiday updates made, and a file
// without genres takes the program's own. Only a command that writes records in the settings what the
// load found.
std::optional<LoadedSchedule> Open(CKalStore& store, const std::string& path, SettingsWrites writes)
{
    Result<LoadedSchedule> loaded = LoadScheduleFile(store, path, UserLoadOptions(Profile::Current()));
    if (!loaded) {
        Tell(loaded.Error());
        std::fprintf(stderr, "kalendra-cli: %s was not loaded\n", TerminalText(path).c_str());
        return std::nullopt;
    }
    if (!loaded->notice.empty())
        Ui::Current().ShowMessage(loaded->notice);
    ApplyHolidayUpdates(store, std::move(loaded->holidayUpdates));
    if (writes == SettingsWrites::Made)
        RecordLoad(Profile::Current(), *loaded);
    if (store.genres.IsEmpty())
        store.genres = LoadApplicationGenres(writes);
    return std::move(loaded).Value();
}

std::string LineList(const std::vector<int>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < 20; ++i)
        text += (i ? ", " : " (lines ") + std::to_string(lines[i]);
    if (lines.size() > 20)
        text += ", ...";
    return lines.empty() ? text : text + ")";
}

} // namespace

CKalStore& CommandStore()
{
    static CKalStore* store = new CKalStore;
    return *store;
}

bool OpenScheduleFile(CKalStore& store, const std::string& path)
{
    return Open(store, path, SettingsWrites::Skipped).has_value();
}

bool OpenScheduleFileToChange(CKalStore& store, const std::string& path)
{
    if (!LockForChange(path))
        return false;
    const std::optional<LoadedSchedule> loaded = Open(store, path, SettingsWrites::Made);
    if (!loaded)
        return false;
    Changed().guard.Loaded(path, loaded->report);
    return true;
}

int SaveScheduleFileFromCli(const CKalStore& store, const std::string& path)
{
    return Save(store, path);
}

int RunNew(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1)
        return UsageError("new OUT.klx");
    CKalStore& store = CommandStore();
    if (const Status started = StartNewSchedule(store, LoadApplicationGenres(SettingsWrites::Made)); !started) {
        Tell(started.Error());
        return kFailed;
    }
    return Save(store, arguments[0]);
}

int RunConvert(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2)
        return UsageError("convert IN.klx OUT.klx");
    CKalStore& store = CommandStore();
    // Converting a file into itself changes it: the same safeguards as any other change.
    if (IsSameFile(arguments[0], arguments[1]))
        return OpenScheduleFileToChange(store, arguments[0]) ? Save(store, arguments[1]) : kFailed;
    const std::optional<LoadedSchedule> loaded = Open(store, arguments[0], SettingsWrites::Made);
    if (!loaded)
        return kFailed;
    const LoadReport& report = loaded->report;
    if (!report.droppedLines.empty())
        std::fprintf(stderr, "kalendra-cli: warning: %s: unreadable rows left out of %s: %zu%s\n",
            TerminalText(arguments[0]).c_str(), TerminalText(arguments[1]).c_str(), report.droppedLines.size(),
            LineList(report.droppedLines).c_str());
    return Save(store, arguments[1]);
}

int RunCheck(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1)
        return UsageError("check FILE.klx");
    CKalStore& store = CommandStore();
    // A report: what loading found is not recorded.
    const std::optional<LoadedSchedule> loaded = Open(store, arguments[0], SettingsWrites::Skipped);
    if (!loaded)
        return kFailed;
    const LoadReport& report = loaded->report;
    int todos = 0;
    int holidays = 0;
    int repeating = 0;
    for (const auto& entry : store.entries) {
        todos += entry->IsTodo();
        holidays += entry->IsHoliday();
        repeating += !entry->IsTodo() && entry->repeatType != 0;
    }
    std::printf("file: %s\n", TerminalText(arguments[0]).c_str());
    // The codes scripts have always read: 1 loaded, 2 loaded and brought up to date by the first holiday update.
    std::printf("load result: %d (%s)\n", loaded->firstHolidayUpdateMade ? 2 : 1,
        loaded->firstHolidayUpdateMade ? "loaded, holidays updated" : "loaded");
    std::printf("entries: %d\n", store.EntryCount());
    std::printf("  schedules: %d\n", store.EntryCount() - todos);
    std::printf("  to-dos: %d\n", todos);
    std::printf("  holidays: %d\n", holidays);
    std::printf("  repeating: %d\n", repeating);
    std::printf("genres: %d\n", store.genres.Count());
    std::printf("day colours: %zu\n", store.dayColours.size());
    std::printf("memos: %zu\n", store.memos.size());
    std::printf("password: %s\n", store.password.empty() ? "no" : "yes");
    std::printf("rows: %d\n", report.rows);
    std::printf("dropped rows: %zu%s\n", report.droppedLines.size(), LineList(report.droppedLines).c_str());
    std::printf("cut rows: %zu%s\n", report.cutLines.size(), LineList(report.cutLines).c_str());
    return 0;
}

} // namespace kal
