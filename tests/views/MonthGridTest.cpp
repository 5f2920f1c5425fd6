#include "TestEnvironment.h"

#include "platform/Text.h"
#include "store/KalStore.h"
#include "views/MonthGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kal {
namespace {

class MonthGridTest : public test::TestEnvironment {
protected:
    MonthGridTest() { store_.genres.Append(Genre(u"一般", true)); }

    static CKalField Genre(const char16_t* name, bool visible)
    {
        CKalField genre;
        genre.name = name;
        genre.visible = visible ? 1 : 0;
        return genre;
    }

    CKalData& Add(const char16_t* text, CDTime start, CDTime end, std::uint32_t flags = 0)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = start;
        entry->end = end;
        entry->flags = flags;
        store_.AppendEntry(std::move(entry));
        return store_.Entry(store_.EntryCount() - 1);
    }
    CKalData& AddTodo(const char16_t* text, CDTime deadline)
    {
        CKalData& todo = Add(text, deadline, deadline, flag::kIsTodo);
        return todo;
    }

    // Fills a grid for the 1st of a month and gives the month it shows.
    YearMonth FillMonth(int year, int month, int weeks = 5)
    {
        grid_.Create(&store_, weeks);
        YearMonth shown { year, month };
        grid_.Fill(CDTime(year, month, 1), shown);
        return shown;
    }

    std::vector<std::u16string> Texts(CDTime day)
    {
        std::vector<std::u16string> texts;
        const int index = grid_.IndexOf(day);
        if (index < 0)
            return texts;
        for (const CKalData* entry : grid_.Cell(index).entries)
            texts.push_back(entry->text);
        return texts;
    }

    CKalStore store_;
    CMonthGrid grid_;
};

TEST_F(MonthGridTest, GridStartsOnSundayOrMonday)
{
    // 2005-05-01 is a Sunday, 2005-06-01 a Wednesday.
    EXPECT_EQ(CMonthGrid::GridStart({ 2005, 5 }, false), CDTime(2005, 5, 1));
    EXPECT_EQ(CMonthGrid::GridStart({ 2005, 5 }, true), CDTime(2005, 4, 25));
    EXPECT_EQ(CMonthGrid::GridStart({ 2005, 6 }, false), CDTime(2005, 5, 29));
    EXPECT_EQ(CMonthGrid::GridStart({ 2005, 6 }, true), CDTime(2005, 5, 30));
    EXPECT_EQ(CMonthGrid::GridStart({ 2005, 8 }, true), CDTime(2005, 8, 1));
    EXPECT_EQ(CMonthGrid::GridStart({ 1972, 1 }, false), CDTime(1971, 12, 26));
}

TEST_F(MonthGridTest, TargetsBeyondTheGridMoveItOn)
{
    // July 2005 starts on a Friday: with five weeks July 31 lies beyond the grid.
    grid_.Create(&store_, 5);
    YearMonth shown { 2005, 7 };
    int selected = grid_.Fill(CDTime(2005, 7, 31), shown);
    EXPECT_EQ(shown, (YearMonth { 2005, 8 }));
    EXPECT_EQ(grid_.Cell(selected).date, CDTime(2005, 7, 31));
    EXPECT_EQ(grid_.Start(), CDTime(2005, 7, 31));

    // Six weeks hold it, but its row begins August, so August is shown; July 30 keeps July.
    grid_.Create(&store_, 6);
    shown = { 2005, 7 };
    selected = grid_.Fill(CDTime(2005, 7, 31), shown);
    EXPECT_EQ(shown, (YearMonth { 2005, 8 }));
    EXPECT_EQ(selected, 0);
    shown = { 2005, 7 };
    selected = grid_.Fill(CDTime(2005, 7, 30), shown);
    EXPECT_EQ(shown, (YearMonth { 2005, 7 }));
    EXPECT_EQ(selected, 34);
    EXPECT_EQ(grid_.Count(), 42);

    // A target in the last row that also holds the next month's 1st shows the next month.
    grid_.Create(&store_, 5);
    shown = { 2005, 8 };
    selected = grid_.Fill(CDTime(2005, 8, 29), shown);
    EXPECT_EQ(shown, (YearMonth { 2005, 9 }));
    EXPECT_EQ(grid_.Cell(selected).date, CDTime(2005, 8, 29));
    // When the last row holds only this month, the grid stays.
    shown = { 2005, 4 };
    grid_.Fill(CDTime(2005, 4, 30), shown);
    EXPECT_EQ(shown, (YearMonth { 2005, 4 }));

    // Monday weeks and a following month that starts on a Sunday: the grid stays.
    settings_.Set(IntSetting::StartMonday, 1);
    shown = { 2006, 9 }; // October 2006 starts on a Sunday
    selected = grid_.Fill(CDTime(2006, 9, 30), shown);
    EXPECT_EQ(shown, (YearMonth { 2006, 9 }));
    EXPECT_EQ(grid_.Cell(selected).date, CDTime(2006, 9, 30));
}

