#include "TestEnvironment.h"

#include "calendar/CalendarTexts.h"
#include "calendar/DTime.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kal {
namespace {

using test::TestEnvironment;

std::u16string Text(CDTime t)
{
    return t.Format(u"%Y/%m/%d %H:%M:%S");
}

class DTimeTest : public TestEnvironment { };

TEST(DTimeCalendar, DaysInMonthFollowsTheGregorianLeapRule)
{
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(2005, 2), 28);
    EXPECT_EQ(DaysInMonth(2005, 4), 30);
    EXPECT_EQ(DaysInMonth(2005, 12), 31);
}

TEST(DTimeCalendar, ValidDatesRunFrom1972To2036)
{
    EXPECT_FALSE(IsValidDate(1971, 12, 31));
    EXPECT_FALSE(IsValidDate(2037, 1, 1));
    EXPECT_TRUE(IsValidDate(1972, 1, 1));
    EXPECT_TRUE(IsValidDate(2036, 12, 31));
    EXPECT_FALSE(IsValidDate(2005, 2, 29));
    EXPECT_TRUE(IsValidDate(2004, 2, 29));
    EXPECT_FALSE(IsValidDate(2005, 0, 1));
    EXPECT_FALSE(IsValidDate(2005, 13, 1));
    EXPECT_FALSE(IsValidDate(2005, 1, 0));
}

TEST(DTimeCalendar, DayNumberCountsFrom1972)
{
    EXPECT_EQ(DayNumber(1972, 1, 1), 0);
    EXPECT_EQ(DayNumber(1973, 1, 1), 366);
    EXPECT_EQ(DayNumber(2036, 12, 31), 23741);
    EXPECT_EQ(DayNumber(1971, 12, 31), -1);
}

TEST_F(DTimeTest, FieldsAndOutOfRangeFieldsCarry)
{
    const LocalFields f = CDTime(2005, 7, 3, 9, 5, 7).Fields();
    EXPECT_EQ((std::array { f.year, f.month, f.day, f.hour, f.minute, f.second, f.weekday }),
        (std::array { 2005, 7, 3, 9, 5, 7, 0 }));
    struct Case {
        CDTime made;
        const char16_t* expected;
    } const cases[] = {
        { CDTime(2005, 1, 32), u"2005/02/01 00:00:00" },
        { CDTime(2005, 13, 1), u"2006/01/01 00:00:00" },
        { CDTime(2005, 0, 1), u"2004/12/01 00:00:00" },
        { CDTime(2005, -13, 1), u"2003/11/01 00:00:00" },
        { CDTime(2005, 3, 0), u"2005/02/28 00:00:00" },
        { CDTime(2004, 3, -1), u"2004/02/28 00:00:00" },
        { CDTime(2005, 1, 1, -1, 0), u"2004/12/31 23:00:00" },
        { CDTime(2005, 1, 1, 0, -1), u"2004/12/31 23:59:00" },
        { CDTime(2005, 7, 3, 23, 59, 61), u"2005/07/04 00:00:01" },
        { CDTime(2005, 7, 3, 48, 0), u"2005/07/05 00:00:00" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(c.made), c.expected);
}

// A date and time of the file is the wall clock as written, whatever the machine's zone: times that a
// zone skips (the clock jumps from 00:00 to 01:00 in Santiago, Havana and Beirut, from 02:00 to 03:00
// in Berlin and New York, from 02:00 to 02:30 at Lord Howe) or shows twice keep their fields and
// texts, and a day step always reaches the same time of the next day.
TEST_F(DTimeTest, WallClockTimesStayAsWrittenInEveryZone)
{
    struct Case {
        int year, month, day, hour, minute;
        const char16_t* text;
        const char16_t* nextDay;
    } const cases[] = {
        { 2026, 9, 6, 0, 0, u"2026/09/06(日) 00:00", u"2026/09/07(月) 00:00" }, // Santiago skips
        { 2026, 9, 6, 0, 30, u"2026/09/06(日) 00:30", u"2026/09/07(月) 00:30" },
        { 2026, 4, 4, 23, 30, u"2026/04/04(土) 23:30", u"2026/04/05(日) 23:30" }, // Santiago repeats
        { 2026, 3, 29, 2, 30, u"2026/03/29(日) 02:30", u"2026/03/30(月) 02:30" }, // Berlin skips
        { 2026, 10, 25, 2, 30, u"2026/10/25(日) 02:30", u"2026/10/26(月) 02:30" }, // Berlin repeats
        { 2026, 3, 8, 2, 0, u"2026/03/08(日) 02:00", u"2026/03/09(月) 02:00" }, // New York skips
        { 2026, 3, 8, 0, 0, u"2026/03/08(日) 00:00", u"2026/03/09(月) 00:00" }, // Havana skips
        { 2026, 3, 29, 0, 30, u"2026/03/29(日) 00:30", u"2026/03/30(月) 00:30" }, // Beirut skips
        { 2026, 10, 4, 2, 15, u"2026/10/04(日) 02:15", u"2026/10/05(月) 02:15" }, // Lord Howe skips
        { 1972, 1, 1, 0, 0, u"1972/01/01(土) 00:00", u"1972/01/02(日) 00:00" },
        { 2036, 12, 31, 23, 59, u"2036/12/31(水) 23:59", u"2037/01/01(木) 23:59" },
    };
    std::vector<std::uint32_t> counts;
    for (const char* zoneName : { "Asia/Tokyo", "UTC", "Europe/Berlin", "America/New_York", "America/Santiago",
             "America/Havana", "Asia/Beirut", "Australia/Lord_Howe" }) {
        const test::ScopedTimeZone zone(zoneName);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            SCOPED_TRACE(std::string(zoneName) + " " + ToUtf8(c.text));
            const CDTime made(c.year, c.month, c.day, c.hour, c.minute);
            EXPECT_EQ(made.Format(u"%Y/%m/%d(%A) %H:%M"), c.text);
            EXPECT_EQ((made + CDTime::kDay).Format(u"%Y/%m/%d(%A) %H:%M"), c.nextDay);
            EXPECT_EQ((made + CDTime::kDay - CDTime::kDay), made);
            EXPECT_EQ(DateText(made) + u" " + TimeText(made), std::u16string(c.text).erase(10, 3));
            EXPECT_EQ(DateOnly(made) + c.hour * 3600 + c.minute * 60, made);
            const std::optional<CDTime> parsed = ParseDateTime(DateText(made), TimeText(made), YearClamp::Off);
            ASSERT_TRUE(parsed.has_value());
            EXPECT_EQ(*parsed, made);
            // The count itself is the same in every zone.
            if (counts.size() < std::size(cases))
                counts.push_back(made.Seconds());
            EXPECT_EQ(made.Seconds(), counts[i]);
        }
    }
}

