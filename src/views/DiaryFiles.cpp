#include "views/DiaryFiles.h"

#include "platform/FileIo.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"

#include <cstdio>
#include <sys/stat.h>

namespace kal {

std::string LocalFolder(std::u16string_view folder)
{
    std::string path = ToUtf8(folder);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    constexpr std::string_view kDeviceDocuments = "/My Documents";
    if (path.compare(0, kDeviceDocuments.size(), kDeviceDocuments) == 0
        && (path.size() == kDeviceDocuments.size() || path[kDeviceDocuments.size()] == '/'))
        path = DocumentsFolder() + path.substr(kDeviceDocuments.size());
    return path;
}

std::string DiaryPath(std::u16string_view folder, CDTime day)
{
    const LocalFields f = day.Fields();
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02d%02d.TXT", f.year, f.month, f.day);
    return JoinPath(LocalFolder(folder), name);
}

bool DiaryExists(std::u16string_view folder, CDTime day)
{
    struct stat info { };
    return ::stat(DiaryPath(folder, day).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace kal
