#include "calendar/Holidays.h"
#include "calendar/CivilDate.h"
#include "calendar/DTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kal {
namespace {

std::vector<int> HolidaysOfMonth(int year, int month)
{
    std::vector<int> days;
    for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        if (IsFixedHoliday(year, month, day))
            days.push_back(day);
    }
    return days;
}

// The published approximation, computed in floating point as written.
int PublishedEquinox(double base, int year)
{
    return static_cast<int>(base + 0.242194 * (year - 1980) - static_cast<int>((year - 1980) / 4));
}

TEST(Holidays, EquinoxDaysMatchThePublishedFormula)
{
    for (int year = 1980; year <= 2036; ++year) {
        EXPECT_EQ(SpringEquinoxDay(year), PublishedEquinox(20.8431, year)) << year;
        EXPECT_EQ(AutumnEquinoxDay(year), PublishedEquinox(23.2488, year)) << year;
    }
    // Before 1980 the cycle count is rounded toward minus infinity; these are the days that were
    // proclaimed.
    const int spring1972[] = { 20, 21, 21, 21, 20, 21, 21, 21 };
    const int autumn1972[] = { 23, 23, 23, 24, 23, 23, 23, 24 };
    for (int year = 1972; year < 1980; ++year) {
        EXPECT_EQ(SpringEquinoxDay(year), spring1972[year - 1972]) << year;
        EXPECT_EQ(AutumnEquinoxDay(year), autumn1972[year - 1972]) << year;
    }
}

TEST(Holidays, MarchHasExactlyTheSpringEquinox)
{
    for (int year = 1972; year <= 2036; ++year)
        EXPECT_EQ(HolidaysOfMonth(year, 3), std::vector<int> { SpringEquinoxDay(year) }) << year;
}

TEST(Holidays, KnownDays)
{
    EXPECT_TRUE(IsFixedHoliday(2005, 3, 20));
    EXPECT_TRUE(IsFixedHoliday(2005, 9, 23));
    EXPECT_TRUE(IsFixedHoliday(2012, 9, 22));
    EXPECT_TRUE(IsFixedHoliday(1979, 3, 21));
    EXPECT_TRUE(IsFixedHoliday(1979, 9, 24));
    EXPECT_FALSE(IsFixedHoliday(2005, 3, 21));
    // The table holds in every year.
    EXPECT_TRUE(IsFixedHoliday(1980, 12, 23));
    EXPECT_TRUE(IsFixedHoliday(1980, 5, 4));
    EXPECT_TRUE(IsFixedHoliday(2030, 12, 23));
    EXPECT_FALSE(IsFixedHoliday(2005, 12, 24));
}

TEST(Holidays, ComingOfAgeAndSportsDayMoveToMondaysIn2000)
{
    EXPECT_TRUE(IsFixedHoliday(1999, 1, 15));
    EXPECT_TRUE(IsFixedHoliday(1999, 10, 10));
    EXPECT_FALSE(IsFixedHoliday(1999, 1, 11)); // a second Monday, but before 2000
    EXPECT_TRUE(IsFixedHoliday(2000, 1, 10));
    EXPECT_FALSE(IsFixedHoliday(2000, 1, 15));
    EXPECT_TRUE(IsFixedHoliday(2000, 10, 9));
    EXPECT_FALSE(IsFixedHoliday(2000, 10, 10));
    EXPECT_FALSE(IsFixedHoliday(2000, 1, 3)); // first Monday
    EXPECT_FALSE(IsFixedHoliday(2000, 1, 17)); // third Monday
    // Every year from 2000 has exactly one January Monday holiday between the 8th and the 14th.
    for (int year = 2000; year <= 2036; ++year) {
        const std::vector<int> january = HolidaysOfMonth(year, 1);
        ASSERT_EQ(january.size(), 2u) << year;
        EXPECT_EQ(january[0], 1);
        EXPECT_GE(january[1], 8);
        EXPECT_LE(january[1], 14);
        EXPECT_EQ(WeekdayOf(year, 1, january[1]), 1);
    }
}

TEST(Holidays, MarineDayAndRespectForTheAgedMoveToMondaysIn2003)
{
    EXPECT_TRUE(IsFixedHoliday(2002, 7, 20));
    EXPECT_TRUE(IsFixedHoliday(2002, 9, 15));
    EXPECT_TRUE(IsFixedHoliday(2003, 7, 21));
    EXPECT_TRUE(IsFixedHoliday(2003, 9, 15)); // the third Monday happens to be the 15th
    EXPECT_FALSE(IsFixedHoliday(2003, 7, 20));
    EXPECT_FALSE(IsFixedHoliday(1995, 7, 20));
    EXPECT_TRUE(IsFixedHoliday(1996, 7, 20));
    EXPECT_TRUE(HolidaysOfMonth(1990, 7).empty());
    EXPECT_EQ(HolidaysOfMonth(2004, 9), (std::vector<int> { 20, 23 }));
    EXPECT_EQ(HolidaysOfMonth(2026, 7), (std::vector<int> { 20 }));
}

TEST(Holidays, SubstituteIsTheMondayAfterAFixedHoliday)
{
    EXPECT_TRUE(IsHolidayOrSubstitute(2005, 3, 21, SundayCounts::No)); // after Sunday 3/20
    EXPECT_TRUE(IsHolidayOrSubstitute(2005, 3, 20, SundayCounts::No));
    EXPECT_FALSE(IsHolidayOrSubstitute(2005, 3, 22, SundayCounts::No));
    // A Monday after an ordinary Sunday is not a holiday; with SundayCounts every Sunday is.
    EXPECT_FALSE(IsHolidayOrSubstitute(2005, 3, 27, SundayCounts::No));
    EXPECT_FALSE(IsHolidayOrSubstitute(2005, 3, 28, SundayCounts::No));
    EXPECT_TRUE(IsHolidayOrSubstitute(2005, 3, 27, SundayCounts::Yes));
    EXPECT_FALSE(IsHolidayOrSubstitute(2005, 3, 26, SundayCounts::Yes));
    // The day before is taken across a month and a year boundary.
    EXPECT_TRUE(IsHolidayOrSubstitute(2012, 1, 2, SundayCounts::No)); // Sunday 2012-01-01
    EXPECT_TRUE(IsHolidayOrSubstitute(2006, 1, 2, SundayCounts::No)); // Sunday 2006-01-01
    EXPECT_TRUE(IsHolidayOrSubstitute(2017, 1, 2, SundayCounts::No));
    EXPECT_FALSE(IsHolidayOrSubstitute(2018, 1, 2, SundayCounts::No)); // a Tuesday
}

TEST(CivilDate, RoundTripsAndWeekdays)
{
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(WeekdayOf(1970, 1, 1), 4);
    EXPECT_EQ(WeekdayOf(1969, 12, 28), 0);
    EXPECT_EQ(WeekdayOf(2005, 7, 3), 0);
    EXPECT_EQ(WeekdayOf(2036, 12, 31), 3);
    for (long long days = DaysFromCivil(1971, 1, 1); days <= DaysFromCivil(2037, 1, 1); days += 17) {
        const CivilDate date = CivilFromDays(days);
        EXPECT_EQ(DaysFromCivil(date.year, date.month, date.day), days);
    }
}

} // namespace
} // namespace kal