TEST_F(DTimeTest, ArithmeticIsInSecondsAndDifferencesAreSigned)
{
    const CDTime a(2005, 3, 1);
    const CDTime b = a + CDTime::kDay;
    EXPECT_EQ(b, CDTime(2005, 3, 2));
    EXPECT_EQ(b - a, CDTime::kDay);
    EXPECT_EQ(a - b, -CDTime::kDay);
    EXPECT_EQ(a - CDTime::kWeek, CDTime(2005, 2, 22));
    CDTime c = a;
    c += 3600;
    c -= 60;
    EXPECT_EQ(Text(c), u"2005/03/01 00:59:00");
    EXPECT_LT(a, b);
    EXPECT_GE(b, a);
}

TEST_F(DTimeTest, DateOnlyAndComposeDate)
{
    const CDTime base(2005, 7, 3, 14, 25, 59);
    EXPECT_EQ(DateOnly(base), CDTime(2005, 7, 3));
    EXPECT_EQ(ComposeDate(2006, 2, 10, base), CDTime(2006, 2, 10, 14, 25, 0));
    EXPECT_EQ(ComposeDate(0, 0, 0, base), CDTime(2005, 7, 3, 14, 25, 0));
    EXPECT_EQ(ComposeDate(0, 12, 0, base), CDTime(2005, 12, 3, 14, 25, 0));
}

TEST_F(DTimeTest, MonthSteppingClampsToTheMonthEnd)
{
    struct Case {
        CDTime from;
        CDTime next;
        CDTime previous;
    };
    const Case cases[] = {
        { CDTime(2005, 1, 31), CDTime(2005, 2, 28), CDTime(2004, 12, 31) },
        { CDTime(2004, 1, 31), CDTime(2004, 2, 29), CDTime(2003, 12, 31) },
        { CDTime(2005, 12, 15), CDTime(2006, 1, 15), CDTime(2005, 11, 15) },
        { CDTime(2005, 3, 31), CDTime(2005, 4, 30), CDTime(2005, 2, 28) },
        { CDTime(2005, 1, 10), CDTime(2005, 2, 10), CDTime(2004, 12, 10) },
        { CDTime(2004, 3, 30, 8, 15, 10), CDTime(2004, 4, 30, 8, 15, 10), CDTime(2004, 2, 29, 8, 15, 10) },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(NextMonth(c.from)), Text(c.next)) << ToUtf8(Text(c.from));
        EXPECT_EQ(Text(PreviousMonth(c.from)), Text(c.previous)) << ToUtf8(Text(c.from));
    }
}

