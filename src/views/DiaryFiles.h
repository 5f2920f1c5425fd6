#pragma once

#include "calendar/DTime.h"

#include <string>
#include <string_view>

namespace kal {

namespace diarytext {
inline constexpr char kSection[] = "Diary";
inline constexpr char kFolderValue[] = "Dir";
inline constexpr char16_t kDefaultFolder[] = u"\\My Documents\\";
inline constexpr char16_t kCannotCreateFolder[] = u"出力先フォルダが作成できません";
inline constexpr char16_t kCannotCreateFile[] = u"ファイルの作成ができません - ";
} // namespace diarytext

// The local path of a folder or file written in a schedule file: "\" separators become "/", and the
// device's "\My Documents" becomes the user's documents folder.
[[nodiscard]] std::string LocalFolder(std::u16string_view folder);

// The diary folder the settings name ("Diary"/"Dir"), used when a file names none.
[[nodiscard]] std::u16string DefaultDiaryFolder();

// "YYYYMMDD.TXT" of the day's local date.
[[nodiscard]] std::string DiaryFileName(CDTime day);
// The diary file of a day in `folder`; an empty folder stands for DefaultDiaryFolder(). Creates
// nothing.
[[nodiscard]] std::string DiaryPath(std::u16string_view folder, CDTime day);
[[nodiscard]] bool DiaryExists(std::u16string_view folder, CDTime day);

// The first line of a new diary, in the program's code page: "10月 5日(土) " and CR LF.
[[nodiscard]] std::string DiaryHeading(CDTime day);

// The diary of a day made ready to open: its folder (with every missing parent) and, when missing,
// the file with its heading line. An existing diary is never read or rewritten. `failure` is the
// message for the user when the diary cannot be had; then `path` is where it should have been.
struct DiaryFile {
    std::string path;
    std::u16string failure;
};
[[nodiscard]] DiaryFile PrepareDiary(std::u16string_view folder, CDTime day);

// Prepares the day's diary and hands it to the desktop's text editor; failures and refusals are shown
// to the user. True when it was handed over.
bool OpenDiary(std::u16string_view folder, CDTime day);

} // namespace kal
