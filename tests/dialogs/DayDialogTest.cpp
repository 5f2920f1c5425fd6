#include "TestEnvironment.h"

#include "app/AppTexts.h"
#include "app/DocumentViews.h"
#include "dialogs/DayDialog.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/ScheduleDialog.h"
#include "dialogs/TodoDialog.h"
#include "platform/Clipboard.h"
#include "store/EntryClipboard.h"
#include "support/MemoryDialogHost.h"
#include "support/RecordingCanvas.h"
#include "ui/CommandIds.h"
#include "views/ViewTexts.h"

#include <gtest/gtest.h>

#include <memory>

namespace kal {
namespace {

using Rows = std::vector<std::u16string>;

// The day dialog on the test clock's day (2026-12-07 unless a test moves the clock), over a document
// with its month view and day list.
class DayDialogTest : public test::TestEnvironment {
protected:
    DayDialogTest()
        : views_(genres_)
    {
        CKalField general;
        general.name = u"一般";
        genres_.Append(general);
        views_.document.Store().genres = genres_;
        // Rows without the to-do countdown read the same whatever day the test runs on.
        profile_.SetInt("View", "TodoLeftDraw", 0);
        previousClipboard_ = Clipboard::Install(&clipboard_);
    }
    ~DayDialogTest() override { Clipboard::Install(previousClipboard_); }

    CKalData* Add(const char16_t* text, CDTime start = CDTime(2026, 12, 7), std::uint32_t flags = 0)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = entry->end = start;
        entry->flags = flags;
        Store().AppendEntry(std::move(entry));
        return &Store().Entry(Store().EntryCount() - 1);
    }
    void ShowToday()
    {
        views_.month.OnInitialUpdate();
        views_.day.OnInitialUpdate();
    }
    void Open()
    {
        ShowToday();
        host_.reset(); // a host never outlives the dialog it shows
        dialog_ = std::make_unique<DayDialog>(views_.document, views_.month);
        host_ = std::make_unique<MemoryDialogHost>(*dialog_);
        host_->Open();
        views_.document.SetModified(false);
    }
    // The next dialog: type `text` into `field` and press OK.
    void QueueTyped(int field, std::u16string text)
    {
        ui_.QueueDialog([field, text](DialogLogic&, MemoryDialogHost& host) {
            host.Type(field, text);
            host.Press(kIdOk);
        });
    }
    [[nodiscard]] Rows ListRows() const { return host_->Items(daydialog::kList); }
    [[nodiscard]] int Selected() const { return host_->Selection(daydialog::kList); }
    CKalStore& Store() { return views_.document.Store(); }

    CKalFieldArray genres_;
    DocumentViews views_;
    ProcessClipboard clipboard_;
    std::unique_ptr<DayDialog> dialog_;
    std::unique_ptr<MemoryDialogHost> host_;

private:
    Clipboard* previousClipboard_ = nullptr;
};

TEST_F(DayDialogTest, OpensOnTheDayWithToDosMarkedAndTheFirstRowSelected)
{
    Add(u"会議");
    Add(u"報告書", CDTime(2026, 12, 7), flag::kIsTodo)->textStyle = textstyle::kBold | textstyle::kStrikeOut;
    Add(u"翌日の予定", CDTime(2026, 12, 8));
    // A text of megabytes shows as much of its first line as a row can, not all of it.
    const std::u16string huge = u"長文\n" + std::u16string(1u << 20, u'x');
    Add(huge.c_str());
    Open();
    EXPECT_EQ(host_->Caption(), u"2026年12月7日");
    EXPECT_EQ(ListRows(), (Rows { u"会議", std::u16string(daydialog::kTodoPrefix) + u"報告書", u"長文" }));
    EXPECT_EQ(Selected(), 0);
}

TEST_F(DayDialogTest, OnAnEmptyDayNoEntryCommandDoesAnything)
{
    Open();
    EXPECT_EQ(Selected(), -1);
    for (const int id : { daydialog::kEdit, daydialog::kDelete, daydialog::kCopy, daydialog::kCut, daydialog::kDetails,
             daydialog::kUp, daydialog::kDown })
        host_->Press(id);
    host_->Key(Key::F2);
    EXPECT_EQ(ui_.DialogsRun() + ui_.Messages().size() + ui_.Questions().size(), 0u);
    EXPECT_FALSE(clipboard_.Text().has_value());
    EXPECT_FALSE(dialog_->Changed());
}

TEST_F(DayDialogTest, AddingEitherKindSelectsTheLastRowAndACancelChangesNothing)
{
    Add(u"一つ目");
    Add(u"二つ目");
    Open();
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdCancel); });
    host_->Press(daydialog::kAdd);
    EXPECT_EQ(Selected(), 0);
    EXPECT_FALSE(dialog_->Changed());

    QueueTyped(scheduledialog::kContent, u"追加した予定");
    host_->Press(daydialog::kAdd);
    EXPECT_EQ(ListRows(), (Rows { u"一つ目", u"二つ目", u"追加した予定" }));
    EXPECT_EQ(Selected(), 2);
    host_->Choose(daydialog::kList, 0);
    QueueTyped(tododialog::kContent, u"やること");
    host_->Press(daydialog::kTodo);
    ASSERT_EQ(ListRows().size(), 4u);
    EXPECT_EQ(ListRows()[3], std::u16string(daydialog::kTodoPrefix) + u"やること");
    EXPECT_EQ(Selected(), 3);
    EXPECT_TRUE(views_.document.IsModified());
    EXPECT_TRUE(dialog_->Changed());
}

