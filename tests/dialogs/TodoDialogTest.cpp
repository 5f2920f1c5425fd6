#include "dialogs/TodoDialog.h"

#include "TestEnvironment.h"
#include "dialogs/DatePickerDialog.h"
#include "dialogs/MemoDialog.h"
#include "store/KalStore.h"
#include "ui/DialogHost.h"
#include "ui/MemoryDialogHost.h"

#include <functional>

namespace kal {
namespace {

using namespace tododialog;

constexpr Colour kGeneralColour = 0x000000;
constexpr Colour kUrgentColour = 0x0000FF;
constexpr Colour kChosenColour = 0x123456;

class TodoDialogTest : public test::TestEnvironment {
protected:
    TodoDialogTest()
    {
        for (const auto& [name, colour] :
            { std::pair { u"一般", kGeneralColour }, std::pair { u"至急", kUrgentColour } }) {
            CKalField genre;
            genre.name = name;
            genre.colour = colour;
            store_.genres.Append(genre);
        }
    }

    using Script = std::function<void(MemoryDialogHost&)>;
    // Runs the dialog with `script` acting as the user, then `subDialogs` answering the dialogs its
    // buttons open; true when it ended with OK.
    bool Run(CKalData& entry, CDTime day, EntryDialogMode mode, Script script, std::vector<Script> subDialogs = {})
    {
        Queue(std::move(script));
        for (Script& sub : subDialogs)
            Queue(std::move(sub));
        return RunTodoDialog(store_, entry, day, mode);
    }
    void Queue(Script script)
    {
        ui_.QueueDialog([script = std::move(script)](DialogLogic&, MemoryDialogHost& host) { script(host); });
    }
    static CKalData StoredTodo()
    {
        CKalData entry;
        entry.start = CDTime(2013, 11, 20);
        entry.end = CDTime(2013, 11, 18);
        entry.flags = flag::kIsTodo | flag::kDone;
        entry.text = u"年賀状";
        entry.place = u"自宅";
        entry.priority = 3;
        entry.genre = 1;
        entry.colour = kChosenColour;
        entry.showDaysBefore = 10;
        return entry;
    }

