#pragma once

// The names of the changes the undo and redo commands show ("元に戻す: スケジュールの削除").
namespace kal::opname {

inline constexpr char16_t kAddSchedule[] = u"スケジュールの追加";
inline constexpr char16_t kAddTodo[] = u"TODOの追加";
inline constexpr char16_t kEditSchedule[] = u"スケジュールの編集";
inline constexpr char16_t kEditTodo[] = u"TODOの編集";
inline constexpr char16_t kDeleteSchedule[] = u"スケジュールの削除";
inline constexpr char16_t kDeleteTodo[] = u"TODOの削除";
inline constexpr char16_t kDeleteOneDay[] = u"この日のみ削除";
inline constexpr char16_t kDeleteFollowing[] = u"この日以降を削除";
inline constexpr char16_t kEditOneDay[] = u"この日のみ変更";
inline constexpr char16_t kEditFollowing[] = u"この日以降を変更";
inline constexpr char16_t kCut[] = u"切り取り";
inline constexpr char16_t kMove[] = u"スケジュールの移動";
inline constexpr char16_t kDragCopy[] = u"スケジュールのコピー";
inline constexpr char16_t kPaste[] = u"貼り付け";
inline constexpr char16_t kContinuousCopy[] = u"連続コピー";
inline constexpr char16_t kMoveUp[] = u"スケジュールを一つ上へ";
inline constexpr char16_t kMoveDown[] = u"スケジュールを一つ下へ";
inline constexpr char16_t kMemo[] = u"詳細の変更";
inline constexpr char16_t kAlarm[] = u"アラームの変更";
inline constexpr char16_t kAvoidDays[] = u"回避日の変更";
inline constexpr char16_t kLinkFile[] = u"リンクファイルの変更";
inline constexpr char16_t kDayColour[] = u"この日の色";
inline constexpr char16_t kDayColourClear[] = u"この日の色指定解除";
inline constexpr char16_t kAddGenre[] = u"ジャンルの追加";
inline constexpr char16_t kEditGenre[] = u"ジャンルの編集";
inline constexpr char16_t kMoveGenre[] = u"ジャンルの並べ替え";
inline constexpr char16_t kUnifyGenre[] = u"ジャンルの色の統一";
inline constexpr char16_t kHideGenre[] = u"ジャンルの表示切り替え";
inline constexpr char16_t kDeleteGenre[] = u"ジャンルの削除";
inline constexpr char16_t kGenreFile[] = u"ジャンルファイルの読み込み";
inline constexpr char16_t kMemoPages[] = u"メモの変更";
inline constexpr char16_t kGenrePresets[] = u"既定のジャンルの変更";
inline constexpr char16_t kDiaryFolder[] = u"日記フォルダの変更";
inline constexpr char16_t kCsvImport[] = u"Outlook CSV インポート";
inline constexpr char16_t kIcalImport[] = u"iCalendar のインポート";
inline constexpr char16_t kHolidayUpdate[] = u"祝日の更新";
inline constexpr char16_t kDayDialog[] = u"日の予定の変更";

} // namespace kal::opname
