#include "platform/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kal {

namespace {

std::optional<std::size_t> gFailAfter;

void SetError(FileError* error, int code, const char* what)
{
    if (error) {
        error->code = code;
        error->what = what;
    }
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

bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t limit = bytes.size();
    const bool injected = gFailAfter.has_value() && *gFailAfter < limit;
    if (injected)
        limit = *gFailAfter;
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t written = ::write(fd, bytes.data() + done, limit - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    if (injected) {
        errno = ENOSPC;
        return false;
    }
    return true;
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

std::optional<std::string> ReadWholeFile(const std::string& path, FileError* error, std::size_t maxBytes)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        SetError(error, errno, "open");
        return std::nullopt;
    }
    struct stat info { };
    if (::fstat(file.Get(), &info) != 0) {
        SetError(error, errno, "stat");
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        SetError(error, EISDIR, "open");
        return std::nullopt;
    }
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        SetError(error, EFBIG, "size");
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            SetError(error, errno, "read");
            return std::nullopt;
        }
        if (got == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            SetError(error, EFBIG, "size");
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, FileError* error)
{
    const std::string folder = FolderOf(path);
    std::string temporary = JoinPath(folder, ".kalendra-XXXXXX");
    Descriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0) {
        SetError(error, errno, "create");
        return false;
    }
    const auto fail = [&](const char* what) {
        SetError(error, errno, what);
        ::unlink(temporary.c_str());
        return false;
    };
    // The new file keeps the permissions of the one it replaces; a new file gets the usual ones.
    struct stat old { };
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.Get(), mode) != 0)
        return fail("chmod");
    if (!WriteAll(file.Get(), bytes))
        return fail("write");
    if (::fsync(file.Get()) != 0)
        return fail("sync");
    if (::close(file.Release()) != 0)
        return fail("close");
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return fail("rename");
    SyncFolder(folder);
    return true;
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
