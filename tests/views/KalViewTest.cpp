#include "TestEnvironment.h"

#include "app/KalDoc.h"
#include "dialogs/DaysAfterDialog.h"
#include "dialogs/FontDialog.h"
#include "dialogs/GenreDialog.h"
#include "dialogs/SearchDialog.h"
#include "dialogs/WeekdayColourDialog.h"
#include "dialogs/YearMonthDayDialog.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "store/ExchangeTexts.h"
#include "support/MemoryDialogHost.h"
#include "support/RecordingCanvas.h"
#include "ui/CommandIds.h"
#include "views/DayView.h"
#include "views/EntryDrawer.h"
#include "views/KalView.h"
#include "views/ViewTexts.h"

#include <gtest/gtest.h>

#include <functional>

namespace kal {
namespace {

using Op = CanvasOp;

class KalViewTest : public test::TestEnvironment {
protected:
    KalViewTest()
        : document_(genres_)
        , view_(document_)
        , dayView_(document_, view_)
    {
        CKalField general;
        general.name = u"一般";
        document_.Store().genres.Append(general);
        view_.SetDayView(&dayView_);
        document_.AddView(&view_);
        document_.AddView(&dayView_);
    }

    CKalData& Add(const char16_t* text, CDTime start, std::uint32_t flags = 0)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = entry->end = start;
        entry->flags = flags;
        document_.Store().AppendEntry(std::move(entry));
        return document_.Store().Entry(document_.Store().EntryCount() - 1);
    }

    // Shows December 2026 (today is 2026-12-07 by the test clock) in a 700 x 530 window.
    void Draw()
    {
        if (!initialised_) {
            view_.OnInitialUpdate();
            view_.OnSize(700, 530);
            initialised_ = true;
        }
        canvas_.Clear();
        view_.OnDraw(canvas_);
    }

    const CMonthCell& CellOf(CDTime day) { return view_.Grid().Cell(view_.Grid().IndexOf(day)); }

    // The fills made exactly over a rectangle, in order.
    std::vector<Colour> FillsOf(const Rect& rect)
    {
        std::vector<Colour> colours;
        for (const Op* op : canvas_.OpsOf(Op::Kind::FillRect)) {
            if (op->rect == rect)
                colours.push_back(op->colour);
        }
        return colours;
    }

    // The number drawn for a day: the TextOut of its digits inside its cell.
    const Op* DayNumber(CDTime day)
    {
        const Rect& r = CellOf(day).rect;
        const std::u16string digits = IntText(day.Day());
        for (const Op* op : canvas_.OpsOf(Op::Kind::TextOut)) {
            if (op->text == digits && r.Contains(op->points[0]))
                return op;
        }
        return nullptr;
    }

    CKalFieldArray genres_;
    CKalDoc document_;
    CKalView view_;
    CDayView dayView_;
    RecordingCanvas canvas_;
    bool initialised_ = false;
};

TEST_F(KalViewTest, HeaderForms)
{
    Draw();
    EXPECT_NE(canvas_.FindText(u"2026 - 12"), nullptr);
    settings_.Set(IntSetting::Month, 1);
    Draw();
    EXPECT_NE(canvas_.FindText(u"2026 - December"), nullptr);
    settings_.Set(IntSetting::Month, 2);
    Draw();
    EXPECT_NE(canvas_.FindText(u"2026年 12月"), nullptr);
    EXPECT_EQ(CKalView::HeaderText(2, { 2005, 7 }), u"2005年 07月");
}

TEST_F(KalViewTest, WeekdayTitlesFollowTheWeekStartAndLanguage)
{
    Draw();
    const Op* sunday = canvas_.FindText(u"Sun.");
    const Op* saturday = canvas_.FindText(u"Sat.");
    ASSERT_NE(sunday, nullptr);
    ASSERT_NE(saturday, nullptr);
    EXPECT_EQ(sunday->colour, 255u);
    EXPECT_EQ(saturday->colour, 16711680u);
    EXPECT_EQ(sunday->rect.left, 0);
    EXPECT_EQ(sunday->flags & textflag::kCentre, textflag::kCentre);

    settings_.Set(IntSetting::Youbi, 1);
    settings_.Set(IntSetting::StartMonday, 1);
    document_.UpdateWeekOrder();
    Draw();
    const Op* monday = canvas_.FindText(u"月");
    ASSERT_NE(monday, nullptr);
    EXPECT_EQ(monday->rect.left, 0);
    EXPECT_EQ(canvas_.FindText(u"日")->rect.left, 6 * 100);
}

TEST_F(KalViewTest, SelectionModesAndColours)
{
    Draw(); // today, 2026-12-07, is selected
    const Rect today = CellOf(CDTime(2026, 12, 7)).rect;
    EXPECT_EQ(FillsOf(today), std::vector<Colour> { settings_.Get(ColourSetting::Select) });
    EXPECT_NE(canvas_.OpsOf(Op::Kind::FocusRect).size(), 0u);
    EXPECT_EQ(canvas_.OpsOf(Op::Kind::FocusRect)[0]->rect, today);

    settings_.Set(IntSetting::SelColorMode, 1);
    Draw();
    EXPECT_EQ(FillsOf(today), std::vector<Colour> { 0x000000 }); // white inverted
    document_.Store().SetDayColour(u"2026/12/07", { MakeColour(255, 0, 0), u"" });
    view_.OnUpdate(1, nullptr);
    Draw();
    EXPECT_EQ(FillsOf(today), std::vector<Colour> { MakeColour(0, 255, 255) });
    document_.Store().SetDayColour(u"2026/12/07", { MakeColour(0, 255, 0), u"" });
    view_.OnUpdate(1, nullptr);
    Draw();
    EXPECT_EQ(FillsOf(today), std::vector<Colour> { MakeColour(255, 255, 0) });

    settings_.Set(IntSetting::SelColorMode, 2);
    Draw();
    EXPECT_EQ(FillsOf(today), std::vector<Colour> { settings_.Get(ColourSetting::Select) });
    EXPECT_EQ(FillsOf(today.Deflated(3)), std::vector<Colour> { MakeColour(0, 255, 0) });
}

TEST_F(KalViewTest, SelectedEntryTextReadsOnItsCell)
{
    const Colour green = MakeColour(0, 128, 0);
    Add(u"日曜の予定", CDTime(2026, 12, 6)).colour = green; // the first column
    Add(u"水曜の予定", CDTime(2026, 12, 9)).colour = green;
    struct Case {
        int mode;
        CDTime day;
        const char16_t* text;
        Colour want;
    };
    const Case cases[] = {
        { 0, CDTime(2026, 12, 6), u"日曜の予定", 0xFFFFFF },
        { 2, CDTime(2026, 12, 6), u"日曜の予定", green },
        { 2, CDTime(2026, 12, 9), u"水曜の予定", green },
    };
    Draw();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        settings_.Set(IntSetting::SelColorMode, c.mode);
        const Rect& r = CellOf(c.day).rect;
        view_.OnLButtonDown(Point { r.left + 5, r.top + 5 });
        Draw();
        const Op* text = canvas_.FindText(c.text);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->colour, c.want);
    }
}

