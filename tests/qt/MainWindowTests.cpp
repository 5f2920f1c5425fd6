#include "app/DocumentViews.h"
#include "app/KalApp.h"
#include "app/MainFrame.h"
#include "platform/Clock.h"
#include "platform/ValuesProfile.h"
#include "qt/MainWindow.h"
#include "qt/MonthViewWidget.h"
#include "settings/KalSettings.h"
#include "ui/CommandIds.h"
#include "ui/Ui.h"
#include "views/DayView.h"
#include "views/KalView.h"

#include <QImage>
#include <QSplitter>

#include <gtest/gtest.h>

namespace kal {
namespace {

// The whole window on the offscreen platform: the month view paints the grid the core filled, the
// list shows the day, and commands from the menus reach the core.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : clock_(CDTime(2026, 12, 7, 9, 30).Seconds())
    {
        profile_.SetInt("System", "HolidayChangeFlag1", 1);
        profile_.SetInt("System", "InitFile", 0);
        Profile::Install(&profile_);
        Clock::Install(&clock_);
        Ui::Install(&ui_);
        settings_.Load(profile_);
        CKalSettings::Install(&settings_);
    }
    ~MainWindowTest() override
    {
        CKalSettings::Install(nullptr);
        Ui::Install(nullptr);
        Clock::Install(nullptr);
        Profile::Install(nullptr);
    }

    MemoryProfile profile_;
    FixedClock clock_;
    RecordingUi ui_;
    CKalSettings settings_;
};

TEST_F(MainWindowTest, ShowsTheMonthAndRoutesCommands)
{
    CKalApp app;
    const int menu = app.Start(Size { 1280, 800 });
    DocumentViews views(app.Genres(), &app.Recent());
    CKalDoc& document = views.document;
    CKalView& month = views.month;
    CMainFrame frame(document, month, views.day);
    MainWindow window(app, document, month, views.day, frame, menu, false);
    window.resize(1000, 700);
    window.show();
    frame.CreateClient(window, Size { 1280, 800 });
    app.OpenFirstDocument(document, std::nullopt);
    ASSERT_GT(document.Store().EntryCount(), 0);

    auto* monthWidget = window.findChild<MonthViewWidget*>();
    ASSERT_NE(monthWidget, nullptr);
    const QImage picture = monthWidget->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    // The selected day (today) is filled with the selection colour.
    const Rect selected = month.Grid().Cell(month.Selected()).rect;
    const QColor fill = picture.pixelColor(selected.left + selected.Width() / 2, selected.top + selected.Height() / 2);
    EXPECT_EQ(fill, QColor(0, 0, 0x80));
    // Other-month days are grey.
    EXPECT_EQ(picture.pixelColor(month.Grid().Cell(0).rect.left + 5, month.Grid().Cell(0).rect.top + 40),
        QColor(0xE0, 0xE0, 0xE0));

    window.Run(ID_GO_NEXT_MONTH);
    EXPECT_EQ(month.Shown(), (YearMonth { 2027, 1 }));
    window.Run(ID_LIST_BOTTOM);
    EXPECT_EQ(window.findChild<QSplitter*>()->orientation(), Qt::Vertical);
    EXPECT_EQ(frame.Shape(), SplitShape::Rows);
}

} // namespace
} // namespace kal
