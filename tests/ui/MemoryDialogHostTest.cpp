// What only the in-memory host offers tests: scripts run by the recording Ui, redraw counts, sizes
// set by hand and property sheet pages that pass OK and cancel to their sheet. What every host does
// alike is in the conformance suite.
#include "TestEnvironment.h"

#include "support/MemoryDialogHost.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingUi.h"
#include "ui/DialogConformance.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace kal {
namespace {

using namespace conformance;

class MemoryDialogHostTest : public test::TestEnvironment {
protected:
    SampleLogic logic_;
};

TEST_F(MemoryDialogHostTest, RecordingUiRunsQueuedScripts)
{
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_TRUE(host.IsChecked(kDaily)) << "the script runs after the dialog's own start";
        host.SetText(kName, u"旅行");
        host.Press(kIdOk);
    });
    EXPECT_EQ(ui_.RunDialog(logic_), kIdOk);
    EXPECT_EQ(logic_.acceptedName, u"旅行");

    // Without a script the dialog is left unanswered, which reads as cancel.
    SampleLogic unanswered;
    EXPECT_EQ(ui_.RunDialog(unanswered), kIdCancel);
    EXPECT_EQ(ui_.DialogsRun(), 2);
}

TEST_F(MemoryDialogHostTest, CustomControlsDrawAtTheirSizeAndCountRedraws)
{
    MemoryDialogHost host(logic_);
    host.Open();
    host.SetControlSize(kPicture, Size { 120, 80 });
    host.Tap(kPicture, Point { 3, 4 });
    host.Invalidate(kPicture);
    host.Invalidate(kName);
    EXPECT_EQ(host.Invalidations(kPicture), 2) << "one asked for by the control, one by the logic";
    EXPECT_EQ(host.Invalidations(kName), 0) << "only custom controls are drawn by the program";

    RecordingCanvas canvas;
    host.Draw(kPicture, canvas);
    EXPECT_EQ(logic_.picture.drawnSize, (Size { 120, 80 }));
    ASSERT_FALSE(canvas.Ops().empty());
    EXPECT_EQ(canvas.Ops().front().rect, (Rect { 0, 0, 120, 80 }));
}

TEST_F(MemoryDialogHostTest, SheetPagesPassOkAndCancelToTheSheet)
{
    std::vector<int> okOrder;
    PageLogic month(u"月", ControlKind::NumberEdit, okOrder, 0);
    PageLogic name(u"名前", ControlKind::Edit, okOrder, 1);
    PropertySheet sheet { u"設定", { &month, &name }, 0 };
    MemoryPropertySheet memory(sheet);
    memory.Open();
    memory.Page(0).SetText(kName, u"5");
    // Enter on the first page is the sheet's OK: the second page's check holds it open.
    memory.Page(0).Key(Key::Enter);
    EXPECT_FALSE(memory.HasEnded());
    EXPECT_EQ(okOrder, (std::vector<int> { 0, 1 }));
    EXPECT_EQ(memory.ActivePage(), 1);
    memory.Page(1).Key(Key::Escape);
    EXPECT_EQ(memory.Result(), kIdCancel);
    EXPECT_EQ(month.cancels, 1) << "Escape on one page cancels them all";

    // A page that ends itself ends the sheet.
    MemoryPropertySheet again(sheet);
    again.Open();
    again.Page(1).End(kIdOk);
    EXPECT_TRUE(again.HasEnded());
    EXPECT_EQ(again.Result(), kIdOk);
}

TEST(SteppedNumber, StepsWithinTheRangeWithoutOverflow)
{
    struct Case {
        std::u16string text;
        int minimum;
        int maximum;
        int direction;
        std::u16string expected;
    };
    const std::vector<Case> cases {
        { u"3", 0, 5, +1, u"4" },
        { u" 5 ", 0, 5, +1, u"5" },
        { u"-3", -5, 5, -1, u"-4" },
        { u"99", 0, 5, -1, u"5" },
        { u"", 1, 12, +1, u"1" },
        { u"x", 1, 12, -1, u"1" },
        { u"2147483647", 0, INT_MAX, +1, u"2147483647" },
        { u"-2147483648", INT_MIN, 0, -1, u"-2147483648" },
        { u"4", 9, 3, +1, u"9" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(SteppedNumber(c.text, c.minimum, c.maximum, c.direction), c.expected)
            << std::string(c.text.begin(), c.text.end());
}

} // namespace
} // namespace kal