TEST_F(KalViewTest, TodayHasATwoPixelOutline)
{
    Draw();
    const auto outline = [&](CDTime day) {
        const Rect& r = CellOf(day).rect;
        std::vector<int> widths;
        for (const Op* op : canvas_.OpsOf(Op::Kind::Line)) {
            const bool topEdge = op->points[0] == Point { r.left, r.top } && op->points[1] == Point { r.right, r.top };
            const bool rightEdge
                = op->points[0] == Point { r.right, r.top } && op->points[1] == Point { r.right, r.bottom };
            if (topEdge || rightEdge)
                widths.push_back(op->penWidth);
        }
        return widths;
    };
    EXPECT_EQ(outline(CDTime(2026, 12, 7)), (std::vector<int> { 2, 2 }));
    EXPECT_EQ(outline(CDTime(2026, 12, 8)), (std::vector<int> { 1, 1 }));
    view_.OnCommand(ID_GO_NEXT_DAY); // not selected any more: still outlined
    Draw();
    EXPECT_EQ(outline(CDTime(2026, 12, 7)), (std::vector<int> { 2, 2 }));
}

TEST_F(KalViewTest, DayNumbersByPositionFrameAndColour)
{
    Add(u"祝日", CDTime(2026, 12, 10), flag::kHoliday);
    Draw(); // position 3: bottom right
    const Rect& r = CellOf(CDTime(2026, 12, 9)).rect;
    const Op* nine = DayNumber(CDTime(2026, 12, 9));
    ASSERT_NE(nine, nullptr);
    EXPECT_EQ(nine->rect.right, r.right);
    EXPECT_EQ(nine->rect.bottom, r.bottom - 1);
    EXPECT_EQ(nine->colour, 0u); // a Wednesday in black
    EXPECT_EQ(DayNumber(CDTime(2026, 12, 10))->colour, 255u); // a holiday in the holiday colour
    EXPECT_EQ(DayNumber(CDTime(2026, 12, 12))->colour, 16711680u); // Saturday
    EXPECT_EQ(DayNumber(CDTime(2026, 12, 7))->colour, 0xFFFFFFu); // selected

    settings_.Set(IntSetting::DayDrawPos, 0);
    settings_.Set(IntSetting::DayDrawFrame, 1);
    Draw();
    nine = DayNumber(CDTime(2026, 12, 9));
    EXPECT_EQ(nine->points[0], (Point { r.left + 1, r.top + 1 }));
    EXPECT_EQ(nine->colour, 0xFFFFFFu); // white on the black square
    EXPECT_EQ(FillsOf(nine->rect), std::vector<Colour> { 0 });

    settings_.Set(IntSetting::DayDrawFrame, 2);
    settings_.Set(IntSetting::DayDrawPos, 4);
    Draw();
    nine = DayNumber(CDTime(2026, 12, 9));
    const int middle = (r.left + r.right) / 2;
    EXPECT_NEAR((nine->rect.left + nine->rect.right) / 2, middle, 1);
    bool circled = false;
    for (const Op* op : canvas_.OpsOf(Op::Kind::Ellipse))
        circled = circled || op->rect == nine->rect.Inflated(1);
    EXPECT_TRUE(circled);
}

TEST_F(KalViewTest, EntriesInCellsAndTheOverflowMark)
{
    Add(u"朝会", CDTime(2026, 12, 9, 9, 0), flag::kStartTimeSet);
    Add(u"隠す", CDTime(2026, 12, 9), flag::kHidden);
    for (int i = 0; i < 12; ++i)
        Add(u"たくさん", CDTime(2026, 12, 9));
    Draw();
    // Untimed entries come first; the timed one no longer fits and the cell shows the overflow mark.
    const Op* line = canvas_.FindText(u"たくさん");
    ASSERT_NE(line, nullptr);
    const Rect& r = CellOf(CDTime(2026, 12, 9)).rect;
    EXPECT_EQ(line->rect.left, r.left + 1);
    EXPECT_EQ(line->rect.top, r.top + 1);
    EXPECT_EQ(canvas_.FindText(u"09:00 朝会"), nullptr);
    EXPECT_EQ(canvas_.FindText(u"隠す"), nullptr);
    bool triangle = false;
    for (const Op* op : canvas_.OpsOf(Op::Kind::Polygon))
        triangle = triangle
            || (op->points.size() == 3
                && op->points[0] == Point { r.right - canvas_.Metrics().averageCharWidth / 2, r.bottom });
    EXPECT_TRUE(triangle);

    settings_.Set(IntSetting::MonthSchView, 0);
    Draw();
    EXPECT_EQ(canvas_.FindText(u"たくさん"), nullptr);
    EXPECT_EQ(FillsOf(Rect { r.left + 2, r.top + 3, r.left + 7, r.top + 8 }), std::vector<Colour> { 10079232u });
}

