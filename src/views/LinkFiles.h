#pragma once

#include "ui/Ui.h"

#include <optional>
#include <string>
#include <string_view>

namespace kal {

namespace linktext {
inline constexpr char kSection[] = "System";
inline constexpr char kPatternValue[] = "LinkExt";
inline constexpr char kAbsolutePathValue[] = "AbsolutePath";
inline constexpr char kInitialFolderValue[] = "LinkIniDir";
inline constexpr char16_t kDefaultPattern[] = u"*.TXT";
inline constexpr char16_t kRelativeUnsaved[] = u"リンクが相対パスです。ファイルを保存してください";
inline constexpr char16_t kAskCreate[] = u"ファイルがありません。新規に作成しますか？";
inline constexpr char16_t kCannotCreate[] = u"ファイルを作成できません：";
// When nothing could be started to open a file or an address: each followed by its path or address.
inline constexpr char16_t kFileNoOpener[]
    = u"ファイルを開くプログラムを起動できませんでした。次のファイルをほかのプログラムで開いてください。\n";
inline constexpr char16_t kAddressNoOpener[]
    = u"アドレスを開くブラウザーを起動できませんでした。次のアドレスをブラウザーで開いてください。\n";
inline constexpr char16_t kBrowseTitle[] = u"ﾘﾝｸﾌｧｲﾙ名の入力";
inline constexpr char16_t kTextFilesFilter[] = u"ﾃｷｽﾄﾌｧｲﾙ(*.TXT)|";
inline constexpr char16_t kUserFilesFilter[] = u"ﾕｰｻﾞ設定ﾌｧｲﾙ|";
inline constexpr char16_t kAllFilesFilter[] = u"| 全てのﾌｧｲﾙ(*.*) |*.*||";
} // namespace linktext

// A link text names a file or an address. Links read from files written on other machines may use
// "\" and a device path without a drive ("\My Documents\a.txt"); they resolve here all the same.
//
// An address: a text with "://", or one that starts with a scheme of two or more letters and a colon
// ("mailto:", "javascript:"), so that such a text is never taken for a file name.
[[nodiscard]] bool IsUrl(std::u16string_view link);
// A path from the root ("/..." or "\..."). Anything else that is no address is relative to the
// folder of the schedule file.
[[nodiscard]] bool IsAbsoluteLink(std::u16string_view link);

// The path or address a link stands for: an address as it is, a path in local form, a relative one
// inside the folder of `schedulePath`. Nothing for a relative link while the schedule file has no
// path yet.
[[nodiscard]] std::optional<std::u16string> ResolveLink(std::u16string_view link, const std::string& schedulePath);

// `target` written relative to the folder of `base` (both absolute, "/" separated): the bare name
// inside that folder, "../" for each folder to climb otherwise. Components compare exactly.
[[nodiscard]] std::u16string MakeRelative(std::u16string_view base, std::u16string_view target);

// A file name for an entry's link made from its content: ":" becomes a blank, a leading "/", "\",
// "*", "?", "<", ">" or "|" is dropped, and so is a "/" or "\" further on, which would name a folder;
// ".txt" is appended.
[[nodiscard]] std::u16string ProposedFileName(std::u16string_view content);

// Creates a new file holding `bytes`; false when it exists already or cannot be made.
[[nodiscard]] bool CreateTextFile(const std::string& path, std::string_view bytes);
// A link file the program makes: the entry's content and CR LF in the program's code page.
[[nodiscard]] bool CreateLinkTextFile(const std::string& path, std::u16string_view content);

// Hands a file or an address to the desktop after the safety checks (platform/Shell.h); a refusal, or
// an opener that could not be started, is told to the user with the path. True when it was handed over.
bool HandToDesktop(std::u16string_view pathOrAddress);

// The file dialog of the link browse buttons: the "LinkExt" pattern and its filter. `initialFolder`
// may be empty.
[[nodiscard]] FileDialogOptions LinkBrowseOptions(std::u16string_view initialFolder);
// "AbsolutePath": whether a browsed file is stored with its full path.
[[nodiscard]] bool StoreAbsoluteLinks();
// "LinkIniDir": whether browsing with an empty link starts in the schedule file's folder.
[[nodiscard]] bool BrowseFromScheduleFolder();

// The link text a browsed file is stored as: relative to the schedule file unless "AbsolutePath" is
// on or the schedule file has no path.
[[nodiscard]] std::u16string LinkForBrowsedFile(std::u16string_view chosen, const std::string& schedulePath);
// Where browsing for the link `link` starts: the folder of the file it names, else the schedule
// file's folder when "LinkIniDir" says so, else the dialog's own default (empty).
[[nodiscard]] std::u16string LinkBrowseFolder(std::u16string_view link, const std::string& schedulePath);

} // namespace kal
