#include "TestEnvironment.h"

#include "calendar/CalendarTexts.h"
#include "calendar/DTime.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

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

TEST_F(DTimeTest, FieldsComeFromLocalTime)
{
    const CDTime t(2005, 7, 3, 9, 5, 7);
    const LocalFields f = t.Fields();
    EXPECT_EQ(f.year, 2005);
    EXPECT_EQ(f.month, 7);
    EXPECT_EQ(f.day, 3);
    EXPECT_EQ(f.hour, 9);
    EXPECT_EQ(f.minute, 5);
    EXPECT_EQ(f.second, 7);
    EXPECT_EQ(f.weekday, 0);
    {
        // Tokyo is nine hours ahead of UTC.
        const test::ScopedTimeZone tokyo("Asia/Tokyo");
        EXPECT_EQ(CDTime(1970, 1, 1, 9, 0, 0).Seconds(), 0u);
    }
    // Out-of-range fields are normalised.
    EXPECT_EQ(CDTime(2005, 1, 32), CDTime(2005, 2, 1));
    EXPECT_EQ(CDTime(2005, 13, 1), CDTime(2006, 1, 1));
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

TEST_F(DTimeTest, NowComesFromTheClock)
{
    clock_.Set(CDTime(2010, 4, 1, 12, 0, 0).Seconds());
    EXPECT_EQ(Text(CDTime::Now()), u"2010/04/01 12:00:00");
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