TEST_F(KalViewTest, KeysMoveTheSelectionAndTheDayListFollows)
{
    Add(u"十日の予定", CDTime(2026, 12, 10));
    Draw();
    EXPECT_EQ(view_.Grid().Cell(view_.Selected()).date, CDTime(2026, 12, 7));
    view_.OnKeyDown(Key::Right, modifier::kNone);
    view_.OnKeyDown(Key::Right, modifier::kNone);
    view_.OnKeyDown(Key::Right, modifier::kNone);
    EXPECT_EQ(document_.CurrentDate(), CDTime(2026, 12, 10));
    EXPECT_EQ(dayView_.Rows(), std::vector<std::u16string> { u"十日の予定" });
    view_.OnKeyDown(Key::Down, modifier::kNone);
    view_.OnKeyDown(Key::Down, modifier::kNone);
    view_.OnKeyDown(Key::Down, modifier::kNone);
    EXPECT_EQ(document_.CurrentDate(), CDTime(2026, 12, 31));
    view_.OnKeyDown(Key::Down, modifier::kNone); // beyond the grid: the next month is shown
    EXPECT_EQ(document_.CurrentDate(), CDTime(2027, 1, 7));
    EXPECT_EQ(view_.Shown(), (YearMonth { 2027, 1 }));
    view_.OnCommand(ID_GO_PREVIOUS_MONTH);
    EXPECT_EQ(view_.Shown(), (YearMonth { 2026, 12 }));
    EXPECT_EQ(document_.CurrentDate(), CDTime(2026, 12, 7));
    view_.OnLButtonDown(
        Point { CellOf(CDTime(2026, 12, 10)).rect.left + 5, CellOf(CDTime(2026, 12, 10)).rect.top + 5 });
    EXPECT_EQ(document_.CurrentDate(), CDTime(2026, 12, 10));
}

// A reminder's day, asked from outside: its month is shown with the day selected and listed, a time
// of day on it notwithstanding.
TEST_F(KalViewTest, ShowDateMovesToAnotherMonthsDay)
{
    Add(u"歯医者", CDTime(2027, 3, 9));
    Draw();
    view_.ShowDate(CDTime(2027, 3, 9, 14, 30));
    EXPECT_EQ(view_.Shown(), (YearMonth { 2027, 3 }));
    EXPECT_EQ(document_.CurrentDate(), CDTime(2027, 3, 9));
    EXPECT_EQ(view_.Grid().Cell(view_.Selected()).date, CDTime(2027, 3, 9));
    EXPECT_EQ(dayView_.Rows(), std::vector<std::u16string> { u"歯医者" });
}

TEST_F(KalViewTest, CalendarLimits)
{
    clock_.Set(CDTime(2036, 12, 31, 12, 0).Instant());
    Draw();
    EXPECT_EQ(view_.Shown(), (YearMonth { 2036, 12 })); // its last row holds January 2037
    EXPECT_EQ(view_.Grid().Cell(view_.Selected()).date, CDTime(2036, 12, 31));
    view_.OnCommand(ID_GO_NEXT_MONTH);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], texts::kCannotGoFurther);
    EXPECT_EQ(view_.Shown(), (YearMonth { 2036, 12 }));
    view_.OnCommand(ID_GO_NEXT_WEEK);
    EXPECT_EQ(ui_.Messages().size(), 2u);
    EXPECT_EQ(view_.Grid().Cell(view_.Selected()).date, CDTime(2036, 12, 31));
}

