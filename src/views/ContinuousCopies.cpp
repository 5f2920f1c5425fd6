#include "views/ContinuousCopies.h"

#include "calendar/CivilDate.h"
#include "calendar/DTime.h"

namespace kal {

namespace {

// The last day users work with; a copy after it could not be shown or reached.
constexpr CivilDate kLastDay { 2036, 12, 31 };
constexpr CivilDate kFirstDay { 1972, 1, 1 };
// With an interval of 0 every copy lands on the same day: no more of them than the range has days.
constexpr long long kMostCopies = DaysFromCivil(kLastDay.year, kLastDay.month, kLastDay.day)
    - DaysFromCivil(kFirstDay.year, kFirstDay.month, kFirstDay.day) + 1;

// `date` moved by `interval` units; days past a month's end run on into the next month. Wide
// integers: an interval near the int limit must not wrap round to an early date.
long long StepDays(const CivilDate& date, ContinuousCopy::Unit unit, long long interval)
{
    switch (unit) {
    case ContinuousCopy::Unit::Day:
        return DaysFromCivil(date.year, date.month, date.day) + interval;
    case ContinuousCopy::Unit::Week:
        return DaysFromCivil(date.year, date.month, date.day) + 7 * interval;
    case ContinuousCopy::Unit::Month:
    case ContinuousCopy::Unit::Year: {
        const long long months = unit == ContinuousCopy::Unit::Month ? interval : 12 * interval;
        const long long monthIndex = date.month - 1 + months; // months after January of date.year
        const long long year = date.year + monthIndex / 12;
        if (year > kLastDay.year)
            return DaysFromCivil(kLastDay.year + 1, 1, 1);
        return DaysFromCivil(static_cast<int>(year), static_cast<int>(monthIndex % 12) + 1, date.day);
    }
    }
    return DaysFromCivil(date.year, date.month, date.day);
}

} // namespace

ContinuousCopies MakeContinuousCopies(const CKalData& entry, const ContinuousCopy& copy)
{
    ContinuousCopies made;
    const LocalFields start = entry.start.Fields();
    const LocalFields end = entry.end.Fields();
    const long long endDays
        = DaysFromCivil(end.year, end.month, end.day) - DaysFromCivil(start.year, start.month, start.day);
    const long long lastDay = DaysFromCivil(kLastDay.year, kLastDay.month, kLastDay.day);
    CivilDate date { start.year, start.month, start.day };
    for (int k = 1; k <= copy.count; ++k) {
        const long long day = StepDays(date, copy.unit, copy.interval);
        if (day > lastDay || k > kMostCopies) {
            made.cutShort = true;
            break;
        }
        date = CivilFromDays(day);
        CKalData& copied = made.copies.emplace_back(entry);
        copied.start = CDTime(date.year, date.month, date.day, start.hour, start.minute, start.second);
        const CivilDate endDate = CivilFromDays(day + endDays);
        copied.end = CDTime(endDate.year, endDate.month, endDate.day, end.hour, end.minute, end.second);
    }
    return made;
}

} // namespace kal
