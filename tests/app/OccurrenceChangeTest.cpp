#include "TestEnvironment.h"

#include "app/DocumentViews.h"
#include "dialogs/OccurrenceDialog.h"
#include "dialogs/RepeatDeleteDialog.h"
#include "dialogs/ScheduleDialog.h"
#include "platform/Text.h"
#include "store/DayListing.h"
#include "store/RepeatExpansion.h"
#include "store/ScheduleFile.h"
#include "support/MemoryDialogHost.h"
#include "support/RecordingCanvas.h"
#include "ui/CommandIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace kal {
namespace {

constexpr char16_t kOld[] = u"講座";
constexpr char16_t kNew[] = u"講座（教室変更）";

enum class Action { Edit, Cut, Delete };

// A change made on one day of a repeating schedule, through the day list's commands and the questions
// they ask, judged by the days the calendar shows before and after it.
class OccurrenceChangeTest : public test::TestEnvironment {
protected:
    OccurrenceChangeTest()
        : views_(genres_)
    {
    }

    void Seed(const std::function<void(CKalData&)>& rule)
    {
        views_.document.NewDocument();
        auto entry = std::make_unique<CKalData>();
        entry->text = kOld;
        entry->memo = u"教材を持参";
        entry->alarmMinutes = 15;
        entry->alarmMode = 0;
        entry->linkFile = u"/home/user/講座.txt";
        entry->genre = 0;
        rule(*entry);
        Store().AppendEntry(std::move(entry));
        views_.month.OnInitialUpdate();
        views_.day.OnInitialUpdate();
        views_.document.SetModified(false);
    }

    // The days (days since 1972-01-01) on which an entry titled `text` shows in the month views of 2026
    // to 2029.
    std::set<int> ShownDays(std::u16string_view text)
    {
        std::set<int> days;
        DayListing listing(&Store());
        listing.ForEachInPeriod(CDTime(2026, 1, 1), CDTime(2029, 12, 31), DayListing::Generated::With,
            [&](CDTime day, const CKalData& entry) {
                if (entry.text == text)
                    days.insert(DayNumber(day.Year(), day.Month(), day.Day()));
            });
        return days;
    }

    static CDTime DateOf(int dayNumber) { return CDTime(1972, 1, 1 + dayNumber); }

    void Act(Action action, int dayNumber, int button)
    {
        views_.month.ShowTouched(DateOf(dayNumber), nullptr);
        const std::vector<std::u16string>& rows = views_.day.Rows();
        const auto row = std::find_if(
            rows.begin(), rows.end(), [](const std::u16string& r) { return r.find(kOld) != std::u16string::npos; });
        ASSERT_NE(row, rows.end());
        views_.day.OnSelectionChanged(static_cast<int>(row - rows.begin()));
        ui_.QueueDialog([button](DialogLogic&, MemoryDialogHost& host) { host.Press(button); });
        switch (action) {
        case Action::Edit:
            if (button != kIdCancel)
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    host.Type(scheduledialog::kContent, kNew);
                    host.Press(kIdOk);
                });
            views_.day.OnCommand(ID_SCHEDULE_EDIT);
            break;
        case Action::Cut:
            views_.day.OnCommand(ID_EDIT_CUT);
            break;
        case Action::Delete:
            views_.day.OnCommand(ID_SCHEDULE_DELETE);
            break;
        }
    }

    std::string Bytes() const { return ScheduleFileBytes(views_.document.Store()).Joined(); }
    CKalStore& Store() { return views_.document.Store(); }

    CKalFieldArray genres_;
    DocumentViews views_;
};

struct RuleCase {
    const char* name;
    std::function<void(CKalData&)> rule;
    std::size_t dayIndex; // which shown day the change is made on
    // An occurrence that runs past midnight shows on its first day only; on its own it is an entry
    // like any other that ends the next day, and shows on both.
    bool overnight = false;
};

