#include "dialogs/RepeatDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/RepeatCustomDialog.h"
#include "dialogs/RepeatPeriodDialog.h"
#include "platform/Text.h"
#include "store/RepeatExpansion.h"
#include "ui/Ui.h"

#include <algorithm>

namespace kal {

using namespace repeatdialog;

namespace {

template <std::size_t N> std::vector<std::u16string> Items(const char16_t* const (&texts)[N])
{
    return std::vector<std::u16string>(std::begin(texts), std::end(texts));
}

// The index of the last set flag, or nothing when none is set.
template <std::size_t N> std::optional<int> LastSet(const std::array<std::uint8_t, N>& flags)
{
    for (std::size_t i = N; i-- > 0;) {
        if (flags[i] != 0)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

template <std::size_t N> void SetOnly(std::array<std::uint8_t, N>& flags, int index)
{
    flags.fill(0);
    if (index >= 0 && index < static_cast<int>(N))
        flags[static_cast<std::size_t>(index)] = 1;
}

int CalendarDays(CDTime first, CDTime last)
{
    const LocalFields a = first.Fields();
    const LocalFields b = last.Fields();
    return DayNumber(b.year, b.month, b.day) - DayNumber(a.year, a.month, a.day);
}

} // namespace

RepeatDialog::RepeatDialog(RepeatDialogValues values)
    : values_(std::move(values))
{
    const std::vector<std::u16string> days = DayRangeItems();
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kUnitLabel, {}, 0, 0 },
        { kUnit, ControlKind::DropDownList, {}, Items(kUnitTexts), 0, 1 },
        { kCustom, ControlKind::PushButton, kCustomText, {}, 0, 2, 1, 3 },
        { 0, ControlKind::Label, kIntervalLabel, {}, 1, 0 },
        { kInterval, ControlKind::NumberEdit, {}, {}, 1, 1, 1, 1, 0, NumberRule { NumberRule::Sign::Unsigned } },
        { 0, ControlKind::Label, kDayRangeLabel, {}, 2, 0 },
        { kDayFrom, ControlKind::ComboBox, {}, days, 2, 1 },
        { 0, ControlKind::Label, kRangeMark, {}, 2, 2 },
        { kDayTo, ControlKind::ComboBox, {}, days, 2, 3 },
        { 0, ControlKind::Label, kDayUnit, {}, 2, 4 },
        { kPositionMode, ControlKind::CheckBox, kPositionModeText, {}, 3, 0 },
        { kWeek, ControlKind::DropDownList, {}, Items(kWeekTexts), 3, 1 },
        { kWeekday, ControlKind::DropDownList, {}, Items(kWeekdayTexts), 3, 2, 1, 3 },
        { 0, ControlKind::Label, kMonthLabel, {}, 4, 0 },
        { kMonth, ControlKind::DropDownList, {}, Items(kMonthTexts), 4, 1 },
        { kPeriod, ControlKind::PushButton, kPeriodText, {}, 5, 0 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 6, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 6, 1 },
    };
}

void RepeatDialog::OnInit(DialogHost& host)
{
    host.SetSelection(kUnit, std::clamp(values_.repeatType, 0, static_cast<int>(std::size(kUnitTexts)) - 1));
    host.SetText(kDayFrom, values_.dayFrom);
    host.SetText(kDayTo, values_.dayTo);
    host.SetText(kInterval, IntText(values_.interval));
    host.SetChecked(kPositionMode, values_.positionMode);
    ShowChoices(host);
    UpdateEnabling(host);
}

// The week, weekday and month lists show the rule's own choice where it has one, else those of the
// period's first day.
void RepeatDialog::ShowChoices(DialogHost& host) const
{
    const LocalFields first = values_.period.first.Fields();
    int week = (first.day - 1) / 7; // [0, 4]: days 29-31 are in the last week
    int weekday = first.weekday;
    int month = first.month - 1;
    const int unit = values_.repeatType;
    if ((unit == repeat::kMonthly || unit == repeat::kYearly) && values_.positionMode) {
        week = LastSet(values_.weeks).value_or(week);
        weekday = LastSet(values_.weekdays).value_or(weekday);
        if (unit == repeat::kYearly)
            month = LastSet(values_.months).value_or(month);
    }
    host.SetSelection(kWeek, week);
    host.SetSelection(kWeekday, weekday);
    host.SetSelection(kMonth, month);
}

void RepeatDialog::UpdateEnabling(DialogHost& host) const
{
    const int unit = host.Selection(kUnit);
    const bool position = host.IsChecked(kPositionMode);
    const bool byDate = unit == repeat::kMonthly || unit == repeat::kYearly;
    host.Enable(kInterval, unit >= repeat::kDaily && unit <= repeat::kYearly);
    host.Enable(kCustom, unit == repeat::kCustom);
    host.Enable(kDayFrom, byDate && !position);
    host.Enable(kDayTo, byDate && !position);
    host.Enable(kPositionMode, byDate);
    host.Enable(kWeek, byDate && position);
    host.Enable(kWeekday, unit == repeat::kWeekly || (byDate && position));
    host.Enable(kMonth, unit == repeat::kYearly && position);
}

void RepeatDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id == kUnit && notification == Notification::SelectionChanged) {
        UpdateEnabling(host);
        if (host.Selection(kUnit) == repeat::kCustom)
            EditCustom(host);
        return;
    }
    if (notification != Notification::Clicked)
        return;
    if (id == kPositionMode)
        UpdateEnabling(host);
    else if (id == kCustom)
        EditCustom(host);
    else if (id == kPeriod)
        EditPeriod(host);
}

