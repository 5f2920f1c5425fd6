#include "dialogs/ExclusionDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/ExclusionDayDialog.h"
#include "dialogs/ExclusionPeriodDialog.h"
#include "ui/Ui.h"

#include <algorithm>
#include <cstdio>

namespace kal {

using namespace exclusiondialog;

namespace {

std::u16string DateOf(int year, int month, int day)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%d/%02d/%02d", year, month, day);
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

ExclusionPeriod PeriodOf(CDTime start, CDTime end)
{
    const LocalFields s = start.Fields();
    const LocalFields e = end.Fields();
    return ExclusionPeriod { s.year, s.month, s.day, e.year, e.month, e.day };
}

} // namespace

std::u16string ExclusionText(const ExclusionPeriod& period)
{
    std::u16string text = DateOf(period.startYear, period.startMonth, period.startDay);
    if (!period.IsSingleDay())
        text += u" ～ " + DateOf(period.endYear, period.endMonth, period.endDay);
    return text;
}

ExclusionDialog::ExclusionDialog(std::vector<ExclusionPeriod> exclusions)
    : exclusions_(std::move(exclusions))
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { kList, ControlKind::ListBox, {}, {}, 0, 0, 5, 1, 0, {}, Size { 26, 8 } },
        { kAddDay, ControlKind::PushButton, kAddDayText, {}, 0, 1 },
        { kAddPeriod, ControlKind::PushButton, kAddPeriodText, {}, 1, 1 },
        { kEdit, ControlKind::PushButton, kEditText, {}, 2, 1 },
        { kDelete, ControlKind::PushButton, kDeleteText, {}, 3, 1 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 5, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 5, 1 },
    };
}

void ExclusionDialog::OnInit(DialogHost& host)
{
    Refill(host, 0);
}

void ExclusionDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id == kList && notification == Notification::DoubleClicked) {
        EditSelected(host);
        return;
    }
    if (notification != Notification::Clicked)
        return;
    switch (id) {
    case kAddDay:
        AddDay(host);
        break;
    case kAddPeriod:
        AddPeriod(host);
        break;
    case kEdit:
        EditSelected(host);
        break;
    case kDelete:
        DeleteSelected(host);
        break;
    default:
        break;
    }
}

void ExclusionDialog::Refill(DialogHost& host, int select)
{
    std::vector<std::u16string> rows;
    rows.reserve(exclusions_.size());
    for (const ExclusionPeriod& period : exclusions_)
        rows.push_back(ExclusionText(period));
    host.SetItems(kList, rows);
    // An empty list selects nothing.
    host.SetSelection(kList, std::min(select, static_cast<int>(rows.size()) - 1));
}

int ExclusionDialog::SelectedRow(const DialogHost& host) const
{
    const int row = host.Selection(kList);
    return row >= 0 && row < static_cast<int>(exclusions_.size()) ? row : -1;
}

void ExclusionDialog::AddDay(DialogHost& host)
{
    ExclusionDayDialog dialog(DateOnly(CDTime::Now()));
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return;
    exclusions_.push_back(PeriodOf(dialog.Day(), dialog.Day()));
    Refill(host, static_cast<int>(exclusions_.size()) - 1);
}

void ExclusionDialog::AddPeriod(DialogHost& host)
{
    const CDTime today = DateOnly(CDTime::Now());
    ExclusionPeriodDialog dialog(today, today);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return;
    exclusions_.push_back(PeriodOf(dialog.Start(), dialog.End()));
    Refill(host, static_cast<int>(exclusions_.size()) - 1);
}

void ExclusionDialog::EditSelected(DialogHost& host)
{
    const int row = SelectedRow(host);
    if (row < 0)
        return;
    ExclusionPeriod& period = exclusions_[static_cast<std::size_t>(row)];
    ExclusionPeriodDialog dialog(CDTime(period.startYear, period.startMonth, period.startDay),
        CDTime(period.endYear, period.endMonth, period.endDay));
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return;
    period = PeriodOf(dialog.Start(), dialog.End());
    Refill(host, row);
}

void ExclusionDialog::DeleteSelected(DialogHost& host)
{
    const int row = SelectedRow(host);
    if (row < 0 || !Ui::Current().AskYesNo(kAskDelete))
        return;
    exclusions_.erase(exclusions_.begin() + row);
    Refill(host, std::max(row - 1, 0));
}

} // namespace kal
