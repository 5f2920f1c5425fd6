#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace kal {

// Keeps the writers of one file apart: while a WriterLock on a path lives, no other WriterLock on it
// (in this process or another) can be had. Readers take none and never wait.
//
// Writers replace the file by renaming a new one over it, so a lock on the file itself would stay
// with the old content. The lock is therefore held on a hidden companion beside the file (".NAME.lock",
// links followed first, so every name of one file shares it), which exists only while a writer holds
// it: the holder removes it on release, and a writer that wakes up on a removed companion tries again.
// A companion left by a killed writer holds no lock and is taken over and removed by the next one.
// When nothing can be made in the file's folder (the file is then rewritten in place), the file
// itself is locked.
class WriterLock {
public:
    enum class Failure {
        Busy, // another writer kept it for longer than the wait
        CannotLock, // neither the companion nor the file could be opened
    };

    // Waits at most `wait` for another writer to let go.
    [[nodiscard]] static std::optional<WriterLock> Acquire(
        const std::string& path, std::chrono::milliseconds wait, Failure* failure = nullptr);

    WriterLock(WriterLock&& other) noexcept;
    WriterLock& operator=(WriterLock&&) = delete;
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;
    ~WriterLock();

    // The companion's name for the file at `path` (no links followed).
    [[nodiscard]] static std::string CompanionOf(const std::string& path);

private:
    WriterLock(int fd, std::string companion)
        : fd_(fd)
        , companion_(std::move(companion))
    {
    }

    int fd_ = -1;
    std::string companion_; // "" when the file itself is locked
};

} // namespace kal
