#include "dialogs/ExclusionDayDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"

namespace kal {

using namespace exclusiondaydialog;

ExclusionDayDialog::ExclusionDayDialog(CDTime day)
    : day_(day)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kDateLabel, {}, 0, 0 },
        { kDate, ControlKind::Edit, {}, {}, 0, 1 },
        { kBrowse, ControlKind::PushButton, kBrowseText, {}, 0, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 1, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 1, 1 },
    };
}

void ExclusionDayDialog::OnInit(DialogHost& host)
{
    host.SetText(kDate, DateText(day_));
}

void ExclusionDayDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id == kBrowse && notification == Notification::Clicked)
        PickDateInto(host, kDate);
}

bool ExclusionDayDialog::OnOk(DialogHost& host)
{
    const std::optional<CDTime> day = ReadDateField(host, kDate, kEnterValidDate);
    if (!day)
        return false;
    day_ = *day;
    return true;
}

} // namespace kal
