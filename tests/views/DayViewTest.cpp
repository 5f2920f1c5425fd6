#include "TestEnvironment.h"

#include "app/DocumentViews.h"
#include "dialogs/ContinuousCopyDialog.h"
#include "dialogs/FontDialog.h"
#include "dialogs/RepeatDeleteDialog.h"
#include "dialogs/ScheduleDialog.h"
#include "platform/Clipboard.h"
#include "store/RepeatExpansion.h"
#include "support/MemoryDialogHost.h"
#include "ui/CommandIds.h"
#include "views/ContinuousCopies.h"
#include "views/ViewTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

namespace kal {
namespace {

using Rows = std::vector<std::u16string>;

// What the day view asked of its window.
class FakeList final : public ListWindow {
public:
    void ShowRows(const std::vector<std::u16string>&, int selected) override { selection = selected; }
    void FocusList() override { ++focused; }
    void ApplyLook(const LogFont& listFont, Colour listBackground) override
    {
        font = listFont;
        background = listBackground;
    }

    int selection = -1;
    int focused = 0;
    LogFont font;
    Colour background = 0;
};

// The day list of the test clock's day (2026-12-07 unless a test moves the clock).
class DayViewTest : public test::TestEnvironment {
protected:
    DayViewTest()
        : views_(genres_)
    {
        CKalField general;
        general.name = u"一般";
        genres_.Append(general);
        views_.document.Store().genres = genres_;
        profile_.SetInt("View", "TodoLeftDraw", 0);
        previousClipboard_ = Clipboard::Install(&clipboard_);
        views_.day.SetWindow(&list_);
    }
    ~DayViewTest() override { Clipboard::Install(previousClipboard_); }

    CKalData* Add(const char16_t* text, CDTime start = CDTime(2026, 12, 7), CDTime end = {})
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = start;
        entry->end = end == CDTime() ? start : end;
        Store().AppendEntry(std::move(entry));
        return &Store().Entry(Store().EntryCount() - 1);
    }
    void Show(int row = 0)
    {
        views_.month.OnInitialUpdate();
        views_.day.OnInitialUpdate();
        if (row != 0) // the fill has selected the first row, if there is one
            views_.day.OnSelectionChanged(row);
        views_.document.SetModified(false);
    }
    void Run(int command) { views_.day.OnCommand(command); }
    void QueueTyped(int field, std::u16string text)
    {
        ui_.QueueDialog([field, text](DialogLogic&, MemoryDialogHost& host) {
            host.Type(field, text);
            host.Press(kIdOk);
        });
    }
    CKalStore& Store() { return views_.document.Store(); }
    [[nodiscard]] Rows ShownRows() const { return views_.day.Rows(); }

