#include "calendar/Holidays.h"

#include "calendar/CivilDate.h"

#include <cstdint>

namespace kal {

namespace {

constexpr int kMonday = 1;

// floor((year - 1980) / 4), rounding toward minus infinity so years before 1980 count back correctly.
std::int64_t LeapCycles(int year)
{
    const int offset = year - 1980;
    return offset >= 0 ? offset / 4 : -((-offset + 3) / 4);
}

// Integer forms of 20.8431 + 0.242194 (y - 1980) - floor((y - 1980) / 4), and the same with 23.2488,
// exact for every year where the result is positive.
int EquinoxDay(int year, std::int64_t offset)
{
    return static_cast<int>((242194LL * year - 1000000LL * LeapCycles(year) - offset) / 1000000LL);
}

bool IsMondayInWeek(int year, int month, int day, int weekIndex)
{
    return WeekdayOf(year, month, day) == kMonday && (day - 1) / 7 == weekIndex;
}

} // namespace

int SpringEquinoxDay(int year)
{
    return EquinoxDay(year, 458701020LL);
}
int AutumnEquinoxDay(int year)
{
    return EquinoxDay(year, 456295320LL);
}

bool IsFixedHoliday(int year, int month, int day)
{
    static constexpr int kFixed[][2]
        = { { 1, 1 }, { 2, 11 }, { 4, 29 }, { 5, 3 }, { 5, 4 }, { 5, 5 }, { 11, 3 }, { 11, 23 }, { 12, 23 } };
    for (const auto& fixed : kFixed) {
        if (fixed[0] == month && fixed[1] == day)
            return true;
    }
    if (month == 1 || month == 10) {
        if (year < 2000 ? (month == 1 && day == 15) || (month == 10 && day == 10) : IsMondayInWeek(year, month, day, 1))
            return true;
    }
    if (month == 7 || month == 9) {
        if (year < 2003) {
            if ((month == 9 && day == 15) || (year > 1995 && month == 7 && day == 20))
                return true;
        } else if (IsMondayInWeek(year, month, day, 2)) {
            return true;
        }
    }
    return (month == 3 && day == SpringEquinoxDay(year)) || (month == 9 && day == AutumnEquinoxDay(year));
}

bool IsHolidayOrSubstitute(int year, int month, int day, SundayCounts sundayCounts)
{
    const int weekday = WeekdayOf(year, month, day);
    if (sundayCounts == SundayCounts::Yes && weekday == 0)
        return true;
    if (IsFixedHoliday(year, month, day))
        return true;
    if (weekday != kMonday)
        return false;
    const CivilDate before = CivilFromDays(DaysFromCivil(year, month, day) - 1);
    return IsFixedHoliday(before.year, before.month, before.day);
}

} // namespace kal
