#include "qt/MainWindow.h"

#include "app/AppTexts.h"
#include "app/KalApp.h"
#include "app/KalDoc.h"
#include "qt/DayListWidget.h"
#include "qt/KeyMapping.h"
#include "qt/MonthViewWidget.h"
#include "qt/QtConvert.h"
#include "qt/QtTexts.h"
#include "qt/ToolIcons.h"
#include "ui/CommandIds.h"
#include "ui/MenuResource.h"
#include "views/DayView.h"
#include "views/KalView.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

namespace kal {

namespace {

constexpr int kFrameTimer = 302;
constexpr int kTimerPeriod = 10000; // milliseconds

} // namespace

MainWindow::MainWindow(CKalApp& app, CKalDoc& document, CKalView& monthView, CDayView& dayView, CMainFrame& frame,
    int menuId, bool portrait)
    : app_(app)
    , document_(document)
    , monthView_(monthView)
    , dayView_(dayView)
    , frame_(frame)
{
    setWindowTitle(ToQString(texts::kCaption));
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    monthWidget_ = new MonthViewWidget(monthView_, splitter_);
    listWidget_ = new DayListWidget(dayView_, splitter_);
    splitter_->addWidget(monthWidget_);
    splitter_->addWidget(listWidget_);
    splitter_->setStretchFactor(0, 1);
    setCentralWidget(splitter_);
    monthWidget_->onFocus = [this] {
        monthActive_ = true;
        UpdateRouting();
    };
    listWidget_->onFocus = [this] {
        monthActive_ = false;
        UpdateRouting();
    };
    listWidget_->onCommand = [this](int command) { Run(command); };

    BuildMenus(menuId);
    BuildToolBar(portrait);
    BindAccelerators();
    UpdateRouting();

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { frame_.OnTimer(kFrameTimer); });
    timer_->start(kTimerPeriod);
}

void MainWindow::UpdateRouting()
{
    CommandTarget* active
        = monthActive_ ? static_cast<CommandTarget*>(&monthView_) : static_cast<CommandTarget*>(&dayView_);
    router_.SetChain({ active, &document_, &frame_, &app_ });
}

void MainWindow::Run(int command)
{
    if (command == ID_APP_EXIT) {
        close();
        return;
    }
    router_.Route(command);
}

void MainWindow::FillMenu(QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            QMenu* popup = menu->addMenu(ToQString(item.text));
            FillMenu(popup, item.children);
            connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenu(popup); });
        } else {
            QAction* action = menu->addAction(ToQString(item.text));
            action->setData(item.id);
            connect(action, &QAction::triggered, this, [this, id = item.id] { Run(id); });
        }
    }
}

void MainWindow::UpdateMenu(QMenu* menu)
{
    const std::vector<std::string>& recent = app_.Recent().Paths();
    for (QAction* action : menu->actions()) {
        bool isCommand = false;
        const int id = action->data().toInt(&isCommand);
        if (!isCommand || id == 0)
            continue;
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + RecentFiles::kCount) {
            const std::size_t index = static_cast<std::size_t>(id - ID_FILE_MRU_FILE1);
            action->setVisible(index < recent.size());
            if (index < recent.size())
                action->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(
                    QFileInfo(QString::fromStdString(recent[index])).fileName()));
            continue;
        }
        const CommandState state = id == ID_APP_EXIT ? CommandState {} : router_.State(id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
}

void MainWindow::BuildMenus(int menuId)
{
    const MenuResource* menu = FindMenu(menuId);
    if (!menu)
        menu = FindMenu(128);
    if (!menu)
        return;
    for (const MenuItem& item : menu->items) {
        QMenu* popup = menuBar()->addMenu(ToQString(item.text));
        FillMenu(popup, item.children);
        connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenu(popup); });
    }
}

void MainWindow::BuildToolBar(bool portrait)
{
    QToolBar* bar = addToolBar(QStringLiteral("Kalendra"));
    bar->setObjectName(QStringLiteral("commands"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    for (const ToolButton& button : portrait ? PortraitToolBar() : LandscapeToolBar()) {
        if (button.command == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = bar->addAction(ToolIcon(button.icon), ToQString(CommandText(button.command)));
        action->setData(button.command);
        connect(action, &QAction::triggered, this, [this, id = button.command] { Run(id); });
    }
}

void MainWindow::BindAccelerators()
{
    // The handheld's two soft keys: the left one opened the first pop-up of the portrait menu at the
    // window's lower left (here F2), the right one closed a dialog (here Esc, as dialogs do anyway).
    // Both are named in the menu that holds the soft-key setting.
    auto* leftSoftKey = new QAction(ToQString(qttext::kLeftSoftKey), this);
    leftSoftKey->setShortcut(QKeySequence(Qt::Key_F2));
    leftSoftKey->setShortcutContext(Qt::WindowShortcut);
    addAction(leftSoftKey);
    connect(leftSoftKey, &QAction::triggered, this, [this] {
        const MenuResource* portrait = FindMenu(menuid::kPortrait);
        if (!portrait || portrait->items.empty())
            return;
        auto* popup = new QMenu(this);
        popup->setAttribute(Qt::WA_DeleteOnClose);
        FillMenu(popup, portrait->items.front().children);
        UpdateMenu(popup);
        const QPoint corner = centralWidget()->mapToGlobal(QPoint(0, centralWidget()->height()));
        popup->popup(corner - QPoint(0, popup->sizeHint().height()));
    });
    auto* rightSoftKey = new QAction(ToQString(qttext::kRightSoftKey), this);
    rightSoftKey->setShortcut(QKeySequence(Qt::Key_Escape));
    rightSoftKey->setShortcutContext(Qt::WidgetShortcut); // shown only: dialogs close on Esc themselves
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == ID_SOFT_KEY_MENU) {
                menu->insertAction(action, leftSoftKey);
                menu->insertAction(action, rightSoftKey);
                break;
            }
        }
    }
    for (const Accelerator& accelerator : MainAccelerators()) {
        auto* shortcut = new QShortcut(SequenceOf(accelerator), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = accelerator.command] { Run(id); });
    }
}

bool MainWindow::SetSplit(SplitShape shape, int paneSize)
{
    splitter_->setOrientation(shape == SplitShape::Rows ? Qt::Vertical : Qt::Horizontal);
    const Size client = ClientSize();
    const int total = shape == SplitShape::Rows ? client.height : client.width;
    splitter_->setSizes({ paneSize, std::max(total - paneSize, 100) });
    return true;
}

int MainWindow::MonthPaneSize() const
{
    const QList<int> sizes = splitter_->sizes();
    return sizes.isEmpty() ? 0 : sizes.front();
}

void MainWindow::ShowListPane(bool shown)
{
    listWidget_->setVisible(shown);
}

void MainWindow::ActivateMonthView(bool month)
{
    monthActive_ = month || !listWidget_->isVisible();
    if (monthActive_)
        monthWidget_->setFocus(Qt::OtherFocusReason);
    else
        listWidget_->setFocus(Qt::OtherFocusReason);
    UpdateRouting();
}

Size MainWindow::ClientSize() const
{
    const QSize size = centralWidget() ? centralWidget()->size() : this->size();
    return Size { size.width(), size.height() };
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    frame_.OnSize(ClientSize());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!document_.SaveModified()) {
        event->ignore();
        return;
    }
    frame_.OnDestroy();
    event->accept();
}

} // namespace kal
