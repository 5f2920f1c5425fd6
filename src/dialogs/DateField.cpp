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

} // namespace kal
