#include "TestEnvironment.h"

#include "dialogs/AlarmDialog.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/TimeInputDialog.h"
#include "support/MemoryDialogHost.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

using AlarmTest = test::TestEnvironment;

TEST_F(AlarmTest, TickingAndUntickingDecideTheAnswer)
{
    using namespace alarmdialog;
    // No alarm yet: the minutes wait disabled until the box is ticked, which turns -1 into 0.
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_FALSE(host.IsChecked(kAlarmOn));
        EXPECT_FALSE(host.IsEnabled(kMinutes));
        host.Press(kAlarmOn);
        EXPECT_TRUE(host.IsEnabled(kMinutes));
        EXPECT_EQ(host.Text(kMinutes), u"0");
        host.Press(kIdOk);
    });
    EXPECT_EQ(AskAlarm(-1), 0);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_TRUE(host.IsChecked(kAlarmOn));
        EXPECT_EQ(host.Focus(), kMinutes);
        host.Type(kMinutes, u"15");
        host.Press(kIdOk);
    });
    EXPECT_EQ(AskAlarm(10), 15);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kAlarmOn);
        EXPECT_FALSE(host.IsEnabled(kMinutes));
        host.Press(kIdOk);
    });
    EXPECT_EQ(AskAlarm(30), -1);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdCancel); });
    EXPECT_EQ(AskAlarm(30), std::nullopt);
}

using TimeInputTest = test::TestEnvironment;

TEST_F(TimeInputTest, ScrollBarsStepAndLandOnTheLastValueOutsideTheRange)
{
    using namespace timeinputdialog;
    struct Case {
        int bar;
        int start; // hour or minute shown before the scroll
        ScrollAction action;
        int thumb;
        int expected;
    };
    const Case cases[] = {
        { kHourBar, 0, ScrollAction::LineUp, 0, 23 },
        { kHourBar, 5, ScrollAction::LineUp, 0, 4 },
        { kHourBar, 22, ScrollAction::LineDown, 0, 23 },
        { kHourBar, 23, ScrollAction::LineDown, 0, 23 },
        { kHourBar, 10, ScrollAction::PageUp, 0, 6 },
        { kHourBar, 3, ScrollAction::PageUp, 0, 23 },
        { kHourBar, 10, ScrollAction::PageDown, 0, 14 },
        { kHourBar, 21, ScrollAction::PageDown, 0, 23 },
        { kHourBar, 10, ScrollAction::Top, 0, 0 },
        { kHourBar, 10, ScrollAction::Bottom, 0, 23 },
        { kHourBar, 10, ScrollAction::Thumb, 17, 17 },
        { kMinuteBar, 59, ScrollAction::LineDown, 0, 59 },
        { kMinuteBar, 0, ScrollAction::LineUp, 0, 59 },
        { kMinuteBar, 30, ScrollAction::PageUp, 0, 20 },
        { kMinuteBar, 55, ScrollAction::PageDown, 0, 59 },
        { kMinuteBar, 30, ScrollAction::Bottom, 0, 59 },
    };
    for (const Case& c : cases) {
        const bool hour = c.bar == kHourBar;
        TimeInputDialog dialog(hour ? HourMinute { c.start, 45 } : HourMinute { 8, c.start });
        MemoryDialogHost host(dialog);
        host.Open();
        host.Scroll(c.bar, c.action, c.thumb);
        const int edit = hour ? kHour : kMinute;
        SCOPED_TRACE(testing::Message() << "bar " << c.bar << " from " << c.start);
        EXPECT_EQ(host.Number(edit), c.expected);
        EXPECT_EQ(host.Position(c.bar), c.expected);
        EXPECT_EQ(host.Number(hour ? kMinute : kHour), hour ? 45 : 8); // the other field stays
    }
}

TEST_F(TimeInputTest, TypedValuesAreCheckedAndReturned)
{
    using namespace timeinputdialog;
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(kHour, u"24");
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        host.Type(kHour, u"7");
        host.Scroll(kHourBar, ScrollAction::LineDown); // steps on from what was typed
        host.Type(kMinute, u"5");
        host.Press(kIdOk);
    });
    const std::optional<HourMinute> time = AskTime(HourMinute { 12, 0 });
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(time->hour, 8);
    EXPECT_EQ(time->minute, 5);
    EXPECT_EQ(ui_.Messages().size(), 1u);
}

using MemoTest = test::TestEnvironment;

TEST_F(MemoTest, EditedTextComesBackWithCrLfLines)
{
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(memodialog::kMemo), u"一行目\r\n二行目");
        host.Type(memodialog::kMemo, u"a\nb\r\nc\rd");
        host.Press(kIdOk);
    });
    EXPECT_EQ(AskMemo(u"一行目\r\n二行目"), u"a\r\nb\r\nc\r\nd");

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(memodialog::kMemo, u"changed");
        host.Press(kIdCancel);
    });
    EXPECT_EQ(AskMemo(u"kept"), std::nullopt);
}

} // namespace
} // namespace kal
