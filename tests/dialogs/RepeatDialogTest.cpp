#include "TestEnvironment.h"

#include "dialogs/RepeatCustomDialog.h"
#include "dialogs/RepeatDialog.h"
#include "dialogs/RepeatEditing.h"
#include "dialogs/RepeatPeriodDialog.h"
#include "store/RepeatExpansion.h"
#include "support/MemoryDialogHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace kal {
namespace {

using namespace repeatdialog;

using RepeatDialogTest = test::TestEnvironment;

RepeatPeriod Days(CivilDate first, CivilDate last)
{
    return RepeatPeriod { CDTime(first.year, first.month, first.day, 9, 0),
        CDTime(last.year, last.month, last.day, 18, 0) };
}

RepeatSettings Rule(int type, int dayFrom = 1, int dayTo = 1, int positionMode = 0)
{
    RepeatSettings settings;
    settings.repeatType = type;
    settings.repeatDayFrom = dayFrom;
    settings.repeatDayTo = dayTo;
    settings.positionMode = positionMode;
    return settings;
}

TEST_F(RepeatDialogTest, OkPutsTheRuleOnTheScheduleDates)
{
    const int last = repeat::kLastDayOfMonth;
    struct Case {
        const char* name;
        RepeatSettings rule;
        RepeatPeriod period;
        std::function<void(MemoryDialogHost&)> user;
        CivilDate start;
        CivilDate end;
    };
    const Case cases[] = {
        { "month ends", Rule(repeat::kMonthly, last, last), Days({ 2013, 2, 10 }, { 2013, 12, 5 }), nullptr,
            { 2013, 2, 28 }, { 2013, 12, 31 } },
        { "a day the month lacks rolls over", Rule(repeat::kMonthly, 31, 31), Days({ 2013, 2, 10 }, { 2013, 11, 5 }),
            nullptr, { 2013, 3, 3 }, { 2013, 12, 1 } },
        // The month's end is that of the month chosen for the rule, not of the month the dates had.
        { "yearly on the chosen month", Rule(repeat::kYearly, last, 10), Days({ 2013, 1, 10 }, { 2015, 1, 5 }),
            [](MemoryDialogHost& host) {
                host.Press(kPositionMode);
                host.Choose(kMonth, 1);
                host.Press(kPositionMode);
            },
            { 2013, 2, 28 }, { 2015, 2, 10 } },
        { "yearly by position keeps the days", Rule(repeat::kYearly, last, last, 1),
            Days({ 2013, 1, 10 }, { 2015, 1, 5 }), nullptr, { 2013, 1, 10 }, { 2015, 1, 5 } },
        { "Wednesday to Friday", Rule(repeat::kWeekly), Days({ 2013, 2, 13 }, { 2013, 12, 5 }),
            [](MemoryDialogHost& host) { host.Choose(kWeekday, 5); }, { 2013, 2, 15 }, { 2013, 12, 5 } },
        { "Wednesday stays", Rule(repeat::kWeekly), Days({ 2013, 2, 13 }, { 2013, 12, 5 }),
            [](MemoryDialogHost& host) { host.Choose(kWeekday, 3); }, { 2013, 2, 13 }, { 2013, 12, 5 } },
        { "Saturday to Sunday across a month end", Rule(repeat::kWeekly), Days({ 2013, 3, 30 }, { 2013, 12, 5 }),
            [](MemoryDialogHost& host) { host.Choose(kWeekday, 0); }, { 2013, 3, 31 }, { 2013, 12, 5 } },
        { "Wednesday to the Sunday the clocks go forward in Chile", Rule(repeat::kWeekly),
            Days({ 2013, 9, 4 }, { 2013, 12, 5 }), [](MemoryDialogHost& host) { host.Choose(kWeekday, 0); },
            { 2013, 9, 8 }, { 2013, 12, 5 } },
        { "daily keeps both dates", Rule(repeat::kDaily, 31, 31), Days({ 2013, 9, 7 }, { 2013, 9, 9 }), nullptr,
            { 2013, 9, 7 }, { 2013, 9, 9 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.QueueDialog([&c](DialogLogic&, MemoryDialogHost& host) {
            if (c.user)
                c.user(host);
            host.Press(kIdOk);
        });
        const std::optional<RepeatChange> change = EditRepeat(c.rule, c.period);
        ASSERT_TRUE(change);
        EXPECT_EQ(change->period.first, CDTime(c.start.year, c.start.month, c.start.day, 0, 0, 0));
        EXPECT_EQ(change->period.last, CDTime(c.end.year, c.end.month, c.end.day, 23, 59, 59));
        EXPECT_EQ(change->settings.repeatDayFrom, c.rule.repeatDayFrom);
        EXPECT_EQ(change->settings.repeatDayTo, c.rule.repeatDayTo);
    }
    EXPECT_EQ(ui_.DialogsRun(), static_cast<int>(std::size(cases)));
}

TEST_F(RepeatDialogTest, PositionChoicesSetOneWeekAndOneWeekday)
{
    RepeatSettings rule = Rule(repeat::kMonthly);
    rule.weeks = { 1, 0, 0, 1, 0 };
    rule.weekdays = { 1, 1, 0, 0, 0, 0, 1 };
    rule.months = { 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kPositionMode);
        EXPECT_TRUE(host.IsEnabled(kWeek));
        EXPECT_FALSE(host.IsEnabled(kDayFrom));
        host.Choose(kWeek, 1);
        host.Choose(kWeekday, 2);
        host.Type(kInterval, u"3");
        host.Press(kIdOk);
    });
    const std::optional<RepeatChange> change = EditRepeat(rule, Days({ 2013, 2, 10 }, { 2013, 12, 5 }));
    ASSERT_TRUE(change);
    const std::array<std::uint8_t, 5> weeks { 0, 1, 0, 0, 0 };
    const std::array<std::uint8_t, 7> weekdays { 0, 0, 1, 0, 0, 0, 0 };
    EXPECT_EQ(change->settings.weeks, weeks);
    EXPECT_EQ(change->settings.weekdays, weekdays);
    EXPECT_EQ(change->settings.months, RepeatSettings {}.months);
    EXPECT_EQ(change->settings.positionMode, 1);
    EXPECT_EQ(change->settings.interval, 3);
    EXPECT_EQ(change->period.first, CDTime(2013, 2, 10));
    EXPECT_EQ(change->period.last, CDTime(2013, 12, 5, 23, 59, 59));
}

TEST_F(RepeatDialogTest, ListsOpenOnTheRuleOrOnTheFirstDay)
{
    struct Case {
        RepeatSettings rule;
        CivilDate first;
        int week;
        int weekday;
        int month;
    };
    RepeatSettings yearly = Rule(repeat::kYearly, 1, 1, 1);
    yearly.weeks = { 1, 0, 1, 0, 0 };
    yearly.weekdays = { 0, 0, 0, 0, 1, 0, 0 };
    yearly.months = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0 };
    const Case cases[] = {
        { Rule(repeat::kMonthly), { 2013, 3, 29 }, 4, 5, 2 }, // a Friday in the last week
        { Rule(repeat::kWeekly), { 2013, 3, 28 }, 3, 4, 2 }, { yearly, { 2013, 3, 29 }, 2, 4, 8 },
        { Rule(repeat::kMonthly, 1, 1, 1), { 2013, 3, 8 }, 1, 5, 2 }, // no week chosen yet
    };
    for (const Case& c : cases) {
        ui_.QueueDialog([&c](DialogLogic&, MemoryDialogHost& host) {
            EXPECT_EQ(host.Text(kWeek), kWeekTexts[c.week]);
            EXPECT_EQ(host.Text(kWeekday), kWeekdayTexts[c.weekday]);
            EXPECT_EQ(host.Text(kMonth), kMonthTexts[c.month]);
            host.Press(kIdCancel);
        });
        EXPECT_FALSE(EditRepeat(c.rule, Days(c.first, { 2015, 1, 1 })));
    }
}

