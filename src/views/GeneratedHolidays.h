#pragma once

namespace kal {

class CMonthGrid;

// Adds to a freshly filled grid the holidays that no stored rule can express: the spring and autumn
// equinox days and the citizens' holidays (when "Holiday"/"Shunbun" is on), then the substitute
// holidays (when "Holiday"/"Hurikae" is on). The grid owns what is made here until its next fill.
void GenerateHolidays(CMonthGrid& grid);

} // namespace kal
