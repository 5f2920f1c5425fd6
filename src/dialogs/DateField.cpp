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

} // namespace kal