void Timed(CKalData& entry, CDTime start, CDTime end)
{
    entry.start = start;
    entry.end = end;
    entry.Set(flag::kStartTimeSet | flag::kEndTimeSet, true);
}

const RuleCase kRules[] = {
    { "every other day across the clock changes",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 3, 20, 9, 0), CDTime(2027, 4, 20, 10, 30));
            e.repeatType = repeat::kDaily;
            e.interval = 2;
        },
        5 },
    { "every day from 22:00 to 02:00",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 3, 25, 22, 0), CDTime(2027, 4, 5, 2, 0));
            e.repeatType = repeat::kDaily;
        },
        4, true },
    { "every third day, weekends shown the day before",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 3, 1, 8, 0), CDTime(2027, 5, 31, 9, 0));
            e.repeatType = repeat::kDaily;
            e.interval = 3;
            e.avoidDays = avoid::kSaturday | avoid::kSunday;
        },
        2 }, // Friday 5 March, where Sunday's occurrence shows
    { "every Wednesday",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 3, 3, 19, 0), CDTime(2027, 6, 30, 20, 30));
            e.repeatType = repeat::kWeekly;
            e.weekdays[3] = 1;
        },
        3 },
    { "the second Tuesday of every other month",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 1, 12, 10, 0), CDTime(2027, 12, 31, 11, 0));
            e.repeatType = repeat::kMonthly;
            e.interval = 2;
            e.positionMode = 1;
            e.weeks[1] = 1;
            e.weekdays[2] = 1;
        },
        2 },
    { "the 10th to the 12th of every month",
        [](CKalData& e) {
            e.start = CDTime(2027, 1, 10);
            e.end = CDTime(2027, 12, 31);
            e.repeatType = repeat::kMonthly;
            e.repeatDayFrom = 10;
            e.repeatDayTo = 12;
        },
        7 },
    { "every 25 October",
        [](CKalData& e) {
            Timed(e, CDTime(2026, 10, 25, 2, 30), CDTime(2036, 12, 31, 3, 30));
            e.repeatType = repeat::kYearly;
            e.repeatDayFrom = e.repeatDayTo = 25;
        },
        1 },
    { "custom: the first and third Thursday, March to October",
        [](CKalData& e) {
            e.start = CDTime(2027, 1, 1);
            e.end = CDTime(2027, 12, 31);
            e.repeatType = repeat::kCustom;
            e.positionMode = 1;
            e.weeks[0] = e.weeks[2] = 1;
            e.weekdays[4] = 1;
            e.months = {};
            for (int month = 3; month <= 10; ++month)
                e.months[static_cast<std::size_t>(month - 1)] = 1;
        },
        4 },
    { "custom: the 31st of the months that have one",
        [](CKalData& e) {
            e.start = CDTime(2027, 1, 1);
            e.end = CDTime(2027, 12, 31);
            e.repeatType = repeat::kCustom;
            e.repeatDayFrom = e.repeatDayTo = 31;
        },
        3 },
};

struct ScopeCase {
    const char* name;
    int editButton; // in the question of an edit or a cut
    int deleteButton; // in the question of a delete
    // Whether a day of the old series still shows the old text, given the day the change was made on.
    std::function<bool(int day, int changed)> keepsOld;
};

const ScopeCase kScopes[] = {
    { "this day only", occurrencedialog::kThisDayOnly, repeatdeletedialog::kThisDayOnly,
        [](int day, int changed) { return day != changed; } },
    { "this day and the following", occurrencedialog::kFollowing, repeatdeletedialog::kFollowing,
        [](int day, int changed) { return day < changed; } },
    { "all", occurrencedialog::kAll, repeatdeletedialog::kAll, [](int, int) { return false; } },
};

