#pragma once

#include <string>
#include <vector>

namespace kal {

class CKalStore;

// The store a command works on. It lives until the process ends and is never taken apart: the system
// takes the memory back at once, while freeing a big file's entries one by one would keep the user
// waiting for nothing.
CKalStore& CommandStore();

// Opens a schedule file as the desktop program does (a file without genres takes the program's
// own); tells the user and returns false when it cannot.
bool OpenScheduleFile(CKalStore& store, const std::string& path);
// Saves safely as the desktop program does, warning about characters the file cannot hold. The exit code.
int SaveScheduleFileFromCli(const CKalStore& store, const std::string& path);

// The commands that work on schedule files. Each returns the process exit code.
int RunNew(const std::vector<std::string>& arguments);
int RunConvert(const std::vector<std::string>& arguments);
int RunCheck(const std::vector<std::string>& arguments);

} // namespace kal
