#include "views/DiaryFiles.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "ui/Ui.h"
#include "views/LinkFiles.h"

#include <cerrno>
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

std::u16string DefaultDiaryFolder()
{
    return Profile::Current().GetString(diarytext::kSection, diarytext::kFolderValue, diarytext::kDefaultFolder);
}

std::string DiaryFileName(CDTime day)
{
    const LocalFields f = day.Fields();
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02d%02d.TXT", f.year, f.month, f.day);
    return name;
}

std::string DiaryPath(std::u16string_view folder, CDTime day)
{
    const std::string local = LocalFolder(folder.empty() ? std::u16string_view(DefaultDiaryFolder()) : folder);
    return JoinPath(local, DiaryFileName(day));
}

bool DiaryExists(std::u16string_view folder, CDTime day)
{
    struct stat info { };
    return ::stat(DiaryPath(folder, day).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string DiaryHeading(CDTime day)
{
    const LocalFields f = day.Fields();
    const std::u16string heading
        = IntText(f.month) + u"月 " + IntText(f.day) + u"日(" + kJapaneseWeekdayNames[f.weekday] + u") \r\n";
    return CodePage::Ansi().Encode(heading).bytes;
}

DiaryFile PrepareDiary(std::u16string_view folder, CDTime day)
{
    DiaryFile diary { DiaryPath(folder, day), {} };
    const std::string local = FolderOf(diary.path);
    if (!local.empty() && !MakeFolders(local)) {
        diary.failure = diarytext::kCannotCreateFolder;
        return diary;
    }
    struct stat info { };
    if (::stat(diary.path.c_str(), &info) == 0 || errno != ENOENT)
        return diary;
    if (!CreateTextFile(diary.path, DiaryHeading(day)))
        diary.failure = diarytext::kCannotCreateFile + FromUtf8(diary.path);
    return diary;
}

bool OpenDiary(std::u16string_view folder, CDTime day)
{
    const DiaryFile diary = PrepareDiary(folder, day);
    if (!diary.failure.empty()) {
        Ui::Current().ShowMessage(diary.failure);
        return false;
    }
    return HandToDesktop(FromUtf8(diary.path));
}

} // namespace kal
