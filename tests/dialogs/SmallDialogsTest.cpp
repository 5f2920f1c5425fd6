#include "TestEnvironment.h"

#include "dialogs/ContinuousCopyDialog.h"
#include "dialogs/DateField.h"
#include "dialogs/DaysAfterDialog.h"
#include "dialogs/FontDialog.h"
#include "dialogs/OutlookPeriodDialog.h"
#include "dialogs/SearchDialog.h"
#include "dialogs/WeekdayColourDialog.h"
#include "dialogs/YearMonthDayDialog.h"
#include "support/MemoryDialogHost.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace kal {
namespace {

using SmallDialogsTest = test::TestEnvironment;

std::u16string Digits(int value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

TEST_F(SmallDialogsTest, YearMonthDayLowersTheDayToTheMonthsLength)
{
    using namespace yearmonthdaydialog;
    struct Case {
        CivilDate initial;
        int field;
        int typed;
        int day; // the day shown afterwards
        int lastDay; // where the day's up arrow stops
    };
    // clang-format off
    const Case cases[] = {
        { { 2026, 1, 31 }, kMonth, 2, 28, 28 },
        { { 2024, 1, 31 }, kMonth, 2, 29, 29 },
        { { 2026, 3, 31 }, kMonth, 4, 30, 30 },
        { { 2026, 1, 15 }, kMonth, 2, 15, 28 },
        { { 2026, 2, 10 }, kMonth, 12, 10, 31 },
        { { 2024, 2, 29 }, kYear, 2025, 28, 28 },
        { { 2024, 2, 29 }, kYear, 2, 29, 29 }, // a year still being typed changes nothing
    };
    // clang-format on
    for (const Case& c : cases) {
        YearMonthDayDialog dialog(c.initial);
        MemoryDialogHost host(dialog);
        host.Open();
        host.Type(c.field, Digits(c.typed));
        SCOPED_TRACE(testing::Message() << c.initial.year << "-" << c.initial.month << "-" << c.initial.day);
        EXPECT_EQ(host.Number(kDay), c.day);
        EXPECT_EQ(host.Range(kDay).second, c.lastDay);
    }
}

TEST_F(SmallDialogsTest, YearMonthDayArrowsAndChecks)
{
    using namespace yearmonthdaydialog;
    ui_.QueueDialog([this](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Range(kDay), (std::pair { 1, 31 })); // January has 31 days from the start
        host.Step(kDay, +1);
        EXPECT_EQ(host.Number(kDay), 31);
        host.Step(kYear, +1); // the arrows stop at the last year the program takes
        EXPECT_EQ(host.Number(kYear), 2036);

        host.Type(kDay, u"32");
        host.Press(kIdOk); // the framework's range check
        EXPECT_FALSE(host.HasEnded());
        host.Type(kDay, u"31");
        host.Type(kYear, u"2037");
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        EXPECT_EQ(ui_.Messages().back(), kInvalidDate);
        host.Type(kYear, u"2036");
        host.Press(kIdOk);
    });
    const std::optional<CivilDate> date = AskYearMonthDay(CivilDate { 2036, 1, 30 });
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->year, 2036);
    EXPECT_EQ(date->day, 31);
    EXPECT_EQ(ui_.Messages().size(), 2u);
}

TEST_F(SmallDialogsTest, DaysAfterTakesSignedNumbers)
{
    using namespace daysafterdialog;
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(kDays, u"あした");
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        host.Type(kDays, u"-45");
        host.Press(kIdOk);
    });
    EXPECT_EQ(AskDaysAfter(), -45);
}

TEST_F(SmallDialogsTest, ContinuousCopyLabelFollowsTheUnit)
{
    using namespace continuouscopydialog;
    ContinuousCopyDialog dialog;
    MemoryDialogHost host(dialog);
    host.Open();
    EXPECT_EQ(host.Selection(kUnit), 0);
    EXPECT_EQ(host.Text(kIntervalUnit), kIntervalUnits[0]);
    for (int unit : { 2, 1, 3, 0 }) {
        host.Choose(kUnit, unit);
        EXPECT_EQ(host.Text(kIntervalUnit), kIntervalUnits[unit]);
    }

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& copy) {
        EXPECT_EQ(copy.Number(kInterval), 0);
        copy.Choose(kUnit, 2);
        copy.Type(kInterval, u"-1");
        copy.Press(kIdOk);
        EXPECT_FALSE(copy.HasEnded());
        copy.Type(kInterval, u"3");
        copy.Type(kCount, u"5");
        copy.Press(kIdOk);
    });
    const std::optional<ContinuousCopy> copy = AskContinuousCopy();
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->unit, ContinuousCopy::Unit::Month);
    EXPECT_EQ(copy->interval, 3);
    EXPECT_EQ(copy->count, 5);
}

