#pragma once

#include "dialogs/RepeatEditing.h"
#include "ui/DialogHost.h"

namespace kal {

namespace repeatcustomdialog {
inline constexpr int kResourceId = 152;
inline constexpr int kWeeks[] = { 177, 178, 179, 180, 181 }; // first ... last week
inline constexpr int kWeekdays[] = { 188, 182, 183, 184, 185, 186, 187 }; // Sunday first
inline constexpr int kFirstMonth = 189; // January; the months follow up to 200, December
inline constexpr int kPositionMode = 201;
inline constexpr int kDayFrom = 207;
inline constexpr int kDayTo = 208;
inline constexpr char16_t kCaption[] = u"繰り返しのカスタム設定";
inline constexpr const char16_t* kWeekTexts[] = { u"第１週", u"第２週", u"第３週", u"第４週", u"最終週" };
inline constexpr const char16_t* kWeekdayTexts[] = { u"日曜", u"月曜", u"火曜", u"水曜", u"木曜", u"金曜", u"土曜" };
inline constexpr const char16_t* kMonthTexts[]
    = { u"1月", u"2月", u"3月", u"4月", u"5月", u"6月", u"7月", u"8月", u"9月", u"10月", u"11月", u"12月" };
inline constexpr char16_t kPositionModeText[] = u"位置指定";
inline constexpr char16_t kRangeMark[] = u"～";
inline constexpr char16_t kDayUnit[] = u"日";
} // namespace repeatcustomdialog

// Any mix of weeks, weekdays and months, or a day range, for a custom repetition. It changes the
// flags, the position flag and the day range of the values it is given, nothing else.
class RepeatCustomDialog final : public DialogLogic {
public:
    explicit RepeatCustomDialog(RepeatDialogValues values);
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const RepeatDialogValues& Values() const { return values_; }

private:
    void UpdateEnabling(DialogHost& host) const;

    DialogResource resource_;
    RepeatDialogValues values_;
};

} // namespace kal
