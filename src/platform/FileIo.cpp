#include "platform/FileIo.h"

#include "platform/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kal {

namespace {

std::optional<std::size_t> gFailAfter;

void SetError(FileError* error, int code, const char* what)
{
    if (error) {
        error->code = code;
        error->what = what;
        error->refusal = FileRefusal::None;
        error->limit = 0;
    }
}

void SetRefusal(FileError* error, FileRefusal refusal, int code, const char* what, std::uint64_t limit = 0)
{
    SetError(error, code, what);
    if (error) {
        error->refusal = refusal;
        error->limit = limit;
    }
}

// Only regular files are read or replaced: reading a FIFO waits for a writer and a device may never
// end, and renaming over either would put a file where the system expects something else.
bool IsRegular(const struct stat& info, FileError* error, const char* what)
{
    if (S_ISREG(info.st_mode))
        return true;
    if (S_ISDIR(info.st_mode))
        SetError(error, EISDIR, what);
    else
        SetRefusal(error, FileRefusal::NotRegularFile, EINVAL, what);
    return false;
}

// Opens without waiting (a FIFO with no writer, a terminal line) and without taking a terminal as the
// controlling one; the caller checks what it opened before using it.
constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

bool ClearNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd)
    {
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool WriteAllNow(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the parts one after the other as WriteAllNow does, unless a test armed a failure.
bool WriteAll(int fd, std::span<const std::string_view> parts)
{
    std::size_t allowed = gFailAfter.value_or(SIZE_MAX);
    for (const std::string_view part : parts) {
        const bool injected = allowed < part.size();
        if (!WriteAllNow(fd, injected ? part.substr(0, allowed) : part))
            return false;
        if (injected) {
            errno = ENOSPC;
            return false;
        }
        allowed -= part.size();
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes)
{
    return WriteAll(fd, std::span(&bytes, 1));
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

namespace {

template <class Buffer> std::optional<Buffer> ReadWhole(const std::string& path, FileError* error, std::size_t maxBytes)
{
    Result<FileReader, FileError> file = FileReader::Open(path, maxBytes);
    if (!file) {
        if (error)
            *error = file.Error();
        return std::nullopt;
    }
    // Read straight into the result: the file's size is all the memory this takes, unless it grows.
    // One byte more than the file holds, so that the read that finds its end has room.
    Buffer bytes;
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file->SizeWhenOpened(), maxBytes)) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            // The file grew since it was measured, or its size is not known (as for some system files).
            bytes.resize(std::min(maxBytes, filled + std::max(filled / 2, std::size_t(65536))) + 1);
        }
        const long long got = file->Read(bytes.data() + filled, bytes.size() - filled, error);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace

FileReader::FileReader(FileReader&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , size_(other.size_)
    , maxBytes_(other.maxBytes_)
    , read_(other.read_)
{
}

FileReader::~FileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Result<FileReader, FileError> FileReader::Open(const std::string& path, std::size_t maxBytes)
{
    FileError failure;
    FileError* const error = &failure;
    // The kind is checked before opening too, so that a device is refused without being opened.
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) {
        SetError(error, errno, "open");
        return failure;
    }
    if (!IsRegular(info, error, "open"))
        return failure;
    Descriptor file(::open(path.c_str(), O_RDONLY | kOpenFlags));
    if (file.Get() < 0) {
        SetError(error, errno, "open");
        return failure;
    }
    if (::fstat(file.Get(), &info) != 0) {
        SetError(error, errno, "stat");
        return failure;
    }
    if (!IsRegular(info, error, "open"))
        return failure;
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        SetRefusal(error, FileRefusal::TooLarge, EFBIG, "size", maxBytes);
        return failure;
    }
    if (!ClearNonBlocking(file.Get())) {
        SetError(error, errno, "open");
        return failure;
    }
    FileReader reader;
    reader.fd_ = file.Release();
    reader.size_ = static_cast<std::uint64_t>(info.st_size);
    reader.maxBytes_ = maxBytes;
    return reader;
}

long long FileReader::Read(char* into, std::size_t size, FileError* error)
{
    for (;;) {
        // At the bound one byte more is asked for: a file that grew past it is refused, not cut.
        const bool atBound = read_ == maxBytes_;
        char probe;
        const std::size_t wanted = atBound ? 1 : std::min<std::uint64_t>(size, maxBytes_ - read_);
        const ssize_t got = ::read(fd_, atBound ? &probe : into, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            SetError(error, errno, "read");
            return -1;
        }
        if (atBound && got > 0) {
            SetRefusal(error, FileRefusal::TooLarge, EFBIG, "size", maxBytes_);
            return -1;
        }
        read_ += static_cast<std::uint64_t>(got);
        return got;
    }
}

Result<std::string, FileError> ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    FileError error;
    std::optional<std::string> bytes = ReadWhole<std::string>(path, &error, maxBytes);
    if (!bytes)
        return error;
    return std::move(*bytes);
}

bool IsReadableFile(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

namespace {

enum class Injection { Armed, Off };

// Puts `bytes` into the file in place of what it holds, writing through `fd` from the start.
bool Overwrite(int fd, std::string_view bytes, Injection injection)
{
    if (::lseek(fd, 0, SEEK_SET) != 0 || ::ftruncate(fd, 0) != 0)
        return false;
    if (!(injection == Injection::Armed ? WriteAll(fd, bytes) : WriteAllNow(fd, bytes)))
        return false;
    return ::fsync(fd) == 0;
}

// For a file in a folder the user cannot write: no temporary file can sit beside it, so a copy of the
// old content in the cache folder stands in for it while the file is rewritten in place.
bool WriteInPlace(const std::string& path, std::string_view bytes, FileError* error)
{
    const std::optional<std::string> old = ReadWhole<std::string>(path, error, std::size_t(1) << 31);
    if (!old)
        return false;
    const std::string cacheFolder = JoinPath(CacheHomeFolder(), "kalendra");
    std::string copy = JoinPath(cacheFolder, NameOf(path) + ".XXXXXX");
    if (!MakeFolders(cacheFolder)) {
        SetError(error, errno, "backup");
        return false;
    }
    {
        Descriptor copyFile(::mkstemp(copy.data()));
        if (copyFile.Get() < 0) {
            SetError(error, errno, "backup");
            return false;
        }
        if (!WriteAllNow(copyFile.Get(), *old) || ::fsync(copyFile.Get()) != 0) {
            SetError(error, errno, "backup");
            ::unlink(copy.c_str());
            return false;
        }
    }
    Descriptor file(::open(path.c_str(), O_WRONLY | kOpenFlags));
    struct stat opened { };
    if (file.Get() < 0 || ::fstat(file.Get(), &opened) != 0 || !ClearNonBlocking(file.Get())) {
        SetError(error, errno, "open");
        ::unlink(copy.c_str());
        return false;
    }
    if (!IsRegular(opened, error, "open")) {
        ::unlink(copy.c_str());
        return false;
    }
    if (!Overwrite(file.Get(), bytes, Injection::Armed)) {
        SetError(error, errno, "write");
        // The copy stays in the cache folder only when the old content could not be put back.
        if (Overwrite(file.Get(), *old, Injection::Off))
            ::unlink(copy.c_str());
        return false;
    }
    ::unlink(copy.c_str());
    return true;
}

// The temporary files the writer makes beside the file it replaces: the prefix and six characters
// from mkstemp's alphabet.
constexpr char kTemporaryPrefix[] = ".kalendra-";
constexpr std::size_t kTemporaryRandom = 6;
// A save never takes this long: a temporary file older than this was left by a writer that died.
constexpr std::time_t kStaleAfterSeconds = 60 * 60;

bool IsTemporaryName(std::string_view name)
{
    const std::string_view prefix = kTemporaryPrefix;
    if (name.size() != prefix.size() + kTemporaryRandom || name.substr(0, prefix.size()) != prefix)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
        [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

// A writer killed during a save leaves its temporary file behind; nothing else would ever remove it.
// Only regular files of ours (by name, owner and age) go: a link or someone else's file stays.
void RemoveStaleTemporaries(const std::string& folder)
{
    DIR* entries = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!entries)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        struct stat info { };
        if (::fstatat(::dirfd(entries), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)
            || info.st_uid != ::geteuid() || now - info.st_mtime < kStaleAfterSeconds)
            continue;
        ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
    ::closedir(entries);
}

} // namespace

namespace {

std::optional<std::string> ResolveLinksInto(const std::string& path, FileError* error)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info { };
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            SetError(error, errno, "readlink");
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(length));
        current = !target.empty() && target.front() == '/' ? target : JoinPath(FolderOf(current), target);
    }
    SetError(error, ELOOP, "open");
    return std::nullopt;
}

bool WriteAtomically(const std::string& path, std::span<const std::string_view> parts, FileError* error)
{
    const std::optional<std::string> target = ResolveLinksInto(path, error);
    if (!target)
        return false;
    struct stat old { };
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if (exists && !IsRegular(old, error, "open"))
        return false;
    // A file marked read-only stays as it is, even for a user the permissions would not stop.
    if (exists && (::access(target->c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
        SetRefusal(error, FileRefusal::ReadOnlyFile, EACCES, "open");
        return false;
    }
    const std::string folder = FolderOf(*target);
    std::string temporary = JoinPath(folder, std::string(kTemporaryPrefix) + "XXXXXX");
    Descriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0) {
        const int code = errno;
        if (exists && (code == EACCES || code == EPERM)) {
            std::string whole;
            for (const std::string_view part : parts)
                whole += part;
            return WriteInPlace(*target, whole, error);
        }
        SetError(error, code, "create");
        return false;
    }
    const auto fail = [&](const char* what) {
        SetError(error, errno, what);
        ::unlink(temporary.c_str());
        return false;
    };
    // The new file keeps the owner, group and permissions of the one it replaces; a new file gets the
    // usual ones.
    mode_t mode;
    if (exists) {
        mode = old.st_mode & 07777;
        // Only root may give a file away; a user can still keep a group they belong to.
        if (::fchown(file.Get(), old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int groupKept = ::fchown(file.Get(), static_cast<uid_t>(-1), old.st_gid);
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.Get(), mode) != 0)
        return fail("chmod");
    if (!WriteAll(file.Get(), parts))
        return fail("write");
    if (::fsync(file.Get()) != 0)
        return fail("sync");
    if (::close(file.Release()) != 0)
        return fail("close");
    // Something else may have been put in the file's place while it was written.
    struct stat now { };
    if (::stat(target->c_str(), &now) == 0 && !IsRegular(now, error, "rename")) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), target->c_str()) != 0)
        return fail("rename");
    SyncFolder(folder);
    RemoveStaleTemporaries(folder);
    return true;
}

} // namespace

