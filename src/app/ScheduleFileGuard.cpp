#include "app/ScheduleFileGuard.h"

#include "app/AppTexts.h"
#include "app/ScheduleLoading.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "ui/Ui.h"

#include <sys/stat.h>

namespace kal {

bool IsSameFile(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    struct stat first { };
    struct stat second { };
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

std::optional<ScheduleWriteLock> ScheduleFileGuard::LockForWriting(const std::string& path)
{
    WriterLock::Failure failure = WriterLock::Failure::CannotLock;
    std::optional<WriterLock> lock = WriterLock::Acquire(path, kLockWait, &failure);
    if (!lock && failure == WriterLock::Failure::Busy) {
        Ui::Current().ShowMessage(WithText(texts::kFileBeingWritten, FromUtf8(path)));
        return std::nullopt;
    }
    return ScheduleWriteLock(std::move(lock));
}

void ScheduleFileGuard::Loaded(const std::string& path, const LoadReport& report)
{
    path_ = path;
    stamp_ = StampOf(path);
    unreadRowsPath_.clear();
    if (!report.droppedLines.empty()) {
        unreadRowsPath_ = path;
        Ui::Current().ShowMessage(WithNumber(texts::kUnreadRows, static_cast<long long>(report.droppedLines.size())));
    }
}

void ScheduleFileGuard::Forget()
{
    path_.clear();
    stamp_.reset();
    unreadRowsPath_.clear();
}

bool ScheduleFileGuard::ChangedOnDisk(const std::string& path) const
{
    // A file that is gone has no change to lose: the save makes it again.
    if (!stamp_ || !IsSameFile(path, path_))
        return false;
    const std::optional<FileStamp> now = StampOf(path);
    return now && *now != *stamp_;
}

SaveResult ScheduleFileGuard::Save(const CKalStore& store, const std::string& path, SaveOptions options)
{
    if (!unreadRowsPath_.empty() && IsSameFile(path, unreadRowsPath_)) {
        if (!KeepCopy(path, ".bak", JoinPath(DataHomeFolder(), "kalendra"))) {
            Ui::Current().ShowMessage(texts::kUnreadRowsNotKept);
            return SaveResult::Failed;
        }
        unreadRowsPath_.clear();
    }
    options.keepPreviousVersion = true;
    const SaveResult result = Told(SaveScheduleFile(store, path, options));
    if (result == SaveResult::Saved) {
        // What is on disk now is what this writer made: later checks compare with it.
        path_ = path;
        stamp_ = StampOf(path);
    }
    return result;
}

} // namespace kal