TEST_F(MonthGridTest, EntriesFillTheirCellsInOrder)
{
    Add(u"0900", CDTime(2005, 7, 13, 9, 0), CDTime(2005, 7, 13, 10, 0), flag::kStartTimeSet);
    Add(u"0830", CDTime(2005, 7, 13, 8, 30), CDTime(2005, 7, 13, 9, 0), flag::kStartTimeSet);
    Add(u"allday", CDTime(2005, 7, 13), CDTime(2005, 7, 13));
    Add(u"0830-1200", CDTime(2005, 7, 13, 8, 30), CDTime(2005, 7, 13, 12, 0), flag::kStartTimeSet | flag::kEndTimeSet);
    Add(u"0830b", CDTime(2005, 7, 13, 8, 30), CDTime(2005, 7, 13, 9, 0), flag::kStartTimeSet);
    Add(u"holiday", CDTime(2005, 7, 13), CDTime(2005, 7, 13), flag::kHoliday);
    Add(u"allday2", CDTime(2005, 7, 12), CDTime(2005, 7, 14));
    FillMonth(2005, 7);
    EXPECT_EQ(Texts(CDTime(2005, 7, 13)),
        (std::vector<std::u16string> { u"holiday", u"allday", u"allday2", u"0830", u"0830b", u"0830-1200", u"0900" }));

    settings_.Set(IntSetting::SchSort, 0);
    FillMonth(2005, 7);
    EXPECT_EQ(Texts(CDTime(2005, 7, 13)),
        (std::vector<std::u16string> { u"holiday", u"0900", u"0830", u"allday", u"0830-1200", u"0830b", u"allday2" }));
}

// Repeating entries are ordered once for the whole grid and single ones per cell: together they keep
// the one order of holidays (the last stored first), untimed entries, then timed ones by time and
// store order, and an entry added afterwards finds its place.
TEST_F(MonthGridTest, RepeatingAndSingleEntriesShareTheOrder)
{
    const auto daily = [&](const char16_t* text, int hour, std::uint32_t flags) {
        CKalData& entry = Add(text, CDTime(2005, 7, 1, hour, 0), CDTime(2005, 7, 31), flags);
        entry.repeatType = repeat::kDaily;
        return &entry;
    };
    daily(u"r0900", 9, flag::kStartTimeSet);
    Add(u"s0900", CDTime(2005, 7, 13, 9, 0), CDTime(2005, 7, 13, 9, 0), flag::kStartTimeSet);
    Add(u"holiday1", CDTime(2005, 7, 13), CDTime(2005, 7, 13), flag::kHoliday);
    daily(u"r0800", 8, flag::kStartTimeSet);
    Add(u"across", CDTime(2005, 7, 12, 10, 0), CDTime(2005, 7, 14, 11, 0), flag::kStartTimeSet | flag::kEndTimeSet);
    daily(u"holiday2", 0, flag::kHoliday);
    daily(u"runtimed", 0, 0);
    FillMonth(2005, 7);
    const CDTime day(2005, 7, 13);
    EXPECT_EQ(Texts(day),
        (std::vector<std::u16string> {
            u"holiday2", u"holiday1", u"runtimed", u"across", u"r0800", u"r0900", u"s0900" }));
    EXPECT_EQ(
        Texts(CDTime(2005, 7, 20)), (std::vector<std::u16string> { u"holiday2", u"runtimed", u"r0800", u"r0900" }));

    CKalData untimed;
    untimed.text = u"added";
    untimed.start = untimed.end = day;
    grid_.AddToCell(grid_.Cell(grid_.IndexOf(day)), &untimed);
    EXPECT_EQ(Texts(day),
        (std::vector<std::u16string> {
            u"holiday2", u"holiday1", u"runtimed", u"added", u"across", u"r0800", u"r0900", u"s0900" }));

    settings_.Set(IntSetting::SchSort, 0);
    FillMonth(2005, 7);
    EXPECT_EQ(Texts(day),
        (std::vector<std::u16string> {
            u"holiday2", u"holiday1", u"r0900", u"s0900", u"r0800", u"across", u"runtimed" }));
}