    CKalFieldArray genres_;
    DocumentViews views_;
    ProcessClipboard clipboard_;
    FakeList list_;

private:
    Clipboard* previousClipboard_ = nullptr;
};

TEST_F(DayViewTest, EachCommandLeavesTheSelectionWhereItBelongs)
{
    struct Case {
        const char* name;
        int command;
        int row; // selected before
        std::function<void()> answer; // queues the dialog's or the question's answer
        Rows rows; // afterwards
        int selected;
    };
    const auto typed
        = [this](const char16_t* text) { return [this, text] { QueueTyped(scheduledialog::kContent, text); }; };
    const auto yes = [this] { ui_.QueueAnswer(true); };
    const auto none = [] {};
    const Case cases[] = {
        { "add", ID_SCHEDULE_ADD, 2, typed(u"四"), { u"一", u"二", u"三", u"四" }, 0 },
        { "edit", ID_SCHEDULE_EDIT, 2, typed(u"参"), { u"一", u"二", u"参" }, 0 },
        { "delete", ID_SCHEDULE_DELETE, 2, yes, { u"一", u"二" }, 0 },
        { "cut the middle", ID_EDIT_CUT, 1, none, { u"一", u"三" }, 1 },
        { "cut the last", ID_EDIT_CUT, 2, none, { u"一", u"二" }, 1 },
        { "up", ID_SCHEDULE_UP, 2, none, { u"一", u"三", u"二" }, 1 },
        { "down", ID_SCHEDULE_DOWN, 0, none, { u"二", u"一", u"三" }, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Store().entries.clear();
        Add(u"一");
        Add(u"二");
        Add(u"三");
        Show(c.row);
        c.answer();
        const int focusedBefore = list_.focused;
        Run(c.command);
        EXPECT_EQ(ShownRows(), c.rows);
        EXPECT_EQ(views_.day.Selection(), c.selected);
        EXPECT_EQ(list_.selection, c.selected);
        EXPECT_GT(list_.focused, focusedBefore);
        EXPECT_TRUE(views_.document.IsModified());
    }
}

TEST_F(DayViewTest, NoEntryCommandActsWithoutARowOrPastTheEnds)
{
    const int entryCommands[] = { ID_SCHEDULE_EDIT, ID_SCHEDULE_DELETE, ID_EDIT_COPY, ID_EDIT_CUT, ID_SCHEDULE_UP,
        ID_SCHEDULE_DOWN, ID_SCHEDULE_DETAILS, ID_SCHEDULE_COPY_SERIES };
    Show();
    EXPECT_EQ(views_.day.Selection(), -1);
    for (const int id : entryCommands) {
        EXPECT_FALSE(views_.day.StateOf(id).enabled) << id;
        Run(id);
    }
    // The entry commands the list does not offer yet stay disabled.
    EXPECT_FALSE(views_.day.StateOf(ID_LINK_FILE_OPEN).enabled);
    EXPECT_FALSE(views_.day.StateOf(ID_OUTLOOK_ADD).enabled);

    Add(u"一");
    Add(u"二");
    Show();
    Run(ID_SCHEDULE_UP);
    views_.day.OnSelectionChanged(1);
    Run(ID_SCHEDULE_DOWN);
    EXPECT_EQ(ShownRows(), (Rows { u"一", u"二" }));
    EXPECT_EQ(ui_.DialogsRun() + ui_.Messages().size() + ui_.Questions().size(), 0u);
    EXPECT_FALSE(clipboard_.Text().has_value());
    EXPECT_FALSE(views_.document.IsModified());
}

TEST_F(DayViewTest, AGeneratedHolidayIsCopiedButNeitherCutNorMoved)
{
    clock_.Set(CDTime(2026, 3, 20, 9, 0).Instant()); // 春分の日, worked out by the grid
    Add(u"会議", CDTime(2026, 3, 20));
    Show();
    ASSERT_EQ(ShownRows().size(), 2u);
    const Rows before = ShownRows();
    Run(ID_EDIT_CUT);
    EXPECT_TRUE(clipboard_.Text().has_value());
    Run(ID_SCHEDULE_DOWN);
    views_.day.OnSelectionChanged(1);
    Run(ID_SCHEDULE_UP);
    EXPECT_EQ(ui_.Messages(), (Rows { texts::kCannotMoveGenerated, texts::kCannotMoveGenerated }));
    EXPECT_EQ(ShownRows(), before);
    EXPECT_EQ(views_.day.Selection(), 1);
    EXPECT_EQ(Store().EntryCount(), 1);
    EXPECT_FALSE(views_.document.IsModified());
}

TEST_F(DayViewTest, DeletingARepeatingEntryAsksWhetherOnlyThisDayGoes)
{
    struct Case {
        int button;
        bool kept; // the repeating entry stays, without this day
    };
    const Case cases[] = { { repeatdeletedialog::kThisDayOnly, true }, { repeatdeletedialog::kAll, false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Store().entries.clear();
        CKalData* daily = Add(u"朝会", CDTime(2026, 12, 1, 9, 0), CDTime(2026, 12, 31));
        daily->repeatType = repeat::kDaily;
        Add(u"会議");
        Show();
        ASSERT_EQ(ShownRows(), (Rows { u"朝会", u"会議" }));
        ui_.QueueDialog([&c](DialogLogic&, MemoryDialogHost& host) { host.Press(c.button); });
        Run(ID_SCHEDULE_DELETE);
        EXPECT_EQ(ShownRows(), (Rows { u"会議" }));
        EXPECT_EQ(views_.day.Selection(), 0);
        EXPECT_EQ(Store().EntryCount(), c.kept ? 2 : 1);
        EXPECT_TRUE(views_.document.IsModified());
        if (c.kept) {
            ASSERT_EQ(Store().Entry(0).exclusions.size(), 1u);
            const ExclusionPeriod& day = Store().Entry(0).exclusions[0];
            EXPECT_EQ(std::tuple(day.startYear, day.startMonth, day.startDay), std::tuple(2026, 12, 7));
        }
    }
}

TEST_F(DayViewTest, ContinuousCopyStepsByCalendarDates)
{
    using Unit = ContinuousCopy::Unit;
    struct Case {
        const char* name;
        CDTime start;
        ContinuousCopy copy;
        std::vector<CDTime> starts;
        bool cutShort;
    };
    const Case cases[] = {
        { "month from January 31", CDTime(2026, 1, 31, 10, 0), { Unit::Month, 1, 3 },
            { CDTime(2026, 3, 3, 10, 0), CDTime(2026, 4, 3, 10, 0), CDTime(2026, 5, 3, 10, 0) }, false },
        { "month from January 31 of a leap year", CDTime(2024, 1, 31, 10, 0), { Unit::Month, 1, 3 },
            { CDTime(2024, 3, 2, 10, 0), CDTime(2024, 4, 2, 10, 0), CDTime(2024, 5, 2, 10, 0) }, false },
        { "year from February 29", CDTime(2024, 2, 29, 8, 15), { Unit::Year, 1, 2 },
            { CDTime(2025, 3, 1, 8, 15), CDTime(2026, 3, 1, 8, 15) }, false },
        { "days over the spring clock change", CDTime(2026, 3, 28, 0, 30), { Unit::Day, 1, 2 },
            { CDTime(2026, 3, 29, 0, 30), CDTime(2026, 3, 30, 0, 30) }, false },
        { "weeks over the autumn clock change", CDTime(2026, 10, 20, 23, 0), { Unit::Week, 2, 1 },
            { CDTime(2026, 11, 3, 23, 0) }, false },
        { "no further than the last year", CDTime(2036, 11, 15), { Unit::Month, 1, 3 }, { CDTime(2036, 12, 15) },
            true },
        { "an interval past the int range of days", CDTime(2026, 1, 1), { Unit::Week, 2147483647, 1 }, {}, true },
        { "nothing asked", CDTime(2026, 1, 1), { Unit::Day, 1, 0 }, {}, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKalData entry;
        entry.text = u"定例";
        entry.start = c.start;
        entry.end = CDTime(c.start.Year(), c.start.Month(), c.start.Day() + 1, 9, 45); // the next morning
        const ContinuousCopies made = MakeContinuousCopies(entry, c.copy);
        std::vector<CDTime> starts;
        for (const CKalData& copy : made.copies) {
            starts.push_back(copy.start);
            EXPECT_EQ(copy.text, entry.text);
            const LocalFields s = copy.start.Fields();
            EXPECT_EQ(copy.end, CDTime(s.year, s.month, s.day + 1, 9, 45));
        }
        EXPECT_EQ(starts, c.starts);
        EXPECT_EQ(made.cutShort, c.cutShort);
    }
}

TEST_F(DayViewTest, ContinuousCopyAppendsTheCopiesAndTellsWhenItStopsAtTheLastYear)
{
    Add(u"一");
    Add(u"定例", CDTime(2026, 12, 7, 10, 0));
    Show(1);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Choose(continuouscopydialog::kUnit, static_cast<int>(ContinuousCopy::Unit::Year));
        host.Type(continuouscopydialog::kInterval, u"5");
        host.Type(continuouscopydialog::kCount, u"3");
        host.Press(kIdOk);
    });
    Run(ID_SCHEDULE_COPY_SERIES);
    ASSERT_EQ(Store().EntryCount(), 4);
    EXPECT_EQ(Store().Entry(2).start, CDTime(2031, 12, 7, 10, 0));
    EXPECT_EQ(Store().Entry(3).start, CDTime(2036, 12, 7, 10, 0));
    EXPECT_EQ(ui_.Messages(), (Rows { texts::kCannotGoFurther }));
    EXPECT_EQ(views_.day.Selection(), 0);
    EXPECT_TRUE(views_.document.IsModified());

    views_.document.SetModified(false);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdCancel); });
    Run(ID_SCHEDULE_COPY_SERIES);
    EXPECT_EQ(Store().EntryCount(), 4);
    EXPECT_FALSE(views_.document.IsModified());
}