TEST_F(RepeatDialogTest, UnitAndPositionDecideWhatCanBeChanged)
{
    struct Case {
        int unit;
        bool position;
        // interval, custom, day range, position, week, weekday, month
        std::array<bool, 7> enabled;
    };
    const Case cases[] = {
        { repeat::kNone, false, { 0, 0, 0, 0, 0, 0, 0 } },
        { repeat::kDaily, false, { 1, 0, 0, 0, 0, 0, 0 } },
        { repeat::kWeekly, false, { 1, 0, 0, 0, 0, 1, 0 } },
        { repeat::kMonthly, false, { 1, 0, 1, 1, 0, 0, 0 } },
        { repeat::kMonthly, true, { 1, 0, 0, 1, 1, 1, 0 } },
        { repeat::kYearly, false, { 1, 0, 1, 1, 0, 0, 0 } },
        { repeat::kYearly, true, { 1, 0, 0, 1, 1, 1, 1 } },
    };
    ui_.QueueDialog([&cases](DialogLogic&, MemoryDialogHost& host) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.unit * 2 + c.position);
            host.SetChecked(kPositionMode, false);
            host.Choose(kUnit, repeat::kMonthly);
            if (c.position)
                host.Press(kPositionMode);
            host.Choose(kUnit, c.unit);
            const int ids[] = { kInterval, kCustom, kDayFrom, kPositionMode, kWeek, kWeekday, kMonth };
            for (std::size_t i = 0; i < std::size(ids); ++i)
                EXPECT_EQ(host.IsEnabled(ids[i]), c.enabled[i]) << ids[i];
            EXPECT_EQ(host.IsEnabled(kDayTo), host.IsEnabled(kDayFrom));
        }
        host.Press(kIdCancel);
    });
    EXPECT_FALSE(EditRepeat(Rule(repeat::kNone), Days({ 2013, 2, 10 }, { 2013, 12, 5 })));
    EXPECT_EQ(ui_.DialogsRun(), 1);
}

