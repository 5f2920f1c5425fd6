#include "calendar/Holidays.h"
#include "calendar/CivilDate.h"
#include "calendar/DTime.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
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

// "YYYY/MM/DD name" lines of the independently made list, keyed by day number.
std::map<long long, std::string> ReadNationalHolidays()
{
    std::map<long long, std::string> holidays;
    const auto list = ReadWholeFile(std::string(KAL_TEST_DATA_DIR) + "/national-holidays.txt");
    if (!list)
        return holidays;
    std::string_view rest = *list;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        int year = 0, month = 0, day = 0;
        if (line.size() > 11
            && std::sscanf(std::string(line.substr(0, 10)).c_str(), "%d/%d/%d", &year, &month, &day) == 3)
            holidays[DaysFromCivil(year, month, day)] = std::string(line.substr(11));
    }
    return holidays;
}

std::string DateText(const CivilDate& date)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// Every day from 1980 to 2036 against the list: the holiday test is true exactly on its days, the
// national holiday test on its days but the substitute and citizens' holidays, and with Sundays
// counted also on every Sunday.
TEST(Holidays, EveryDayFrom1980To2036MatchesTheNationalHolidayList)
{
    const std::map<long long, std::string> listed = ReadNationalHolidays();
    ASSERT_GT(listed.size(), 900u);
    std::vector<std::string> wrong;
    for (long long days = DaysFromCivil(1980, 1, 1); days <= DaysFromCivil(2036, 12, 31); ++days) {
        const CivilDate date = CivilFromDays(days);
        const auto found = listed.find(days);
        const bool holiday = found != listed.end();
        const bool derived = holiday && (found->second == "振替休日" || found->second == "国民の休日");
        const bool sunday = WeekdayOf(date.year, date.month, date.day) == 0;
        if (IsHolidayOrSubstitute(date.year, date.month, date.day, SundayCounts::No) != holiday)
            wrong.push_back(DateText(date) + (holiday ? " missed" : " extra"));
        if (IsHolidayOrSubstitute(date.year, date.month, date.day, SundayCounts::Yes) != (holiday || sunday))
            wrong.push_back(DateText(date) + " with Sundays");
        if (IsFixedHoliday(date.year, date.month, date.day) != (holiday && !derived))
            wrong.push_back(DateText(date) + (holiday && !derived ? " national missed" : " national extra"));
    }
    EXPECT_EQ(wrong, std::vector<std::string> {});
}

// The years before the list: substitutes start with the law of 1973-04-12, and the holidays of the
// later laws are not there yet.
TEST(Holidays, TheSeventies)
{
    struct Case {
        int year, month, day;
        bool national, holiday;
    };
    const Case cases[] = {
        { 1972, 2, 11, true, true }, { 1972, 3, 20, true, true }, { 1972, 9, 15, true, true },
        { 1972, 10, 10, true, true }, { 1972, 7, 20, false, false }, { 1972, 12, 23, false, false },
        { 1973, 2, 11, true, true }, // a Sunday before the substitute law
        { 1973, 2, 12, false, false }, { 1973, 4, 29, true, true }, // a Sunday after it
        { 1973, 4, 30, false, true }, { 1975, 9, 24, true, true }, { 1976, 3, 20, true, true },
        { 1976, 5, 4, false, false }, // between two holidays, before the citizens' holiday law
        { 1979, 3, 21, true, true }, { 1979, 9, 24, true, true },
        { 1979, 9, 23, false, false }, // a Sunday, not that year's equinox day
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsFixedHoliday(c.year, c.month, c.day), c.national) << c.year << '-' << c.month << '-' << c.day;
        EXPECT_EQ(IsHolidayOrSubstitute(c.year, c.month, c.day, SundayCounts::No), c.holiday)
            << c.year << '-' << c.month << '-' << c.day;
    }
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