    CKalStore store_;
};

TEST_F(TodoDialogTest, LayoutFollowsTheScreenWithItsOwnLabels)
{
    struct Case {
        Size screen;
        int resource;
        const char16_t* done;
        const char16_t* hidden;
        const char16_t* link;
    };
    for (const Case& c : { Case { { 1024, 768 }, kWideResource, kDoneLabelWide, kHiddenLabelWide, kLinkLabel },
             Case { { 320, 240 }, kSmallResource, kDoneLabelSmall, kHiddenLabelSmall, kLinkLabelSmall },
             Case { { 480, 640 }, kPortraitResource, kDoneLabelPortrait, kHiddenLabelPortrait, kLinkLabel } }) {
        ui_.SetScreenSize(c.screen);
        const DialogResource* shown = nullptr;
        CKalData entry;
        ui_.QueueDialog([&](DialogLogic& dialog, MemoryDialogHost& host) {
            shown = &dialog.Resource();
            ASSERT_NE(shown->Find(kDone), nullptr);
            EXPECT_EQ(shown->Find(kDone)->text, c.done);
            EXPECT_EQ(shown->Find(kHidden)->text, c.hidden);
            EXPECT_EQ(shown->Find(kLink)->text, c.link);
            EXPECT_EQ(shown->id, c.resource);
            host.Press(kIdOk);
        });
        EXPECT_TRUE(RunTodoDialog(store_, entry, CDTime(2013, 12, 1), EntryDialogMode::New));
        EXPECT_NE(shown, nullptr);
    }
    // Small landscape screens are only those up to 639 pixels across.
    ui_.SetScreenSize({ 639, 480 });
    int id = 0;
    ui_.QueueDialog([&](DialogLogic& dialog, MemoryDialogHost&) { id = dialog.Resource().id; });
    CKalData entry;
    EXPECT_FALSE(RunTodoDialog(store_, entry, CDTime(2013, 12, 1), EntryDialogMode::New));
    EXPECT_EQ(id, kSmallResource);
}

TEST_F(TodoDialogTest, NewTodoCountsItsDeadlineInCalendarDays)
{
    store_.defaultTodoGenre = 1;
    CKalData entry;
    EXPECT_TRUE(Run(entry, CDTime(2013, 12, 28), EntryDialogMode::New, [](MemoryDialogHost& host) {
        EXPECT_EQ(host.Caption(), kCaption);
        EXPECT_EQ(host.Text(kDeadline), u"2014/01/04");
        EXPECT_EQ(host.Text(kCompletion), u"");
        EXPECT_FALSE(host.IsEnabled(kCompletion));
        EXPECT_FALSE(host.IsEnabled(kCompletionButton));
        EXPECT_FALSE(host.IsChecked(kShowBefore));
        EXPECT_FALSE(host.IsEnabled(kDaysBefore));
        EXPECT_EQ(host.Selection(kPriority), kNewPriority);
        EXPECT_EQ(host.Selection(kGenre), 1);
        EXPECT_EQ(host.ColourOf(kColour), kUrgentColour);
        EXPECT_EQ(host.Focus(), kContent);
        host.Type(kContent, u"大掃除");
        host.Press(kIdOk);
    }));
    EXPECT_EQ(entry.text, u"大掃除");
    EXPECT_EQ(entry.start, CDTime(2014, 1, 4));
    EXPECT_EQ(entry.flags, flag::kIsTodo);
    EXPECT_EQ(entry.priority, kNewPriority);
    EXPECT_EQ(entry.showDaysBefore, -1);
    EXPECT_EQ(entry.genre, 1);
    EXPECT_EQ(entry.colour, kUrgentColour);

    // Other lead times, across a month's end and a leap day.
    for (const auto& [days, day, expected] :
        { std::tuple { 1, CDTime(2012, 2, 28), u"2012/02/29" }, std::tuple { 30, CDTime(2013, 3, 15), u"2013/04/14" },
            std::tuple { 0, CDTime(2013, 3, 31), u"2013/03/31" } }) {
        settings_.Set(IntSetting::DefaultDays, days);
        std::u16string shown;
        CKalData other;
        Run(other, day, EntryDialogMode::New, [&](MemoryDialogHost& host) { shown = host.Text(kDeadline); });
        EXPECT_EQ(shown, expected) << days;
    }
}

TEST_F(TodoDialogTest, WithoutADefaultDeadlineTheTodoHasNone)
{
    settings_.Set(IntSetting::DefaultKigen, 0);
    CKalData entry;
    EXPECT_TRUE(Run(entry, CDTime(2013, 12, 28), EntryDialogMode::New, [](MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kDeadline), u"");
        host.Press(kIdOk);
    }));
    EXPECT_TRUE(entry.Has(flag::kNoDeadline));
    EXPECT_EQ(entry.start, CDTime::Now()); // the moment of saving
    EXPECT_FALSE(entry.Has(flag::kDone));
}

TEST_F(TodoDialogTest, EditShowsTheTodo)
{
    CKalData entry = StoredTodo();
    EXPECT_FALSE(Run(entry, CDTime(2013, 11, 1), EntryDialogMode::Edit, [](MemoryDialogHost& host) {
        EXPECT_TRUE(host.IsChecked(kDone));
        EXPECT_FALSE(host.IsChecked(kHidden));
        EXPECT_EQ(host.Text(kDeadline), u"2013/11/20");
        EXPECT_EQ(host.Text(kCompletion), u"2013/11/18");
        EXPECT_TRUE(host.IsEnabled(kCompletion));
        EXPECT_TRUE(host.IsChecked(kShowBefore));
        EXPECT_TRUE(host.IsEnabled(kDaysBefore));
        EXPECT_EQ(host.Number(kDaysBefore), 10);
        EXPECT_EQ(host.Text(kContent), u"年賀状");
        EXPECT_EQ(host.Text(kPlace), u"自宅");
        EXPECT_EQ(host.Selection(kPriority), 3);
        EXPECT_EQ(host.Selection(kGenre), 1);
        EXPECT_EQ(host.ColourOf(kColour), kChosenColour);
        host.Press(kIdCancel);
    }));

    entry.Set(flag::kDone, false);
    entry.Set(flag::kNoDeadline, true);
    EXPECT_FALSE(Run(entry, CDTime(2013, 11, 1), EntryDialogMode::Edit, [](MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kDeadline), u"");
        EXPECT_EQ(host.Text(kCompletion), u""); // not done: no completion date shown
        EXPECT_FALSE(host.IsEnabled(kCompletionButton));
    }));
}

