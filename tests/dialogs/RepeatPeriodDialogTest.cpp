#include "TestEnvironment.h"

#include "dialogs/RepeatPeriodDialog.h"
#include "store/RepeatExpansion.h"
#include "support/MemoryDialogHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace kal {
namespace {

using namespace repeatperioddialog;

using RepeatPeriodDialogTest = test::TestEnvironment;

TEST_F(RepeatPeriodDialogTest, MethodsProposeAPeriodFromTheStart)
{
    struct Case {
        const char* name;
        int repeatType;
        const char16_t* start;
        std::function<void(MemoryDialogHost&)> user;
        const char16_t* expectedStart;
        const char16_t* expectedEnd;
        int method; // the radio button left selected
    };
    const auto press = [](int id) { return [id](MemoryDialogHost& host) { host.Press(id); }; };
    const auto type
        = [](int id, const char16_t* text) { return [id, text](MemoryDialogHost& host) { host.Type(id, text); }; };
    const Case cases[] = {
        { "fiscal year before April", repeat::kDaily, u"2005/02/10", press(kFiscalYear), u"2004/04/10", u"2005/03/31",
            kFiscalYear },
        { "fiscal year from April", repeat::kDaily, u"2005/07/10", press(kFiscalYear), u"2005/04/10", u"2006/03/31",
            kFiscalYear },
        { "fiscal year, weekly", repeat::kWeekly, u"2005/07/10", press(kFiscalYear), u"2005/04/03", u"2006/03/31",
            kFiscalYear },
        { "fiscal year, yearly", repeat::kYearly, u"2005/07/10", press(kFiscalYear), u"2005/07/10", u"2006/03/31",
            kFiscalYear },
        // A yearly rule starting in February keeps its day inside the fiscal year holding it.
        { "fiscal year, yearly before April", repeat::kYearly, u"2005/02/10", press(kFiscalYear), u"2005/02/10",
            u"2005/03/31", kFiscalYear },
        { "calendar year, yearly", repeat::kYearly, u"2005/07/10", press(kCalendarYear), u"2005/07/10", u"2005/12/31",
            kCalendarYear },
        { "calendar year", repeat::kDaily, u"2005/07/10", press(kCalendarYear), u"2005/01/10", u"2005/12/31",
            kCalendarYear },
        { "calendar year, weekly", repeat::kWeekly, u"2005/07/10", press(kCalendarYear), u"2005/01/02", u"2005/12/31",
            kCalendarYear },
        { "one month", repeat::kMonthly, u"2005/11/15", type(kMonths, u"1"), u"2005/11/15", u"2005/12/15",
            kYearsMonthsDays },
        { "two months into the next year", repeat::kMonthly, u"2005/11/15", type(kMonths, u"2"), u"2005/11/15",
            u"2006/01/15", kYearsMonthsDays },
        { "a year and ten days", repeat::kMonthly, u"2005/11/15",
            [](MemoryDialogHost& host) {
                host.Type(kYears, u"1");
                host.Type(kMonths, u"0");
                host.Type(kDays, u"10");
            },
            u"2005/11/15", u"2006/11/25", kYearsMonthsDays },
        { "a month past a short month's end", repeat::kMonthly, u"2005/01/31", type(kMonths, u"1"), u"2005/01/31",
            u"2005/03/03", kYearsMonthsDays },
        { "four weeks", repeat::kWeekly, u"2005/07/01", type(kWeeks, u"4"), u"2005/07/01", u"2005/07/29",
            kWeeksFromStart },
        { "weeks across the clock changes", repeat::kWeekly, u"2013/03/01", type(kWeeks, u"30"), u"2013/03/01",
            u"2013/09/27", kWeeksFromStart },
        { "emptied edit changes nothing", repeat::kMonthly, u"2005/11/15", type(kMonths, u""), u"2005/11/15",
            u"2006/01/31", kInitial },
        { "whole range", repeat::kDaily, u"2005/11/15", press(kWhole), kFirstDateText, kLastDateText, kWhole },
        { "first and last", repeat::kDaily, u"2005/11/15",
            [](MemoryDialogHost& host) {
                host.Press(kFromFirst);
                host.Press(kToLast);
            },
            kFirstDateText, kLastDateText, kInitial },
        { "back to the initial period", repeat::kDaily, u"2005/11/15",
            [](MemoryDialogHost& host) {
                host.Press(kWhole);
                host.Press(kInitial);
            },
            u"2005/11/15", u"2006/01/31", kInitial },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CDTime start = *ParseDate(c.start, YearClamp::Off);
        RepeatPeriodDialog dialog(start, CDTime(2006, 1, 31, 23, 59, 59), c.repeatType);
        MemoryDialogHost host(dialog);
        host.Open();
        c.user(host);
        EXPECT_EQ(host.Text(kStart), c.expectedStart);
        EXPECT_EQ(host.Text(kEnd), c.expectedEnd);
        EXPECT_TRUE(host.IsChecked(c.method));
        host.Press(kIdOk);
        ASSERT_EQ(host.Result(), kIdOk);
        EXPECT_EQ(dialog.Start(), *ParseDate(c.expectedStart, YearClamp::Off));
        EXPECT_EQ(dialog.End(), *ParseDate(c.expectedEnd, YearClamp::Off));
    }
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(RepeatPeriodDialogTest, DatesThatDoNotReadAreReported)
{
    struct Case {
        const char16_t* start;
        const char16_t* end;
        int button;
        const char16_t* message;
        bool ends;
    };
    const Case cases[] = {
        { u"2005/13/01", u"2006/01/31", kIdOk, kEnterValidStart, false },
        { u"2005/12/01", u"end", kIdOk, kEnterValidEnd, false },
        { u"", u"2006/01/31", kFiscalYear, kEnterValidStart, false }, { u"x", u"2006/01/31", kWhole, nullptr, false },
        { u"2040/01/01", u"2006/01/31", kIdOk, kEnterValidStart, false }, // years are not clamped into range
        { u"2036/12/31", u"1972/01/01", kIdOk, nullptr, true }, // the order is the caller's business
    };
    for (const Case& c : cases) {
        ui_.Clear();
        RepeatPeriodDialog dialog(CDTime(2005, 11, 15), CDTime(2006, 1, 31), repeat::kDaily);
        MemoryDialogHost host(dialog);
        host.Open();
        host.Type(kStart, c.start);
        host.Type(kEnd, c.end);
        host.Press(c.button);
        EXPECT_EQ(host.HasEnded(), c.ends);
        const std::vector<std::u16string> messages
            = c.message ? std::vector<std::u16string> { c.message } : std::vector<std::u16string> {};
        EXPECT_EQ(ui_.Messages(), messages);
        if (c.button == kFiscalYear) {
            EXPECT_EQ(host.Text(kEnd), c.end);
        }
    }
}

} // namespace
} // namespace kal
