#include "dialogs/ExclusionPeriodDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"

namespace kal {

using namespace exclusionperioddialog;

ExclusionPeriodDialog::ExclusionPeriodDialog(CDTime start, CDTime end)
    : period_ { start, end }
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kStartLabel, {}, 0, 0 },
        { kStart, ControlKind::Edit, {}, {}, 0, 1 },
        { kBrowseStart, ControlKind::PushButton, kBrowseText, {}, 0, 2 },
        { 0, ControlKind::Label, kEndLabel, {}, 1, 0 },
        { kEnd, ControlKind::Edit, {}, {}, 1, 1 },
        { kBrowseEnd, ControlKind::PushButton, kBrowseText, {}, 1, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
}

void ExclusionPeriodDialog::OnInit(DialogHost& host)
{
    host.SetText(kStart, DateText(period_.first));
    host.SetText(kEnd, DateText(period_.last));
}

void ExclusionPeriodDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification != Notification::Clicked)
        return;
    if (id == kBrowseStart)
        PickDateInto(host, kStart);
    else if (id == kBrowseEnd)
        PickDateInto(host, kEnd);
}

bool ExclusionPeriodDialog::OnOk(DialogHost& host)
{
    const std::optional<DateRange> read = ReadPeriodFields(host, kStart, kEnterValidStart, kEnd, kEnterValidEnd);
    if (read)
        period_ = *read;
    return read.has_value();
}

} // namespace kal
