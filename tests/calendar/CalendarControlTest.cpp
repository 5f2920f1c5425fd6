#include "TestEnvironment.h"

#include "calendar/CalendarControl.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kal {
namespace {

// The control drawn at 240 x 200 on the recording canvas (96 dpi, the 9-point font 12 pixels high and
// 6 wide on average) lays out as: title bar 24 high, column width 240 / 7 = 34, row height
// (200 - 24) / 7 = 25. Day row r (0-5), column c has its number at (3 + 34c, 24 + 25(r + 1)).
constexpr Size kSize { 240, 200 };
Point DayPoint(int row, int column)
{
    return Point { 3 + 34 * column + 4, 24 + 25 * (row + 1) + 4 };
}
constexpr Point kNextButtonPoint { 220, 10 }; // ">" spans x 210-233, y 3-20
constexpr Point kPreviousButtonPoint { 15, 10 }; // "<" spans x 6-29

std::u16string Text(CDTime time)
{
    return DateText(time);
}

class CalendarControlTest : public test::TestEnvironment, public testing::WithParamInterface<const char*> {
protected:
    CalendarControlTest()
        : zone_(GetParam())
    {
        clock_.Set(CDTime(2026, 12, 7, 9, 30).Instant()); // today in the zone under test
        control_.SetNotify([this](int code) { notes_.push_back(code); });
    }

    void Draw()
    {
        canvas_.Clear();
        control_.OnDraw(canvas_, kSize);
    }
    void Tap(Point point)
    {
        control_.OnMouseDown(point, kSize);
        control_.OnMouseUp(point, kSize);
    }
    // The first text put at a point: the weekday name of the first column.
    std::u16string FirstWeekdayName() const { return canvas_.OpsOf(CanvasOp::Kind::TextOut).front()->text; }
    // The colour the day number `text` was drawn in at `column`, or nothing.
    std::optional<Colour> ColourAt(std::u16string_view text, int row, int column) const
    {
        for (const CanvasOp* op : canvas_.OpsOf(CanvasOp::Kind::TextOut)) {
            const Point origin = op->points.front();
            if (op->text == text && origin.x == 3 + 34 * column && origin.y == 24 + 25 * (row + 1))
                return op->colour;
        }
        return std::nullopt;
    }

