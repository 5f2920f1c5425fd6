#include "platform/IniProfile.h"

#include "platform/FileIo.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
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

// Holds an exclusive lock on a file for as long as it lives; no lock when the file cannot be opened.
class FileLock {
public:
    explicit FileLock(const std::string& path)
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
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) { }
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
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
    if (const auto text = ReadWholeFile(path_, nullptr, kMaxFileSize))
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

void IniProfile::Remember(std::string_view section, std::string_view name)
{
    const auto same = [&](const auto& key) { return key.first == section && key.second == name; };
    if (std::none_of(unsaved_.begin(), unsaved_.end(), same))
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
    FileError error;
    const auto text = ReadWholeFile(path_, &error, kMaxFileSize);
    if (text) {
        ProfileValues merged = ProfileValues::FromIni(*text);
        for (const auto& [section, name] : unsaved_) {
            if (const std::string* value = Values().Find(section, name))
                merged.Set(section, name, *value);
        }
        Values() = std::move(merged);
        return true;
    }
    if (error.code == ENOENT)
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
    const FileLock lock(path_ + kLockSuffix);
    if (!Merge() || !WriteFileAtomically(path_, Values().ToIni()))
        return false;
    unsaved_.clear();
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
