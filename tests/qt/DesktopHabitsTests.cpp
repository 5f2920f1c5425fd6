#include "WindowFixture.h"
#include "qt/DayListWidget.h"
#include "qt/FocusFrame.h"
#include "qt/MonthViewWidget.h"
#include "qt/PressAndHold.h"
#include "ui/CommandIds.h"
#include "ui/CommandTarget.h"
#include "ui/MenuResource.h"
#include "ui/UpdateHints.h"
#include "views/DayView.h"
#include "views/KalView.h"
#include "views/ViewTexts.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <memory>

namespace kal {
namespace {

// What a pop-up menu offered while it was open.
struct Offered {
    bool shown = false;
    QRect geometry; // on the screen, which may have pushed it sideways to fit
    std::vector<QAction*> actions;
    std::vector<bool> enabled;
};

// Runs `open`, which shows a pop-up menu at once or (a held press) a while later, reads the menu
// while it is open and closes it.
Offered ReadPopup(const std::function<void()>& open)
{
    Offered offered;
    QEventLoop waiting;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        offered.shown = true;
        offered.geometry = popup->geometry();
        for (QAction* action : popup->actions()) {
            if (action->isSeparator())
                continue;
            offered.actions.push_back(action);
            offered.enabled.push_back(action->isEnabled());
        }
        popup->close();
        poll.stop();
        waiting.quit();
    });
    poll.start();
    open();
    if (!offered.shown) {
        QTimer::singleShot(3 * PressAndHold::kMilliseconds, &waiting, &QEventLoop::quit);
        waiting.exec();
    }
    return offered;
}

QPoint Centre(const Rect& rect)
{
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

class DesktopHabitsTest : public MainWindowTest {
protected:
    DesktopHabitsTest()
        : open_(app_)
        , month_(*open_.window.findChild<MonthViewWidget*>())
        , list_(*open_.window.findChild<DayListWidget*>())
    {
        // Within the offscreen screen, so that a pop-up has no reason to move away from its place.
        open_.window.resize(QGuiApplication::primaryScreen()->availableSize() - QSize(40, 40));
        open_.window.activateWindow();
        QCoreApplication::processEvents();
    }

    // Puts a schedule on the day, so that the list has a row there.
    void AddEntryOn(CDTime day)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = u"打ち合わせ";
        entry->start = entry->end = day;
        open_.views.document.Store().AppendEntry(std::move(entry));
        open_.views.document.UpdateAllViews(hint::kEntriesChanged);
    }

    // The state the main menu gives a command with the month view or the list active.
    CommandState MainMenuState(bool monthActive, int id)
    {
        CommandRouter router;
        CommandTarget* active = monthActive ? static_cast<CommandTarget*>(&open_.views.month)
                                            : static_cast<CommandTarget*>(&open_.views.day);
        router.SetChain({ active, &open_.views.document, &open_.frame, &app_ });
        return router.State(id);
    }

    std::vector<QAction*> ActionsOf(std::size_t popup) const
    {
        std::vector<QAction*> actions;
        for (const MenuItem& item : FindMenu(menuid::kContext)->items[popup].children) {
            if (!item.IsSeparator())
                actions.push_back(open_.window.Action(item.id));
        }
        return actions;
    }

    CKalApp app_;
    OpenWindow open_;
    MonthViewWidget& month_;
    DayListWidget& list_;
};

