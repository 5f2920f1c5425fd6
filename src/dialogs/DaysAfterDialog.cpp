#include "dialogs/DaysAfterDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"

namespace kal {

DaysAfterDialog::DaysAfterDialog()
{
    using namespace daysafterdialog;
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { kDays, ControlKind::NumberEdit, {}, {}, 0, 0 },
        { 0, ControlKind::Label, kDaysLabel, {}, 0, 1 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 1, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 1, 1 },
    };
}

void DaysAfterDialog::OnInit(DialogHost& host)
{
    host.SetFocus(daysafterdialog::kDays);
}

bool DaysAfterDialog::OnOk(DialogHost& host)
{
    days_ = host.Number(daysafterdialog::kDays).value_or(0);
    return true;
}

std::optional<int> AskDaysAfter()
{
    DaysAfterDialog dialog;
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Days();
}

} // namespace kal
