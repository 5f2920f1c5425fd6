#include "platform/ProgramFolders.h"

#include "platform/FileIo.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

// Where the install puts the data folder, from the programs' folder; set by the build from the
// installation's folder names.
#ifndef KAL_DATA_FROM_PROGRAM
#define KAL_DATA_FROM_PROGRAM "../share/kalendra"
#endif

namespace kal {

namespace {

bool IsFolder(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string ProgramFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    return FolderOf(std::string(path, static_cast<std::size_t>(length)));
}

std::string ProgramDataFolder()
{
    if (const char* configured = std::getenv("KALENDRA_DATA_DIR"); configured && IsFolder(configured))
        return configured;
    const std::string program = ProgramFolder();
    for (const std::string& candidate :
        { JoinPath(program, KAL_DATA_FROM_PROGRAM), JoinPath(program, "share/kalendra") }) {
        // Without the "..": the path is shown to the user and handed to a browser.
        char resolved[PATH_MAX];
        if (IsFolder(candidate) && ::realpath(candidate.c_str(), resolved))
            return resolved;
    }
    return {};
}

} // namespace kal