TEST_F(DayDialogTest, EditKeepsTheRowWhileDeleteAndCutClampItToTheLastRow)
{
    Add(u"一つ目");
    Add(u"二つ目");
    Add(u"三つ目");
    Open();
    host_->Choose(daydialog::kList, 1);
    QueueTyped(scheduledialog::kContent, u"直した");
    host_->Press(daydialog::kEdit);
    EXPECT_EQ(ListRows(), (Rows { u"一つ目", u"直した", u"三つ目" }));
    EXPECT_EQ(Selected(), 1);
    QueueTyped(scheduledialog::kContent, u"これも直した");
    host_->DoubleClick(daydialog::kList, 2);
    EXPECT_EQ(ListRows()[2], u"これも直した");
    EXPECT_EQ(Selected(), 2);

    ui_.QueueAnswer(true);
    host_->Press(daydialog::kDelete);
    EXPECT_EQ(ui_.Questions().back(), std::u16string(u"これも直した") + texts::kAskDeleteSuffix);
    EXPECT_EQ(ListRows(), (Rows { u"一つ目", u"直した" }));
    EXPECT_EQ(Selected(), 1);

    const std::u16string cutLine = EntryClipboardText(Store().Entry(1));
    host_->Press(daydialog::kCut);
    EXPECT_EQ(clipboard_.Text(), cutLine);
    EXPECT_EQ(ListRows(), (Rows { u"一つ目" }));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Store().EntryCount(), 1);
    EXPECT_TRUE(views_.document.IsModified());
}

TEST_F(DayDialogTest, DetailsKeepTheRowAndOnlyAConfirmedMemoCounts)
{
    Add(u"一つ目");
    Add(u"二つ目");
    Open();
    host_->Choose(daydialog::kList, 1);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(memodialog::kMemo, u"取り消すメモ");
        host.Press(kIdCancel);
    });
    host_->Press(daydialog::kDetails);
    EXPECT_FALSE(dialog_->Changed());
    EXPECT_FALSE(views_.document.IsModified());

    QueueTyped(memodialog::kMemo, u"持ち物: 資料");
    host_->Press(daydialog::kDetails);
    EXPECT_EQ(Store().Entry(1).memo, u"持ち物: 資料");
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(dialog_->Changed());
    EXPECT_TRUE(views_.document.IsModified());
}

TEST_F(DayDialogTest, MovingExchangesTheTwoEntriesAndFollowsTheMovedOne)
{
    Add(u"一つ目");
    Add(u"二つ目");
    Add(u"三つ目");
    Add(u"別の日", CDTime(2026, 12, 9));
    Open();
    host_->Press(daydialog::kUp); // already on the first row
    host_->Choose(daydialog::kList, 2);
    host_->Press(daydialog::kDown); // already on the last row
    EXPECT_FALSE(dialog_->Changed());

    host_->Press(daydialog::kUp);
    host_->Press(daydialog::kUp);
    EXPECT_EQ(ListRows(), (Rows { u"三つ目", u"一つ目", u"二つ目" }));
    EXPECT_EQ(Selected(), 0);
    host_->Press(daydialog::kDown);
    EXPECT_EQ(ListRows(), (Rows { u"一つ目", u"三つ目", u"二つ目" }));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Store().Entry(3).text, u"別の日");
    EXPECT_TRUE(ui_.Messages().empty());
    EXPECT_TRUE(views_.document.IsModified());
    EXPECT_TRUE(dialog_->Changed());
}

