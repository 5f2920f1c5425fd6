#pragma once

#include "platform/FileIo.h"
#include "platform/WriterLock.h"
#include "store/ScheduleFile.h"

#include <chrono>
#include <optional>
#include <string>

namespace kal {

class CKalStore;

// Held by a writer of a schedule file from before it checks (or reads) the file until it has written
// it; another writer waits for it a bounded time. Readers take none.
class ScheduleWriteLock {
public:
    explicit ScheduleWriteLock(std::optional<WriterLock> lock)
        : lock_(std::move(lock))
    {
    }

private:
    std::optional<WriterLock> lock_; // nothing when no lock could be made where the file is
};

// The safeguards of every save over a schedule file, the desktop's and the command line's: what the
// writer read from the file, so that a save neither overwrites a change another program made since
// nor drops rows the read could not use without keeping the file as it was.
class ScheduleFileGuard {
public:
    // How long a writer waits for another writer of the same file before it gives up.
    static constexpr std::chrono::milliseconds kLockWait { 3000 };

    // Takes the writers' lock of `path`. Nothing, and the user told, when another writer kept it for
    // longer than kLockWait; nothing must then be written. Where no lock can be made at all (a folder
    // that takes no file, say) the save goes on without one, still guarded by ChangedOnDisk.
    [[nodiscard]] static std::optional<ScheduleWriteLock> LockForWriting(const std::string& path);

    // After `path` was read: remembers its state, and tells the user when rows could not be read.
    void Loaded(const std::string& path, const LoadReport& report);
    // The store no longer comes from a file.
    void Forget();

    // True when `path` is the file last read or written and it changed on disk since.
    [[nodiscard]] bool ChangedOnDisk(const std::string& path) const;

    // Writes the store to `path` (the caller holds its lock and has checked ChangedOnDisk). A file that
    // was read with rows that could not be read is first kept with ".bak" added (refused, and the user
    // told, when no copy can be made); every save keeps the version it replaces (kPreviousVersionSuffix).
    [[nodiscard]] SaveResult Save(const CKalStore& store, const std::string& path, SaveOptions options);

private:
    std::string path_; // the file last read or written, "" for none
    std::optional<FileStamp> stamp_;
    std::string unreadRowsPath_; // a file read with rows that could not be read, until a copy of it is kept
};

// Whether two paths name one file (links followed); a path that names nothing is only itself.
[[nodiscard]] bool IsSameFile(const std::string& a, const std::string& b);

} // namespace kal