// The month view's moves at the edges of its grid and of its years, and the dialogs that move it.
TEST_F(KalViewTest, NavigationEdges)
{
    using Step = std::function<void()>;
    struct Case {
        const char* name;
        CDTime today;
        Step step;
        CDTime selected; // afterwards
        YearMonth shown;
        std::size_t messages;
    };
    const auto command = [this](int id) { return [this, id] { view_.OnCommand(id); }; };
    const auto tapOn = [this](CDTime day) {
        return [this, day] { view_.OnLButtonDown(Point { CellOf(day).rect.left + 2, CellOf(day).rect.top + 2 }); };
    };
    const auto daysAfter = [this](const char16_t* typed) {
        return [this, typed] {
            ui_.QueueDialog([typed](DialogLogic&, MemoryDialogHost& host) {
                host.Type(daysafterdialog::kDays, typed);
                host.Press(kIdOk);
            });
            view_.OnCommand(ID_GO_DAYS_AFTER);
        };
    };
    const Case cases[] = {
        { "previous day onto another month's cell keeps the month", CDTime(2026, 12, 1), command(ID_GO_PREVIOUS_DAY),
            CDTime(2026, 11, 30), { 2026, 12 }, 0 },
        // Reaching cell 0 re-grids by date; the last row of November starts December's grid.
        { "previous day onto cell 0 re-grids", CDTime(2026, 12, 1),
            [&] {
                tapOn(CDTime(2026, 11, 30))();
                view_.OnCommand(ID_GO_PREVIOUS_DAY);
            },
            CDTime(2026, 11, 29), { 2026, 12 }, 0 },
        { "cell 0 of January 1972 is the first", CDTime(1972, 1, 3),
            [&] {
                tapOn(CDTime(1971, 12, 27))();
                view_.OnCommand(ID_GO_PREVIOUS_DAY);
            },
            CDTime(1971, 12, 27), { 1972, 1 }, 1 },
        { "previous week from the first row of January 1972", CDTime(1972, 1, 1), command(ID_GO_PREVIOUS_WEEK),
            CDTime(1972, 1, 1), { 1972, 1 }, 1 },
        { "previous month in January 1972", CDTime(1972, 1, 20), command(ID_GO_PREVIOUS_MONTH), CDTime(1972, 1, 20),
            { 1972, 1 }, 1 },
        { "next month from the 31st", CDTime(2026, 1, 31), command(ID_GO_NEXT_MONTH), CDTime(2026, 2, 28), { 2026, 2 },
            0 },
        { "zero days after stays", CDTime(2026, 12, 7), daysAfter(u"0"), CDTime(2026, 12, 7), { 2026, 12 }, 0 },
        { "three days back", CDTime(2026, 12, 2), daysAfter(u"-3"), CDTime(2026, 11, 29), { 2026, 12 }, 0 },
        { "days after across a change of clocks", CDTime(2026, 3, 20), daysAfter(u"300"), CDTime(2027, 1, 14),
            { 2027, 1 }, 0 },
        { "days after beyond 2036", CDTime(2036, 6, 1), daysAfter(u"365"), CDTime(2036, 6, 1), { 2036, 6 }, 1 },
        { "days after before 1972", CDTime(1972, 2, 1), daysAfter(u"-40"), CDTime(1972, 2, 1), { 1972, 2 }, 1 },
        { "days after far beyond any year", CDTime(2026, 12, 7), daysAfter(u"2147483647"), CDTime(2026, 12, 7),
            { 2026, 12 }, 1 },
        { "days after far before any year", CDTime(2026, 12, 7), daysAfter(u"-2147483648"), CDTime(2026, 12, 7),
            { 2026, 12 }, 1 },
        { "go to a date", CDTime(2026, 12, 7),
            [&] {
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    // Opened on the month shown and the selected day.
                    EXPECT_EQ(host.Number(yearmonthdaydialog::kYear), 2026);
                    EXPECT_EQ(host.Number(yearmonthdaydialog::kDay), 7);
                    host.Type(yearmonthdaydialog::kYear, u"2030");
                    host.Type(yearmonthdaydialog::kMonth, u"2");
                    host.Press(kIdOk);
                });
                view_.OnCommand(ID_GO_DATE);
            },
            CDTime(2030, 2, 7), { 2030, 2 }, 0 },
        { "week start keeps the day", CDTime(2026, 12, 10), command(ID_START_MONDAY), CDTime(2026, 12, 10),
            { 2026, 12 }, 0 },
        { "six weeks keep the day", CDTime(2026, 12, 31), command(ID_SIX_WEEKS), CDTime(2026, 12, 31), { 2027, 1 }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock_.Set(c.today.Instant());
        ui_.Clear();
        view_.OnInitialUpdate();
        view_.OnSize(700, 530);
        Draw();
        c.step();
        EXPECT_EQ(view_.Grid().Cell(view_.Selected()).date, c.selected);
        EXPECT_EQ(document_.CurrentDate(), c.selected);
        EXPECT_EQ(view_.Shown(), c.shown);
        EXPECT_EQ(ui_.Messages().size(), c.messages);
        settings_.Set(IntSetting::StartMonday, 0);
        settings_.Set(IntSetting::MonthWeeks, 5);
        document_.UpdateWeekOrder();
    }
}

// With the bars on, an entry over several days is one bar per week row it covers, from its first to
// its last cell there, at one height across the row, and the day's other lines go below it. Off, each
// day draws its own line, as always.
TEST_F(KalViewTest, AMultiDayEntryIsOneBarPerWeekRowWhenTheBarsAreOn)
{
    CKalData& trip = Add(u"出張", CDTime(2026, 12, 12)); // Saturday to Monday, over a week's end
    trip.end = CDTime(2026, 12, 14);
    Add(u"朝会", CDTime(2026, 12, 13));
    const auto tripTexts = [this] {
        std::vector<Rect> boxes;
        for (const Op* op : canvas_.OpsOf(Op::Kind::DrawText)) {
            if (op->text.find(u"出張") != std::u16string::npos)
                boxes.push_back(op->rect);
        }
        return boxes;
    };

    Draw();
    const Rect saturday = CellOf(CDTime(2026, 12, 12)).rect;
    const std::vector<Rect> lines = tripTexts();
    ASSERT_EQ(lines.size(), 3u);
    for (int day = 12; day <= 14; ++day)
        EXPECT_EQ(lines[static_cast<std::size_t>(day - 12)].left, CellOf(CDTime(2026, 12, day)).rect.left + 1);

    settings_.Set(IntSetting::MultiDayBars, 1);
    Draw();
    const std::vector<Rect> bars = tripTexts();
    ASSERT_EQ(bars.size(), 2u);
    const Rect sunday = CellOf(CDTime(2026, 12, 13)).rect;
    const Rect monday = CellOf(CDTime(2026, 12, 14)).rect;
    ASSERT_NE(saturday.top, sunday.top); // two week rows
    // The text sits two pixels inside its bar; the bar keeps a gap where the entry begins or ends and
    // runs to the row's edge where it goes on.
    EXPECT_EQ(bars[0].left, saturday.left + 3 + 2);
    EXPECT_EQ(bars[0].right, saturday.right - 2);
    EXPECT_EQ(bars[1].left, sunday.left + 1 + 2);
    EXPECT_EQ(bars[1].right, monday.right - 2 - 2);
    EXPECT_EQ(bars[0].top - saturday.top, bars[1].top - sunday.top);
    for (const Rect& text : bars) {
        const Rect bar { text.left - 2, text.top, text.right + 2, text.bottom };
        EXPECT_EQ(FillsOf(bar).size(), 1u);
    }
    const Op* below = canvas_.FindText(u"朝会");
    ASSERT_NE(below, nullptr);
    EXPECT_GE(below->rect.top, bars[1].bottom);
    EXPECT_EQ(below->rect.left, sunday.left + 1);
    // The bar is picked up for a drag as the day under the pointer.
    const auto picked = view_.DraggableAt(Point { (monday.left + monday.right) / 2, bars[1].top + 2 });
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->entry, &trip);
    EXPECT_EQ(picked->day, CDTime(2026, 12, 14));
}