TEST_F(OccurrenceChangeTest, EachScopeOfAnEditCutOrDeleteShowsTheRightDaysAndIsUndoneAsOneStep)
{
    for (const RuleCase& rule : kRules) {
        for (const ScopeCase& scope : kScopes) {
            for (const Action action : { Action::Edit, Action::Cut, Action::Delete }) {
                SCOPED_TRACE(std::string(rule.name) + ", " + scope.name + ", action "
                    + std::to_string(static_cast<int>(action)));
                Seed(rule.rule);
                const std::set<int> before = ShownDays(kOld);
                ASSERT_GT(before.size(), rule.dayIndex + 1);
                const int day = *std::next(before.begin(), static_cast<std::ptrdiff_t>(rule.dayIndex));
                const std::string bytes = Bytes();

                Act(action, day, action == Action::Delete ? scope.deleteButton : scope.editButton);

                std::set<int> old;
                std::set<int> changed;
                for (const int shown : before)
                    (scope.keepsOld(shown, day) ? old : changed).insert(shown);
                if (rule.overnight && &scope == &kScopes[0])
                    changed.insert(day + 1);
                EXPECT_EQ(ShownDays(kOld), old);
                EXPECT_EQ(ShownDays(kNew), action == Action::Edit ? changed : std::set<int> {});
                // Whatever is left of the series, and what split off it, keeps what the day does not change.
                for (const auto& entry : Store().entries) {
                    if (entry->text != kOld && entry->text != kNew)
                        continue;
                    EXPECT_EQ(entry->memo, u"教材を持参");
                    EXPECT_EQ(entry->alarmMinutes, 15);
                    EXPECT_EQ(entry->alarmMode, 0);
                    EXPECT_EQ(entry->linkFile, u"/home/user/講座.txt");
                }

                ASSERT_TRUE(views_.document.Undo());
                EXPECT_TRUE(Bytes() == bytes);
                EXPECT_FALSE(views_.document.IsModified());
            }
        }
    }
}

TEST_F(OccurrenceChangeTest, CancellingTheQuestionChangesNothingAndAPastedCutDayIsOneDay)
{
    Seed(kRules[3].rule); // every Wednesday
    const std::set<int> before = ShownDays(kOld);
    const int day = *std::next(before.begin(), 2);
    const std::string bytes = Bytes();
    for (const Action action : { Action::Edit, Action::Cut, Action::Delete }) {
        Act(action, day, kIdCancel);
        EXPECT_TRUE(Bytes() == bytes);
    }
    EXPECT_FALSE(views_.document.IsModified());

    Act(Action::Cut, day, occurrencedialog::kThisDayOnly);
    const int pasteDay = DayNumber(2027, 8, 6); // a Friday after the series
    views_.month.ShowTouched(DateOf(pasteDay), nullptr);
    views_.month.OnCommand(ID_EDIT_PASTE);
    std::set<int> expected = before;
    expected.erase(day);
    expected.insert(pasteDay);
    EXPECT_EQ(ShownDays(kOld), expected);
    const CKalData& pasted = *Store().entries.back();
    EXPECT_EQ(pasted.repeatType, repeat::kNone);
    EXPECT_EQ(pasted.start, CDTime(2027, 8, 6, 19, 0));
    EXPECT_EQ(pasted.end, CDTime(2027, 8, 6, 20, 30));
}

