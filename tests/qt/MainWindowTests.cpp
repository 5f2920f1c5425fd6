#include "WindowFixture.h"
#include "app/DocumentViews.h"
#include "app/KalApp.h"
#include "app/MainFrame.h"
#include "platform/Clock.h"
#include "platform/ValuesProfile.h"
#include "qt/MainWindow.h"
#include "qt/MonthViewWidget.h"
#include "qt/ToolIcons.h"
#include "settings/KalSettings.h"
#include "store/StoreOperation.h"
#include "ui/CommandIds.h"
#include "ui/CommandTarget.h"
#include "ui/Commands.h"
#include "ui/Ui.h"
#include "ui/UpdateHints.h"
#include "views/DayView.h"
#include "views/KalView.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QSplitter>
#include <QToolBar>

#include <gtest/gtest.h>

namespace kal {
namespace {

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

TEST_F(MainWindowTest, ToolBarMenusAndKeysShowWhatTheHandlersSay)
{
    CKalApp app;
    OpenWindow open(app);
    CommandRouter router; // the month view has the keyboard
    router.SetChain({ &open.views.month, &open.views.document, &open.frame, &app });

    auto* bar = open.window.findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    int buttons = 0;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        ++buttons;
        const int id = action->data().toInt();
        EXPECT_EQ(action, open.window.Action(id)) << "button " << id << " is not the command's one action";
        EXPECT_EQ(action->isEnabled(), router.State(id).enabled) << "button " << id;
    }
    EXPECT_EQ(buttons, 14);

    // Undo and redo name the change they would take, in the menu, the pop-ups and on the buttons, and
    // are grey while there is none.
    QAction* undo = open.window.Action(ID_EDIT_UNDO);
    QAction* redo = open.window.Action(ID_EDIT_REDO);
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(undo->shortcuts().size(), 2);
    EXPECT_EQ(redo->shortcuts().size(), 2);
    open.views.document.SetModified(false);
    open.window.RefreshCommands();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す"));
    open.views.document.Apply(StoreOperation(u"この日の色").SetDayColour(u"2026/12/08", DayColour { 0xFF, {} }));
    open.window.RefreshCommands();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す: この日の色"));
    EXPECT_TRUE(open.window.windowTitle().contains(u'*'));
    open.window.Run(ID_EDIT_UNDO);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す"));
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し: この日の色"));
    EXPECT_FALSE(open.window.windowTitle().contains(u'*'));
    EXPECT_EQ(open.views.document.Store().FindDayColour(u"2026/12/08"), nullptr);

    // The state follows the active view: the list's copy needs a row, the pane keys swap.
    EXPECT_TRUE(open.window.Action(ID_TO_SCHEDULE_LIST)->isEnabled());
    EXPECT_FALSE(open.window.Action(ID_TO_MONTH_VIEW)->isEnabled());
    EXPECT_TRUE(open.window.Action(ID_GO_NEXT_MONTH)->isEnabled());
    open.window.ActivateMonthView(false);
    EXPECT_FALSE(open.window.Action(ID_TO_SCHEDULE_LIST)->isEnabled());
    EXPECT_TRUE(open.window.Action(ID_TO_MONTH_VIEW)->isEnabled());
    EXPECT_EQ(open.window.Action(ID_EDIT_COPY)->isEnabled(), open.views.day.SelectedEntry() != nullptr);

    // A check mark follows a command run from anywhere.
    QAction* sixWeeks = open.window.Action(ID_SIX_WEEKS);
    const bool before = sixWeeks->isChecked();
    open.window.Run(ID_SIX_WEEKS);
    EXPECT_NE(sixWeeks->isChecked(), before);
    open.window.Run(ID_SIX_WEEKS);
    EXPECT_EQ(sixWeeks->isChecked(), before);
}

TEST_F(MainWindowTest, ADocumentUpdateRefreshesTheCommandsOnceTheEventIsDone)
{
    CKalApp app;
    OpenWindow open(app);
    open.window.ActivateMonthView(false);
    QAction* copy = open.window.Action(ID_EDIT_COPY);
    ASSERT_NE(copy, nullptr);
    // A day with an entry: the list selects its first row, so copy becomes possible.
    auto entry = std::make_unique<CKalData>();
    entry->text = u"打ち合わせ";
    entry->start = entry->end = DateOnly(open.views.document.CurrentDate());
    open.views.document.Store().AppendEntry(std::move(entry));
    EXPECT_FALSE(copy->isEnabled()); // nothing told the window yet
    open.views.document.UpdateAllViews(hint::kEntriesChanged);
    ASSERT_NE(open.views.day.SelectedEntry(), nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(copy->isEnabled());
}

TEST(ToolIconTest, EveryIconACommandNamesIsDrawn)
{
    int icons = 0;
    for (const CommandDefinition& definition : CommandDefinitions()) {
        if (definition.icon.empty())
            continue;
        ++icons;
        const QIcon icon = ToolIcon(definition.icon);
        ASSERT_FALSE(icon.isNull()) << definition.icon;
        const QImage image = icon.pixmap(24, 24).toImage();
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y) {
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = image.pixelColor(x, y).alpha() > 0;
        }
        EXPECT_TRUE(drawn) << definition.icon << " is blank";
    }
    EXPECT_GT(icons, 0);
    EXPECT_TRUE(ToolIcon("no-such-icon").isNull());
}

} // namespace
} // namespace kal
