#pragma once

#include <string>

namespace kal {

struct FileError;

// Tells the user that a file could not be read or written: `message`, the path, and in words of our
// own why the system refused (permission, missing, disk full, not a regular file, too large, ...).
void ShowFileError(const char16_t* message, const std::string& path, const FileError& error);

} // namespace kal
