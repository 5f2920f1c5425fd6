#include "calendar/Holidays.h"

#include "calendar/CivilDate.h"

#include <cstdint>

namespace kal {

namespace {

constexpr int kSunday = 0;
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

enum class On { Date, SecondMonday, ThirdMonday, Equinox };

struct HolidayRule {
    int firstYear; // inclusive
    int lastYear; // inclusive
    int month; // 1-12
    On on;
    int day = 0; // day of the month, for On::Date only
};

constexpr int kInForce = 9999;

// One row per holiday and period of its law. A holiday whose date changed has one row per date;
// a new name on the same date (4/29) needs no new row.
constexpr HolidayRule kRules[] = {
    { 1949, kInForce, 1, On::Date, 1 }, // 元日
    { 1949, 1999, 1, On::Date, 15 }, // 成人の日
    { 2000, kInForce, 1, On::SecondMonday },
    { 1967, kInForce, 2, On::Date, 11 }, // 建国記念の日
    { 2020, kInForce, 2, On::Date, 23 }, // 天皇誕生日
    { 1949, kInForce, 3, On::Equinox },
    { 1949, kInForce, 4, On::Date, 29 }, // 天皇誕生日, みどりの日 from 1989, 昭和の日 from 2007
    { 1949, kInForce, 5, On::Date, 3 }, // 憲法記念日
    { 2007, kInForce, 5, On::Date, 4 }, // みどりの日
    { 1949, kInForce, 5, On::Date, 5 }, // こどもの日
    { 1996, 2002, 7, On::Date, 20 }, // 海の日
    { 2003, 2019, 7, On::ThirdMonday },
    { 2022, kInForce, 7, On::ThirdMonday },
    { 2016, 2019, 8, On::Date, 11 }, // 山の日
    { 2022, kInForce, 8, On::Date, 11 },
    { 1966, 2002, 9, On::Date, 15 }, // 敬老の日
    { 2003, kInForce, 9, On::ThirdMonday },
    { 1948, kInForce, 9, On::Equinox },
    { 1966, 1999, 10, On::Date, 10 }, // 体育の日
    { 2000, 2019, 10, On::SecondMonday },
    { 2022, kInForce, 10, On::SecondMonday }, // スポーツの日
    { 1948, kInForce, 11, On::Date, 3 }, // 文化の日
    { 1948, kInForce, 11, On::Date, 23 }, // 勤労感謝の日
    { 1989, 2018, 12, On::Date, 23 }, // 天皇誕生日
    // The Games moved 海の日, スポーツの日 and 山の日 in these two years only; the regular rows skip them.
    { 2020, 2020, 7, On::Date, 23 },
    { 2020, 2020, 7, On::Date, 24 },
    { 2020, 2020, 8, On::Date, 10 },
    { 2021, 2021, 7, On::Date, 22 },
    { 2021, 2021, 7, On::Date, 23 },
    { 2021, 2021, 8, On::Date, 8 },
    // One-off days, each set by its own law for an imperial event.
    { 1959, 1959, 4, On::Date, 10 },
    { 1989, 1989, 2, On::Date, 24 },
    { 1990, 1990, 11, On::Date, 12 },
    { 1993, 1993, 6, On::Date, 9 },
    { 2019, 2019, 5, On::Date, 1 },
    { 2019, 2019, 10, On::Date, 22 },
};

bool Matches(const HolidayRule& rule, int year, int month, int day)
{
    if (year < rule.firstYear || year > rule.lastYear || month != rule.month)
        return false;
    switch (rule.on) {
    case On::Date:
        return day == rule.day;
    case On::SecondMonday:
        return WeekdayOf(year, month, day) == kMonday && (day - 1) / 7 == 1;
    case On::ThirdMonday:
        return WeekdayOf(year, month, day) == kMonday && (day - 1) / 7 == 2;
    case On::Equinox:
        return day == (month == 3 ? SpringEquinoxDay(year) : AutumnEquinoxDay(year));
    }
    return false;
}

bool IsNationalHoliday(long long days)
{
    const CivilDate date = CivilFromDays(days);
    return IsFixedHoliday(date.year, date.month, date.day);
}

bool IsSundayAt(long long days)
{
    const CivilDate date = CivilFromDays(days);
    return WeekdayOf(date.year, date.month, date.day) == kSunday;
}

constexpr long long kSubstitutesFrom = DaysFromCivil(1973, 4, 12);
constexpr long long kCitizensHolidaysFrom = DaysFromCivil(1985, 12, 27);
// From 2007 a substitute skips the national holidays that follow the Sunday, and a Sunday between
// two national holidays becomes a citizens' holiday too.
constexpr long long kLaw2007 = DaysFromCivil(2007, 1, 1);

// For a day that is not itself a national holiday: whether a national holiday on a Sunday passes its
// day off on to it, looking back over the unbroken run of national holidays before it.
bool IsSubstitute(long long days)
{
    for (long long before = days - 1; IsNationalHoliday(before); --before) {
        if (IsSundayAt(before))
            return before >= kSubstitutesFrom && (before == days - 1 || before >= kLaw2007);
    }
    return false;
}

// For a day that is not itself a national holiday. Until 2006 the law also left out substitute
// holidays, which are holidays anyway.
bool IsCitizensHoliday(long long days)
{
    return days >= kCitizensHolidaysFrom && IsNationalHoliday(days - 1) && IsNationalHoliday(days + 1)
        && (days >= kLaw2007 || !IsSundayAt(days));
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
    for (const HolidayRule& rule : kRules) {
        if (Matches(rule, year, month, day))
            return true;
    }
    return false;
}

bool IsHolidayOrSubstitute(int year, int month, int day, SundayCounts sundayCounts)
{
    if (sundayCounts == SundayCounts::Yes && WeekdayOf(year, month, day) == kSunday)
        return true;
    if (IsFixedHoliday(year, month, day))
        return true;
    const long long days = DaysFromCivil(year, month, day);
    return IsSubstitute(days) || IsCitizensHoliday(days);
}

} // namespace kal
