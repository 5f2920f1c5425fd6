#pragma once

#include "dialogs/RepeatEditing.h"
#include "ui/DialogHost.h"

namespace kal {

namespace repeatdialog {
inline constexpr int kResourceId = 155;
inline constexpr int kUnit = 176;
inline constexpr int kPositionMode = 190;
inline constexpr int kWeek = 191;
inline constexpr int kWeekday = 192;
inline constexpr int kMonth = 193;
inline constexpr int kCustom = 194;
inline constexpr int kPeriod = 195;
inline constexpr int kInterval = 196;
inline constexpr int kDayFrom = 207;
inline constexpr int kDayTo = 208;
inline constexpr char16_t kCaption[] = u"繰り返し";
inline constexpr char16_t kUnitLabel[] = u"繰り返し";
inline constexpr const char16_t* kUnitTexts[] = { u"なし", u"日指定", u"週指定", u"月指定", u"年指定", u"カスタム" };
inline constexpr char16_t kIntervalLabel[] = u"繰り返し間隔";
inline constexpr char16_t kDayRangeLabel[] = u"日付";
inline constexpr char16_t kRangeMark[] = u"～";
inline constexpr char16_t kDayUnit[] = u"日";
inline constexpr char16_t kPositionModeText[] = u"位置指定";
inline constexpr const char16_t* kWeekTexts[] = { u"第1週", u"第2週", u"第3週", u"第4週", u"最終週" };
inline constexpr const char16_t* kWeekdayTexts[] = { u"日曜", u"月曜", u"火曜", u"水曜", u"木曜", u"金曜", u"土曜" };
inline constexpr const char16_t* kMonthTexts[]
    = { u"1月", u"2月", u"3月", u"4月", u"5月", u"6月", u"7月", u"8月", u"9月", u"10月", u"11月", u"12月" };
inline constexpr char16_t kMonthLabel[] = u"月";
inline constexpr char16_t kCustomText[] = u"カスタム...";
inline constexpr char16_t kPeriodText[] = u"期間(&S)...";
} // namespace repeatdialog

// The shortest period, in whole calendar days from the first day to the last, a rule of each
// repeat type may run over: none, daily, weekly, monthly, yearly, custom.
inline constexpr int kMinimumRepeatDays[] = { 0, 1, 7, 30, 365, 30 };

// The repetition of a schedule: its unit and interval, the day range or the week and weekday of
// the month, the months, and the period it runs over.
class RepeatDialog final : public DialogLogic {
public:
    explicit RepeatDialog(RepeatDialogValues values);
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    // The values as OK left them; the flags are those of the rule, the period may have moved.
    [[nodiscard]] const RepeatDialogValues& Values() const { return values_; }

private:
    void ShowChoices(DialogHost& host) const;
    void UpdateEnabling(DialogHost& host) const;
    void EditCustom(DialogHost& host);
    void EditPeriod(const DialogHost& host);

    DialogResource resource_;
    RepeatDialogValues values_;
};

} // namespace kal