// A search moves the calendar from the selected day to the next day with an entry found, and the day
// list selects it.
TEST_F(KalViewTest, SearchMovesTheCalendarToTheEntryFound)
{
    Add(u"昼食", CDTime(2027, 3, 4, 12, 0), flag::kStartTimeSet);
    Add(u"定例会議", CDTime(2027, 3, 4, 9, 0), flag::kStartTimeSet);
    Add(u"会議の準備", CDTime(2026, 11, 20));
    Draw();
    dayView_.OnInitialUpdate();
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(searchdialog::kWord, u"会議");
        host.Press(kIdOk);
    });
    dayView_.OnCommand(ID_EDIT_FIND); // the list hands it to the month view
    EXPECT_EQ(view_.Shown(), (YearMonth { 2027, 3 }));
    EXPECT_EQ(document_.CurrentDate(), CDTime(2027, 3, 4));
    EXPECT_EQ(dayView_.SelectedEntry(), &document_.Store().Entry(1));
    EXPECT_EQ(profile_.GetString("System", "FindStr", u""), u"会議");

    // Nothing later; the earlier one is found going back.
    view_.OnCommand(ID_FIND_NEXT);
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { texts::kNotFound });
    EXPECT_EQ(document_.CurrentDate(), CDTime(2027, 3, 4));
    view_.OnCommand(ID_FIND_PREVIOUS);
    EXPECT_EQ(document_.CurrentDate(), CDTime(2026, 11, 20));
    EXPECT_EQ(dayView_.SelectedEntry(), &document_.Store().Entry(2));

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdCancel); });
    view_.OnCommand(ID_EDIT_FIND);
    EXPECT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(document_.CurrentDate(), CDTime(2026, 11, 20));
}

// Next and previous visit the days on which matching entries show, in date order whatever the file's
// order, and each shows its own month's grid even where the day sits in the next month's first row.
TEST_F(KalViewTest, SearchStepsThroughTheDaysMatchingEntriesShowOn)
{
    CKalData& second = Add(u"会議（新年）", CDTime(2027, 1, 2));
    CKalData& eve = Add(u"会議（大晦日）", CDTime(2026, 12, 31));
    CKalData& monthly = Add(u"月例会議", CDTime(2026, 11, 1));
    monthly.end = CDTime(2027, 2, 28);
    monthly.repeatType = repeat::kMonthly;
    monthly.repeatDayFrom = monthly.repeatDayTo = 28;
    CKalData& weekly = Add(u"週例会議", CDTime(2026, 12, 16, 10, 0), flag::kStartTimeSet);
    weekly.end = CDTime(2027, 1, 13, 11, 0);
    weekly.repeatType = repeat::kWeekly;
    weekly.weekdays[3] = 1; // Wednesdays
    Add(u"昼食", CDTime(2026, 12, 20));
    Draw();
    dayView_.OnInitialUpdate();

    struct Visit {
        CDTime day;
        const CKalData* entry;
    };
    const Visit visits[] = {
        { CDTime(2026, 12, 16), &weekly },
        { CDTime(2026, 12, 23), &weekly },
        { CDTime(2026, 12, 28), &monthly },
        { CDTime(2026, 12, 30), &weekly },
        { CDTime(2026, 12, 31), &eve },
        { CDTime(2027, 1, 2), &second },
        { CDTime(2027, 1, 6), &weekly },
        { CDTime(2027, 1, 13), &weekly },
        { CDTime(2027, 1, 28), &monthly },
        { CDTime(2027, 2, 28), &monthly },
    };
    const auto expectAt = [&](const Visit& visit) {
        const LocalFields f = visit.day.Fields();
        SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day);
        EXPECT_EQ(document_.CurrentDate(), visit.day);
        EXPECT_EQ(view_.Grid().Cell(view_.Selected()).date, visit.day);
        EXPECT_EQ(view_.Shown(), (YearMonth { f.year, f.month }));
        EXPECT_EQ(dayView_.SelectedEntry(), visit.entry);
    };

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(searchdialog::kWord, u"会議");
        host.Press(kIdOk);
    });
    view_.OnCommand(ID_EDIT_FIND); // from today, 7 December
    expectAt(visits[0]);
    for (std::size_t i = 1; i < std::size(visits); ++i) {
        view_.OnCommand(ID_FIND_NEXT);
        expectAt(visits[i]);
    }
    EXPECT_TRUE(ui_.Messages().empty());
    view_.OnCommand(ID_FIND_NEXT);
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { texts::kNotFound });
    expectAt(visits[std::size(visits) - 1]);

    for (std::size_t i = std::size(visits) - 1; i-- > 0;) {
        view_.OnCommand(ID_FIND_PREVIOUS);
        expectAt(visits[i]);
    }
    // Before the weekly series began, the monthly one showed on 28 November; nothing before that.
    view_.OnCommand(ID_FIND_PREVIOUS);
    expectAt(Visit { CDTime(2026, 11, 28), &monthly });
    view_.OnCommand(ID_FIND_PREVIOUS);
    EXPECT_EQ(ui_.Messages().size(), 2u);
    expectAt(Visit { CDTime(2026, 11, 28), &monthly });
}

