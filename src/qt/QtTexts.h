#pragma once

#include <string_view>

namespace kal::qttext {

// The caption of message boxes and of the main window.
inline constexpr std::u16string_view kProgramCaption = u"Zentrik Kalendra";
inline constexpr std::u16string_view kOk = u"OK";
inline constexpr std::u16string_view kCancel = u"キャンセル";
inline constexpr std::u16string_view kYes = u"はい(&Y)";
inline constexpr std::u16string_view kNo = u"いいえ(&N)";

// Followed by the folder, when a name to save under is in a folder that does not exist.
inline constexpr std::u16string_view kFolderMissing = u"フォルダーが見つかりません。フォルダー名を確認してください。\n";

// Shown in a progress dialog once its Cancel button was pressed, until the work has stopped.
inline constexpr std::u16string_view kStopping = u"中止しています…";

inline constexpr char16_t kLeftSoftKey[] = u"左ソフトキー(メニュー)";
inline constexpr char16_t kRightSoftKey[] = u"右ソフトキー(閉じる)";

} // namespace kal::qttext
