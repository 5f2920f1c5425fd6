#pragma once

#include "platform/Result.h"

#include <string>

namespace kal {

struct FileError;

// What the user is told when a file could not be read or written: `message`, the path, and in words
// of our own why the system refused (permission, missing, disk full, not a regular file, too large, ...).
[[nodiscard]] Failure FileFailure(const char16_t* message, const std::string& path, const FileError& error);

// Why, as FileFailure says it: one of the texts below, the size bound spelled out for a file too
// large, kReasonOtherError with the error number for a rare error (the system's own words would be
// English), "" when there is no error code.
[[nodiscard]] std::u16string FileErrorReason(const FileError& error);

} // namespace kal

namespace kal::texts {

inline constexpr char16_t kReasonPermissionDenied[] = u"アクセスが許可されていません。";
inline constexpr char16_t kReasonNotFound[] = u"ファイルまたはフォルダーが見つかりません。";
inline constexpr char16_t kReasonDiskFull[] = u"ディスクの空き容量が足りません。";
inline constexpr char16_t kReasonReadOnlyFileSystem[] = u"読み取り専用のドライブには書き込めません。";
inline constexpr char16_t kReasonReadOnlyFile[] = u"読み取り専用のファイルです。";
inline constexpr char16_t kReasonIsFolder[] = u"ファイルではなくフォルダーです。";
inline constexpr char16_t kReasonNotInFolder[] = u"パスの途中にフォルダーでないものがあります。";
inline constexpr char16_t kReasonNotRegularFile[] = u"通常のファイルではありません（デバイスや名前付きパイプなど）。";
inline constexpr char16_t kReasonFileTooLarge[] = u"ファイルが大きすぎます。";
// Followed by the bound, e.g. "256 MB", and kReasonTooLargeEnd.
inline constexpr char16_t kReasonTooLarge[] = u"ファイルが大きすぎます（上限 ";
inline constexpr char16_t kReasonTooLargeEnd[] = u"）。";
inline constexpr char16_t kReasonTooManyLinks[] = u"シンボリックリンクが多すぎるか、循環しています。";
inline constexpr char16_t kReasonNameTooLong[] = u"ファイル名が長すぎます。";
inline constexpr char16_t kReasonTooManyOpen[]
    = u"開いているファイルが多すぎます。ほかのプログラムを閉じてから試してください。";
inline constexpr char16_t kReasonInputOutput[] = u"ディスクの読み書きでエラーが起きました。";
inline constexpr char16_t kReasonExists[] = u"同じ名前のファイルがすでにあります。";
inline constexpr char16_t kReasonBusy[] = u"ファイルがほかのプログラムに使われています。";
// Followed by the error number and kReasonOtherErrorEnd.
inline constexpr char16_t kReasonOtherError[] = u"システムのエラーです（エラー番号 ";
inline constexpr char16_t kReasonOtherErrorEnd[] = u"）。";

} // namespace kal::texts