TEST_F(DesktopHabitsTest, PopUpsOpenOverTheirPaneWithTheMainMenusActionsAndState)
{
    CKalView& view = open_.views.month;
    const int today = view.Selected();
    ASSERT_GE(today, 0);
    const int nextDay = today + 1; // a day without entries: the list has no row there
    const CDTime todayDate = view.Grid().Cell(today).date;
    AddEntryOn(todayDate);

    const auto rowCentre = [this] { return list_.visualItemRect(list_.item(0)).center(); };
    const auto sendTo = [](QWidget& widget, QEvent&& event) { QCoreApplication::sendEvent(&widget, &event); };
    const auto press = [](QPoint at) {
        return QMouseEvent(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    };

    struct Case {
        const char* how;
        bool listActiveBefore;
        std::function<void()> open;
        std::size_t popup;
        int startDay; // days after today selected beforehand: the list has a row on today only
        int rowBefore; // the list's chosen row beforehand; -1 for none
        int dayAfter; // the month view's selected cell once the menu is open
        // A command the menu must offer enabled although the pane that was active before disables it
        // (0: none): the state is read again for the pane the menu belongs to.
        int enabledNow;
        // Where a menu opened from the keyboard must appear: over the selection, in global pixels.
        std::function<QRect()> over;
    };
    const Case cases[] = {
        { "right-click on a day", true,
            [&] {
                const QPoint at = Centre(view.Grid().Cell(nextDay).rect);
                sendTo(month_, QContextMenuEvent(QContextMenuEvent::Mouse, at, month_.mapToGlobal(at)));
            },
            kMonthPopup, 2, -1, nextDay, ID_SCHEDULE_EDIT, {} },
        { "holding a day", true, [&] { sendTo(month_, press(Centre(view.Grid().Cell(nextDay).rect))); }, kMonthPopup, 2,
            -1, nextDay, ID_SCHEDULE_EDIT, {} },
        { "Shift+F10 in the month view", false,
            [&] { sendTo(month_, QKeyEvent(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier)); }, kMonthPopup, 0, 0,
            today, 0,
            [&] {
                const Rect cell = view.Grid().Cell(today).rect;
                return QRect(month_.mapToGlobal(QPoint(cell.left, cell.top)), QSize(cell.Width(), cell.Height()));
            } },
        { "right-click on a row", false,
            [&] {
                const QPoint at = rowCentre();
                sendTo(*list_.viewport(),
                    QContextMenuEvent(QContextMenuEvent::Mouse, at, list_.viewport()->mapToGlobal(at)));
            },
            kListPopup, 0, -1, today, ID_EDIT_COPY, {} },
        { "holding a row", false, [&] { sendTo(*list_.viewport(), press(rowCentre())); }, kListPopup, 0, -1, today,
            ID_EDIT_COPY, {} },
        { "the menu key in the list", true,
            [&] { sendTo(list_, QContextMenuEvent(QContextMenuEvent::Keyboard, QPoint(), QPoint())); }, kListPopup, 0,
            0, today, 0,
            [&] {
                const QRect row = list_.visualItemRect(list_.item(0));
                return QRect(list_.viewport()->mapToGlobal(row.topLeft()), row.size());
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        open_.window.ActivateMonthView(true);
        open_.window.Run(ID_GO_TODAY);
        for (int day = 0; day < c.startDay; ++day)
            open_.window.Run(ID_GO_NEXT_DAY);
        list_.setCurrentRow(c.rowBefore);
        open_.window.ActivateMonthView(!c.listActiveBefore);
        if (c.enabledNow != 0) {
            ASSERT_FALSE(MainMenuState(!c.listActiveBefore, c.enabledNow).enabled);
        }

        const Offered offered = ReadPopup(c.open);

        ASSERT_TRUE(offered.shown);
        EXPECT_EQ(offered.actions, ActionsOf(c.popup));
        const bool monthMenu = c.popup == kMonthPopup;
        EXPECT_EQ(open_.window.MonthViewActive(), monthMenu);
        EXPECT_EQ(view.Selected(), c.dayAfter);
        if (!monthMenu) {
            EXPECT_EQ(list_.currentRow(), 0);
        }
        for (std::size_t i = 0; i < offered.actions.size(); ++i) {
            const int id = offered.actions[i]->data().toInt();
            EXPECT_EQ(offered.enabled[i], MainMenuState(monthMenu, id).enabled) << "command " << id;
            if (id == c.enabledNow) {
                EXPECT_TRUE(offered.enabled[i]);
            }
        }
        if (c.over) {
            const QRect over = c.over();
            EXPECT_TRUE(offered.geometry.intersects(over));
            EXPECT_GE(offered.geometry.top(), over.top());
            EXPECT_LE(offered.geometry.top(), over.bottom());
        }
    }
}

TEST_F(DesktopHabitsTest, APressThatMovesIsADragAndOpensNoMenu)
{
    const QPoint at = Centre(open_.views.month.Grid().Cell(open_.views.month.Selected()).rect);
    const Offered offered = ReadPopup([&] {
        QMouseEvent down(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&month_, &down);
        const QPoint away = at + QPoint(PressAndHold::kSlack + 1, 0);
        QMouseEvent move(QEvent::MouseMove, away, away, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&month_, &move);
    });
    EXPECT_FALSE(offered.shown);
}

TEST_F(DesktopHabitsTest, ARowOfTheListDraggedOntoADayFramesItAndMovesTheEntryThereUnlessEscaped)
{
    CKalView& view = open_.views.month;
    const CDTime from(2026, 12, 9);
    const CDTime to(2026, 12, 16);
    AddEntryOn(from);
    view.ShowTouched(from, nullptr);
    ASSERT_EQ(list_.count(), 1);
    QWidget* rows = list_.viewport();
    const QPoint pressed = list_.visualItemRect(list_.item(0)).center();
    const int target = view.Grid().IndexOf(to);
    const QPoint over = month_.mapToGlobal(Centre(view.Grid().Cell(target).rect));
    const auto send = [rows](QEvent::Type type, const QPoint& global, Qt::MouseButtons held) {
        const QPoint local = rows->mapFromGlobal(global);
        QMouseEvent event(type, local, global, Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(rows, &event);
    };
    const auto pickUpAndCarry = [&] {
        send(QEvent::MouseButtonPress, rows->mapToGlobal(pressed), Qt::LeftButton);
        send(QEvent::MouseMove, over, Qt::LeftButton);
    };
    const CKalData& entry = *open_.views.document.Store().entries.back();

    pickUpAndCarry();
    EXPECT_EQ(view.DropTarget(), target);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&list_, &escape);
    EXPECT_EQ(view.DropTarget(), -1);
    send(QEvent::MouseButtonRelease, over, Qt::NoButton);
    EXPECT_EQ(entry.start, from);

    pickUpAndCarry();
    send(QEvent::MouseButtonRelease, over, Qt::NoButton);
    EXPECT_EQ(view.DropTarget(), -1);
    EXPECT_EQ(open_.views.document.Store().entries.back()->start, to);
    EXPECT_EQ(view.SelectedCell()->date, to);
}

TEST_F(DesktopHabitsTest, TheWheelStepsMonthsANotchAtATime)
{
    const auto roll = [this](int travel) {
        const QPointF at(month_.width() / 2.0, month_.height() / 2.0);
        QWheelEvent event(at, month_.mapToGlobal(at), QPoint(), QPoint(0, travel), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&month_, &event);
    };
    struct Case {
        const char* how;
        std::vector<int> travels;
        YearMonth shown; // from December 2026
    };
    const Case cases[] = {
        { "a notch towards oneself", { -120 }, { 2027, 1 } },
        { "a notch away", { 120 }, { 2026, 11 } },
        { "two notches in one event", { -240 }, { 2027, 2 } },
        { "a fine wheel, a third of a notch at a time", { -40, -40, -40 }, { 2027, 1 } },
        { "half a notch", { -60 }, { 2026, 12 } },
        { "half a notch, then a notch back", { -60, 120 }, { 2026, 11 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        roll(120 * 10); // a long roll back drops what the last case left over
        open_.window.Run(ID_GO_TODAY);
        ui_.Clear();
        for (const int travel : c.travels)
            roll(travel);
        EXPECT_EQ(open_.views.month.Shown(), c.shown);
        EXPECT_TRUE(ui_.Messages().empty());
    }

    // The last month: the view's own refusal, told once however far the wheel went.
    open_.views.document.SetCurrentDate(CDTime(2036, 12, 15, 0, 0));
    open_.views.document.UpdateAllViews(hint::kFoundOrJumped);
    ui_.Clear();
    roll(-360);
    EXPECT_EQ(open_.views.month.Shown(), (YearMonth { 2036, 12 }));
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { texts::kCannotGoFurther });
}

TEST_F(DesktopHabitsTest, TheFocusedPaneIsFramedAndThePaneKeysMoveTheFocus)
{
    auto* monthFrame = qobject_cast<FocusFrame*>(month_.parentWidget());
    auto* listFrame = qobject_cast<FocusFrame*>(list_.parentWidget());
    ASSERT_NE(monthFrame, nullptr);
    ASSERT_NE(listFrame, nullptr);
    const QColor highlight = monthFrame->palette().color(QPalette::Active, QPalette::Highlight);
    const auto framed = [highlight](FocusFrame* frame) {
        const QImage picture = frame->grab().toImage();
        return picture.pixelColor(0, picture.height() / 2) == highlight
            && picture.pixelColor(picture.width() - 1, picture.height() / 2) == highlight;
    };

    open_.window.ActivateMonthView(true);
    ASSERT_TRUE(month_.hasFocus());
    EXPECT_TRUE(framed(monthFrame));
    EXPECT_FALSE(framed(listFrame));

    for (const int key : { ID_NEXT_PANE, ID_PREV_PANE }) {
        SCOPED_TRACE(key);
        open_.window.Run(key);
        EXPECT_TRUE(list_.hasFocus());
        EXPECT_FALSE(open_.window.MonthViewActive());
        EXPECT_TRUE(framed(listFrame));
        EXPECT_FALSE(framed(monthFrame));
        open_.window.Run(key);
        EXPECT_TRUE(month_.hasFocus());
        EXPECT_TRUE(open_.window.MonthViewActive());
        EXPECT_TRUE(framed(monthFrame));
        EXPECT_FALSE(framed(listFrame));
    }
}

} // namespace
} // namespace kal
