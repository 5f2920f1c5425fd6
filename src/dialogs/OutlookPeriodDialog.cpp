#include "dialogs/OutlookPeriodDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "ui/Ui.h"

namespace kal {

using namespace outlookperioddialog;

OutlookPeriodDialog::OutlookPeriodDialog(OutlookPeriod period)
    : period_(period)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kStartLabel, {}, 0, 0 },
        { kStart, ControlKind::Edit, {}, {}, 0, 1 },
        { kStartCalendar, ControlKind::PushButton, kCalendarLabel, {}, 0, 2 },
        { 0, ControlKind::Label, kEndLabel, {}, 1, 0 },
        { kEnd, ControlKind::Edit, {}, {}, 1, 1 },
        { kEndCalendar, ControlKind::PushButton, kCalendarLabel, {}, 1, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
}

void OutlookPeriodDialog::OnInit(DialogHost& host)
{
    host.SetText(kStart, DateText(period_.start));
    host.SetText(kEnd, DateText(period_.end));
}

void OutlookPeriodDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification != Notification::Clicked)
        return;
    if (id == kStartCalendar)
        (void)PickDateInto(host, kStart);
    else if (id == kEndCalendar)
        (void)PickDateInto(host, kEnd);
}

bool OutlookPeriodDialog::OnOk(DialogHost& host)
{
    return ReadOrderedPeriodFields(host, kStart, kInvalidStart, kEnd, kInvalidEnd, period_.start, period_.end);
}

std::optional<OutlookPeriod> AskOutlookPeriod(OutlookPeriod period)
{
    OutlookPeriodDialog dialog(period);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Period();
}

} // namespace kal