TEST_F(DTimeTest, DateAndTimeTexts)
{
    EXPECT_EQ(DateText(CDTime(2005, 7, 3, 23, 59)), u"2005/07/03");
    EXPECT_EQ(DateText(CDTime(2036, 12, 31)), u"2036/12/31");
    EXPECT_EQ(TimeText(CDTime(2005, 7, 3, 9, 5, 59)), u"09:05");
    EXPECT_EQ(TimeText(CDTime(2005, 7, 3, 23, 0)), u"23:00");
}

TEST_F(DTimeTest, ParseDateReadsYearsAndRanges)
{
    struct Case {
        const char16_t* text;
        YearClamp clamp;
        const char16_t* expected; // nullptr = fails
    };
    const Case cases[] = {
        { u"2005/07/03", YearClamp::Off, u"2005/07/03" },
        { u"05/7/3", YearClamp::Off, u"2005/07/03" },
        { u"2040/1/1", YearClamp::Off, nullptr },
        { u"2040/1/1", YearClamp::On, u"2036/01/01" },
        { u"1960/5/5", YearClamp::On, u"1972/05/05" },
        { u"2005/2/29", YearClamp::Off, nullptr },
        { u"2005/2/29", YearClamp::On, nullptr },
        { u"69/1/1", YearClamp::Off, nullptr },
        { u"69/1/1", YearClamp::On, u"1972/01/01" },
        { u"70/1/1", YearClamp::Off, nullptr },
        { u"70/1/1", YearClamp::On, u"1972/01/01" },
        { u"99/12/31", YearClamp::Off, u"1999/12/31" },
        { u"38/1/1", YearClamp::Off, nullptr },
        { u"38/1/1", YearClamp::On, u"2036/01/01" },
        { u"36/12/31", YearClamp::Off, u"2036/12/31" },
        { u"72/1/1", YearClamp::Off, u"1972/01/01" },
        { u"2005/07", YearClamp::Off, nullptr },
        { u"20050703", YearClamp::Off, nullptr },
        { u"", YearClamp::On, nullptr },
        { u"2005/13/1", YearClamp::On, nullptr },
        { u" 2005/ 7/ 3", YearClamp::Off, u"2005/07/03" },
        { u"2005/7/3 extra", YearClamp::Off, u"2005/07/03" },
    };
    for (const Case& c : cases) {
        const std::optional<CDTime> parsed = ParseDate(c.text, c.clamp);
        if (c.expected == nullptr) {
            EXPECT_FALSE(parsed.has_value()) << ToUtf8(c.text);
        } else {
            ASSERT_TRUE(parsed.has_value()) << ToUtf8(c.text);
            EXPECT_EQ(DateText(*parsed), c.expected) << ToUtf8(c.text);
            EXPECT_EQ(*parsed, DateOnly(*parsed));
        }
    }
}

TEST_F(DTimeTest, ParseDateTimeReadsEveryTimeForm)
{
    struct Case {
        const char16_t* time;
        const char16_t* expected; // nullptr = fails
    };
    const Case cases[] = {
        { u"7", u"2005/07/03 07:00:00" },
        { u"07", u"2005/07/03 07:00:00" },
        { u"1230", u"2005/07/03 12:30:00" },
        { u"0930", u"2005/07/03 09:30:00" },
        { u"9:5", u"2005/07/03 09:05:00" },
        { u"23:59:59", u"2005/07/03 23:59:59" },
        { u"0:0", u"2005/07/03 00:00:00" },
        { u"24:00", nullptr },
        { u"12:60", nullptr },
        { u"12:00:60", nullptr },
        { u"2400", nullptr },
        { u"1260", nullptr },
        { u"12a", nullptr },
        { u"123", nullptr },
        { u"", nullptr },
        { u"-1:00", nullptr },
        { u"1a:30", u"2005/07/03 01:30:00" },
    };
    for (const Case& c : cases) {
        const std::optional<CDTime> parsed = ParseDateTime(u"2005/7/3", c.time, YearClamp::Off);
        if (c.expected == nullptr) {
            EXPECT_FALSE(parsed.has_value()) << ToUtf8(c.time);
        } else {
            ASSERT_TRUE(parsed.has_value()) << ToUtf8(c.time);
            EXPECT_EQ(Text(*parsed), c.expected) << ToUtf8(c.time);
        }
    }
    EXPECT_FALSE(ParseDateTime(u"2005/2/30", u"10:00", YearClamp::On).has_value());
    EXPECT_EQ(Text(*ParseDateTime(u"1950/2/3", u"10:00", YearClamp::On)), u"1972/02/03 10:00:00");
}