    test::ScopedTimeZone zone_;
    CalendarControl control_;
    RecordingCanvas canvas_;
    std::vector<int> notes_;
};

TEST_P(CalendarControlTest, KeysStepByCalendarDaysMonthsAndYears)
{
    struct Case {
        CDTime start;
        Key key;
        unsigned modifiers;
        const char16_t* expected;
    };
    const Case cases[] = {
        { CDTime(2005, 1, 31), Key::PageDown, modifier::kNone, u"2005/02/28" },
        { CDTime(2004, 1, 31), Key::PageDown, modifier::kNone, u"2004/02/29" },
        { CDTime(2004, 2, 29), Key::PageDown, modifier::kShift, u"2005/02/28" },
        { CDTime(2004, 3, 31), Key::PageUp, modifier::kNone, u"2004/02/29" },
        { CDTime(2004, 2, 29), Key::PageUp, modifier::kShift, u"2003/02/28" },
        { CDTime(2026, 1, 31), Key::Right, modifier::kNone, u"2026/02/01" },
        { CDTime(2026, 3, 1), Key::Left, modifier::kShift, u"2026/02/28" },
        { CDTime(2026, 12, 28), Key::Down, modifier::kNone, u"2027/01/04" },
        { CDTime(2026, 1, 3), Key::Up, modifier::kNone, u"2025/12/27" },
        // Across the changes of clocks in Europe and Chile (where 2026-09-06 has no midnight).
        { CDTime(2026, 3, 28), Key::Right, modifier::kNone, u"2026/03/29" },
        { CDTime(2026, 3, 29), Key::Right, modifier::kNone, u"2026/03/30" },
        { CDTime(2026, 9, 5), Key::Right, modifier::kNone, u"2026/09/06" },
        { CDTime(2026, 9, 6, 12, 0), Key::Right, modifier::kNone, u"2026/09/07" },
        { CDTime(2026, 4, 5), Key::Left, modifier::kNone, u"2026/04/04" },
        { CDTime(2026, 10, 25), Key::Up, modifier::kNone, u"2026/10/18" },
        // The ends of the years the program works with hold.
        { CDTime(2036, 12, 31), Key::Right, modifier::kNone, u"2036/12/31" },
        { CDTime(2036, 6, 1), Key::PageDown, modifier::kShift, u"2036/06/01" },
        { CDTime(1972, 1, 15), Key::PageUp, modifier::kNone, u"1972/01/15" },
    };
    for (const Case& c : cases) {
        control_.SetDate(c.start);
        EXPECT_TRUE(control_.OnKey(c.key, c.modifiers));
        EXPECT_EQ(Text(control_.GetDate()), c.expected) << "from " << testing::PrintToString(c.start);
    }
    EXPECT_FALSE(control_.OnKey(Key::Enter, modifier::kNone)); // left to the dialog
}

TEST_P(CalendarControlTest, RightArrowOnTheLastDayTurnsTheMonthAndRetitles)
{
    control_.SetDate(CDTime(2026, 1, 31));
    notes_.clear();
    control_.OnKey(Key::Right, modifier::kNone);
    EXPECT_EQ(notes_, (std::vector<int> { CalendarControl::kMonthChanged, CalendarControl::kSelectionChanged }));
    Draw();
    ASSERT_NE(canvas_.FindText(u"2026年2月"), nullptr);

    notes_.clear();
    control_.OnKey(Key::Right, modifier::kNone);
    EXPECT_EQ(notes_, std::vector<int> { CalendarControl::kSelectionChanged });
}

TEST_P(CalendarControlTest, FirstRowDependsOnTheWeekStart)
{
    // February 2026 starts on a Sunday.
    control_.SetDate(CDTime(2026, 2, 10));
    Draw();
    EXPECT_EQ(ColourAt(u" 1", 0, 0), 0x0000FFu); // the 1st in the first column, in Sunday's red
    EXPECT_EQ(FirstWeekdayName(), u"日");

    control_.SetWeekStartCode(0); // Monday
    Draw();
    EXPECT_EQ(FirstWeekdayName(), u"月");
    EXPECT_EQ(ColourAt(u"26", 0, 0), 0x808080u); // January 26: six days earlier, in grey
    EXPECT_EQ(ColourAt(u" 1", 0, 6), 0x0000FFu);
    EXPECT_EQ(ColourAt(u" 2", 1, 0), 0u);

    // A week starting on Wednesday still shows the 1st in the first row.
    control_.SetWeekStartCode(2);
    Draw();
    EXPECT_EQ(FirstWeekdayName(), u"水");
    EXPECT_EQ(ColourAt(u" 1", 0, 4), 0x0000FFu);
}

TEST_P(CalendarControlTest, PaintsSelectionTodayAndHolidays)
{
    control_.SetDate(CDTime(2026, 2, 10)); // today is 2026-12-07
    Draw();
    const CanvasOp* title = canvas_.FindText(u"2026年2月");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->colour, 0xFFFFFFu);
    EXPECT_EQ(title->font.weight, 700);
    EXPECT_EQ(ColourAt(u"10", 1, 2), 0xFFFFFFu); // the selected day, white on blue
    const Rect selected { 3 + 68 - 2, 74 - 2, 3 + 68 + 12 + 4, 74 + 12 + 4 };
    bool filled = false;
    for (const CanvasOp* fill : canvas_.OpsOf(CanvasOp::Kind::FillRect))
        filled = filled || (fill->rect == selected && fill->colour == 0xFF0000u);
    EXPECT_TRUE(filled);
    EXPECT_EQ(ColourAt(u"11", 1, 3), 0x0000FFu); // National Foundation Day
    EXPECT_EQ(ColourAt(u"12", 1, 4), 0u);
    EXPECT_EQ(canvas_.CountOf(CanvasOp::Kind::Line), 1u); // the rule under the weekday names only

