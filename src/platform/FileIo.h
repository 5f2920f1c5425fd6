#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kal {

struct FileError {
    int code = 0; // errno of the failing call
    std::string what; // which step failed, for logs and messages
};

// Reads a whole file. Files larger than maxBytes are refused with EFBIG.
[[nodiscard]] std::optional<std::string> ReadWholeFile(
    const std::string& path, FileError* error = nullptr, std::size_t maxBytes = std::size_t(1) << 31);

// Replaces the file at `path` with `bytes` so that a crash or a full disk never leaves a half-written
// file: the content goes to a temporary file in the same folder, is flushed to disk, and is then
// renamed over the old file, whose permission bits the new file keeps. On failure the old file is
// untouched and the temporary file is removed. The folder must exist.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes, FileError* error = nullptr);

// Creates a folder and its parents (mode 0700 for new ones). True when it exists afterwards.
bool MakeFolders(const std::string& path);

// Folder part of a path ("" when it has none) and the path joined with a name.
[[nodiscard]] std::string FolderOf(const std::string& path);
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
