#include "TestEnvironment.h"

#include "app/AppTexts.h"
#include "app/DocumentViews.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/ScheduleDialog.h"
#include "dialogs/TodoDialog.h"
#include "support/MemoryDialogHost.h"
#include "ui/CommandIds.h"
#include "ui/UpdateHints.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

// Adding and editing entries from the month view and the day list, through the entry dialogs.
class EntryCommandsTest : public test::TestEnvironment {
protected:
    EntryCommandsTest()
        : views_(genres_)
    {
        CKalField general;
        general.name = u"一般";
        genres_.Append(general);
        views_.document.Store().genres = genres_;
        views_.month.OnInitialUpdate();
        views_.day.OnInitialUpdate();
    }

    // The next dialog: type `text` into `field` and press OK.
    void QueueTyped(int field, std::u16string text)
    {
        ui_.QueueDialog([field, text](DialogLogic&, MemoryDialogHost& host) {
            host.Type(field, text);
            host.Press(kIdOk);
        });
    }

    CKalStore& Store() { return views_.document.Store(); }

    CKalFieldArray genres_;
    DocumentViews views_;
};

TEST_F(EntryCommandsTest, AddingFromEitherViewStoresTheEntryOnTheSelectedDayAndListsIt)
{
    QueueTyped(scheduledialog::kContent, u"会議");
    views_.month.OnCommand(ID_SCHEDULE_ADD);
    QueueTyped(tododialog::kContent, u"報告書");
    views_.day.OnCommand(ID_TODO_ADD);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdCancel); });
    views_.day.OnCommand(ID_SCHEDULE_ADD);

    ASSERT_EQ(Store().EntryCount(), 2);
    EXPECT_EQ(Store().Entry(0).text, u"会議");
    EXPECT_EQ(Store().Entry(0).start, CDTime(2026, 12, 7));
    EXPECT_TRUE(Store().Entry(1).IsTodo());
    EXPECT_TRUE(views_.document.IsModified());
    ASSERT_EQ(views_.day.Rows().size(), 2u);
    EXPECT_EQ(views_.day.Rows()[0], u"会議");
    EXPECT_EQ(views_.day.Selection(), 0);
}

TEST_F(EntryCommandsTest, EditingFromTheListWritesTheEntryAndSelectsTheFirstRow)
{
    QueueTyped(scheduledialog::kContent, u"一つ目");
    views_.day.OnCommand(ID_SCHEDULE_ADD);
    QueueTyped(scheduledialog::kContent, u"二つ目");
    views_.day.OnCommand(ID_SCHEDULE_ADD);
    views_.day.OnSelectionChanged(1);
    views_.document.SetModified(false);

    QueueTyped(scheduledialog::kContent, u"直した");
    views_.day.OnCommand(ID_SCHEDULE_EDIT);
    EXPECT_EQ(Store().Entry(1).text, u"直した");
    EXPECT_TRUE(views_.document.IsModified());
    EXPECT_EQ(views_.day.Selection(), 0);
}

TEST_F(EntryCommandsTest, AMemoChangedBeforeACancelStillMarksTheDocumentModified)
{
    QueueTyped(scheduledialog::kContent, u"予定");
    views_.day.OnCommand(ID_SCHEDULE_ADD);
    views_.document.SetModified(false);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(scheduledialog::kMemo);
        host.Press(kIdCancel);
    });
    QueueTyped(memodialog::kMemo, u"持ち物");
    views_.day.OnCommand(ID_SCHEDULE_EDIT);
    EXPECT_EQ(Store().Entry(0).memo, u"持ち物");
    EXPECT_TRUE(views_.document.IsModified());
}

TEST_F(EntryCommandsTest, AGeneratedHolidayIsNotEdited)
{
    clock_.Set(CDTime(2026, 9, 23, 9, 0).Instant()); // 秋分の日, worked out by the grid
    views_.month.OnInitialUpdate();
    views_.day.OnInitialUpdate();
    ASSERT_FALSE(views_.day.Rows().empty());
    views_.day.OnCommand(ID_SCHEDULE_EDIT);
    EXPECT_EQ(ui_.DialogsRun(), 0);
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { texts::kCannotEditGenerated });
}

} // namespace
} // namespace kal
