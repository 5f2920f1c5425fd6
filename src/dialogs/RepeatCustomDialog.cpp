#include "dialogs/RepeatCustomDialog.h"

#include "dialogs/ButtonTexts.h"

namespace kal {

using namespace repeatcustomdialog;

namespace {

constexpr int kMonthsPerRow = 6;

template <std::size_t N> void ShowFlags(DialogHost& host, const int (&ids)[N], const std::array<std::uint8_t, N>& flags)
{
    for (std::size_t i = 0; i < N; ++i)
        host.SetChecked(ids[i], flags[i] != 0);
}

template <std::size_t N> void TakeFlags(const DialogHost& host, const int (&ids)[N], std::array<std::uint8_t, N>& flags)
{
    for (std::size_t i = 0; i < N; ++i)
        flags[i] = host.IsChecked(ids[i]) ? 1 : 0;
}

int MonthId(std::size_t month)
{
    return kFirstMonth + static_cast<int>(month);
}

} // namespace

RepeatCustomDialog::RepeatCustomDialog(RepeatDialogValues values)
    : values_(std::move(values))
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    std::vector<ControlResource>& controls = resource_.controls;
    for (std::size_t i = 0; i < std::size(kWeeks); ++i)
        controls.push_back({ kWeeks[i], ControlKind::CheckBox, kWeekTexts[i], {}, 0, static_cast<int>(i) });
    for (std::size_t i = 0; i < std::size(kWeekdays); ++i)
        controls.push_back({ kWeekdays[i], ControlKind::CheckBox, kWeekdayTexts[i], {}, 1, static_cast<int>(i) });
    for (std::size_t i = 0; i < std::size(kMonthTexts); ++i) {
        const int row = 2 + static_cast<int>(i) / kMonthsPerRow;
        controls.push_back(
            { MonthId(i), ControlKind::CheckBox, kMonthTexts[i], {}, row, static_cast<int>(i) % kMonthsPerRow });
    }
    const std::vector<std::u16string> days = DayRangeItems();
    controls.push_back({ kPositionMode, ControlKind::CheckBox, kPositionModeText, {}, 4, 0, 1, 2 });
    controls.push_back({ kDayFrom, ControlKind::ComboBox, {}, days, 5, 0, 1, 2 });
    controls.push_back({ 0, ControlKind::Label, kRangeMark, {}, 5, 2 });
    controls.push_back({ kDayTo, ControlKind::ComboBox, {}, days, 5, 3, 1, 2 });
    controls.push_back({ 0, ControlKind::Label, kDayUnit, {}, 5, 5 });
    controls.push_back({ kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 6, 0 });
    controls.push_back({ kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 6, 1 });
}

void RepeatCustomDialog::OnInit(DialogHost& host)
{
    ShowFlags(host, kWeeks, values_.weeks);
    ShowFlags(host, kWeekdays, values_.weekdays);
    for (std::size_t i = 0; i < values_.months.size(); ++i)
        host.SetChecked(MonthId(i), values_.months[i] != 0);
    host.SetChecked(kPositionMode, values_.positionMode);
    host.SetText(kDayFrom, values_.dayFrom);
    host.SetText(kDayTo, values_.dayTo);
    UpdateEnabling(host);
}

void RepeatCustomDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id == kPositionMode && notification == Notification::Clicked)
        UpdateEnabling(host);
}

void RepeatCustomDialog::UpdateEnabling(DialogHost& host) const
{
    const bool position = host.IsChecked(kPositionMode);
    host.Enable(kDayFrom, !position);
    host.Enable(kDayTo, !position);
    for (const int id : kWeeks)
        host.Enable(id, position);
    for (const int id : kWeekdays)
        host.Enable(id, position);
}

bool RepeatCustomDialog::OnOk(DialogHost& host)
{
    TakeFlags(host, kWeeks, values_.weeks);
    TakeFlags(host, kWeekdays, values_.weekdays);
    for (std::size_t i = 0; i < values_.months.size(); ++i)
        values_.months[i] = host.IsChecked(MonthId(i)) ? 1 : 0;
    values_.positionMode = host.IsChecked(kPositionMode);
    values_.dayFrom = host.Text(kDayFrom);
    values_.dayTo = host.Text(kDayTo);
    return true;
}

} // namespace kal