void RepeatDialog::EditCustom(DialogHost& host)
{
    RepeatDialogValues current = values_;
    current.positionMode = host.IsChecked(kPositionMode);
    current.dayFrom = host.Text(kDayFrom);
    current.dayTo = host.Text(kDayTo);
    RepeatCustomDialog dialog(current);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return;
    const RepeatDialogValues& chosen = dialog.Values();
    values_.weeks = chosen.weeks;
    values_.weekdays = chosen.weekdays;
    values_.months = chosen.months;
    host.SetChecked(kPositionMode, chosen.positionMode);
    host.SetText(kDayFrom, chosen.dayFrom);
    host.SetText(kDayTo, chosen.dayTo);
    UpdateEnabling(host);
}

// The year methods of the period dialog depend on the unit as it is chosen now.
void RepeatDialog::EditPeriod(const DialogHost& host)
{
    RepeatPeriodDialog dialog(values_.period.first, values_.period.last, std::max(host.Selection(kUnit), 0));
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return;
    values_.period.first = dialog.Start();
    values_.period.last = dialog.End();
}

bool RepeatDialog::OnOk(DialogHost& host)
{
    RepeatDialogValues chosen = values_;
    chosen.repeatType = std::max(host.Selection(kUnit), 0);
    chosen.dayFrom = host.Text(kDayFrom);
    chosen.dayTo = host.Text(kDayTo);
    // A disabled interval is not checked on OK and keeps what the rule had.
    chosen.interval = host.Number(kInterval).value_or(values_.interval);
    chosen.positionMode = host.IsChecked(kPositionMode);
    const int week = host.Selection(kWeek);
    const int weekday = host.Selection(kWeekday);
    chosen.month = std::max(host.Selection(kMonth), 0) + 1;

    const int unit = chosen.repeatType;
    if (unit != repeat::kCustom)
        chosen.months.fill(1);
    if ((unit == repeat::kMonthly || unit == repeat::kYearly) && chosen.positionMode) {
        SetOnly(chosen.weeks, week);
        SetOnly(chosen.weekdays, weekday);
        if (unit == repeat::kYearly)
            SetOnly(chosen.months, chosen.month - 1);
    }

    // Whole calendar days, so that a day made shorter or longer by a clock change still counts as one.
    if (CalendarDays(chosen.period.first, chosen.period.last) < kMinimumRepeatDays[unit]) {
        RepeatPeriodDialog dialog(chosen.period.first, chosen.period.last, unit);
        if (Ui::Current().RunDialog(dialog) != kIdOk)
            return false;
        chosen.period.first = dialog.Start();
        chosen.period.last = dialog.End();
    }

    if (unit == repeat::kWeekly && weekday >= 0) {
        const LocalFields first = chosen.period.first.Fields();
        chosen.period.first = CDTime(first.year, first.month, first.day + (weekday - first.weekday + 7) % 7);
    }
    values_ = chosen;
    return true;
}

} // namespace kal
