#include "TestEnvironment.h"

#include "RecordingShell.h"
#include "app/AppTexts.h"
#include "app/KalDoc.h"
#include "app/MainFrame.h"
#include "dialogs/DateFormatDialog.h"
#include "dialogs/OptionsSheet.h"
#include "support/MemoryDialogHost.h"
#include "ui/CommandIds.h"
#include "ui/CommandTarget.h"
#include "views/DayView.h"
#include "views/KalView.h"

#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace kal {
namespace {

class FakeFrameWindow final : public FrameWindow {
public:
    bool SetSplit(SplitShape shape, int paneSize) override
    {
        if (refuse)
            return false;
        splits.emplace_back(shape, paneSize);
        pane = paneSize;
        return true;
    }
    int MonthPaneSize() const override { return pane; }
    void ShowListPane(bool shown) override { listShown = shown; }
    bool MonthViewActive() const override { return monthActive; }
    void ActivateMonthView(bool month) override { monthActive = month; }
    Size ClientSize() const override { return client; }

    std::vector<std::pair<SplitShape, int>> splits;
    int pane = 0;
    bool listShown = true;
    bool monthActive = false;
    bool refuse = false;
    Size client { 800, 600 };
};

class MainFrameTest : public test::TestEnvironment {
protected:
    MainFrameTest()
        : document_(genres_)
        , monthView_(document_)
        , dayView_(document_, monthView_)
        , frame_(document_, monthView_, dayView_)
    {
    }

    CKalFieldArray genres_;
    CKalDoc document_;
    CKalView monthView_;
    CDayView dayView_;
    CMainFrame frame_;
    FakeFrameWindow window_;
};

TEST_F(MainFrameTest, AutomaticPlacementFollowsTheScreen)
{
    frame_.CreateClient(window_, Size { 240, 320 });
    ASSERT_EQ(window_.splits.size(), 1u);
    EXPECT_EQ(window_.splits[0], (std::pair { SplitShape::Rows, 480 })); // four fifths of 600
    EXPECT_TRUE(window_.monthActive);

    // Turning the window to landscape puts the list on the right.
    window_.client = Size { 320, 240 };
    frame_.OnSize(window_.client);
    ASSERT_EQ(window_.splits.size(), 2u);
    EXPECT_EQ(window_.splits[1], (std::pair { SplitShape::Columns, 256 }));
    frame_.OnSize(Size { 330, 240 }); // still landscape: nothing to do
    EXPECT_EQ(window_.splits.size(), 2u);
}

TEST_F(MainFrameTest, StoredPlacementZeroMeansAutomaticWithTheListHidden)
{
    settings_.Set(IntSetting::SchList, 0);
    frame_.CreateClient(window_, Size { 1280, 800 });
    EXPECT_EQ(frame_.Placement(), ListPlacement::Automatic);
    EXPECT_FALSE(window_.listShown);
    EXPECT_EQ(settings_.Get(IntSetting::SchList), 3);
    EXPECT_EQ(window_.splits[0].first, SplitShape::Columns);
}

TEST_F(MainFrameTest, PlacementCommandsSwitchAndRemember)
{
    settings_.Set(IntSetting::Row, 300);
    frame_.CreateClient(window_, Size { 1280, 800 });
    frame_.OnCommand(ID_LIST_BOTTOM);
    EXPECT_EQ(window_.splits.back(), (std::pair { SplitShape::Rows, 300 }));
    EXPECT_EQ(settings_.Get(IntSetting::SchList), 1);
    CommandState state;
    ASSERT_TRUE(frame_.OnUpdateCommand(ID_LIST_BOTTOM, state));
    EXPECT_TRUE(state.checked);
    // A fixed placement ignores size changes.
    frame_.OnSize(Size { 1000, 200 });
    EXPECT_EQ(frame_.Shape(), SplitShape::Rows);

    window_.pane = 333;
    frame_.OnDestroy();
    EXPECT_EQ(settings_.Get(IntSetting::Row), 333);

    window_.refuse = true;
    frame_.OnCommand(ID_LIST_RIGHT);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], texts::kSplitSwitchFailed);
    EXPECT_EQ(frame_.Shape(), SplitShape::Rows);
}