// A drag in the month view: picked up at a point on an entry's line, dropped at a point on a cell.
class DragTest : public OccurrenceChangeTest {
protected:
    // The middle of the line `text` shows in the cell of `day`, once drawn.
    Point LineOf(std::u16string_view text, CDTime day)
    {
        views_.month.OnSize(700, 530);
        views_.month.OnDraw(canvas_);
        const int index = views_.month.Grid().IndexOf(day);
        EXPECT_GE(index, 0);
        const Rect r = views_.month.Grid().Cell(index).rect;
        for (int y = r.top; y < r.bottom; ++y) {
            const Point point { (r.left + r.right) / 2, y };
            if (const auto line = views_.month.DraggableAt(point); line && line->entry->text == text)
                return point;
        }
        ADD_FAILURE() << "no line of " << ToUtf8(text);
        return {};
    }
    Point CellOf(CDTime day)
    {
        const Rect r = views_.month.Grid().Cell(views_.month.Grid().IndexOf(day)).rect;
        return Point { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }
    bool Drag(std::u16string_view text, CDTime from, CDTime to, DropAction action)
    {
        views_.month.ShowTouched(from, nullptr);
        const auto line = views_.month.DraggableAt(LineOf(text, from));
        return line && views_.month.Drop(*line, CellOf(to), action);
    }

    RecordingCanvas canvas_;
};

TEST_F(DragTest, ADroppedEntryMovesOrIsCopiedWithItsTimesAndSpanAndAnOccurrenceAsksFirst)
{
    const auto trip = [](CKalData& e) { Timed(e, CDTime(2027, 3, 10, 8, 15), CDTime(2027, 3, 12, 18, 0)); };
    const auto days = [](int from, int to) {
        std::set<int> all;
        for (int d = from; d <= to; ++d)
            all.insert(DayNumber(2027, 3, d));
        return all;
    };
    struct Case {
        const char* name;
        CDTime to;
        DropAction action;
        bool changes;
        std::set<int> shown;
    };
    const Case cases[] = {
        { "moved", CDTime(2027, 3, 17), DropAction::Move, true, days(17, 19) },
        { "copied", CDTime(2027, 3, 3), DropAction::Copy, true,
            [&] {
                std::set<int> both = days(3, 5);
                both.merge(days(10, 12));
                return both;
            }() },
        { "on its own day", CDTime(2027, 3, 10), DropAction::Move, false, days(10, 12) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Seed(trip);
        EXPECT_EQ(Drag(kOld, CDTime(2027, 3, 10), c.to, c.action), c.changes);
        EXPECT_EQ(ShownDays(kOld), c.shown);
        for (const auto& entry : Store().entries) {
            if (entry->text == kOld) {
                EXPECT_EQ(entry->start.Fields().hour * 60 + entry->start.Fields().minute, 8 * 60 + 15);
                EXPECT_EQ(entry->end.Fields().hour, 18);
            }
        }
    }

    // One Wednesday of a weekly series moved to the Friday: the question first, then the days.
    Seed(kRules[3].rule);
    const std::set<int> before = ShownDays(kOld);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Key(Key::Escape); });
    EXPECT_FALSE(Drag(kOld, CDTime(2027, 3, 17), CDTime(2027, 3, 19), DropAction::Move));
    EXPECT_EQ(ShownDays(kOld), before);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(occurrencedialog::kThisDayOnly); });
    EXPECT_TRUE(Drag(kOld, CDTime(2027, 3, 17), CDTime(2027, 3, 19), DropAction::Move));
    std::set<int> expected = before;
    expected.erase(DayNumber(2027, 3, 17));
    expected.insert(DayNumber(2027, 3, 19));
    EXPECT_EQ(ShownDays(kOld), expected);
    // The whole series moved by the same two days: every Friday from the series' first.
    ASSERT_TRUE(views_.document.Undo());
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(occurrencedialog::kAll); });
    EXPECT_TRUE(Drag(kOld, CDTime(2027, 3, 17), CDTime(2027, 3, 19), DropAction::Move));
    std::set<int> fridays;
    for (const int day : before)
        fridays.insert(day + 2);
    EXPECT_EQ(ShownDays(kOld), fridays);
}

TEST_F(DragTest, TheGridsOwnHolidaysCannotBePickedUp)
{
    Seed([](CKalData& e) { e.start = e.end = CDTime(2027, 3, 1); });
    views_.month.ShowTouched(CDTime(2027, 3, 21), nullptr); // the vernal equinox, which the grid makes
    views_.month.OnSize(700, 530);
    views_.month.OnDraw(canvas_);
    const int index = views_.month.Grid().IndexOf(CDTime(2027, 3, 21));
    ASSERT_GE(index, 0);
    ASSERT_TRUE(views_.month.Grid().Cell(index).HasHoliday());
    const Rect r = views_.month.Grid().Cell(index).rect;
    for (int y = r.top; y < r.bottom; ++y)
        EXPECT_FALSE(views_.month.DraggableAt(Point { (r.left + r.right) / 2, y }));
}

