#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class CKalData;
class CKalFieldArray;
class DayListing;
struct ListedDay;

// Adds to the freshly listed `count` days of a month view beginning at `first` the holidays that no
// stored rule can express: the spring and autumn equinox days and the citizens' holidays (when the
// listing's options ask for them), then the substitute holidays (likewise). The listing owns what is
// made here until its next month view.
void GenerateHolidays(DayListing& listing, std::vector<ListedDay>& days, CDTime first, int count);

// Which of those holidays the month views work out, as the user's options choose.
struct GeneratedHolidayKinds {
    bool equinox = true; // the equinox days and the citizens' holidays
    bool substitute = true;
};

// Whether a holiday's name is one of those the month views give the holidays they work out.
[[nodiscard]] bool IsGeneratedHolidayName(std::u16string_view name);

// Calls `visit` for every holiday the month views work out for themselves from `period.first` to
// `period.last` (dates, both included), in the order of the days, given the stored holidays among
// `entries` (the others make no difference to them and are passed over) and the genres they belong to.
using GeneratedHolidayVisit = std::function<void(CDTime day, const std::u16string& name)>;
void ForEachGeneratedHoliday(std::span<const CKalData* const> entries, const CKalFieldArray& genres, DateRange period,
    GeneratedHolidayKinds kinds, const GeneratedHolidayVisit& visit);

} // namespace kal