TEST_F(RepeatDialogTest, ChoosingCustomOpensItsDialogAndKeepsItsFlags)
{
    namespace custom = repeatcustomdialog;
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Choose(kUnit, repeat::kCustom);
        EXPECT_TRUE(host.IsEnabled(kCustom));
        EXPECT_FALSE(host.IsEnabled(kInterval));
        EXPECT_TRUE(host.IsChecked(kPositionMode));
        host.Press(kIdOk);
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        // Week and weekday boxes wait for the position flag; months are always open.
        EXPECT_FALSE(host.IsEnabled(custom::kWeeks[0]));
        EXPECT_TRUE(host.IsEnabled(custom::kFirstMonth + 11));
        EXPECT_EQ(host.Text(custom::kDayFrom), kLastDayText);
        host.Press(custom::kPositionMode);
        EXPECT_TRUE(host.IsEnabled(custom::kWeeks[0]));
        EXPECT_FALSE(host.IsEnabled(custom::kDayTo));
        host.Press(custom::kWeeks[4]);
        host.Press(custom::kWeekdays[1]);
        host.Press(custom::kFirstMonth); // January off
        host.Press(kIdOk);
    });
    const std::optional<RepeatChange> change
        = EditRepeat(Rule(repeat::kMonthly, repeat::kLastDayOfMonth, 5), Days({ 2013, 2, 10 }, { 2013, 12, 5 }));
    ASSERT_TRUE(change);
    const RepeatSettings& settings = change->settings;
    EXPECT_EQ(settings.repeatType, repeat::kCustom);
    EXPECT_EQ(settings.positionMode, 1);
    EXPECT_EQ(settings.weeks, (std::array<std::uint8_t, 5> { 0, 0, 0, 0, 1 }));
    EXPECT_EQ(settings.weekdays, (std::array<std::uint8_t, 7> { 0, 1, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(settings.months, (std::array<std::uint8_t, 12> { 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 }));
    EXPECT_EQ(settings.repeatDayFrom, repeat::kLastDayOfMonth);
    EXPECT_EQ(change->period.first, CDTime(2013, 2, 10));
}

TEST_F(RepeatDialogTest, TooShortAPeriodIsAskedForFirst)
{
    struct Case {
        int unit;
        CivilDate first;
        CivilDate last;
        bool asks;
    };
    const Case cases[] = {
        { repeat::kDaily, { 2013, 5, 1 }, { 2013, 5, 1 }, true },
        { repeat::kDaily, { 2013, 5, 1 }, { 2013, 5, 2 }, false },
        { repeat::kNone, { 2013, 5, 2 }, { 2013, 5, 1 }, true }, // ends before it starts
        { repeat::kWeekly, { 2013, 10, 21 }, { 2013, 10, 27 }, true }, // the clocks go back on the last day in Europe
        { repeat::kWeekly, { 2013, 10, 21 }, { 2013, 10, 28 }, false },
        { repeat::kMonthly, { 2013, 2, 1 }, { 2013, 3, 2 }, true },
        { repeat::kYearly, { 2013, 1, 1 }, { 2013, 12, 31 }, true },
        { repeat::kYearly, { 2013, 1, 1 }, { 2014, 1, 1 }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit * 100 + c.first.day);
        ui_.Clear(); // drops the period script a case did not use
        const int before = ui_.DialogsRun();
        ui_.QueueDialog([&c](DialogLogic&, MemoryDialogHost& host) {
            host.Choose(kUnit, c.unit);
            host.Press(kIdOk);
        });
        // The period dialog, when it comes, is confirmed as it stands: the short period is kept.
        ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdOk); });
        const std::optional<RepeatChange> change = EditRepeat(Rule(repeat::kNone), Days(c.first, c.last));
        ASSERT_TRUE(change);
        EXPECT_EQ(ui_.DialogsRun() - before, c.asks ? 2 : 1);
    }
}

