#include "dialogs/DateField.h"

#include "dialogs/DatePickerDialog.h"
#include "ui/Ui.h"

namespace kal {

bool PickDateInto(DialogHost& host, int editId)
{
    const std::optional<CDTime> typed = ParseDate(host.Text(editId), YearClamp::Off);
    DatePickerDialog dialog(typed.value_or(CDTime::Now()));
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return false;
    host.SetText(editId, DateText(dialog.Date()));
    return true;
}

bool RefuseField(DialogHost& host, int id, std::u16string_view message)
{
    Ui::Current().ShowMessage(message);
    host.SetFocus(id);
    return false;
}

std::optional<CDTime> ReadDateField(DialogHost& host, int editId, std::u16string_view message)
{
    const std::optional<CDTime> date = ParseDate(host.Text(editId), YearClamp::Off);
    if (!date)
        RefuseField(host, editId, message);
    return date;
}

std::optional<DateRange> ReadPeriodFields(
    DialogHost& host, int startId, std::u16string_view startMessage, int endId, std::u16string_view endMessage)
{
    const std::optional<CDTime> typedStart = ReadDateField(host, startId, startMessage);
    if (!typedStart)
        return std::nullopt;
    const std::optional<CDTime> typedEnd = ReadDateField(host, endId, endMessage);
    if (!typedEnd)
        return std::nullopt;
    return DateRange { *typedStart, *typedEnd };
}

std::optional<DateRange> ReadOrderedPeriodFields(
    DialogHost& host, int startId, std::u16string_view startMessage, int endId, std::u16string_view endMessage)
{
    const std::optional<DateRange> typed = ReadPeriodFields(host, startId, startMessage, endId, endMessage);
    if (!typed)
        return std::nullopt;
    if (typed->last < typed->first) {
        (void)RefuseField(host, endId, endMessage);
        return std::nullopt;
    }
    return typed;
}

std::vector<ControlResource> PeriodFields::Rows(int row) const
{
    return {
        { 0, ControlKind::Label, periodfield::kStartLabel, {}, row, 0 },
        { start, ControlKind::Edit, {}, {}, row, 1 },
        { startCalendar, ControlKind::PushButton, std::u16string(calendarLabel), {}, row, 2 },
        { 0, ControlKind::Label, periodfield::kEndLabel, {}, row + 1, 0 },
        { end, ControlKind::Edit, {}, {}, row + 1, 1 },
        { endCalendar, ControlKind::PushButton, std::u16string(calendarLabel), {}, row + 1, 2 },
    };
}

void PeriodFields::Show(DialogHost& host, DateRange period) const
{
    host.SetText(start, DateText(period.first));
    host.SetText(end, DateText(period.last));
}

bool PeriodFields::OnClicked(DialogHost& host, int id) const
{
    if (id != startCalendar && id != endCalendar)
        return false;
    (void)PickDateInto(host, id == startCalendar ? start : end);
    return true;
}

std::optional<DateRange> PeriodFields::Read(DialogHost& host) const
{
    return ReadOrderedPeriodFields(host, start, periodfield::kInvalidStart, end, periodfield::kInvalidEnd);
}

} // namespace kal