TEST_F(MonthGridTest, TimedHolidaysKeepTheLiteralOrder)
{
    // A holiday with a start time is first in its cell, and later timed entries are placed by
    // looking at every entry.
    Add(u"timed holiday", CDTime(2005, 7, 13, 10, 0), CDTime(2005, 7, 13), flag::kHoliday | flag::kStartTimeSet);
    Add(u"0900", CDTime(2005, 7, 13, 9, 0), CDTime(2005, 7, 13), flag::kStartTimeSet);
    Add(u"1100", CDTime(2005, 7, 13, 11, 0), CDTime(2005, 7, 13), flag::kStartTimeSet);
    Add(u"untimed", CDTime(2005, 7, 13), CDTime(2005, 7, 13));
    FillMonth(2005, 7);
    EXPECT_EQ(
        Texts(CDTime(2005, 7, 13)), (std::vector<std::u16string> { u"untimed", u"0900", u"timed holiday", u"1100" }));
}

TEST_F(MonthGridTest, TodosShowByTheirPlacement)
{
    clock_.Set(CDTime(2005, 7, 13, 12, 0).Instant());
    AddTodo(u"plain", CDTime(2005, 7, 20));
    CKalData& soon = AddTodo(u"soon", CDTime(2005, 7, 15));
    soon.showDaysBefore = 3; // shown from 07-12
    CKalData& later = AddTodo(u"later", CDTime(2005, 7, 25));
    later.showDaysBefore = 3; // not yet
    CKalData& done = AddTodo(u"done", CDTime(2005, 7, 20));
    done.Set(flag::kDone, true);
    done.end = CDTime(2005, 7, 4, 18, 0);
    CKalData& hidden = AddTodo(u"hidden", CDTime(2005, 7, 20));
    hidden.Set(flag::kHidden, true);
    AddTodo(u"other month", CDTime(2005, 9, 1));

    FillMonth(2005, 7);
    EXPECT_EQ(Texts(CDTime(2005, 7, 13)), (std::vector<std::u16string> { u"plain", u"soon", u"other month" }));
    EXPECT_EQ(Texts(CDTime(2005, 7, 4)), (std::vector<std::u16string> { u"done" }));

    settings_.Set(IntSetting::TodoPos, 1);
    FillMonth(2005, 7);
    EXPECT_EQ(Texts(CDTime(2005, 7, 13)), (std::vector<std::u16string> { u"soon" }));
    EXPECT_EQ(Texts(CDTime(2005, 7, 20)), (std::vector<std::u16string> { u"plain" }));
    EXPECT_TRUE(Texts(CDTime(2005, 7, 25)).empty());

    settings_.Set(IntSetting::TodoViewAll, 1);
    FillMonth(2005, 7);
    EXPECT_EQ(Texts(CDTime(2005, 7, 15)), (std::vector<std::u16string> { u"soon" }));
    EXPECT_EQ(Texts(CDTime(2005, 7, 25)), (std::vector<std::u16string> { u"later" }));
}

