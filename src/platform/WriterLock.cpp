#include "platform/WriterLock.h"

#include "platform/FileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace kal {

namespace {

constexpr auto kRetryEvery = std::chrono::milliseconds(20);

enum class Taken { Yes, Busy, Gone };

// Waits for an exclusive lock on `fd` until `deadline`.
Taken LockBy(int fd, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return Taken::Yes;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Taken::Gone;
        if (std::chrono::steady_clock::now() >= deadline)
            return Taken::Busy;
        std::this_thread::sleep_for(kRetryEvery);
    }
}

bool SameFile(int fd, const std::string& path)
{
    struct stat opened { };
    struct stat named { };
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

} // namespace

std::string WriterLock::CompanionOf(const std::string& path)
{
    return JoinPath(FolderOf(path), "." + NameOf(path) + ".lock");
}

std::optional<WriterLock> WriterLock::Acquire(const std::string& path, std::chrono::milliseconds wait, Failure* failure)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    const auto fail = [failure](Failure why) {
        if (failure)
            *failure = why;
        return std::nullopt;
    };
    const std::string target = ResolveLinks(path).ValueOr(path);
    const std::string companion = CompanionOf(target);
    for (;;) {
        const int fd
            = ::open(companion.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno != EACCES && errno != EPERM && errno != EROFS)
                return fail(Failure::CannotLock);
            // A folder we may not write: the file is then written in place, so its own lock holds.
            const int own = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (own < 0)
                return fail(Failure::CannotLock);
            const Taken taken = LockBy(own, deadline);
            if (taken == Taken::Yes)
                return WriterLock(own, std::string());
            ::close(own);
            return fail(taken == Taken::Busy ? Failure::Busy : Failure::CannotLock);
        }
        struct stat info { };
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            return fail(Failure::CannotLock);
        }
        const Taken taken = LockBy(fd, deadline);
        if (taken != Taken::Yes) {
            ::close(fd);
            return fail(taken == Taken::Busy ? Failure::Busy : Failure::CannotLock);
        }
        // The writer before us may have removed the companion while we waited on it.
        if (SameFile(fd, companion))
            return WriterLock(fd, companion);
        ::close(fd);
        if (std::chrono::steady_clock::now() >= deadline)
            return fail(Failure::Busy);
    }
}

WriterLock::WriterLock(WriterLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , companion_(std::move(other.companion_))
{
}

WriterLock::~WriterLock()
{
    if (fd_ < 0)
        return;
    // Removed while still held, so that nobody can take a companion that is about to vanish.
    if (!companion_.empty())
        ::unlink(companion_.c_str());
    ::close(fd_);
}

} // namespace kal