TEST(DTimeParse, ParseHourMinute)
{
    ASSERT_TRUE(ParseHourMinute(u"9:05").has_value());
    EXPECT_EQ(ParseHourMinute(u"9:05")->hour, 9);
    EXPECT_EQ(ParseHourMinute(u"9:05")->minute, 5);
    EXPECT_EQ(ParseHourMinute(u"23:59")->hour, 23);
    EXPECT_FALSE(ParseHourMinute(u"0930").has_value());
    EXPECT_FALSE(ParseHourMinute(u"24:00").has_value());
    EXPECT_FALSE(ParseHourMinute(u"12:60").has_value());
    EXPECT_FALSE(ParseHourMinute(u"-1:00").has_value());
}

TEST_F(DTimeTest, FormatReplacesEveryCode)
{
    const CDTime t(2005, 7, 3, 9, 5, 7);
    EXPECT_EQ(t.Format(u"%Y/%m/%d(%A) %H:%M:%S"), u"2005/07/03(日) 09:05:07");
    EXPECT_EQ(t.Format(u"%a %b %B"), u"Sun Jul July");
    EXPECT_EQ(t.Format(u"100%% %Y/"), u"100% 2005/");
    EXPECT_EQ(t.Format(u"～%H:%M "), u"～09:05 ");
    EXPECT_EQ(CDTime(1999, 12, 31, 23, 0, 0).Format(u"%A %a %b %B"), u"金 Fri Dec December");
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(DTimeTest, FormatReportsUnknownCodesAndGoesOn)
{
    const CDTime t(2005, 7, 3, 9, 5, 7);
    EXPECT_EQ(t.Format(u"%Y-%q-%m"), u"2005--07");
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], texts::kFormatError);
    EXPECT_EQ(ui_.Messages()[0], u"CDTime:Format エラー");

    ui_.Clear();
    EXPECT_EQ(t.Format(u"%m/%"), u"07/");
    EXPECT_EQ(ui_.Messages().size(), 1u);
}

TEST_F(DTimeTest, SystemTimeCarriesLocalFields)
{
    const SystemTime s = CDTime(2036, 12, 31, 23, 59, 58).ToSystemTime();
    EXPECT_EQ(s.year, 2036);
    EXPECT_EQ(s.month, 12);
    EXPECT_EQ(s.day, 31);
    EXPECT_EQ(s.dayOfWeek, 3);
    EXPECT_EQ(s.hour, 23);
    EXPECT_EQ(s.minute, 59);
    EXPECT_EQ(s.second, 58);
    EXPECT_EQ(s.milliseconds, 0);
}

// Calendar operations must keep the wall clock where days are not always 24 hours long.
TEST_F(DTimeTest, CalendarOperationsHoldInAZoneWithDaylightSaving)
{
    test::ScopedTimeZone zone("America/New_York");
    // 2005-04-03 is the spring-forward day, 2005-10-30 the fall-back day.
    const CDTime march(2005, 3, 3, 1, 30, 0);
    EXPECT_EQ(Text(NextMonth(march)), u"2005/04/03 01:30:00");
    EXPECT_EQ(Text(NextMonth(CDTime(2005, 3, 31, 12, 0, 0))), u"2005/04/30 12:00:00");
    EXPECT_EQ(Text(PreviousMonth(CDTime(2005, 11, 30, 0, 0, 0))), u"2005/10/30 00:00:00");
    EXPECT_EQ(Text(PreviousMonth(CDTime(2005, 4, 15, 0, 0, 0))), u"2005/03/15 00:00:00");
    EXPECT_EQ(DateOnly(CDTime(2005, 4, 3, 23, 0, 0)), CDTime(2005, 4, 3));
    EXPECT_EQ(Text(DateOnly(CDTime(2005, 10, 30, 23, 0, 0))), u"2005/10/30 00:00:00");
    EXPECT_EQ(DayNumber(2005, 7, 1) - DayNumber(2005, 1, 1), 181);
    EXPECT_EQ(DayNumber(1973, 1, 1), 366);
    EXPECT_EQ(DateText(*ParseDate(u"2005/4/3", YearClamp::Off)), u"2005/04/03");
    EXPECT_EQ(Text(*ParseDateTime(u"2005/10/30", u"2330", YearClamp::Off)), u"2005/10/30 23:30:00");
    EXPECT_EQ(ComposeDate(2005, 7, 1, CDTime(2005, 1, 1, 8, 45, 0)).Format(u"%H:%M"), u"08:45");
}

} // namespace
} // namespace kal