// The selected day's entries go to the clipboard as text, with the weekday by default.
TEST_F(KalViewTest, ThisDaysTextCopy)
{
    ProcessClipboard clipboard;
    Clipboard* previous = Clipboard::Install(&clipboard);
    Add(u"定例会議", CDTime(2026, 12, 7, 9, 0), flag::kStartTimeSet);
    Draw();
    view_.OnCommand(ID_DAY_TEXT_COPY);
    ASSERT_TRUE(clipboard.Text().has_value());
    EXPECT_EQ(clipboard.Text()->substr(0, 9), u"12/07(月) ");
    EXPECT_NE(clipboard.Text()->find(u"定例会議"), std::u16string::npos);
    settings_.Set(IntSetting::TextCopyYear, 1);
    settings_.Set(IntSetting::TextCopyYoubi, 0);
    view_.OnCommand(ID_DAY_TEXT_COPY);
    EXPECT_EQ(clipboard.Text()->substr(0, 11), u"2026/12/07 ");
    view_.OnCommand(ID_GO_NEXT_DAY); // a day without entries copies nothing and says so
    view_.OnCommand(ID_DAY_TEXT_COPY);
    EXPECT_EQ(clipboard.Text()->substr(0, 11), u"2026/12/07 ");
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { exchange::kNoSchedules });
    Clipboard::Install(previous);
}

// Delete, copy and cut act on the day list's selected entry from the month view too.
TEST_F(KalViewTest, EntryCommandsReachTheDayListFromTheMonthView)
{
    Add(u"消す予定", CDTime(2026, 12, 7, 9, 0), flag::kStartTimeSet);
    Draw();
    dayView_.OnInitialUpdate();
    EXPECT_TRUE(view_.StateOf(ID_SCHEDULE_DELETE).enabled);
    ui_.QueueAnswer(true);
    EXPECT_TRUE(view_.OnCommand(ID_SCHEDULE_DELETE));
    EXPECT_EQ(document_.Store().EntryCount(), 0);
    EXPECT_TRUE(dayView_.Rows().empty());
    // An empty day has nothing to act on.
    for (const int id : { ID_SCHEDULE_DELETE, ID_EDIT_COPY, ID_EDIT_CUT, ID_SCHEDULE_UP })
        EXPECT_FALSE(view_.StateOf(id).enabled) << id;
}

// Fonts and weekday colours are chosen in their dialogs and kept in the settings.
TEST_F(KalViewTest, FontAndWeekdayColourCommands)
{
    Draw();
    ui_.SetFontFamilies({ u"IPAGothic", u"DejaVu Sans" });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Choose(fontdialog::kFaceList, 1);
        host.Type(fontdialog::kSizeEdit, u"20");
        host.Press(kIdOk);
    });
    view_.OnCommand(ID_FONT_DAY_NUMBER);
    EXPECT_EQ(settings_.Font(FontSetting::DayNumber).faceName, u"DejaVu Sans");
    EXPECT_EQ(settings_.Font(FontSetting::DayNumber).point, 20);
    EXPECT_EQ(profile_.GetInt("DFont", "Point", 0), 20);
    Draw();
    EXPECT_EQ(DayNumber(CDTime(2026, 12, 7))->font.point, 20);

    ui_.QueueColour(0x123456);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(weekdaycolourdialog::kChangeButtons[3]);
        host.Press(kIdOk);
    });
    view_.OnCommand(ID_WEEKDAY_COLOURS);
    EXPECT_EQ(settings_.WeekColour(3), 0x123456u);
    EXPECT_EQ(profile_.GetInt("View", "WeekColor3", 0), 0x123456);
}

TEST_F(KalViewTest, CopyCutAndPasteThroughTheClipboard)
{
    ProcessClipboard clipboard;
    Clipboard* previous = Clipboard::Install(&clipboard);
    Add(u"コピーする予定", CDTime(2026, 12, 7, 9, 0), flag::kStartTimeSet);
    Draw();
    dayView_.OnInitialUpdate();
    dayView_.OnCommand(ID_EDIT_COPY);
    ASSERT_TRUE(clipboard.Text().has_value());

    view_.OnCommand(ID_GO_NEXT_DAY);
    view_.OnCommand(ID_EDIT_PASTE);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(document_.Store().EntryCount(), 2);
    EXPECT_EQ(dayView_.Rows(), std::vector<std::u16string> { u"09:00 コピーする予定" });
    EXPECT_EQ(document_.Store().Entry(1).start, CDTime(2026, 12, 8, 9, 0));

    dayView_.OnCommand(ID_EDIT_CUT);
    EXPECT_EQ(document_.Store().EntryCount(), 1);
    EXPECT_TRUE(dayView_.Rows().empty());
    Clipboard::Install(previous);
}

