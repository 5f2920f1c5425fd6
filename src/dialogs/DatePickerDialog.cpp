#include "dialogs/DatePickerDialog.h"

#include "dialogs/ButtonTexts.h"

namespace kal {

namespace {

using namespace datepickerdialog;

// Seven columns of two digits with room to aim at, and rows tall enough to tap.
constexpr Size kCalendarCells { 34, 17 };

} // namespace

DatePickerDialog::DatePickerDialog(CDTime initial)
    : date_(initial)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource calendar { kCalendar, ControlKind::Custom, {}, {}, 0, 0, 1, 3 };
    calendar.cells = kCalendarCells;
    resource_.controls = {
        calendar,
        { kToday, ControlKind::PushButton, kTodayLabel, {}, 1, 0 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 1, 1 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancelNarrow, {}, 1, 2 },
    };
}

void DatePickerDialog::OnInit(DialogHost& host)
{
    calendar_.SetDate(date_);
    host.SetFocus(kCalendar);
}

void DatePickerDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification != Notification::Clicked)
        return;
    switch (id) {
    case kToday:
        calendar_.SetDate(CDTime::Now());
        host.SetFocus(kCalendar);
        break;
    case kNextMonth:
        calendar_.NextMonth();
        break;
    case kPreviousMonth:
        calendar_.PreviousMonth();
        break;
    default:
        break;
    }
}

CustomControl* DatePickerDialog::Custom(int id)
{
    return id == kCalendar ? &calendar_ : nullptr;
}

bool DatePickerDialog::OnOk(DialogHost& host)
{
    (void)host;
    date_ = calendar_.GetDate();
    return true;
}

} // namespace kal