    control_.SetColourHolidays(false);
    Draw();
    EXPECT_EQ(ColourAt(u"11", 1, 3), 0u);

    // The Monday after a holiday on a Sunday is a holiday too.
    control_.SetColourHolidays(true);
    control_.SetDate(CDTime(2025, 11, 10));
    Draw();
    EXPECT_EQ(ColourAt(u"24", 4, 1), 0x0000FFu);
    EXPECT_EQ(ColourAt(u"25", 4, 2), 0u);

    // Today, December 7 (a Monday in the second row), is framed in red while the 1st is selected.
    control_.SetDate(CDTime(2026, 12, 1));
    Draw();
    std::vector<Point> frame;
    for (const CanvasOp* line : canvas_.OpsOf(CanvasOp::Kind::Line)) {
        if (line->penColour == 0x0000FFu)
            frame.insert(frame.end(), line->points.begin(), line->points.end());
    }
    ASSERT_EQ(frame.size(), 8u);
    EXPECT_EQ(frame.front(), (Point { 3 + 34 - 2, 74 - 2 }));
    EXPECT_EQ(ColourAt(u" 7", 1, 1), 0u);
}

TEST_P(CalendarControlTest, TappingPicksTheDayUnderTheStylus)
{
    control_.SetDate(CDTime(2026, 2, 10, 15, 45));
    Draw();
    notes_.clear();
    Tap(DayPoint(2, 5)); // Friday the 20th
    EXPECT_EQ(Text(control_.GetDate()), u"2026/02/20");
    EXPECT_EQ(notes_, std::vector<int> { CalendarControl::kSelectionChanged });

    // The grey 3rd of March in the fifth row switches the month.
    notes_.clear();
    Tap(DayPoint(4, 2));
    EXPECT_EQ(Text(control_.GetDate()), u"2026/03/03");
    EXPECT_EQ(notes_, (std::vector<int> { CalendarControl::kMonthChanged, CalendarControl::kSelectionChanged }));
    Draw();
    EXPECT_NE(canvas_.FindText(u"2026年3月"), nullptr);

    // Between the number boxes nothing changes.
    Tap(Point { 3 + 34 * 2 + 25, DayPoint(1, 2).y });
    EXPECT_EQ(Text(control_.GetDate()), u"2026/03/03");
}

TEST_P(CalendarControlTest, TitleButtonsTurnTheMonth)
{
    control_.SetDate(CDTime(2005, 1, 31));
    Draw();
    Tap(kNextButtonPoint);
    EXPECT_EQ(Text(control_.GetDate()), u"2005/02/28");
    Tap(kPreviousButtonPoint);
    Tap(kPreviousButtonPoint);
    EXPECT_EQ(Text(control_.GetDate()), u"2004/12/28");

    // A press slid off the button before release does nothing.
    control_.OnMouseDown(kNextButtonPoint, kSize);
    control_.OnMouseUp(Point { 120, 10 }, kSize);
    EXPECT_EQ(Text(control_.GetDate()), u"2004/12/28");

    // A quick second click on a button turns the month again.
    Tap(kNextButtonPoint);
    control_.OnDoubleClick(kNextButtonPoint, kSize);
    EXPECT_EQ(Text(control_.GetDate()), u"2005/02/28");
    EXPECT_EQ(notes_.back(), CalendarControl::kDoubleClicked);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, CalendarControlTest, testing::Values("Asia/Tokyo", "Europe/Berlin", "America/Santiago"));

} // namespace
} // namespace kal
