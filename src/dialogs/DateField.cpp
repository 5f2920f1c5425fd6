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

bool ReadPeriodFields(DialogHost& host, int startId, std::u16string_view startMessage, int endId,
    std::u16string_view endMessage, CDTime& start, CDTime& end)
{
    const std::optional<CDTime> typedStart = ReadDateField(host, startId, startMessage);
    if (!typedStart)
        return false;
    const std::optional<CDTime> typedEnd = ReadDateField(host, endId, endMessage);
    if (!typedEnd)
        return false;
    start = *typedStart;
    end = *typedEnd;
    return true;
}

bool ReadOrderedPeriodFields(DialogHost& host, int startId, std::u16string_view startMessage, int endId,
    std::u16string_view endMessage, CDTime& start, CDTime& end)
{
    CDTime typedStart;
    CDTime typedEnd;
    if (!ReadPeriodFields(host, startId, startMessage, endId, endMessage, typedStart, typedEnd))
        return false;
    if (typedEnd < typedStart)
        return RefuseField(host, endId, endMessage);
    start = typedStart;
    end = typedEnd;
    return true;
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

void PeriodFields::Show(DialogHost& host, CDTime startDate, CDTime endDate) const
{
    host.SetText(start, DateText(startDate));
    host.SetText(end, DateText(endDate));
}

bool PeriodFields::OnClicked(DialogHost& host, int id) const
{
    if (id != startCalendar && id != endCalendar)
        return false;
    (void)PickDateInto(host, id == startCalendar ? start : end);
    return true;
}

bool PeriodFields::Read(DialogHost& host, CDTime& startDate, CDTime& endDate) const
{
    return ReadOrderedPeriodFields(
        host, start, periodfield::kInvalidStart, end, periodfield::kInvalidEnd, startDate, endDate);
}

} // namespace kal
