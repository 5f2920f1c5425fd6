#include "dialogs/AvoidDayDialog.h"

#include "dialogs/ButtonTexts.h"
#include "store/KalData.h"

namespace kal {

using namespace avoiddaydialog;

AvoidDayDialog::AvoidDayDialog(std::uint32_t avoidDays)
    : avoidDays_(avoidDays)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kExplanation, {}, 0, 0, 1, 2 },
        { kSaturday, ControlKind::CheckBox, kSaturdayText, {}, 1, 0 },
        { kSunday, ControlKind::CheckBox, kSundayText, {}, 2, 0 },
        { kHoliday, ControlKind::CheckBox, kHolidayText, {}, 3, 0 },
        { kShowDayBefore, ControlKind::CheckBox, kShowDayBeforeText, {}, 4, 0 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 5, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 5, 1 },
    };
}

void AvoidDayDialog::OnInit(DialogHost& host)
{
    host.SetChecked(kSaturday, (avoidDays_ & avoid::kSaturday) != 0);
    host.SetChecked(kSunday, (avoidDays_ & avoid::kSunday) != 0);
    host.SetChecked(kHoliday, (avoidDays_ & avoid::kHoliday) != 0);
    // The box says what happens to an avoided day; the bit says the opposite (drop it).
    host.SetChecked(kShowDayBefore, (avoidDays_ & avoid::kDrop) == 0);
}

bool AvoidDayDialog::OnOk(DialogHost& host)
{
    std::uint32_t bits = 0;
    if (host.IsChecked(kSaturday))
        bits |= avoid::kSaturday;
    if (host.IsChecked(kSunday))
        bits |= avoid::kSunday;
    if (host.IsChecked(kHoliday))
        bits |= avoid::kHoliday;
    if (!host.IsChecked(kShowDayBefore))
        bits |= avoid::kDrop;
    avoidDays_ = bits;
    return true;
}

} // namespace kal
