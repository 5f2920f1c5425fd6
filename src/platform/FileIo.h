#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kal {

// Why a file was refused by the functions here rather than by the system.
enum class FileRefusal {
    None,
    NotRegularFile, // a FIFO, socket or device node (code EINVAL); a folder is code EISDIR
    ReadOnlyFile, // a file nobody may write, kept as it is (code EACCES)
    TooLarge, // larger than `limit` (code EFBIG)
};

struct FileError {
    int code = 0; // errno of the failing call, or the one named beside the refusal
    std::string what; // which step failed, for logs and messages
    FileRefusal refusal = FileRefusal::None;
    std::uint64_t limit = 0; // bytes: the bound a file went over, for TooLarge
};

// Reads a whole regular file. Anything else is refused at once, without waiting for a writer to a FIFO
// or reading a device: a folder with EISDIR, a FIFO, socket or device as NotRegularFile. Files larger
// than maxBytes are refused with TooLarge before anything is read; one that grows past it while it is
// read is refused when the read reaches the bound. At most maxBytes are held in memory.
[[nodiscard]] Result<std::string, FileError> ReadWholeFile(
    const std::string& path, std::size_t maxBytes = std::size_t(1) << 31);
// A regular file read piece by piece, with the checks and the bound of ReadWholeFile: at most
// maxBytes are read, and a file that grew past them is refused when the reading reaches them.
class FileReader {
public:
    [[nodiscard]] static Result<FileReader, FileError> Open(
        const std::string& path, std::size_t maxBytes = std::size_t(1) << 31);
    FileReader(FileReader&& other) noexcept;
    FileReader& operator=(FileReader&&) = delete;
    ~FileReader();

    // Reads up to `size` bytes (size > 0) into `into`: how many, 0 at the end, or -1 with `error` set.
    [[nodiscard]] long long Read(char* into, std::size_t size, FileError* error = nullptr);
    [[nodiscard]] std::uint64_t SizeWhenOpened() const { return size_; }

private:
    FileReader() = default;

    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t maxBytes_ = 0;
    std::uint64_t read_ = 0;
};

// True when `path` (links followed) is a regular file this user may open for reading.
[[nodiscard]] bool IsReadableFile(const std::string& path);

// Replaces the file at `path` with `bytes` so that a crash or a full disk never leaves a half-written
// file: the content goes to a temporary file in the same folder, is flushed to disk, and is then
// renamed over the old file, whose permission bits, owner and group (as far as the user may set them)
// the new file keeps. A symbolic link is followed: its target is written and the link stays. A file
// nobody may write is refused with EACCES and left as it is. When the folder cannot be written but
// the file can, the old content is copied to the user's cache folder, the file is written in place
// and put back from the copy on failure. On failure the old file is untouched and no temporary file
// is left. The folder must exist. Only a regular file is ever replaced: a folder (EISDIR), FIFO, socket
// or device node (NotRegularFile) where the file should be is refused and left alone.
using FileStatus = BasicStatus<FileError>;
FileStatus WriteFileAtomically(const std::string& path, std::string_view bytes);
// The same for bytes made in parts: the file holds them one after the other.
FileStatus WriteFileAtomically(const std::string& path, std::span<const std::string_view> parts);

// The file a path names once symbolic links are followed (the path itself when it is no link, also
// when the final target does not exist yet). Nothing for a loop of links.
[[nodiscard]] Result<std::string, FileError> ResolveLinks(const std::string& path);

// Keeps a copy of the file at `path` as `path + suffix` beside it, or as its name plus `suffix` in
// `fallbackFolder` (created when missing) when nothing can be written beside it. Gives the copy's
// path, "" when there is no file to copy, the error when no copy could be made (also when `path` is no
// regular file).
[[nodiscard]] Result<std::string, FileError> KeepCopy(
    const std::string& path, const std::string& suffix, const std::string& fallbackFolder);

// What tells one state of a file from another without reading it.
struct FileStamp {
    std::int64_t seconds = 0; // last modification, since 1970
    std::int64_t nanoseconds = 0; // [0, 999'999'999]
    std::int64_t size = 0; // bytes
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// The stamp of the file at `path` (links followed); nothing when it cannot be read.
[[nodiscard]] std::optional<FileStamp> StampOf(const std::string& path);

// Creates a folder and its parents (mode 0700 for new ones). True when it exists afterwards.
bool MakeFolders(const std::string& path);

// Folder part of a path ("" when it has none), its name part, and the path joined with a name.
[[nodiscard]] std::string FolderOf(const std::string& path);
[[nodiscard]] std::string NameOf(const std::string& path);
[[nodiscard]] std::string JoinPath(const std::string& folder, const std::string& name);

// Lets tests make the atomic writer fail after `bytesBeforeFailure` bytes of its next write (ENOSPC),
// as a full disk would. The failure is armed for the writes made while the object lives.
class ScopedWriteFailure {
public:
    explicit ScopedWriteFailure(std::size_t bytesBeforeFailure);
    ~ScopedWriteFailure();
    ScopedWriteFailure(const ScopedWriteFailure&) = delete;
    ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;
};

} // namespace kal
