#include "dialogs/TodoDialog.h"

#include "TestEnvironment.h"
#include "dialogs/DatePickerDialog.h"
#include "dialogs/MemoDialog.h"
#include "store/KalStore.h"
#include "support/MemoryDialogHost.h"

#include <functional>

namespace kal {
namespace {

using namespace tododialog;

constexpr Colour kUrgentColour = 0x0000FF;
constexpr Colour kOwnColour = 0x123456;

using Script = std::function<void(DialogLogic&, MemoryDialogHost&)>;

class TodoDialogTest : public test::TestEnvironment {
protected:
    TodoDialogTest()
    {
        for (const Colour colour : { Colour { 0 }, kUrgentColour }) {
            CKalField genre;
            genre.colour = colour;
            store_.genres.Append(genre);
        }
        stored_.start = CDTime(2013, 11, 20);
        stored_.end = CDTime(2013, 11, 18);
        stored_.flags = flag::kIsTodo | flag::kDone;
        stored_.text = u"年賀状";
        stored_.priority = 3;
        stored_.genre = 1;
        stored_.colour = kOwnColour;
        stored_.showDaysBefore = 10;
    }

    // Runs the dialog on `entry` with the first script acting as the user and the others answering
    // the dialogs its buttons open; true when it ended with OK. The clock stands at 2026/12/07.
    bool Run(CKalData& entry, EntryDialogMode mode, std::vector<Script> scripts, CDTime day = CDTime(2013, 12, 1))
    {
        for (Script& script : scripts)
            ui_.QueueDialog(std::move(script));
        return RunTodoDialog(store_, entry, day, mode);
    }

    CKalStore store_;
    CKalData stored_;
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
             Case { { 639, 480 }, kSmallResource, kDoneLabelSmall, kHiddenLabelSmall, kLinkLabelSmall },
             Case { { 480, 640 }, kPortraitResource, kDoneLabelPortrait, kHiddenLabelPortrait, kLinkLabel } }) {
        ui_.SetScreenSize(c.screen);
        CKalData entry;
        std::u16string labels;
        int shown = 0;
        Run(entry, EntryDialogMode::New, { [&](DialogLogic& dialog, MemoryDialogHost&) {
            const DialogResource& resource = dialog.Resource();
            shown = resource.id;
            for (const int id : { kDone, kHidden, kLink })
                labels += resource.Find(id) ? resource.Find(id)->text : u"?";
        } });
        EXPECT_EQ(shown, c.resource);
        EXPECT_EQ(labels, std::u16string(c.done) + c.hidden + c.link) << c.resource;
    }
}

TEST_F(TodoDialogTest, NewTodoCountsItsDeadlineInCalendarDays)
{
    store_.defaultTodoGenre = 1;
    CKalData entry;
    EXPECT_TRUE(Run(entry, EntryDialogMode::New, { [](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kDeadline), u"2014/01/04");
        EXPECT_FALSE(host.IsEnabled(kCompletion));
        EXPECT_FALSE(host.IsEnabled(kCompletionButton));
        EXPECT_FALSE(host.IsChecked(kShowBefore));
        EXPECT_FALSE(host.IsEnabled(kDaysBefore));
        EXPECT_EQ(host.ColourOf(kColour), kUrgentColour);
        EXPECT_EQ(host.Focus(), kContent);
        host.Type(kContent, u"大掃除");
        host.Press(kIdOk);
    } },
        CDTime(2013, 12, 28)));
    EXPECT_EQ(entry.text, u"大掃除");
    EXPECT_EQ(entry.start, CDTime(2014, 1, 4));
    EXPECT_EQ(entry.flags, flag::kIsTodo);
    EXPECT_EQ(entry.priority, kNewPriority);
    EXPECT_EQ(entry.showDaysBefore, -1);
    EXPECT_EQ(entry.genre, 1);
    EXPECT_EQ(entry.colour, kUrgentColour);

    for (const auto& [days, day, expected] : { std::tuple { 1, CDTime(2012, 2, 28), u"2012/02/29" },
             std::tuple { 30, CDTime(2013, 3, 15), u"2013/04/14" } }) {
        settings_.Set(IntSetting::DefaultDays, days);
        std::u16string shown;
        CKalData other;
        Run(other, EntryDialogMode::New,
            { [&](DialogLogic&, MemoryDialogHost& host) { shown = host.Text(kDeadline); } }, day);
        EXPECT_EQ(shown, expected) << days;
    }
}

