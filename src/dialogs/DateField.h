#pragma once

namespace kal {

class DialogHost;

// The calendar button beside a date field: opens the date picker on the field's date (read without
// clamping the year; today when it does not read) and, when a day is picked, writes its date text
// into the field. True when a day was picked.
bool PickDateInto(DialogHost& host, int editId);

} // namespace kal