TEST_F(TodoDialogTest, DoneBoxFillsTodayAndKeepsTheTextWhenUnticked)
{
    // The clock stands at 2026/12/07.
    CKalData entry;
    EXPECT_TRUE(Run(entry, CDTime(2013, 12, 1), EntryDialogMode::New, [](MemoryDialogHost& host) {
        host.Press(kDone);
        EXPECT_TRUE(host.IsEnabled(kCompletion));
        EXPECT_TRUE(host.IsEnabled(kCompletionButton));
        EXPECT_EQ(host.Text(kCompletion), u"2026/12/07");
        host.Type(kCompletion, u"2013/12/03");
        host.Press(kDone);
        EXPECT_FALSE(host.IsEnabled(kCompletion));
        host.Press(kDone);
        EXPECT_EQ(host.Text(kCompletion), u"2013/12/03"); // a typed date is not replaced
        host.Press(kDone);
        host.Press(kIdOk);
    }));
    EXPECT_FALSE(entry.Has(flag::kDone));
    EXPECT_EQ(entry.end, CDTime()); // not done: the completion is not written
}

TEST_F(TodoDialogTest, CalendarButtonsWriteThePickedDay)
{
    // The clock stands at 2026/12/07: an unreadable field opens the picker on today.
    std::vector<CDTime> opened;
    const auto pick = [&](CDTime day) {
        return [&opened, day](DialogLogic& dialog, MemoryDialogHost& picker) {
            auto& calendar = static_cast<DatePickerDialog&>(dialog).Calendar();
            opened.push_back(DateOnly(calendar.GetDate()));
            calendar.SetDate(day);
            picker.Press(kIdOk);
        };
    };
    CKalData entry;
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kDone);
        host.Type(kCompletion, u"そのうち");
        host.Press(kDeadlineButton);
        host.Press(kCompletionButton);
        host.Press(kIdOk);
    });
    ui_.QueueDialog(pick(CDTime(2013, 12, 24)));
    ui_.QueueDialog(pick(CDTime(2013, 12, 20)));
    EXPECT_TRUE(RunTodoDialog(store_, entry, CDTime(2013, 12, 1), EntryDialogMode::New));
    EXPECT_EQ(opened, (std::vector<CDTime> { CDTime(2013, 12, 8), CDTime(2026, 12, 7) }));
    EXPECT_EQ(entry.start, CDTime(2013, 12, 24));
    EXPECT_EQ(entry.end, CDTime(2013, 12, 20));
}

TEST_F(TodoDialogTest, OkChecksTheDatesInOrder)
{
    struct Case {
        const char16_t* deadline;
        bool done;
        const char16_t* completion;
        bool passes;
        CDTime end; // when done
    };
    const Case cases[] = {
        { u"2013/12/10", true, u"", true, CDTime(2013, 12, 10) }, // done without a date: the deadline
        { u"2013/12/10", true, u"2013/12/08", true, CDTime(2013, 12, 8) },
        { u"2013/12/10", false, u"いつか", true, CDTime() }, // not done: the completion is not read
        { u"2013/12/32", false, u"", false, CDTime() }, { u"12/10", false, u"", false, CDTime() },
        { u"2013/12/10", true, u"2013/02/29", false, CDTime() },
        { u"", true, u"", false, CDTime() }, // no deadline to fall back on
    };
    for (const Case& c : cases) {
        ui_.Clear();
        CKalData entry;
        const bool ok = Run(entry, CDTime(2013, 12, 1), EntryDialogMode::New, [&](MemoryDialogHost& host) {
            host.Type(kDeadline, c.deadline);
            if (c.done)
                host.Press(kDone);
            host.Type(kCompletion, c.completion);
            host.Press(kIdOk);
            EXPECT_EQ(host.HasEnded(), c.passes);
        });
        const std::u16string label = std::u16string(c.deadline) + u" / " + c.completion;
        SCOPED_TRACE(std::string(label.begin(), label.end()));
        EXPECT_EQ(ok, c.passes);
        if (!c.passes) {
            EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { kBadDate });
            continue;
        }
        EXPECT_TRUE(ui_.Messages().empty());
        EXPECT_EQ(entry.Has(flag::kDone), c.done);
        EXPECT_EQ(entry.end, c.end);
    }
}

