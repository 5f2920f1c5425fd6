#include "dialogs/YearMonthDayDialog.h"

#include "calendar/DTime.h"
#include "dialogs/ButtonTexts.h"
#include "dialogs/NumberText.h"
#include "ui/Ui.h"

namespace kal {

namespace {

using namespace yearmonthdaydialog;

ControlResource SpinField(int id, int row, int minimum, int maximum)
{
    ControlResource control { id, ControlKind::SpinEdit, {}, {}, row, 1 };
    control.number = NumberRule { NumberRule::Sign::Signed, true, minimum, maximum };
    return control;
}

} // namespace

YearMonthDayDialog::YearMonthDayDialog(CivilDate initial)
    : date_(initial)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    // What OK accepts as numbers is wider than the calendar; the date check after it narrows it.
    resource_.controls = {
        { 0, ControlKind::Label, kYearLabel, {}, 0, 0 },
        SpinField(kYear, 0, 1000, 9998),
        { 0, ControlKind::Label, kMonthLabel, {}, 1, 0 },
        SpinField(kMonth, 1, 1, 12),
        { 0, ControlKind::Label, kDayLabel, {}, 2, 0 },
        SpinField(kDay, 2, 1, 31),
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 3, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 3, 1 },
    };
}

void YearMonthDayDialog::OnInit(DialogHost& host)
{
    // The arrows stay within the dates the program works with, so they never lead to a refusal.
    host.SetRange(kYear, kFirstYear, kLastYear);
    host.SetRange(kMonth, 1, 12);
    host.SetText(kYear, NumberText(date_.year));
    host.SetText(kMonth, NumberText(date_.month));
    host.SetText(kDay, NumberText(date_.day));
    const bool known = date_.month >= 1 && date_.month <= 12;
    host.SetRange(kDay, 1, known ? DaysInMonth(date_.year, date_.month) : 31);
}

void YearMonthDayDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification == Notification::TextChanged && (id == kMonth || id == kYear))
        FitDayToMonth(host);
}

// A day the month does not have becomes its last, and the day's arrows stop there. Years are only
// heeded once they are whole (a year being typed passes through "2" and "20").
void YearMonthDayDialog::FitDayToMonth(DialogHost& host) const
{
    const std::optional<int> month = host.Number(kMonth);
    if (!month || *month < 1 || *month > 12)
        return;
    const std::optional<int> typedYear = host.Number(kYear);
    const int year = typedYear && *typedYear >= kFirstYear && *typedYear <= kLastYear ? *typedYear : date_.year;
    const int length = DaysInMonth(year, *month);
    if (const std::optional<int> day = host.Number(kDay); day && *day > length)
        host.SetText(kDay, NumberText(length));
    host.SetRange(kDay, 1, length);
}

bool YearMonthDayDialog::OnOk(DialogHost& host)
{
    const int year = host.Number(kYear).value_or(0);
    const int month = host.Number(kMonth).value_or(0);
    const int day = host.Number(kDay).value_or(0);
    if (!IsValidDate(year, month, day)) {
        Ui::Current().ShowMessage(kInvalidDate);
        host.SetFocus(kDay);
        return false;
    }
    date_ = CivilDate { year, month, day };
    return true;
}

std::optional<CivilDate> AskYearMonthDay(CivilDate initial)
{
    YearMonthDayDialog dialog(initial);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Date();
}

} // namespace kal