TEST_F(DayViewTest, TheListsLookIsChosenStoredAndGivenToTheWindow)
{
    Add(u"一");
    Add(u"二");
    Show(1);
    ui_.SetFontFamilies({ u"IPAGothic" });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(fontdialog::kFaceEdit, u"IPAGothic");
        host.Type(fontdialog::kSizeEdit, u"12");
        host.Press(fontdialog::kBold);
        host.Press(kIdOk);
    });
    Run(ID_FONT_LIST);
    EXPECT_EQ(list_.font.faceName, u"IPAGothic");
    EXPECT_EQ(list_.font.point, 12);
    EXPECT_EQ(profile_.GetInt("DayFont", "Weight", 0), 700);
    EXPECT_EQ(views_.day.Selection(), 0);

    ui_.QueueColour(0x336699);
    Run(ID_BACK_COLOUR);
    ui_.QueueColour(0x123456);
    Run(ID_SELECT_COLOUR);
    EXPECT_EQ(list_.background, 0x336699u);
    // A new start reads back what the list's own commands stored, not the month view's colours.
    ReloadSettings();
    EXPECT_EQ(settings_.Get(ColourSetting::DayBack), 0x336699u);
    EXPECT_EQ(settings_.Get(ColourSetting::DaySelect), 0x123456u);
    EXPECT_EQ(settings_.Get(ColourSetting::Back), 0xFFFFFFu);
}

TEST_F(DayViewTest, TheListHandsCalendarCommandsToTheMonthViewAndKeepsTheKeyboard)
{
    Show();
    Run(ID_GO_NEXT_DAY);
    EXPECT_EQ(views_.document.CurrentDate(), CDTime(2026, 12, 8));
    EXPECT_EQ(list_.focused, 1);
    Run(ID_SIX_WEEKS);
    EXPECT_TRUE(views_.day.StateOf(ID_SIX_WEEKS).checked);
    CommandState state;
    EXPECT_TRUE(views_.day.OnUpdateCommand(ID_DIARY_EDIT, state));
    EXPECT_TRUE(views_.day.OnUpdateCommand(ID_EDIT_FIND, state));
    for (int mode = 0; mode <= 4; ++mode) {
        Run(ID_TIME_PER_ENTRY + mode);
        for (int id = ID_TIME_PER_ENTRY; id <= ID_TIME_NONE; ++id)
            EXPECT_EQ(views_.day.StateOf(id).checked, id == ID_TIME_PER_ENTRY + mode);
    }
    EXPECT_EQ(profile_.GetInt("View", "DayViewTime", -1), 4);
}

} // namespace
} // namespace kal
