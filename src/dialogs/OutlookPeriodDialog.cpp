#include "dialogs/OutlookPeriodDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "ui/Ui.h"

namespace kal {

using namespace outlookperioddialog;

namespace {

constexpr PeriodFields kPeriod { kStart, kEnd, kStartCalendar, kEndCalendar, kCalendarLabel };

} // namespace

OutlookPeriodDialog::OutlookPeriodDialog(OutlookPeriod period)
    : period_(period)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = kPeriod.Rows();
    resource_.controls.push_back({ kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 });
    resource_.controls.push_back({ kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 });
}

void OutlookPeriodDialog::OnInit(DialogHost& host)
{
    kPeriod.Show(host, period_);
}

void OutlookPeriodDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification == Notification::Clicked)
        (void)kPeriod.OnClicked(host, id);
}

bool OutlookPeriodDialog::OnOk(DialogHost& host)
{
    const std::optional<DateRange> read = kPeriod.Read(host);
    if (!read)
        return false;
    period_ = *read;
    return true;
}

std::optional<OutlookPeriod> AskOutlookPeriod(OutlookPeriod period)
{
    OutlookPeriodDialog dialog(period);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Period();
}

} // namespace kal