TEST_F(RepeatDialogTest, CancellingThePeriodKeepsTheRepeatDialogOpen)
{
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Choose(kUnit, repeat::kDaily);
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        host.Press(kIdOk);
        EXPECT_TRUE(host.HasEnded());
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(repeatperioddialog::kStart), DateText(CDTime(2013, 5, 1)));
        host.Press(kIdCancel);
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.SetText(repeatperioddialog::kEnd, u"2013/06/01");
        host.Press(kIdOk);
    });
    const std::optional<RepeatChange> change = EditRepeat(Rule(repeat::kNone), Days({ 2013, 5, 1 }, { 2013, 5, 1 }));
    ASSERT_TRUE(change);
    EXPECT_EQ(change->settings.repeatType, repeat::kDaily);
    EXPECT_EQ(change->period.last, CDTime(2013, 6, 1, 23, 59, 59));
}

TEST_F(RepeatDialogTest, PeriodButtonWorksForTheChosenUnitAndIntervalIsChecked)
{
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Choose(kUnit, repeat::kWeekly);
        host.Press(kPeriod);
        host.Type(kInterval, u"-2");
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        host.Type(kInterval, u"2");
        host.Press(kIdOk);
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(repeatperioddialog::kFiscalYear); // a weekly year starts on the first Sunday of April
        host.Press(kIdOk);
    });
    const std::optional<RepeatChange> change = EditRepeat(Rule(repeat::kDaily), Days({ 2005, 7, 10 }, { 2005, 7, 19 }));
    ASSERT_TRUE(change);
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { dialogtext::kEnterPositiveNumber });
    EXPECT_EQ(change->settings.interval, 2);
    EXPECT_EQ(change->period.first, CDTime(2005, 4, 3));
    EXPECT_EQ(change->period.last, CDTime(2006, 3, 31, 23, 59, 59));
}

TEST(RepeatSettingsTest, DayRangeTextsAndEntryFieldsRoundTrip)
{
    EXPECT_EQ(DayRangeValue(DayRangeText(repeat::kLastDayOfMonth)), repeat::kLastDayOfMonth);
    EXPECT_EQ(DayRangeValue(u"12日"), 12);
    EXPECT_EQ(DayRangeValue(u"x"), 0);
    EXPECT_EQ(DayRangeItems().size(), 32u);

    CKalData entry;
    RepeatSettings settings = Rule(repeat::kYearly, 3, repeat::kLastDayOfMonth, 1);
    settings.interval = 4;
    settings.weeks[2] = 1;
    settings.weekdays[6] = 1;
    settings.months = { 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0 };
    settings.WriteTo(entry);
    EXPECT_EQ(RepeatSettings::Of(entry), settings);
}

} // namespace
} // namespace kal
