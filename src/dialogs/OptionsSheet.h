#pragma once

#include "ui/DialogHost.h"

#include <optional>
#include <string>
#include <vector>

namespace kal {

namespace optionssheet {
inline constexpr char16_t kCaption[] = u"設定";
inline constexpr int kOk = 1037;
inline constexpr int kClose = 1041;
inline constexpr char16_t kOkLabel[] = u"OK";
inline constexpr char16_t kCloseLabel[] = u"[X]";
} // namespace optionssheet

namespace optsystempage {
inline constexpr int kResourceId = 169;
inline constexpr char16_t kCaption[] = u"動作";
inline constexpr int kSortByTime = 1019;
inline constexpr int kEquinoxes = 1023;
inline constexpr int kSubstitutes = 1024;
inline constexpr int kOpenLastFile = 1021;
inline constexpr int kOkQuits = 1031;
inline constexpr int kRemindAtLogin = 1032;
inline constexpr char16_t kSortByTimeLabel[] = u"スケジュール順を常に時間順(&R)";
inline constexpr char16_t kEquinoxesLabel[] = u"春分、秋分の日、国民の休日を自動表示(&S)";
inline constexpr char16_t kSubstitutesLabel[] = u"振り替え休日を自動表示(&H)";
inline constexpr char16_t kOpenLastFileLabel[] = u"前回ファイルを自動読込(&I)";
inline constexpr char16_t kOkQuitsLabel[] = u"メイン画面のOKでソフトを終了する（次回起動時から有効）";
inline constexpr char16_t kRemindAtLoginLabel[] = u"ログイン時にリマインダーを起動し、アラームを通知する(&A)";
} // namespace optsystempage

namespace opteditpage {
inline constexpr int kResourceId = 170;
inline constexpr char16_t kCaption[] = u"編集";
inline constexpr int kScheduleGenre = 153;
inline constexpr int kTimeDisplay = 155;
inline constexpr int kTodoGenre = 156;
inline constexpr int kDeadline = 1021;
inline constexpr int kDeadlineDays = 1022;
inline constexpr char16_t kScheduleGenreLabel[] = u"ジャンル(&F):";
inline constexpr char16_t kTimeDisplayLabel[] = u"時刻表示(&T):";
inline constexpr char16_t kTodoGenreLabel[] = u"ジャンル(&J):";
inline constexpr char16_t kDeadlineLabel[] = u"期限有り(&G)";
inline constexpr char16_t kDeadlineDaysLabel[] = u"期限までの初期日数(&N):";
inline constexpr const char16_t* kTimeDisplays[] = { u"開始・終了", u"開始のみ", u"終了のみ", u"表示せず" };
// The group titles the page shows over its schedule and to-do fields.
inline constexpr char16_t kScheduleGroup[] = u"スケジュール";
inline constexpr char16_t kTodoGroup[] = u"TODO";
} // namespace opteditpage

namespace optkeypage {
inline constexpr int kResourceId = 213;
inline constexpr char16_t kCaption[] = u"キー操作";
inline constexpr int kEnterOpens = 1030;
inline constexpr char16_t kEnterOpensLabel[] = u"「この日の予定」からENTERキーでスケジュールを開く";
} // namespace optkeypage

// What the options sheet edits: settings of the program and the open file's two genre presets.
struct OptionValues {
    bool sortByTime = true; // "System"/"SchSort"
    bool equinoxes = true; // "Holiday"/"Shunbun"
    bool substitutes = true; // "Holiday"/"Hurikae"
    bool openLastFile = true; // "System"/"InitFile"
    bool okQuits = false; // "System"/"OkFrame"
    bool remindAtLogin = true; // "Remind"/"Autostart"
    int scheduleGenre = 0; // the file's preset for new schedules
    int timeDisplay = 0; // "View"/"ViewTime", 0-3
    int todoGenre = 0; // the file's preset for new to-dos
    bool deadline = true; // "Todo"/"DefaultKigen"
    int deadlineDays = 7; // "Todo"/"DefaultDays"
    bool enterOpens = false; // "System"/"EnterSch"
};

// The options sheet "設定" on `values` with the open file's genre names (none: no file, and the
// schedule preset cannot be chosen). The edited values on OK, nothing when cancelled.
[[nodiscard]] std::optional<OptionValues> AskOptions(
    const OptionValues& values, const std::vector<std::u16string>* genreNames);

} // namespace kal
