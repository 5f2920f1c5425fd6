#pragma once

#include "calendar/DTime.h"
#include "dialogs/EntryDialogParts.h"
#include "dialogs/RepeatEditing.h"
#include "store/KalData.h"
#include "ui/DialogHost.h"

#include <string>
#include <vector>

namespace kal {

class CKalStore;

namespace scheduledialog {
// Resources of the three layouts.
inline constexpr int kWideResource = 101;
inline constexpr int kPortraitResource = 103;
inline constexpr int kSmallResource = 211;

// Controls, the same in every layout.
inline constexpr int kStartDate = 146;
inline constexpr int kStartDateButton = 142;
inline constexpr int kEndDate = 139;
inline constexpr int kEndDateButton = 143;
inline constexpr int kStartTime = 1007;
inline constexpr int kStartTimeButton = 144;
inline constexpr int kEndTime = 1008;
inline constexpr int kEndTimeButton = 145;
inline constexpr int kContent = 102;
inline constexpr int kPlace = 208;
inline constexpr int kHidden = 123;
inline constexpr int kHoliday = 125;
inline constexpr int kTimeDisplay = 155;
inline constexpr int kGenre = 153;
inline constexpr int kBold = 1032;
inline constexpr int kStrikeOut = 1033;
inline constexpr int kRepeat = 195;
inline constexpr int kExclusions = 196;
inline constexpr int kAvoidDays = 1035;
inline constexpr int kColour = 131;
inline constexpr int kLink = 132;
inline constexpr int kAlarm = 133;
inline constexpr int kMemo = 1010;

inline constexpr int kTimeItemCount = 48; // every full and half hour of a day

inline constexpr char16_t kCaption[] = u"スケジュールの入力";

inline constexpr char16_t kStartDateLabelWide[] = u"開始日付";
inline constexpr char16_t kStartDateLabelSmall[] = u"開始日";
inline constexpr char16_t kStartDateLabelPortrait[] = u"開始";
inline constexpr char16_t kEndDateLabelWide[] = u"終了日付";
inline constexpr char16_t kEndDateLabelSmall[] = u"終了日";
inline constexpr char16_t kEndDateLabelPortrait[] = u"終了";
inline constexpr char16_t kStartTimeLabelWide[] = u"開始時刻";
inline constexpr char16_t kEndTimeLabelWide[] = u"終了時刻";
inline constexpr char16_t kTimeLabel[] = u"時刻";
inline constexpr char16_t kCalendarButton[] = u"ｶﾚﾝﾀﾞｰ";
inline constexpr char16_t kTimeButton[] = u"時刻";
inline constexpr char16_t kMoreButton[] = u"...";
inline constexpr char16_t kContentLabel[] = u"スケジュール内容";
inline constexpr char16_t kPlaceLabel[] = u"場所";
inline constexpr char16_t kHiddenLabel[] = u"非表示";
inline constexpr char16_t kHolidayLabel[] = u"休日";
inline constexpr char16_t kTimeDisplayLabel[] = u"時刻表示";
inline constexpr char16_t kGenreLabel[] = u"ジャンル";
inline constexpr char16_t kBoldLabel[] = u"太字";
inline constexpr char16_t kStrikeOutLabel[] = u"打消";
inline constexpr char16_t kRepeatLabel[] = u"繰り返し...";
inline constexpr char16_t kExclusionsLabel[] = u"除外日...";
inline constexpr char16_t kAvoidDaysLabel[] = u"回避日...";
inline constexpr char16_t kColourLabel[] = u"色...";
inline constexpr char16_t kLinkLabelWide[] = u"ﾘﾝｸﾌｧｲﾙ...";
inline constexpr char16_t kLinkLabelShort[] = u"Link...";
inline constexpr char16_t kAlarmLabel[] = u"ｱﾗｰﾑ...";
inline constexpr char16_t kMemoLabel[] = u"詳細...";

// The time display list, indexed by CKalData::timeDisplay.
inline constexpr const char16_t* kTimeDisplayItems[] = { u"開始・終了", u"開始のみ", u"終了のみ", u"表示せず" };

inline constexpr char16_t kBadStart[] = u"正しい開始日時を入力してください";
inline constexpr char16_t kBadEnd[] = u"正しい終了日時を入力してください";
inline constexpr char16_t kEndBeforeStart[] = u"開始日時より後の終了日時を入力してください";
} // namespace scheduledialog

// The dialog resource of a layout.
[[nodiscard]] DialogResource ScheduleDialogResource(EntryLayout layout);

// "00:00", "00:30", ... "23:30": what the time combos offer; any other time may be typed.
[[nodiscard]] std::vector<std::u16string> HalfHourTimes();

// The schedule entry dialog. It edits a working copy of the entry's fields and writes them only when
// OK passes its checks; the avoid-day, alarm and memo buttons change the entry at once.
class ScheduleDialog final : public EntryDialog {
public:
    // `day` is the day the dialog was opened for: the new entry's day, or the day an edited entry was
    // seen on. `entry` is a fresh entry for EntryDialogMode::New, a copy of the stored one for Edit.
    ScheduleDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, EntryLayout layout,
        LinkFileEditor linkEditor = {}, WrittenAtOnce writtenAtOnce = {});

    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    [[nodiscard]] bool OnOk(DialogHost& host) override;

private:
    void PickDate(DialogHost& host, int editId, int otherEditId);
    void PickTime(DialogHost& host, int editId, int otherEditId);
    void EditRepetition(DialogHost& host);
    // The controls into `edited`; false, with the message shown, when a field is refused.
    [[nodiscard]] bool ReadInto(DialogHost& host, CKalData& edited) const;

    RepeatSettings repeat_;
    std::vector<ExclusionPeriod> exclusions_;
};

// Runs the schedule entry dialog in the layout that fits the screen. True when OK wrote the entry.
// For a new schedule the caller appends a copy of `entry` to the store; a cancelled new entry is
// simply discarded by the caller.
bool RunScheduleDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode,
    LinkFileEditor linkEditor = {}, WrittenAtOnce writtenAtOnce = {});

} // namespace kal