TEST_F(TodoDialogTest, BadCompletionKeepsTheNewDeadlineOnly)
{
    CKalData entry = StoredTodo();
    EXPECT_FALSE(Run(entry, CDTime(2013, 11, 1), EntryDialogMode::Edit, [](MemoryDialogHost& host) {
        host.Type(kDeadline, u"");
        host.Type(kCompletion, u"2013/11/31");
        host.Type(kContent, u"変更");
        host.Press(kIdOk);
        host.Press(kIdCancel);
    }));
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { kBadDate });
    EXPECT_TRUE(entry.Has(flag::kNoDeadline));
    EXPECT_EQ(entry.start, CDTime::Now());
    EXPECT_EQ(entry.end, CDTime(2013, 11, 18));
    EXPECT_EQ(entry.text, u"年賀状");
}

TEST_F(TodoDialogTest, DayCountIsStoredOnlyWhenTicked)
{
    struct Case {
        bool tick;
        const char16_t* count;
        bool passes;
        int stored;
    };
    for (const Case& c :
        { Case { true, u"3", true, 3 }, Case { false, u"3", true, -1 }, Case { false, u"abc", true, -1 },
            Case { true, u"0", true, 0 }, Case { true, u"-2", false, 0 }, Case { true, u"abc", false, 0 } }) {
        ui_.Clear();
        CKalData entry;
        const bool ok = Run(entry, CDTime(2013, 12, 1), EntryDialogMode::New, [&](MemoryDialogHost& host) {
            host.Press(kShowBefore); // ticks
            EXPECT_TRUE(host.IsEnabled(kDaysBefore));
            host.Type(kDaysBefore, c.count);
            if (!c.tick)
                host.Press(kShowBefore);
            EXPECT_EQ(host.IsEnabled(kDaysBefore), c.tick);
            host.Press(kIdOk);
        });
        EXPECT_EQ(ok, c.passes) << c.tick;
        if (c.passes)
            EXPECT_EQ(entry.showDaysBefore, c.stored) << c.tick;
        else
            EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { dialogtext::kEnterPositiveNumber });
    }
}

TEST_F(TodoDialogTest, OkWritesTheFieldsAndTheMemoStaysOnCancel)
{
    CKalData entry = StoredTodo();
    ui_.QueueColour(0x00FF00);
    EXPECT_TRUE(Run(entry, CDTime(2013, 11, 1), EntryDialogMode::Edit, [](MemoryDialogHost& host) {
        host.Type(kContent, u"喪中はがき");
        host.Type(kPlace, u"郵便局");
        host.Choose(kPriority, 0);
        host.Press(kHidden);
        host.Choose(kGenre, 0);
        EXPECT_EQ(host.ColourOf(kColour), kGeneralColour);
        host.Press(kColour);
        host.Press(kIdOk);
    }));
    EXPECT_EQ(entry.text, u"喪中はがき");
    EXPECT_EQ(entry.place, u"郵便局");
    EXPECT_EQ(entry.priority, 0);
    EXPECT_TRUE(entry.Has(flag::kHidden | flag::kIsTodo | flag::kDone));
    EXPECT_EQ(entry.genre, 0);
    EXPECT_EQ(entry.colour, 0x00FF00u);
    EXPECT_EQ(entry.showDaysBefore, 10);

    EXPECT_FALSE(Run(entry, CDTime(2013, 11, 1), EntryDialogMode::Edit,
        [](MemoryDialogHost& host) {
            host.Type(kContent, u"取り消される");
            host.Press(kMemo);
            host.Press(kIdCancel);
        },
        { [](MemoryDialogHost& memo) {
            memo.Type(memodialog::kMemo, u"宛先リスト");
            memo.Press(kIdOk);
        } }));
    EXPECT_EQ(entry.memo, u"宛先リスト");
    EXPECT_EQ(entry.text, u"喪中はがき");
}

} // namespace
} // namespace kal