TEST_F(KalViewTest, ViewOptionsFollowTheActiveView)
{
    Add(u"会議", CDTime(2026, 12, 7, 10, 0), flag::kStartTimeSet | flag::kEndTimeSet).end = CDTime(2026, 12, 7, 11, 0);
    Draw();
    dayView_.OnInitialUpdate();
    view_.OnCommand(ID_TIME_NONE); // the month view's time display
    EXPECT_EQ(settings_.Get(IntSetting::MonthViewTime), 4);
    EXPECT_EQ(settings_.Get(IntSetting::DayViewTime), 0);
    dayView_.OnCommand(ID_TIME_START); // the list's own
    EXPECT_EQ(settings_.Get(IntSetting::DayViewTime), 2);
    EXPECT_EQ(dayView_.Rows(), std::vector<std::u16string> { u"10:00 会議" });
    CommandState state;
    ASSERT_TRUE(dayView_.OnUpdateCommand(ID_TIME_START, state));
    EXPECT_TRUE(state.checked);

    const CDTime selected = document_.CurrentDate();
    dayView_.OnCommand(ID_SIX_WEEKS); // passed on to the month view
    EXPECT_EQ(view_.Grid().Count(), 42);
    EXPECT_EQ(view_.Grid().Cell(view_.Selected()).date, DateOnly(selected));
    ASSERT_TRUE(dayView_.OnUpdateCommand(ID_SIX_WEEKS, state));
    EXPECT_TRUE(state.checked);
    view_.OnCommand(ID_START_MONDAY);
    EXPECT_EQ(document_.WeekOrder()[0], 1);
    EXPECT_EQ(view_.Grid().Start().DayOfWeek(), 1);
}

TEST_F(KalViewTest, GenreSettingsFromTheDayListRedrawAndMarkTheFileModified)
{
    for (const char16_t* name : { u"一般", u"仕事" }) {
        CKalField genre;
        genre.name = name;
        document_.Store().genres.Append(genre);
    }
    Add(u"会議", CDTime(2026, 12, 7, 10, 0), flag::kStartTimeSet).genre = 1;
    Draw();
    dayView_.OnInitialUpdate();
    ASSERT_EQ(CellOf(CDTime(2026, 12, 7)).entries.size(), 1U);

    // Closing without a change leaves the file as it was.
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdOk); });
    dayView_.OnCommand(ID_GENRE_SETTINGS); // the list hands it to the month view
    EXPECT_EQ(ui_.DialogsRun(), 1);
    EXPECT_FALSE(document_.IsModified());

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Choose(genredialog::kList, 1);
        host.Press(genredialog::kVisibility);
        host.Press(kIdOk);
    });
    dayView_.OnCommand(ID_GENRE_SETTINGS);
    EXPECT_EQ(ui_.DialogsRun(), 2);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(document_.Store().genres.At(1)->visible, 0);
    EXPECT_TRUE(CellOf(CDTime(2026, 12, 7)).entries.empty()); // the hidden genre is gone from the grid
}

TEST_F(KalViewTest, DayColourCommands)
{
    Draw();
    ui_.QueueColour(MakeColour(255, 240, 200));
    view_.OnCommand(ID_DAY_COLOUR);
    ASSERT_NE(document_.Store().FindDayColour(u"2026/12/07"), nullptr);
    EXPECT_EQ(document_.Store().FindDayColour(u"2026/12/07")->colour, MakeColour(255, 240, 200));
    EXPECT_EQ(CellOf(CDTime(2026, 12, 7)).colour, MakeColour(255, 240, 200));
    EXPECT_TRUE(document_.IsModified());

    document_.SetModified(false);
    ui_.QueueAnswer(false);
    view_.OnCommand(ID_DAY_COLOUR_CLEAR);
    EXPECT_NE(document_.Store().FindDayColour(u"2026/12/07"), nullptr);
    EXPECT_FALSE(document_.IsModified());
    ui_.QueueAnswer(true);
    view_.OnCommand(ID_DAY_COLOUR_CLEAR);
    EXPECT_EQ(document_.Store().FindDayColour(u"2026/12/07"), nullptr);
    EXPECT_EQ(CellOf(CDTime(2026, 12, 7)).colour, settings_.Get(ColourSetting::Back));
    EXPECT_EQ(ui_.Questions().back(), texts::kAskResetDayColour);

    ui_.QueueColour(std::nullopt); // cancelled: nothing changes
    view_.OnCommand(ID_SELECT_COLOUR);
    EXPECT_EQ(settings_.Get(ColourSetting::Select), 8388608u);
    ui_.QueueColour(MakeColour(0, 128, 0));
    view_.OnCommand(ID_SELECT_COLOUR);
    EXPECT_EQ(settings_.Get(ColourSetting::Select), MakeColour(0, 128, 0));
}

TEST_F(KalViewTest, DayListRows)
{
    CKalData& todo = Add(u"レポート", CDTime(2026, 12, 7), flag::kIsTodo);
    todo.textStyle = textstyle::kBold | textstyle::kStrikeOut;
    Add(u"会議", CDTime(2026, 12, 7, 10, 0), flag::kStartTimeSet);
    Draw();
    dayView_.OnInitialUpdate();
    EXPECT_EQ(dayView_.Rows(), (std::vector<std::u16string> { u"[Todo]×●レポート(本日まで)", u"10:00 会議" }));
    EXPECT_EQ(dayView_.Selection(), 0);

    // Moving a generated holiday is refused.
    document_.Store().Clear();
    view_.OnUpdate(1, nullptr);
    dayView_.OnUpdate(1, nullptr);
    EXPECT_TRUE(dayView_.Rows().empty());
    EXPECT_EQ(dayView_.Selection(), -1);
}

TEST(ShowablePartTest, KeepsWhatCanShowAndOneCharacterMore)
{
    struct Case {
        std::u16string_view text;
        int width;
        int lines;
        bool hardBreaks;
        std::u16string_view want;
    };
    const Case cases[] = {
        { u"abcdef", 3, 1, false, u"abcd" }, { u"abc", 10, 1, false, u"abc" }, { u"", 5, 1, false, u"" },
        { u"ab\ncd\nef", 10, 2, true, u"ab\ncd" },
        { u"ab\ncd\nef", 10, 1, false, u"ab\ncd\nef" }, // on one line a break is a space
        { u"abcdefgh", 2, 2, true, u"abcdef" }, { u"abcdef", -4, 1, false, u"a" },
        { u"a\U0001F600b", 0, 2, false, u"a\U0001F600" }, // a surrogate pair stays whole
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShowablePart(c.text, c.width, c.lines, c.hardBreaks), c.want) << std::u16string(c.text).size();
}