TEST_F(TodoDialogTest, WithoutADefaultDeadlineTheTodoHasNone)
{
    settings_.Set(IntSetting::DefaultKigen, 0);
    CKalData entry;
    EXPECT_TRUE(Run(entry, EntryDialogMode::New, { [](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kDeadline), u"");
        host.Press(kIdOk);
    } }));
    EXPECT_EQ(entry.flags, flag::kIsTodo | flag::kNoDeadline);
    EXPECT_EQ(entry.start, CDTime::Now()); // the moment of saving
}

TEST_F(TodoDialogTest, EditShowsTheTodoAndOkWritesIt)
{
    ui_.QueueColour(0x00FF00);
    EXPECT_TRUE(Run(stored_, EntryDialogMode::Edit, { [](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kDeadline), u"2013/11/20");
        EXPECT_EQ(host.Text(kCompletion), u"2013/11/18");
        EXPECT_TRUE(host.IsEnabled(kCompletion));
        EXPECT_TRUE(host.IsChecked(kShowBefore));
        EXPECT_EQ(host.Number(kDaysBefore), 10);
        EXPECT_EQ(host.Selection(kPriority), 3);
        EXPECT_EQ(host.ColourOf(kColour), kOwnColour);
        host.Type(kContent, u"喪中はがき");
        host.Type(kPlace, u"郵便局");
        host.Choose(kPriority, 0);
        host.Press(kHidden);
        host.Choose(kGenre, 0);
        host.Press(kColour);
        host.Press(kIdOk);
    } }));
    EXPECT_EQ(stored_.text, u"喪中はがき");
    EXPECT_EQ(stored_.place, u"郵便局");
    EXPECT_EQ(stored_.priority, 0);
    EXPECT_EQ(stored_.flags, flag::kIsTodo | flag::kDone | flag::kHidden);
    EXPECT_EQ(stored_.genre, 0);
    EXPECT_EQ(stored_.colour, 0x00FF00u);
    EXPECT_EQ(stored_.showDaysBefore, 10);

    stored_.flags = flag::kIsTodo | flag::kNoDeadline;
    EXPECT_FALSE(Run(stored_, EntryDialogMode::Edit, { [](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kDeadline) + host.Text(kCompletion), u""); // no deadline, not done
        EXPECT_FALSE(host.IsEnabled(kCompletionButton));
    } }));
}

TEST_F(TodoDialogTest, DoneBoxFillsTodayAndKeepsTheTextWhenUnticked)
{
    CKalData entry;
    EXPECT_TRUE(Run(entry, EntryDialogMode::New, { [](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kDone);
        EXPECT_TRUE(host.IsEnabled(kCompletionButton));
        EXPECT_EQ(host.Text(kCompletion), u"2026/12/07");
        host.Type(kCompletion, u"2013/12/03");
        host.Press(kDone);
        EXPECT_FALSE(host.IsEnabled(kCompletion));
        host.Press(kDone);
        EXPECT_EQ(host.Text(kCompletion), u"2013/12/03"); // a typed date is not replaced
        host.Press(kDone);
        host.Press(kIdOk);
    } }));
    EXPECT_FALSE(entry.Has(flag::kDone));
    EXPECT_EQ(entry.end, CDTime()); // not done: the completion is not written
}