// A drag from a row of the day list onto a cell: the row's entry as seen on the list's day travels,
// through the same drop as a line of the month view.
TEST_F(DragTest, ARowOfTheDayListDropsItsEntryOnACell)
{
    const auto trip = [](CKalData& e) { Timed(e, CDTime(2027, 3, 10, 8, 15), CDTime(2027, 3, 12, 18, 0)); };
    const auto rowOf = [this](std::u16string_view text) {
        const std::vector<std::u16string>& rows = views_.day.Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].find(text) != std::u16string::npos)
                return static_cast<int>(i);
        }
        return -1;
    };
    const auto dropRow = [&](std::u16string_view text, CDTime from, CDTime to, DropAction action) {
        views_.month.ShowTouched(from, nullptr);
        views_.month.OnSize(700, 530);
        views_.month.OnDraw(canvas_);
        const auto carried = views_.day.DraggableRow(rowOf(text));
        if (!carried)
            return false;
        EXPECT_EQ(carried->entry->text, text);
        EXPECT_EQ(carried->day, from);
        return views_.month.Drop(*carried, CellOf(to), action);
    };
    // Picked up on its middle day, the three-day trip lands with that day on the drop.
    Seed(trip);
    EXPECT_TRUE(dropRow(kOld, CDTime(2027, 3, 11), CDTime(2027, 3, 25), DropAction::Move));
    std::set<int> expected;
    for (int d = 24; d <= 26; ++d)
        expected.insert(DayNumber(2027, 3, d));
    EXPECT_EQ(ShownDays(kOld), expected);
    EXPECT_EQ(views_.month.SelectedCell()->date, CDTime(2027, 3, 25));
    EXPECT_EQ(Store().entries.back()->start, CDTime(2027, 3, 24, 8, 15));
    // Copied with Ctrl: both stay.
    Seed(trip);
    EXPECT_TRUE(dropRow(kOld, CDTime(2027, 3, 10), CDTime(2027, 3, 3), DropAction::Copy));
    EXPECT_EQ(ShownDays(kOld).size(), 6U);
    // Dropped on its own day: nothing happens.
    Seed(trip);
    EXPECT_FALSE(dropRow(kOld, CDTime(2027, 3, 10), CDTime(2027, 3, 10), DropAction::Move));
    EXPECT_EQ(ShownDays(kOld).size(), 3U);
    EXPECT_FALSE(views_.document.IsModified());

    // One day of a weekly series asks first; Escape leaves it as it was.
    Seed(kRules[3].rule);
    const std::set<int> before = ShownDays(kOld);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Key(Key::Escape); });
    EXPECT_FALSE(dropRow(kOld, CDTime(2027, 3, 17), CDTime(2027, 3, 18), DropAction::Move));
    EXPECT_EQ(ShownDays(kOld), before);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(occurrencedialog::kThisDayOnly); });
    EXPECT_TRUE(dropRow(kOld, CDTime(2027, 3, 17), CDTime(2027, 3, 18), DropAction::Move));
    expected = before;
    expected.erase(DayNumber(2027, 3, 17));
    expected.insert(DayNumber(2027, 3, 18));
    EXPECT_EQ(ShownDays(kOld), expected);

    // The list's rows of a holiday the grid made, and rows past the end, carry nothing.
    views_.month.ShowTouched(CDTime(2027, 3, 21), nullptr);
    ASSERT_FALSE(views_.day.Rows().empty());
    EXPECT_FALSE(views_.day.DraggableRow(0));
    EXPECT_FALSE(views_.day.DraggableRow(static_cast<int>(views_.day.Rows().size())));
    EXPECT_FALSE(views_.day.DraggableRow(-1));
}

} // namespace
} // namespace kal