// A to-do shows from so many calendar days before its deadline, at the deadline's time, whatever
// the clocks do in between (the dates straddle changes in Europe and in Chile).
TEST_F(MonthGridTest, TodosShowFromCalendarDaysBefore)
{
    const struct {
        CDTime now;
        CDTime deadline;
        int daysBefore;
        bool shown;
    } cases[] = {
        { CDTime(2026, 3, 26, 23, 30), CDTime(2026, 3, 30), 3, false },
        { CDTime(2026, 3, 27, 0, 30), CDTime(2026, 3, 30), 3, true },
        { CDTime(2026, 10, 24, 0, 30), CDTime(2026, 10, 27), 3, true },
        { CDTime(2026, 9, 4, 23, 30), CDTime(2026, 9, 8), 3, false },
        { CDTime(2026, 4, 3, 0, 30), CDTime(2026, 4, 6), 3, true },
        { CDTime(2026, 4, 3, 10, 0), CDTime(2026, 4, 6, 10, 30), 3, false },
        { CDTime(2026, 4, 3, 11, 0), CDTime(2026, 4, 6, 10, 30), 3, true },
        { CDTime(1972, 1, 3), CDTime(2036, 12, 31), 99999, true },
        { CDTime(2026, 1, 10), CDTime(2026, 3, 30), 3, false },
        { CDTime(2026, 3, 29), CDTime(2026, 3, 30), 0, false },
        { CDTime(2026, 3, 31), CDTime(2026, 3, 30), 0, true },
    };
    for (const auto& c : cases) {
        store_.entries.clear();
        clock_.Set(c.now.Instant());
        AddTodo(u"todo", c.deadline).showDaysBefore = c.daysBefore;
        const LocalFields today = c.now.Fields();
        FillMonth(today.year, today.month, 6);
        EXPECT_EQ(Texts(DateOnly(c.now)).size(), c.shown ? 1u : 0u) << ToUtf8(DateText(c.now));
    }
}

TEST_F(MonthGridTest, GenresHideOrGrow)
{
    store_.genres.Append(Genre(u"hidden", false));
    Add(u"hidden genre", CDTime(2005, 7, 13), CDTime(2005, 7, 13)).genre = 1;
    Add(u"unknown genre", CDTime(2005, 7, 13), CDTime(2005, 7, 13)).genre = 4;
    CKalData& absurd = Add(u"absurd genre", CDTime(2005, 7, 13), CDTime(2005, 7, 13));
    absurd.genre = 9999;
    FillMonth(2005, 7);
    EXPECT_EQ(Texts(CDTime(2005, 7, 13)), (std::vector<std::u16string> { u"unknown genre", u"absurd genre" }));
    ASSERT_EQ(store_.genres.Count(), 5);
    EXPECT_EQ(store_.genres.At(4)->name, u"ジャンル5");
    EXPECT_EQ(store_.genres.At(4)->visible, 1);
    EXPECT_EQ(absurd.genre, 0); // no thousands of made-up genres: it joins the general one
}

TEST_F(MonthGridTest, CellColours)
{
    store_.SetDayColour(u"2005/07/13", { 0x00FFFF, u"" });
    store_.SetDayColour(u"2005/06/27", { 0x00FF00, u"" });
    FillMonth(2005, 7); // from 2005-06-26
    const Colour back = settings_.Get(ColourSetting::Back);
    const Colour other = settings_.Get(ColourSetting::Other);
    EXPECT_EQ(grid_.Cell(grid_.IndexOf(CDTime(2005, 7, 13))).colour, 0x00FFFFu);
    EXPECT_EQ(grid_.Cell(grid_.IndexOf(CDTime(2005, 7, 14))).colour, back);
    EXPECT_EQ(grid_.Cell(0).colour, other);
    EXPECT_EQ(grid_.Cell(1).colour, 0x00FF00u); // a coloured day keeps its colour in another month
    settings_.Set(IntSetting::OtherMonthDayColor, 0);
    FillMonth(2005, 7);
    EXPECT_EQ(grid_.Cell(1).colour, other);
}

TEST_F(MonthGridTest, LayoutFollowsTheClientSize)
{
    grid_.Create(&store_, 5);
    grid_.Layout(CellRect { 0, 0, 703, 520 }, 12, 16);
    EXPECT_EQ(grid_.Cell(0).rect, (CellRect { 0, 30, 100, 128 }));
    EXPECT_EQ(grid_.Cell(6).rect, (CellRect { 600, 30, 700, 128 }));
    EXPECT_EQ(grid_.Cell(7).rect, (CellRect { 0, 128, 100, 226 }));
    EXPECT_EQ(grid_.Cell(34).rect, (CellRect { 600, 422, 700, 520 }));
}

} // namespace
} // namespace kal