// A text of megabytes reaches the canvas and the day list only as far as a cell or a row can show it,
// and what shows is what the whole text would show.
TEST_F(KalViewTest, ALongTextIsCutToWhatItsCellAndRowCanShow)
{
    std::u16string text;
    for (int i = 0; i < 20000; ++i)
        text += u"長い本文 text\n";
    Add(text.c_str(), CDTime(2026, 12, 7));
    for (const int multiline : { 0, 1 }) {
        settings_.Set(IntSetting::Multiline, multiline);
        Draw();
        const Rect& r = CellOf(CDTime(2026, 12, 7)).rect;
        const Op* drawn = canvas_.FindTextContaining(u"長い本文");
        ASSERT_NE(drawn, nullptr);
        const int width = drawn->rect.Width();
        const int lines = multiline ? r.Height() / canvas_.LineHeight() + 1 : 1;
        EXPECT_LE(drawn->text.size(), static_cast<std::size_t>(lines * (width + 1))) << multiline;
        const std::vector<std::u16string> whole = canvas_.LayOut(text, width, drawn->flags);
        ASSERT_GE(drawn->lines.size(), static_cast<std::size_t>(lines - 1));
        for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(lines); ++i)
            EXPECT_EQ(drawn->lines[i], whole[i]) << multiline << " line " << i;
        if (!multiline) {
            EXPECT_EQ(drawn->lines[0], whole[0].substr(0, drawn->lines[0].size()));
        }
    }
    dayView_.OnInitialUpdate();
    ASSERT_EQ(dayView_.Rows().size(), 1u);
    EXPECT_EQ(dayView_.Rows()[0], u"長い本文 text");
}

// Whatever the fonts and the window, every shape the month view draws stays inside the cell it
// belongs to: each call after a cell's background fill, until the next cell's, lies within it.
TEST_F(KalViewTest, ShapesStayInsideTheirCellsAtAnyFontAndCellSize)
{
    CKalData& todo = Add(u"締切", CDTime(2026, 12, 9), flag::kIsTodo);
    todo.linkFile = u"/tmp/report.txt";
    Add(u"祝日", CDTime(2026, 12, 10), flag::kHoliday);
    for (int i = 0; i < 8; ++i)
        Add(u"たくさん", CDTime(2026, 12, 9));
    settings_.Set(IntSetting::File, 1);
    struct Look {
        int position;
        int frame;
        int schedules;
    };
    const Look looks[] = { { 0, 1, 1 }, { 3, 2, 1 }, { 4, 2, 0 }, { 1, 1, 1 }, { 2, 0, 0 } };
    const Size windows[] = { { 700, 530 }, { 140, 160 }, { 49, 60 } };
    const auto inside = [](const Rect& cell, Point p) {
        return p.x >= cell.left && p.x <= cell.right && p.y >= cell.top && p.y <= cell.bottom;
    };
    Draw();
    for (const int point : { 9, 72, 200 }) {
        LogFont font = settings_.Font(FontSetting::Entry);
        font.point = point;
        settings_.SetFont(FontSetting::Entry, font);
        font = settings_.Font(FontSetting::DayNumber);
        font.point = point;
        settings_.SetFont(FontSetting::DayNumber, font);
        for (const Size window : windows) {
            view_.OnSize(window.width, window.height);
            for (const Look& look : looks) {
                settings_.Set(IntSetting::DayDrawPos, look.position);
                settings_.Set(IntSetting::DayDrawFrame, look.frame);
                settings_.Set(IntSetting::MonthSchView, look.schedules);
                Draw();
                const Rect* cell = nullptr;
                int checked = 0;
                for (const Op& op : canvas_.Ops()) {
                    if (op.kind == Op::Kind::FillRect) {
                        for (int i = 0; i < view_.Grid().Count(); ++i) {
                            if (view_.Grid().Cell(i).rect == op.rect)
                                cell = &view_.Grid().Cell(i).rect;
                        }
                    }
                    const bool shape = op.kind == Op::Kind::FillRect || op.kind == Op::Kind::Line
                        || op.kind == Op::Kind::Ellipse || op.kind == Op::Kind::Polygon
                        || op.kind == Op::Kind::FocusRect || op.kind == Op::Kind::DrawImage
                        || op.kind == Op::Kind::DrawText;
                    if (!cell || !shape)
                        continue;
                    std::vector<Point> corners = op.points;
                    if (op.kind != Op::Kind::Line && op.kind != Op::Kind::Polygon)
                        corners = { { op.rect.left, op.rect.top }, { op.rect.right, op.rect.bottom } };
                    for (const Point p : corners) {
                        EXPECT_TRUE(inside(*cell, p))
                            << "font " << point << " window " << window.width << "x" << window.height << " position "
                            << look.position << " frame " << look.frame << ": call " << static_cast<int>(op.kind)
                            << " at " << p.x << "," << p.y << " outside " << cell->left << "," << cell->top << "-"
                            << cell->right << "," << cell->bottom;
                    }
                    EXPECT_FALSE(op.kind == Op::Kind::DrawText && (op.flags & textflag::kNoClip));
                    ++checked;
                }
                EXPECT_GT(checked, view_.Grid().Count());
            }
        }
    }
}

} // namespace
} // namespace kal
