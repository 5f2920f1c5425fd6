#include "dialogs/ContinuousCopyDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/NumberText.h"
#include "ui/Ui.h"

#include <iterator>
#include <vector>

namespace kal {

namespace {

using namespace continuouscopydialog;

constexpr int kUnitCount = static_cast<int>(std::size(kUnits));
static_assert(std::size(kIntervalUnits) == std::size(kUnits));

ControlResource UnsignedField(int id, int row)
{
    ControlResource control { id, ControlKind::NumberEdit, {}, {}, row, 1 };
    control.number = NumberRule { NumberRule::Sign::Unsigned };
    return control;
}

} // namespace

ContinuousCopyDialog::ContinuousCopyDialog()
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kUnitLabel, {}, 0, 0 },
        { kUnit, ControlKind::DropDownList, {}, std::vector<std::u16string>(std::begin(kUnits), std::end(kUnits)), 0,
            1 },
        { 0, ControlKind::Label, kIntervalLabel, {}, 1, 0 },
        UnsignedField(kInterval, 1),
        { kIntervalUnit, ControlKind::Label, kIntervalUnits[0], {}, 1, 2 },
        { 0, ControlKind::Label, kCountLabel, {}, 2, 0 },
        UnsignedField(kCount, 2),
        { 0, ControlKind::Label, kTimesLabel, {}, 2, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 3, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 3, 1 },
    };
}

void ContinuousCopyDialog::OnInit(DialogHost& host)
{
    host.SetSelection(kUnit, 0);
    host.SetText(kIntervalUnit, kIntervalUnits[0]);
    host.SetText(kInterval, NumberText(0));
    host.SetText(kCount, NumberText(0));
}

void ContinuousCopyDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id != kUnit || notification != Notification::SelectionChanged)
        return;
    const int unit = host.Selection(kUnit);
    if (unit >= 0 && unit < kUnitCount)
        host.SetText(kIntervalUnit, kIntervalUnits[unit]);
}

bool ContinuousCopyDialog::OnOk(DialogHost& host)
{
    const int unit = host.Selection(kUnit);
    copy_.unit = static_cast<ContinuousCopy::Unit>(unit >= 0 && unit < kUnitCount ? unit : 0);
    copy_.interval = host.Number(kInterval).value_or(0);
    copy_.count = host.Number(kCount).value_or(0);
    return true;
}

std::optional<ContinuousCopy> AskContinuousCopy()
{
    ContinuousCopyDialog dialog;
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Copy();
}

} // namespace kal