TEST_F(MainFrameTest, DisplayCommandsChangeSettingsAndCheckMarks)
{
    frame_.CreateClient(window_, Size { 1280, 800 });
    frame_.OnCommand(ID_SELECTION_FRAME);
    EXPECT_EQ(settings_.Get(IntSetting::SelColorMode), 2);
    CommandState state;
    frame_.OnUpdateCommand(ID_SELECTION_INVERT, state);
    EXPECT_FALSE(state.checked);
    frame_.OnUpdateCommand(ID_SELECTION_FRAME, state);
    EXPECT_TRUE(state.checked);

    frame_.OnCommand(ID_JAPANESE_WEEKDAYS);
    EXPECT_EQ(settings_.Get(IntSetting::Youbi), 1);
    frame_.OnCommand(ID_TODO_ON_DEADLINE);
    EXPECT_EQ(settings_.Get(IntSetting::TodoPos), 1);

    ui_.QueueColour(0x00FF00);
    frame_.OnCommand(ID_HOLIDAY_COLOUR);
    EXPECT_EQ(settings_.Get(ColourSetting::Holiday), 0x00FF00u);
    ui_.QueueColour(std::nullopt);
    frame_.OnCommand(ID_HOLIDAY_COLOUR);
    EXPECT_EQ(settings_.Get(ColourSetting::Holiday), 0x00FF00u);

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Choose(dateformatdialog::kPosition, 1);
        host.Choose(dateformatdialog::kFrame, 2);
        host.Press(kIdOk);
    });
    frame_.OnCommand(ID_DATE_FORMAT);
    EXPECT_EQ(settings_.Get(IntSetting::DayDrawPos), 1);
    EXPECT_EQ(settings_.Get(IntSetting::DayDrawFrame), 2);

    frame_.OnCommand(ID_SOFT_KEY_MENU);
    EXPECT_EQ(settings_.Get(IntSetting::SoftKeyMenu), 1);
    EXPECT_EQ(ui_.Messages().back(), texts::kNextStartSetting);
}

TEST_F(MainFrameTest, PaneCommandsFollowTheActivePaneAndTheList)
{
    frame_.CreateClient(window_, Size { 1280, 800 });
    CommandRouter router;
    router.SetChain({ &monthView_, &document_, &frame_ });
    ASSERT_TRUE(window_.monthActive);
    EXPECT_FALSE(router.Route(ID_TO_MONTH_VIEW)); // already there
    EXPECT_TRUE(router.Route(ID_TO_SCHEDULE_LIST));
    EXPECT_FALSE(window_.monthActive);
    EXPECT_TRUE(router.State(ID_TO_MONTH_VIEW).enabled);
    EXPECT_FALSE(router.State(ID_TO_SCHEDULE_LIST).enabled);

    // The pane keys go round both panes, and nowhere while the list is hidden.
    EXPECT_TRUE(router.Route(ID_NEXT_PANE));
    EXPECT_TRUE(window_.monthActive);
    EXPECT_TRUE(router.Route(ID_PREV_PANE));
    EXPECT_FALSE(window_.monthActive);
    EXPECT_TRUE(router.Route(ID_LIST_SHOW));
    EXPECT_FALSE(window_.listShown);
    EXPECT_FALSE(router.State(ID_LIST_SHOW).checked);
    EXPECT_FALSE(router.State(ID_NEXT_PANE).enabled);
    EXPECT_FALSE(router.Route(ID_NEXT_PANE));
}

TEST_F(MainFrameTest, HelpOpensTheManual)
{
    test::RecordingShell shell;
    frame_.OnCommand(ID_HELP);
    ASSERT_EQ(shell.Started().size(), 1u);
    EXPECT_NE(shell.Started()[0].find("share/kalendra/manual.html"), std::string::npos);
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(MainFrameTest, HelpSaysWhereTheManualIsWhenItCannotBeShown)
{
    test::TemporaryFolder data;
    const std::string manual = data.File("manual.html");
    const char* previous = std::getenv("KALENDRA_DATA_DIR");
    const std::string saved = previous ? previous : "";
    ::setenv("KALENDRA_DATA_DIR", data.Path().c_str(), 1);

    test::RecordingShell shell;
    shell.FailStarts();
    frame_.OnCommand(ID_HELP); // no manual in the folder: nothing to hand over
    EXPECT_TRUE(shell.Started().empty());
    std::ofstream(manual) << "<html></html>";
    frame_.OnCommand(ID_HELP); // a manual but no browser

    if (previous)
        ::setenv("KALENDRA_DATA_DIR", saved.c_str(), 1);
    else
        ::unsetenv("KALENDRA_DATA_DIR");
    EXPECT_EQ(shell.Started(), std::vector<std::string> { manual });
    EXPECT_EQ(ui_.Messages(),
        (std::vector<std::u16string> {
            texts::kManualMissing + FromUtf8(manual), texts::kManualNoViewer + FromUtf8(manual) }));
}

TEST_F(MainFrameTest, BackColourRecolorsOnlyCellsOfTheOldBackground)
{
    ASSERT_TRUE(document_.NewDocument());
    document_.Store().SetDayColour(u"2026/12/15", { 0x00FFFF, u"" });
    monthView_.OnInitialUpdate(); // December 2026 from the fixed clock
    frame_.CreateClient(window_, Size { 1280, 800 });
    const CMonthGrid& grid = monthView_.Grid();
    const int marked = grid.IndexOf(CDTime(2026, 12, 15));
    const int plain = grid.IndexOf(CDTime(2026, 12, 16));
    const int other = grid.IndexOf(CDTime(2026, 11, 30));
    ASSERT_GE(other, 0);
    ui_.QueueColour(0xEEEEFF);
    frame_.OnCommand(ID_BACK_COLOUR);
    EXPECT_EQ(grid.Cell(plain).colour, 0xEEEEFFu);
    EXPECT_EQ(grid.Cell(marked).colour, 0x00FFFFu);
    EXPECT_EQ(grid.Cell(other).colour, settings_.Get(ColourSetting::Other));
}

} // namespace
} // namespace kal

