#include "TestEnvironment.h"

#include "calendar/CalendarTexts.h"
#include "platform/Text.h"
#include "store/KalData.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kal {
namespace {

using Days = std::vector<std::string>;

class RepeatExpansionTest : public test::TestEnvironment {
protected:
    // The days from `from` to `lastDay` (to its end) on which the entry occurs, as "YYYY/MM/DD".
    Days Expand(const CKalData& entry, CDTime from, CDTime lastDay)
    {
        const LocalFields first = from.Fields();
        const LocalFields last = lastDay.Fields();
        const CDTime to(last.year, last.month, last.day, 23, 59, 59);
        std::vector<std::uint8_t> marks(static_cast<std::size_t>(OccurrenceDays(from, to)), 0xCC);
        MarkOccurrences(entry, from, to, marks);
        Days days;
        for (std::size_t k = 0; k < marks.size(); ++k) {
            EXPECT_LE(marks[k], 1);
            if (marks[k])
                days.push_back(ToUtf8(DateText(CDTime(first.year, first.month, first.day + static_cast<int>(k)))));
        }
        return days;
    }
    Days ExpandMonth(const CKalData& entry, int year, int month)
    {
        return Expand(entry, CDTime(year, month, 1), CDTime(year, month, DaysInMonth(year, month)));
    }