TEST_F(TodoDialogTest, CalendarButtonsWriteThePickedDay)
{
    std::vector<CDTime> opened;
    const auto pick = [&](CDTime day) {
        return [&opened, day](DialogLogic& dialog, MemoryDialogHost& picker) {
            CalendarControl& calendar = static_cast<DatePickerDialog&>(dialog).Calendar();
            opened.push_back(DateOnly(calendar.GetDate()));
            calendar.SetDate(day);
            picker.Press(kIdOk);
        };
    };
    CKalData entry;
    EXPECT_TRUE(Run(entry, EntryDialogMode::New,
        { [](DialogLogic&, MemoryDialogHost& host) {
             host.Press(kDone);
             host.Type(kCompletion, u"そのうち");
             host.Press(kDeadlineButton);
             host.Press(kCompletionButton);
             host.Press(kIdOk);
         },
            pick(CDTime(2013, 12, 24)), pick(CDTime(2013, 12, 20)) }));
    // An unreadable field opens the picker on today.
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
        CDTime end;
    };
    for (const Case& c : {
             Case { u"2013/12/10", true, u"", true, CDTime(2013, 12, 10) }, // done without a date: the deadline
             Case { u"2013/12/10", true, u"2013/12/08", true, CDTime(2013, 12, 8) },
             Case { u"2013/12/10", false, u"いつか", true, CDTime() }, // not done: not read
             Case { u"2013/12/32", false, u"", false, CDTime() }, Case { u"12/10", false, u"", false, CDTime() },
             Case { u"2013/12/10", true, u"2013/02/29", false, CDTime() },
             Case { u"", true, u"", false, CDTime() }, // no deadline to fall back on
         }) {
        ui_.Clear();
        CKalData entry;
        const bool ok = Run(entry, EntryDialogMode::New, { [&](DialogLogic&, MemoryDialogHost& host) {
            host.Type(kDeadline, c.deadline);
            if (c.done)
                host.Press(kDone);
            host.Type(kCompletion, c.completion);
            host.Press(kIdOk);
        } });
        const std::u16string label = std::u16string(c.deadline) + u" / " + c.completion;
        SCOPED_TRACE(std::string(label.begin(), label.end()));
        EXPECT_EQ(ok, c.passes);
        EXPECT_EQ(ui_.Messages(), c.passes ? std::vector<std::u16string> {} : std::vector<std::u16string> { kBadDate });
        if (ok) {
            EXPECT_EQ(entry.Has(flag::kDone), c.done);
            EXPECT_EQ(entry.end, c.end);
        }
    }
}

TEST_F(TodoDialogTest, RefusedOkThenCancelLeavesTheTodoAsItWas)
{
    // The deadline, read before the completion date is checked, either cleared or moved. Only the
    // memo, written at once, stays after the cancel.
    for (const char16_t* deadline : { u"", u"2013/12/24" }) {
        ui_.Clear();
        CKalData entry;
        entry = stored_;
        EXPECT_FALSE(Run(entry, EntryDialogMode::Edit,
            { [&](DialogLogic&, MemoryDialogHost& host) {
                 host.Type(kDeadline, deadline);
                 host.Type(kCompletion, u"2013/11/31");
                 host.Type(kContent, u"変更");
                 host.Press(kMemo);
                 host.Press(kIdOk);
                 host.Press(kIdCancel);
             },
                [](DialogLogic&, MemoryDialogHost& memo) {
                    memo.Type(memodialog::kMemo, u"宛先リスト");
                    memo.Press(kIdOk);
                } }));
        SCOPED_TRACE(std::u16string(deadline).size());
        EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { u"正しい日付を入力してください" });
        EXPECT_EQ(entry.flags, stored_.flags);
        EXPECT_EQ(entry.start, stored_.start);
        EXPECT_EQ(entry.end, stored_.end);
        EXPECT_EQ(entry.text, u"年賀状");
        EXPECT_EQ(entry.memo, u"宛先リスト");
    }
}

TEST_F(TodoDialogTest, DayCountIsStoredOnlyWhenTicked)
{
    struct Case {
        bool tick;
        const char16_t* count;
        std::optional<int> stored; // nothing when OK is refused
    };
    for (const Case& c : { Case { true, u"3", 3 }, Case { false, u"3", -1 }, Case { false, u"abc", -1 },
             Case { true, u"0", 0 }, Case { true, u"-2", std::nullopt }, Case { true, u"abc", std::nullopt } }) {
        ui_.Clear();
        CKalData entry;
        const bool ok = Run(entry, EntryDialogMode::New, { [&](DialogLogic&, MemoryDialogHost& host) {
            host.Press(kShowBefore);
            host.Type(kDaysBefore, c.count);
            if (!c.tick)
                host.Press(kShowBefore);
            EXPECT_EQ(host.IsEnabled(kDaysBefore), c.tick);
            host.Press(kIdOk);
        } });
        EXPECT_EQ(ok ? std::optional<int>(entry.showDaysBefore) : std::nullopt, c.stored) << c.tick;
        EXPECT_EQ(ui_.Messages().size(), ok ? 0u : 1u);
    }
}

} // namespace
} // namespace kal
