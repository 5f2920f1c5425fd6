#pragma once

#include "calendar/DTime.h"

#include <vector>

namespace kal {

class DayListing;
struct ListedDay;

// Adds to the freshly listed `count` days of a month view beginning at `first` the holidays that no
// stored rule can express: the spring and autumn equinox days and the citizens' holidays (when the
// listing's options ask for them), then the substitute holidays (likewise). The listing owns what is
// made here until its next month view.
void GenerateHolidays(DayListing& listing, std::vector<ListedDay>& days, CDTime first, int count);

} // namespace kal
