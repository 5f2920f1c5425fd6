#include "dialogs/AlarmDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/NumberText.h"
#include "ui/Ui.h"

namespace kal {

AlarmDialog::AlarmDialog(int minutes)
    : minutes_(minutes)
{
    using namespace alarmdialog;
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource minutesEdit { kMinutes, ControlKind::NumberEdit, {}, {}, 1, 0 };
    minutesEdit.number = NumberRule { NumberRule::Sign::Signed };
    resource_.controls = {
        { kAlarmOn, ControlKind::CheckBox, kAlarmOnLabel, {}, 0, 0, 1, 2 },
        minutesEdit,
        { 0, ControlKind::Label, kMinutesLabel, {}, 1, 1 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
}

void AlarmDialog::OnInit(DialogHost& host)
{
    using namespace alarmdialog;
    const bool on = minutes_ != -1;
    host.SetChecked(kAlarmOn, on);
    host.SetText(kMinutes, NumberText(minutes_));
    host.Enable(kMinutes, on);
    if (on)
        host.SetFocus(kMinutes);
}

void AlarmDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    using namespace alarmdialog;
    if (id != kAlarmOn || notification != Notification::Clicked)
        return;
    const bool on = host.IsChecked(kAlarmOn);
    // A ticked alarm at "-1 minutes" would read back as no alarm at all.
    if (on && host.Number(kMinutes) == -1)
        host.SetText(kMinutes, NumberText(0));
    host.Enable(kMinutes, on);
}

bool AlarmDialog::OnOk(DialogHost& host)
{
    using namespace alarmdialog;
    minutes_ = host.IsChecked(kAlarmOn) ? host.Number(kMinutes).value_or(0) : -1;
    return true;
}

std::optional<int> AskAlarm(int minutes)
{
    AlarmDialog dialog(minutes);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Minutes();
}

} // namespace kal