    static CKalData Rule(int type, CDTime start, CDTime end, int interval = 1)
    {
        CKalData entry;
        entry.start = start;
        entry.end = end;
        entry.repeatType = type;
        entry.interval = interval;
        const LocalFields f = start.Fields();
        entry.repeatDayFrom = entry.repeatDayTo = f.day;
        return entry;
    }
    static CKalData Position(int type, CDTime start, CDTime end, int week, int weekday)
    {
        CKalData entry = Rule(type, start, end);
        entry.positionMode = 1;
        entry.weeks[static_cast<std::size_t>(week)] = 1;
        entry.weekdays[static_cast<std::size_t>(weekday)] = 1;
        return entry;
    }
};

TEST_F(RepeatExpansionTest, SingleEntriesCoverTheirDays)
{
    CKalData trip;
    trip.start = CDTime(2005, 6, 28, 9, 0);
    trip.end = CDTime(2005, 7, 3, 18, 0);
    EXPECT_EQ(ExpandMonth(trip, 2005, 7), (Days { "2005/07/01", "2005/07/02", "2005/07/03" }));
    EXPECT_EQ(ExpandMonth(trip, 2005, 6), (Days { "2005/06/28", "2005/06/29", "2005/06/30" }));
    EXPECT_TRUE(ExpandMonth(trip, 2005, 8).empty());
    // Avoid days never move a single entry.
    trip.avoidDays = avoid::kSaturday | avoid::kSunday;
    EXPECT_EQ(ExpandMonth(trip, 2005, 7).size(), 3u);
}

TEST_F(RepeatExpansionTest, DailyAndWeeklyIntervalsAlignWithTheStart)
{
    const CKalData everyThird = Rule(repeat::kDaily, CDTime(2005, 7, 1, 10, 0), CDTime(2005, 12, 31), 3);
    EXPECT_EQ(ExpandMonth(everyThird, 2005, 7),
        (Days { "2005/07/01", "2005/07/04", "2005/07/07", "2005/07/10", "2005/07/13", "2005/07/16", "2005/07/19",
            "2005/07/22", "2005/07/25", "2005/07/28", "2005/07/31" }));
    EXPECT_EQ(Expand(everyThird, CDTime(2005, 7, 2), CDTime(2005, 7, 8)), (Days { "2005/07/04", "2005/07/07" }));

    const CKalData fortnightly = Rule(repeat::kWeekly, CDTime(2005, 7, 4), CDTime(2005, 12, 31), 2);
    EXPECT_EQ(Expand(fortnightly, CDTime(2005, 7, 1), CDTime(2005, 8, 31)),
        (Days { "2005/07/04", "2005/07/18", "2005/08/01", "2005/08/15", "2005/08/29" }));
    // Started years before the span, the interval still counts from the start.
    const CKalData longAgo = Rule(repeat::kWeekly, CDTime(1972, 1, 3), CDTime(2036, 12, 31), 3);
    const Days days = ExpandMonth(longAgo, 2036, 12);
    ASSERT_FALSE(days.empty());
    for (const std::string& day : days) {
        const std::u16string text(day.begin(), day.end());
        const CDTime date = *ParseDate(text, YearClamp::Off);
        EXPECT_EQ((DayNumber(date.Year(), date.Month(), date.Day()) - DayNumber(1972, 1, 3)) % 21, 0) << day;
    }
    const CKalData zero = Rule(repeat::kDaily, CDTime(2005, 7, 1), CDTime(2005, 7, 3), 0);
    EXPECT_EQ(ExpandMonth(zero, 2005, 7), (Days { "2005/07/01", "2005/07/02", "2005/07/03" }));
}

TEST_F(RepeatExpansionTest, MonthlyDayRanges)
{
    CKalData quarterly = Rule(repeat::kMonthly, CDTime(2005, 1, 10), CDTime(2005, 12, 31), 3);
    quarterly.repeatDayTo = 12;
    const Days days = Expand(quarterly, CDTime(2005, 1, 1), CDTime(2005, 12, 31));
    EXPECT_EQ(days,
        (Days { "2005/01/10", "2005/01/11", "2005/01/12", "2005/04/10", "2005/04/11", "2005/04/12", "2005/07/10",
            "2005/07/11", "2005/07/12", "2005/10/10", "2005/10/11", "2005/10/12" }));

    const CKalData the31st = Rule(repeat::kMonthly, CDTime(2005, 1, 31), CDTime(2005, 12, 31));
    EXPECT_EQ(Expand(the31st, CDTime(2005, 1, 1), CDTime(2005, 8, 31)),
        (Days { "2005/01/31", "2005/03/31", "2005/05/31", "2005/07/31", "2005/08/31" }));

    CKalData monthEnd = Rule(repeat::kMonthly, CDTime(2004, 1, 31), CDTime(2005, 12, 31));
    monthEnd.repeatDayFrom = monthEnd.repeatDayTo = repeat::kLastDayOfMonth;
    EXPECT_EQ(Expand(monthEnd, CDTime(2004, 1, 1), CDTime(2004, 4, 30)),
        (Days { "2004/01/31", "2004/02/29", "2004/03/31", "2004/04/30" }));
    EXPECT_EQ(ExpandMonth(monthEnd, 2005, 2), (Days { "2005/02/28" }));

    CKalData backwards = Rule(repeat::kMonthly, CDTime(2005, 1, 25), CDTime(2005, 12, 31));
    backwards.repeatDayTo = 5;
    EXPECT_TRUE(ExpandMonth(backwards, 2005, 3).empty());

    // A range that runs over the span's start still marks its days inside the span.
    CKalData straddle = Rule(repeat::kMonthly, CDTime(2005, 1, 28), CDTime(2005, 12, 31));
    straddle.repeatDayTo = 31;
    EXPECT_EQ(Expand(straddle, CDTime(2005, 3, 30), CDTime(2005, 4, 2)), (Days { "2005/03/30", "2005/03/31" }));
}

TEST_F(RepeatExpansionTest, YearlyRulesAndFebruary29)
{
    const CKalData leapDay = Rule(repeat::kYearly, CDTime(2004, 2, 29), CDTime(2036, 12, 31));
    // In a year without February 29 the first candidate is carried to March 1.
    EXPECT_EQ(ExpandMonth(leapDay, 2005, 3), (Days { "2005/03/01" }));
    EXPECT_TRUE(ExpandMonth(leapDay, 2005, 2).empty());
    EXPECT_EQ(ExpandMonth(leapDay, 2008, 2), (Days { "2008/02/29" }));
    // Stepping on from the start gives February 28 in the years between.
    EXPECT_EQ(
        Expand(leapDay, CDTime(2004, 1, 1), CDTime(2006, 12, 31)), (Days { "2004/02/29", "2005/02/28", "2006/02/28" }));

    const CKalData everyOther = Rule(repeat::kYearly, CDTime(1972, 11, 3), CDTime(2036, 12, 31), 2);
    EXPECT_EQ(ExpandMonth(everyOther, 2036, 11), (Days { "2036/11/03" }));
    EXPECT_TRUE(ExpandMonth(everyOther, 2035, 11).empty());
    EXPECT_EQ(ExpandMonth(everyOther, 1972, 11), (Days { "1972/11/03" }));
}

TEST_F(RepeatExpansionTest, PositionsInTheMonth)
{
    const CKalData marineDay = Position(repeat::kYearly, CDTime(2003, 1, 1), CDTime(2036, 12, 31), 2, 1);
    CKalData july = marineDay;
    july.months = {};
    july.months[6] = 1;
    EXPECT_EQ(ExpandMonth(july, 2003, 7), (Days { "2003/07/21" }));
    EXPECT_TRUE(ExpandMonth(july, 2003, 9).empty());
    CKalData september = july;
    september.months = {};
    september.months[8] = 1;
    EXPECT_EQ(ExpandMonth(september, 2003, 9), (Days { "2003/09/15" }));
    EXPECT_TRUE(ExpandMonth(september, 2002, 9).empty()); // before the start

    // Last Friday: the last day itself when it is a Friday, else up to six days before.
    const CKalData lastFriday = Position(repeat::kMonthly, CDTime(2005, 1, 1), CDTime(2036, 12, 31), 4, 5);
    EXPECT_EQ(ExpandMonth(lastFriday, 2005, 9), (Days { "2005/09/30" }));
    EXPECT_EQ(ExpandMonth(lastFriday, 2005, 6), (Days { "2005/06/24" })); // June 30 is a Thursday
    // Every other month, counted from the start's month.
    CKalData secondTuesday = Position(repeat::kMonthly, CDTime(2005, 1, 1), CDTime(2036, 12, 31), 1, 2);
    secondTuesday.interval = 2;
    EXPECT_EQ(Expand(secondTuesday, CDTime(2005, 1, 1), CDTime(2005, 4, 30)), (Days { "2005/01/11", "2005/03/08" }));
    // A span that starts mid-month still sees that month's positions.
    EXPECT_EQ(Expand(secondTuesday, CDTime(2005, 2, 27), CDTime(2005, 3, 10)), (Days { "2005/03/08" }));
}

TEST_F(RepeatExpansionTest, CustomRulesUseTheirMonths)
{
    CKalData custom = Rule(repeat::kCustom, CDTime(2005, 1, 15), CDTime(2005, 12, 31));
    custom.months = {};
    custom.months[1] = custom.months[4] = 1;
    EXPECT_EQ(Expand(custom, CDTime(2005, 1, 1), CDTime(2005, 12, 31)), (Days { "2005/02/15", "2005/05/15" }));
    CKalData customPosition = Position(repeat::kCustom, CDTime(2005, 1, 1), CDTime(2005, 12, 31), 0, 0);
    customPosition.weekdays[6] = 1;
    customPosition.months = {};
    customPosition.months[4] = 1;
    EXPECT_EQ(ExpandMonth(customPosition, 2005, 5), (Days { "2005/05/01", "2005/05/07" }));
}

TEST_F(RepeatExpansionTest, AvoidDaysMoveOrDrop)
{
    CKalData daily = Rule(repeat::kDaily, CDTime(2005, 7, 1), CDTime(2005, 12, 31));
    daily.avoidDays = avoid::kSaturday | avoid::kSunday;
    // Saturday and Sunday both land on Friday; nothing shows at the weekend.
    EXPECT_EQ(Expand(daily, CDTime(2005, 7, 4), CDTime(2005, 7, 10)),
        (Days { "2005/07/04", "2005/07/05", "2005/07/06", "2005/07/07", "2005/07/08" }));
    CKalData sundays = Rule(repeat::kWeekly, CDTime(2005, 7, 3), CDTime(2005, 12, 31));
    sundays.avoidDays = avoid::kSaturday | avoid::kSunday;
    EXPECT_EQ(
        ExpandMonth(sundays, 2005, 7), (Days { "2005/07/01", "2005/07/08", "2005/07/15", "2005/07/22", "2005/07/29" }));
    sundays.avoidDays |= avoid::kDrop;
    EXPECT_TRUE(ExpandMonth(sundays, 2005, 7).empty());
    // An avoided occurrence on the span's first day has no day before it in the span.
    sundays.avoidDays = avoid::kSunday;
    EXPECT_EQ(Expand(sundays, CDTime(2005, 7, 3), CDTime(2005, 7, 9)), Days {});

    // Holidays by the built-in test: 2005-03-21 is the substitute for the Sunday equinox.
    CKalData mondays = Rule(repeat::kWeekly, CDTime(2005, 3, 7), CDTime(2005, 12, 31));
    mondays.avoidDays = avoid::kHoliday | avoid::kSunday | avoid::kSaturday;
    EXPECT_EQ(
        Expand(mondays, CDTime(2005, 3, 14), CDTime(2005, 3, 28)), (Days { "2005/03/14", "2005/03/18", "2005/03/28" }));
    // The holidays are those of the occurrence's year: 2019-04-30, a citizens' holiday, moves back
    // over Showa Day to the Sunday; December 23 is avoided up to 2018 only.
    CKalData golden = Rule(repeat::kYearly, CDTime(2019, 4, 30), CDTime(2036, 12, 31));
    golden.avoidDays = avoid::kHoliday;
    EXPECT_EQ(ExpandMonth(golden, 2019, 4), (Days { "2019/04/28" }));
    CKalData december = Rule(repeat::kYearly, CDTime(2018, 12, 23), CDTime(2036, 12, 31));
    december.avoidDays = avoid::kHoliday;
    EXPECT_EQ(ExpandMonth(december, 2018, 12), (Days { "2018/12/22" }));
    EXPECT_EQ(ExpandMonth(december, 2026, 12), (Days { "2026/12/23" }));
}

TEST_F(RepeatExpansionTest, ExclusionsApplyAfterAvoidance)
{
    CKalData daily = Rule(repeat::kDaily, CDTime(2005, 6, 1), CDTime(2005, 12, 31));
    daily.exclusions = { { 2005, 6, 20, 2005, 7, 5 }, { 2005, 7, 31, 2005, 8, 3 }, { 2005, 7, 10, 2005, 7, 10 } };
    const Days july = ExpandMonth(daily, 2005, 7);
    EXPECT_EQ(july.front(), "2005/07/06");
    EXPECT_EQ(july.back(), "2005/07/30");
    EXPECT_EQ(july.size(), 24u);
    EXPECT_EQ(std::count(july.begin(), july.end(), "2005/07/10"), 0);

    // Moved away from its excluded Sunday, an occurrence stays on its Friday; moved onto an
    // excluded Friday, it disappears.
    CKalData sundays = Rule(repeat::kWeekly, CDTime(2005, 7, 3), CDTime(2005, 12, 31));
    sundays.avoidDays = avoid::kSunday | avoid::kSaturday;
    sundays.exclusions = { { 2005, 7, 10, 2005, 7, 10 }, { 2005, 7, 15, 2005, 7, 15 } };
    EXPECT_EQ(ExpandMonth(sundays, 2005, 7), (Days { "2005/07/01", "2005/07/08", "2005/07/22", "2005/07/29" }));
}

TEST_F(RepeatExpansionTest, EndsOfTheRepetition)
{
    CKalData daily = Rule(repeat::kDaily, CDTime(2005, 7, 10, 9, 0), CDTime(2005, 7, 15));
    EXPECT_EQ(ExpandMonth(daily, 2005, 7).back(), "2005/07/15");
    EXPECT_EQ(ExpandMonth(daily, 2005, 7).front(), "2005/07/10");
    daily.Set(flag::kEndTimeSet, true);
    daily.end = CDTime(2005, 7, 15, 8, 0); // before the 09:00 start of the last day
    EXPECT_EQ(ExpandMonth(daily, 2005, 7).back(), "2005/07/14");
    // Spans at both ends of the years the program knows.
    const CKalData newYear = Rule(repeat::kYearly, CDTime(1972, 1, 1), CDTime(2036, 12, 31));
    EXPECT_EQ(Expand(newYear, CDTime(1971, 12, 26), CDTime(1972, 2, 6)), (Days { "1972/01/01" }));
    EXPECT_EQ(Expand(newYear, CDTime(2036, 12, 28), CDTime(2037, 2, 8)), Days {});
    const CKalData lastDay = Rule(repeat::kDaily, CDTime(2036, 12, 30), CDTime(2036, 12, 31));
    EXPECT_EQ(Expand(lastDay, CDTime(2036, 12, 28), CDTime(2037, 2, 8)), (Days { "2036/12/30", "2036/12/31" }));
}

TEST_F(RepeatExpansionTest, UnknownRuleShowsOnItsFirstDayOnly)
{
    // Types above and below those the program knows, by day number and by position (every weekday
    // of every week), over spans like a month grid's, which begin and end in the months around.
    CKalData byDay = Rule(9, CDTime(2005, 7, 3, 9, 0), CDTime(2005, 12, 31, 10, 0));
    byDay.repeatDayFrom = byDay.repeatDayTo = 5;
    CKalData byPosition = Position(-2, CDTime(2005, 7, 3), CDTime(2005, 12, 31), 0, 0);
    byPosition.weeks = { 1, 1, 1, 1, 1 };
    byPosition.weekdays = { 1, 1, 1, 1, 1, 1, 1 };
    for (const CKalData& odd : { byDay, byPosition }) {
        SCOPED_TRACE(odd.repeatType);
        EXPECT_EQ(Expand(odd, CDTime(2005, 6, 26), CDTime(2005, 8, 6)), (Days { "2005/07/03" }));
        EXPECT_EQ(Expand(odd, CDTime(2005, 7, 3), CDTime(2005, 7, 3)), (Days { "2005/07/03" }));
        EXPECT_EQ(Expand(odd, CDTime(2005, 7, 31), CDTime(2005, 12, 31)), Days {});
    }
    EXPECT_TRUE(ui_.Messages().empty()); // told once by the load, never by a drawing
}

TEST_F(RepeatExpansionTest, MoveRuleToDate)
{
    CKalData single;
    single.start = CDTime(2005, 7, 3, 9, 30);
    single.end = CDTime(2005, 7, 5, 11, 0);
    MoveRuleToDate(single, CDTime(2005, 8, 10));
    EXPECT_EQ(single.start, CDTime(2005, 8, 10, 9, 30));
    EXPECT_EQ(single.end, CDTime(2005, 8, 12, 9, 30)); // two whole days later, at the start's time
    single.Set(flag::kEndTimeSet, true);
    single.end = CDTime(2005, 8, 12, 11, 0);
    MoveRuleToDate(single, CDTime(2005, 9, 1));
    EXPECT_EQ(single.end, CDTime(2005, 9, 3, 11, 0));

    // A pasted entry keeps its length in calendar days across a clock change.
    for (const CDTime target : { CDTime(2026, 3, 28), CDTime(2026, 10, 24), CDTime(2026, 4, 3), CDTime(2026, 9, 5) }) {
        CKalData threeDays;
        threeDays.start = CDTime(2005, 7, 3);
        threeDays.end = CDTime(2005, 7, 5);
        MoveRuleToDate(threeDays, target);
        const LocalFields f = target.Fields();
        EXPECT_EQ(threeDays.start, target);
        EXPECT_EQ(threeDays.end, CDTime(f.year, f.month, f.day + 2)) << ToUtf8(DateText(target));
    }

    CKalData openEnded = Rule(repeat::kDaily, CDTime(2005, 7, 3, 8, 0), CDTime(2036, 12, 31));
    MoveRuleToDate(openEnded, CDTime(2006, 1, 2));
    EXPECT_EQ(openEnded.start, CDTime(2006, 1, 2, 8, 0));
    EXPECT_EQ(openEnded.end, CDTime(2036, 12, 31));

    CKalData position = Position(repeat::kMonthly, CDTime(2005, 1, 1), CDTime(2036, 12, 31), 0, 1);
    MoveRuleToDate(position, CDTime(2005, 7, 29)); // the fifth Friday
    EXPECT_EQ(position.weeks, (std::array<std::uint8_t, 5> { 0, 0, 0, 0, 1 }));
    EXPECT_EQ(position.weekdays, (std::array<std::uint8_t, 7> { 0, 0, 0, 0, 0, 1, 0 }));
    EXPECT_EQ(position.start, CDTime(2005, 1, 1));

    CKalData yearly = Rule(repeat::kYearly, CDTime(2005, 3, 10, 7, 0), CDTime(2036, 12, 31));
    yearly.repeatDayTo = 12;
    MoveRuleToDate(yearly, CDTime(2005, 4, 29));
    EXPECT_EQ(yearly.repeatDayFrom, 29);
    EXPECT_EQ(yearly.repeatDayTo, 30); // 31 is cut to April's last day
    EXPECT_EQ(yearly.start, CDTime(2005, 3, 30, 7, 0));

    CKalData customPosition = Position(repeat::kCustom, CDTime(2005, 1, 1), CDTime(2005, 12, 31), 0, 0);
    MoveRuleToDate(customPosition, CDTime(2005, 6, 6));
    EXPECT_EQ(customPosition.repeatType, repeat::kNone);
    EXPECT_EQ(customPosition.positionMode, 0);
    EXPECT_EQ(customPosition.start, CDTime(2005, 6, 6));
    EXPECT_EQ(customPosition.end, CDTime(2005, 6, 6));
}

} // namespace
} // namespace kal
