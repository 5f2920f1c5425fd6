#include "platform/IniProfile.h"

#include "platform/FileIo.h"
#include "platform/UserFolders.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kal {

namespace {

IniProfile::SetAsideHandler& Handler()
{
    static IniProfile::SetAsideHandler handler;
    return handler;
}

IniProfile::NotAFileHandler& NotAFile()
{
    static IniProfile::NotAFileHandler handler;
    return handler;
}

IniProfile::LockedHandler& Locked()
{
    static IniProfile::LockedHandler handler;
    return handler;
}

// Holds an exclusive lock on a file for as long as it lives, if it got one within the wait it was
// given. Another process may hold the lock for ever (stopped in a debugger, hung on a network
// folder); waiting for it would hang every change of a setting, so the wait is bounded.
class FileLock {
public:
    FileLock(const std::string& path, std::chrono::milliseconds wait)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600))
    {
        // A device or FIFO in the lock file's place is not ours to lock: go on unlocked, as when
        // the lock file cannot be made at all.
        struct stat info { };
        if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        if (fd_ < 0)
            return;
        const auto deadline = std::chrono::steady_clock::now() + wait;
        for (;;) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
                return;
            if (errno != EWOULDBLOCK && errno != EINTR)
                break; // a file system without locks: go on unlocked
            if (std::chrono::steady_clock::now() >= deadline) {
                busy_ = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::close(fd_);
        fd_ = -1;
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Whether someone else held the lock for the whole wait.
    [[nodiscard]] bool Busy() const { return busy_; }

private:
    int fd_;
    bool busy_ = false;
};

bool IsRegularFile(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsOtherThanFile(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

} // namespace

IniProfile::IniProfile(std::string path)
    : path_(std::move(path))
{
    if (const auto text = ReadWholeFile(path_, kMaxFileSize))
        Values() = ProfileValues::FromIni(*text);
}

std::string IniProfile::DefaultPath()
{
    if (const char* configured = std::getenv("KALENDRA_CONFIG"); configured && *configured)
        return configured;
    return JoinPath(JoinPath(ConfigHomeFolder(), "Zentrik"), "Kalendra.ini");
}

void IniProfile::SetSetAsideHandler(SetAsideHandler handler)
{
    Handler() = std::move(handler);
}

void IniProfile::SetNotAFileHandler(NotAFileHandler handler)
{
    NotAFile() = std::move(handler);
}

void IniProfile::SetLockedHandler(LockedHandler handler)
{
    Locked() = std::move(handler);
}

void IniProfile::Remember(std::string_view section, std::string_view name)
{
    std::string key(section);
    key += '\n'; // no section name holds a line break
    key += name;
    if (unsavedKeys_.insert(std::move(key)).second)
        unsaved_.emplace_back(section, name);
}

bool IniProfile::SetInt(std::string_view section, std::string_view name, int value)
{
    Remember(section, name);
    return ValuesProfile::SetInt(section, name, value);
}

bool IniProfile::SetString(std::string_view section, std::string_view name, std::u16string_view value)
{
    Remember(section, name);
    return ValuesProfile::SetString(section, name, value);
}

bool IniProfile::Merge()
{
    const auto text = ReadWholeFile(path_, kMaxFileSize);
    if (text) {
        ProfileValues merged = ProfileValues::FromIni(*text);
        for (const auto& [section, name] : unsaved_) {
            if (const std::string* value = Values().Find(section, name))
                merged.Set(section, name, *value);
        }
        Values() = std::move(merged);
        return true;
    }
    if (text.Error().code == ENOENT)
        return true; // nothing to merge with: what this process holds is the whole file
    if (IsOtherThanFile(path_)) {
        // A folder, FIFO or device where the file should be is not ours to move or replace.
        if (!toldNotAFile_ && NotAFile()) {
            toldNotAFile_ = true;
            NotAFile()(path_);
        }
        return false;
    }
    if (!IsRegularFile(path_))
        return false;
    // There is a file, but it cannot be read: keep it for the user rather than overwrite it.
    const std::string keptAs = path_ + kBadSuffix;
    if (std::rename(path_.c_str(), keptAs.c_str()) != 0)
        return false;
    if (!toldSetAside_ && Handler()) {
        toldSetAside_ = true;
        Handler()(keptAs);
    }
    return true;
}

bool IniProfile::Persist()
{
    if (!MakeFolders(FolderOf(path_)))
        return false;
    // Once the lock was found held, later changes wait only briefly: the holder may be stuck, and each
    // change of a setting must not stall the program again. What is not written now stays in memory
    // and goes into the file with the first change that gets the lock.
    const FileLock lock(path_ + kLockSuffix, lockMissed_ ? lockWait_ / 10 : lockWait_);
    if (lock.Busy()) {
        lockMissed_ = true;
        if (!toldLocked_ && Locked()) {
            toldLocked_ = true;
            Locked()(path_);
        }
        return false;
    }
    lockMissed_ = false;
    if (!Merge() || !WriteFileAtomically(path_, Values().ToIni()))
        return false;
    unsaved_.clear();
    unsavedKeys_.clear();
    return true;
}

Profile& Profile::Current()
{
    if (Profile* installed = Installed())
        return *installed;
    static IniProfile settingsFile(IniProfile::DefaultPath());
    return settingsFile;
}

} // namespace kal