namespace kal {
namespace {

// The options sheet writes its values on OK, through any page's "OK" too, and nothing otherwise.
TEST_F(MainFrameTest, OptionsSheetWritesSettingsAndTheFilePresetsOnlyOnOk)
{
    for (const char16_t* name : { u"一般", u"仕事", u"私用" }) {
        CKalField genre;
        genre.name = name;
        document_.Store().genres.Append(genre);
    }
    const auto change = [](MemoryPropertySheet& sheet) {
        sheet.Page(0).SetChecked(optsystempage::kSortByTime, false);
        EXPECT_TRUE(sheet.Page(0).IsChecked(optsystempage::kRemindAtLogin));
        sheet.Page(0).SetChecked(optsystempage::kRemindAtLogin, false);
        sheet.Page(1).Choose(opteditpage::kScheduleGenre, 2);
        sheet.Page(1).Choose(opteditpage::kTimeDisplay, 3);
        sheet.Page(1).Type(opteditpage::kDeadlineDays, u"10");
        sheet.Page(2).SetChecked(optkeypage::kEnterOpens, true);
    };
    ui_.QueueSheet([&](MemoryPropertySheet& sheet) {
        change(sheet);
        sheet.Page(2).Press(optionssheet::kClose);
    });
    frame_.OnCommand(ID_OPTIONS);
    EXPECT_TRUE(settings_.IsOn(IntSetting::SchSort));
    EXPECT_EQ(profile_.GetInt("Remind", "Autostart", -5), -5);
    EXPECT_EQ(document_.Store().defaultScheduleGenre, 0);
    EXPECT_FALSE(document_.IsModified());

    std::vector<std::u16string> genreItems;
    ui_.QueueSheet([&](MemoryPropertySheet& sheet) {
        genreItems = sheet.Page(1).Items(opteditpage::kTodoGenre);
        change(sheet);
        sheet.Page(1).Type(opteditpage::kDeadlineDays, u"-1"); // refused: the sheet stays on that page
        sheet.PressOk();
        EXPECT_FALSE(sheet.HasEnded());
        EXPECT_EQ(sheet.ActivePage(), 1);
        sheet.Page(1).Type(opteditpage::kDeadlineDays, u"10");
        sheet.Page(0).Press(optionssheet::kOk);
    });
    frame_.OnCommand(ID_OPTIONS);
    EXPECT_EQ(genreItems, (std::vector<std::u16string> { u"一般", u"仕事", u"私用" }));
    EXPECT_FALSE(settings_.IsOn(IntSetting::SchSort));
    EXPECT_EQ(profile_.GetInt("System", "SchSort", 1), 0);
    EXPECT_EQ(profile_.GetInt("Remind", "Autostart", 1), 0);
    EXPECT_EQ(settings_.Get(IntSetting::ViewTime), 3);
    EXPECT_EQ(settings_.Get(IntSetting::DefaultDays), 10);
    EXPECT_TRUE(settings_.IsOn(IntSetting::EnterSch));
    EXPECT_EQ(document_.Store().defaultScheduleGenre, 2);
    EXPECT_EQ(document_.Store().defaultTodoGenre, 0);
    EXPECT_TRUE(document_.IsModified()); // the presets are saved with the file
}

} // namespace
} // namespace kal