TEST_F(SmallDialogsTest, OutlookPeriodEndMustNotPrecedeTheStart)
{
    using namespace outlookperioddialog;
    using namespace periodfield;
    struct Case {
        const char16_t* start;
        const char16_t* end;
        const char16_t* message; // null when accepted
    };
    const Case cases[] = {
        { u"2026/5/1", u"2026/5/1", nullptr },
        { u"2026/5/1", u"2026/4/30", kInvalidEnd },
        { u"2026/5/1", u"2026/5/32", kInvalidEnd },
        { u"2026/2/30", u"2026/5/1", kInvalidStart },
        { u"1960/1/1", u"2026/5/1", kInvalidStart },
    };
    for (const Case& c : cases) {
        ui_.Clear();
        OutlookPeriodDialog dialog(OutlookPeriod { CDTime(2026, 1, 1), CDTime(2026, 1, 31) });
        MemoryDialogHost host(dialog);
        host.Open();
        EXPECT_EQ(host.Text(kEnd), DateText(CDTime(2026, 1, 31)));
        host.Type(kStart, c.start);
        host.Type(kEnd, c.end);
        host.Press(kIdOk);
        SCOPED_TRACE(testing::Message() << "end " << testing::PrintToString(std::u16string(c.end)));
        EXPECT_EQ(host.HasEnded(), c.message == nullptr);
        EXPECT_EQ(
            ui_.Messages(), c.message ? std::vector<std::u16string> { c.message } : std::vector<std::u16string> {});
    }

    // The calendar buttons fill their fields.
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kEndCalendar);
        host.Press(kIdOk);
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& picker) {
        picker.Key(Key::Down);
        picker.Press(kIdOk);
    });
    const std::optional<OutlookPeriod> period
        = AskOutlookPeriod(OutlookPeriod { CDTime(2026, 1, 1), CDTime(2026, 1, 31) });
    ASSERT_TRUE(period.has_value());
    EXPECT_EQ(DateText(period->last), DateText(CDTime(2026, 2, 7)));
}

TEST_F(SmallDialogsTest, SearchWithoutATargetSearchesTheContent)
{
    using namespace searchdialog;
    const SearchConditions given { u"会議", true, SearchConditions::Match::EndsWith,
        SearchConditions::kPlace | SearchConditions::kMemo };
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kWord), u"会議");
        EXPECT_EQ(host.Selection(kCondition), 3);
        EXPECT_TRUE(host.IsChecked(kMatchCase));
        EXPECT_FALSE(host.IsChecked(kContent));
        EXPECT_TRUE(host.IsChecked(kPlace));
        host.Press(kIdOk);
    });
    EXPECT_EQ(AskSearchConditions(given), given);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_TRUE(host.IsEnabled(kMatchCase));
        host.Type(kWord, u"Lunch");
        host.Press(kMatchCase);
        host.Choose(kCondition, 1);
        // An equal text is found whatever its case.
        EXPECT_FALSE(host.IsEnabled(kMatchCase));
        host.Press(kPlace);
        host.Press(kMemo);
        host.Press(kIdOk);
    });
    EXPECT_EQ(AskSearchConditions(given),
        (SearchConditions { u"Lunch", false, SearchConditions::Match::Equals, SearchConditions::kContent }));
}

TEST_F(SmallDialogsTest, WeekdayColoursChangeThroughTheChooser)
{
    using namespace weekdaycolourdialog;
    const WeekdayColours given { 0x0000FF, 0, 0, 0, 0, 0, 0xFF0000 };
    ui_.QueueColour(0x00FF00); // Monday's new colour
    ui_.QueueColour(std::nullopt); // Saturday's chooser cancelled
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.ColourOf(kLabels[0]), 0x0000FFu);
        host.Press(kChangeButtons[1]);
        EXPECT_EQ(host.ColourOf(kLabels[1]), 0x00FF00u);
        host.Press(kChangeButtons[6]);
        EXPECT_EQ(host.ColourOf(kLabels[6]), 0xFF0000u);
        host.Press(kIdOk);
    });
    WeekdayColours expected = given;
    expected[1] = 0x00FF00;
    EXPECT_EQ(AskWeekdayColours(given), expected);

    ui_.QueueColour(0x00FF00);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kChangeButtons[0]);
        host.Key(Key::Escape);
    });
    EXPECT_EQ(AskWeekdayColours(given), std::nullopt);
}

TEST_F(SmallDialogsTest, FontChooserOpensOnTheFontAndGivesWhatWasChosen)
{
    using namespace fontdialog;
    ui_.SetFontFamilies({ u"IPAGothic", u"Noto Sans CJK JP", u"DejaVu Serif" });
    LogFont current;
    current.faceName = u"Noto Sans CJK JP";
    current.point = 11;
    current.weight = 600;
    current.underline = 1;
    current.charSet = 128;
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Selection(kFaceList), 1);
        EXPECT_EQ(host.Selection(kSizeList), 3); // "11"
        EXPECT_EQ(host.Text(kFaceEdit), u"Noto Sans CJK JP");
        EXPECT_TRUE(host.IsChecked(kBold)); // from a weight of 600
        EXPECT_FALSE(host.IsChecked(kItalic));
        host.Choose(kFaceList, 2);
        host.Choose(kSizeList, 10);
        EXPECT_EQ(host.Text(kFaceEdit), u"DejaVu Serif");
        EXPECT_EQ(host.Text(kSizeEdit), u"36");
        host.Type(kSizeEdit, u"0"); // no font has no size
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        host.Type(kSizeEdit, u"13"); // any size may be typed
        host.Press(kBold);
        host.Press(kItalic);
        host.Press(kIdOk);
    });
    const std::optional<LogFont> chosen = AskFont(current);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->faceName, u"DejaVu Serif");
    EXPECT_EQ(chosen->point, 13);
    EXPECT_EQ(chosen->weight, 400);
    EXPECT_EQ(chosen->italic, 1);
    EXPECT_EQ(chosen->underline, 1); // kept
    EXPECT_EQ(chosen->charSet, 128);

    current.faceName = u"Gone";
    current.point = 15;
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Selection(kFaceList), -1);
        EXPECT_EQ(host.Selection(kSizeList), -1);
        EXPECT_EQ(host.Text(kSizeEdit), u"15");
        host.Press(kIdCancel);
    });
    EXPECT_FALSE(AskFont(current));
}

} // namespace
} // namespace kal
