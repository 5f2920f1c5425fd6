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
// own) for a command that only reads it: nothing is recorded in the settings. Tells the user and
// returns false when it cannot.
bool OpenScheduleFile(CKalStore& store, const std::string& path);
// For a command that changes the file: takes the writers' lock of the file first (waiting a bounded
// time for another writer, then refusing), then opens it as OpenScheduleFile does, telling the user
// of rows that could not be read; what the load found is recorded in the settings, as the desktop
// program does.
bool OpenScheduleFileToChange(CKalStore& store, const std::string& path);
// Saves with the desktop program's safeguards, under the writers' lock: refuses when the file changed
// since it was read, keeps a copy of a file whose rows could not all be read and the version before the
// save, and warns about characters the file cannot hold. Releases the lock. The exit code.
int SaveScheduleFileFromCli(const CKalStore& store, const std::string& path);

// The commands that work on schedule files. Each returns the process exit code.
int RunNew(const std::vector<std::string>& arguments);
int RunConvert(const std::vector<std::string>& arguments);
int RunCheck(const std::vector<std::string>& arguments);

} // namespace kal