TEST_F(DayDialogTest, AGeneratedHolidayIsCopiedButNeitherCutNorMoved)
{
    clock_.Set(CDTime(2026, 3, 20, 9, 0).Instant()); // 春分の日, worked out by the grid
    Add(u"会議", CDTime(2026, 3, 20));
    Open();
    ASSERT_EQ(ListRows().size(), 2u);
    host_->Press(daydialog::kCut);
    EXPECT_TRUE(clipboard_.Text().has_value());
    EXPECT_EQ(ListRows().size(), 2u);

    host_->Press(daydialog::kDown);
    host_->Choose(daydialog::kList, 1);
    host_->Press(daydialog::kUp);
    EXPECT_EQ(ui_.Messages(), (Rows { texts::kCannotMoveGenerated, texts::kCannotMoveGenerated }));
    EXPECT_EQ(ListRows()[1], u"会議");
    EXPECT_EQ(Store().EntryCount(), 1);
    EXPECT_FALSE(dialog_->Changed());
}

TEST_F(DayDialogTest, EnterOpensTheEntryOnlyWithTheOptionAndF2Always)
{
    struct Case {
        bool enterOpens;
        Key key;
        bool editorOpened;
    };
    const Case cases[] = {
        { false, Key::Enter, false },
        { true, Key::Enter, true },
        { false, Key::F2, true },
    };
    Add(u"会議");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.enterOpens << ", F2 " << (c.key == Key::F2));
        settings_.Set(IntSetting::EnterSch, c.enterOpens ? 1 : 0);
        Open();
        const int before = ui_.DialogsRun();
        QueueTyped(scheduledialog::kContent, u"会議");
        host_->Key(c.key);
        EXPECT_EQ(ui_.DialogsRun() - before, c.editorOpened ? 1 : 0);
        // Without the option Enter is the close button's, as in any dialog.
        EXPECT_EQ(host_->HasEnded(), !c.editorOpened);
        ui_.Clear();
    }
}

TEST_F(DayDialogTest, TheMonthViewsEditCommandRefreshesTheViewsOnlyAfterAChange)
{
    Add(u"一つ目");
    Add(u"二つ目");
    ShowToday();
    views_.day.OnSelectionChanged(1);
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(daydialog::kClose); });
    views_.month.OnCommand(ID_SCHEDULE_EDIT);
    EXPECT_EQ(ui_.DialogsRun(), 1);
    EXPECT_EQ(views_.day.Selection(), 1);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(daydialog::kAdd);
        host.Press(daydialog::kClose);
    });
    QueueTyped(scheduledialog::kContent, u"三つ目");
    views_.month.OnCommand(ID_SCHEDULE_EDIT);
    EXPECT_EQ(views_.day.Rows(), (Rows { u"一つ目", u"二つ目", u"三つ目" }));
    EXPECT_EQ(views_.day.Selection(), 0);
    EXPECT_EQ(views_.month.SelectedCell()->entries.size(), 3u);
}

TEST_F(DayDialogTest, DoubleTappingADayInTheMonthViewSelectsItAndOpensIt)
{
    Add(u"九日の予定", CDTime(2026, 12, 9));
    ShowToday();
    views_.month.OnSize(700, 530);
    RecordingCanvas canvas;
    views_.month.OnDraw(canvas);
    const CMonthGrid& grid = views_.month.Grid();
    const Rect rect = grid.Cell(grid.IndexOf(CDTime(2026, 12, 9))).rect;
    Rows shown;
    ui_.QueueDialog([&shown](DialogLogic&, MemoryDialogHost& host) {
        shown = host.Items(daydialog::kList);
        host.Press(daydialog::kClose);
    });
    views_.month.OnLButtonDblClk(Point { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 });
    EXPECT_EQ(views_.document.CurrentDate(), CDTime(2026, 12, 9));
    EXPECT_EQ(shown, (Rows { u"九日の予定" }));
}

} // namespace
} // namespace kal