Result<std::string, FileError> ResolveLinks(const std::string& path)
{
    FileError error;
    std::optional<std::string> target = ResolveLinksInto(path, &error);
    if (!target)
        return error;
    return std::move(*target);
}

FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    return WriteFileAtomically(path, std::span(&bytes, 1));
}

FileStatus WriteFileAtomically(const std::string& path, std::span<const std::string_view> parts)
{
    FileError error;
    if (!WriteAtomically(path, parts, &error))
        return error;
    return {};
}

Result<std::string, FileError> KeepCopy(
    const std::string& path, const std::string& suffix, const std::string& fallbackFolder)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return std::string();
    const Result<std::string, FileError> bytes = ReadWholeFile(path);
    if (!bytes)
        return bytes.Error();
    const std::string beside = path + suffix;
    const FileStatus besideWritten = WriteFileAtomically(beside, *bytes);
    if (besideWritten)
        return beside;
    // Without a folder for it, what went wrong beside the file is the reason to tell.
    const std::string aside = JoinPath(fallbackFolder, NameOf(path) + suffix);
    if (!MakeFolders(fallbackFolder))
        return besideWritten.Error();
    if (const FileStatus asideWritten = WriteFileAtomically(aside, *bytes); !asideWritten)
        return asideWritten.Error();
    return aside;
}

std::optional<FileStamp> StampOf(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileStamp { static_cast<std::int64_t>(info.st_mtim.tv_sec), static_cast<std::int64_t>(info.st_mtim.tv_nsec),
        static_cast<std::int64_t>(info.st_size) };
}

bool MakeFolders(const std::string& path)
{
    if (path.empty())
        return true;
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const std::string parent = FolderOf(path);
    if (!parent.empty() && parent != path && !MakeFolders(parent))
        return false;
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

ScopedWriteFailure::ScopedWriteFailure(std::size_t bytesBeforeFailure)
{
    gFailAfter = bytesBeforeFailure;
}
ScopedWriteFailure::~ScopedWriteFailure()
{
    gFailAfter.reset();
}

} // namespace kal
