#include "qt/MainWindow.h"

#include "app/AppTexts.h"
#include "app/KalApp.h"
#include "app/KalDoc.h"
#include "qt/DayListWidget.h"
#include "qt/FocusFrame.h"
#include "qt/KeyMapping.h"
#include "qt/MonthViewWidget.h"
#include "qt/QtConvert.h"
#include "qt/QtTexts.h"
#include "qt/ToolIcons.h"
#include "ui/CommandIds.h"
#include "ui/Commands.h"
#include "ui/MenuResource.h"
#include "views/DayView.h"
#include "views/KalView.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

#include <cstdlib>

namespace kal {

namespace {

constexpr int kFrameTimer = 302;
constexpr int kTimerPeriod = 10000; // milliseconds
// The property that keeps an action's text from the command table, for when its state names none.
constexpr char kUsualText[] = "kalUsualText";

} // namespace

MainWindow::WindowCommands::WindowCommands(MainWindow& window)
{
    commands_.Add(ID_APP_EXIT, [&window] { window.close(); });
}

MainWindow::MainWindow(CKalApp& app, CKalDoc& document, CKalView& monthView, CDayView& dayView, CMainFrame& frame,
    int menuId, bool portrait)
    : app_(app)
    , document_(document)
    , monthView_(monthView)
    , dayView_(dayView)
    , frame_(frame)
    , windowCommands_(*this)
    , watcher_([this] { RefreshSoon(); })
{
    setWindowTitle(ToQString(document_.Title()));
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    monthWidget_ = new MonthViewWidget(monthView_);
    listWidget_ = new DayListWidget(dayView_);
    listWidget_->SetDropArea(monthWidget_);
    splitter_->addWidget(new FocusFrame(monthWidget_, splitter_));
    listFrame_ = new FocusFrame(listWidget_, splitter_);
    splitter_->addWidget(listFrame_);
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
    monthWidget_->onChanged = [this] { RefreshSoon(); };
    listWidget_->onChanged = [this] { RefreshSoon(); };
    listWidget_->onCommand = [this](int command) { Run(command); };
    monthWidget_->onContextMenu = [this](std::size_t popup, const QPoint& at) { ShowContextMenu(popup, at); };
    monthWidget_->onWheelMonths = [this](int months) { StepMonths(months); };
    listWidget_->onContextMenu = [this](const QPoint& at) {
        ActivateMonthView(false);
        ShowContextMenu(kListPopup, at);
    };
    document_.AddView(&watcher_);

    BuildActions();
    BuildMenus(menuId);
    BuildToolBar(portrait);
    BindSoftKeys();
    UpdateRouting();

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] {
        frame_.OnTimer(kFrameTimer);
        RefreshSoon();
    });
    timer_->start(kTimerPeriod);
}

MainWindow::~MainWindow()
{
    // The widgets outlive this object's members while the base class takes them down: they must not
    // call back into it meanwhile.
    monthWidget_->onFocus = nullptr;
    monthWidget_->onChanged = nullptr;
    monthWidget_->onContextMenu = nullptr;
    monthWidget_->onWheelMonths = nullptr;
    listWidget_->onFocus = nullptr;
    listWidget_->onChanged = nullptr;
    listWidget_->onCommand = nullptr;
    listWidget_->onContextMenu = nullptr;
    document_.RemoveView(&watcher_);
}

void MainWindow::UpdateRouting()
{
    CommandTarget* active
        = monthActive_ ? static_cast<CommandTarget*>(&monthView_) : static_cast<CommandTarget*>(&dayView_);
    router_.SetChain({ active, &document_, &frame_, &app_, &windowCommands_ });
    RefreshCommands();
}

void MainWindow::Run(int command)
{
    router_.Route(command);
    RefreshCommands();
}

QAction* MainWindow::Action(int command) const
{
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::RefreshSoon()
{
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] { RefreshCommands(); });
}

void MainWindow::RefreshCommands()
{
    refreshPending_ = false;
    for (const auto& [id, action] : actions_) {
        const CommandState state = router_.State(id);
        action->setEnabled(state.enabled);
        const QString text = state.text.empty() ? action->property(kUsualText).toString() : ToQString(state.text);
        if (!text.isEmpty() && action->text() != text)
            action->setText(text);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
    ShowRecentFiles();
    // Every change reaches the window through a command, a view's update or the frame's timer, all
    // of which end here.
    const QString title = ToQString(document_.Title());
    if (windowTitle() != title)
        setWindowTitle(title);
}

void MainWindow::ShowRecentFiles()
{
    const std::vector<std::string>& recent = app_.Recent().Paths();
    for (int id = ID_FILE_MRU_FILE1; id < ID_FILE_MRU_FILE1 + RecentFiles::kCount; ++id) {
        QAction* action = Action(id);
        if (!action)
            continue;
        const std::size_t index = static_cast<std::size_t>(id - ID_FILE_MRU_FILE1);
        action->setVisible(index < recent.size());
        if (index < recent.size())
            action->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(
                QFileInfo(QString::fromStdString(recent[index])).fileName()));
    }
}

void MainWindow::BuildActions()
{
    for (const CommandDefinition& definition : CommandDefinitions()) {
        if (definition.text.empty())
            continue;
        auto* action = new QAction(ToQString(definition.text), this);
        action->setData(definition.id);
        action->setProperty(kUsualText, action->text());
        if (!definition.icon.empty())
            action->setIcon(ToolIcon(definition.icon));
        QList<QKeySequence> keys;
        for (const Accelerator& accelerator : CommandKeys(definition.id))
            keys.push_back(SequenceOf(accelerator));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        // On the window itself the keys work whichever menus the screen's resource shows.
        addAction(action);
        connect(action, &QAction::triggered, this, [this, id = definition.id] { Run(id); });
        actions_.emplace(definition.id, action);
    }
    // The menu names the first recent file only; the others follow it, one action each.
    for (int id = ID_FILE_MRU_FILE1 + 1; id < ID_FILE_MRU_FILE1 + RecentFiles::kCount; ++id) {
        auto* action = new QAction(this);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
        actions_.emplace(id, action);
    }
}

void MainWindow::FillMenu(QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            FillMenu(menu->addMenu(ToQString(item.text)), item.children);
        } else if (item.id == ID_FILE_MRU_FILE1) {
            for (int id = ID_FILE_MRU_FILE1; id < ID_FILE_MRU_FILE1 + RecentFiles::kCount; ++id) {
                if (QAction* action = Action(id))
                    menu->addAction(action);
            }
        } else if (QAction* action = Action(item.id)) {
            menu->addAction(action);
        }
    }
    // Some states (the clipboard, files on disk) change without telling anyone.
    connect(menu, &QMenu::aboutToShow, this, [this] { RefreshCommands(); });
}

void MainWindow::BuildMenus(int menuId)
{
    const MenuResource* menu = FindMenu(menuId);
    if (!menu)
        menu = FindMenu(menuid::kLandscape);
    if (!menu)
        return;
    for (const MenuItem& item : menu->items)
        FillMenu(menuBar()->addMenu(ToQString(item.text)), item.children);
}

void MainWindow::BuildToolBar(bool portrait)
{
    QToolBar* bar = addToolBar(QStringLiteral("Kalendra"));
    bar->setObjectName(QStringLiteral("commands"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    for (const int command : portrait ? PortraitToolBar() : LandscapeToolBar()) {
        if (command == 0)
            bar->addSeparator();
        else if (QAction* action = Action(command))
            bar->addAction(action);
    }
}

void MainWindow::ShowContextMenu(std::size_t popup, const QPoint& globalPosition)
{
    const MenuResource* context = FindMenu(menuid::kContext);
    if (!context || popup >= context->items.size())
        return;
    QMenu menu(this);
    FillMenu(&menu, context->items[popup].children);
    RefreshCommands();
    menu.exec(globalPosition);
}

void MainWindow::StepMonths(int months)
{
    const int command = months > 0 ? ID_GO_NEXT_MONTH : ID_GO_PREVIOUS_MONTH;
    for (int step = 0; step < std::abs(months); ++step) {
        const YearMonth before = monthView_.Shown();
        Run(command);
        // At the first or last month the view says so once; a fast wheel must not repeat it.
        if (monthView_.Shown() == before)
            break;
    }
}

void MainWindow::BindSoftKeys()
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
        RefreshCommands();
        const QPoint corner = centralWidget()->mapToGlobal(QPoint(0, centralWidget()->height()));
        popup->popup(corner - QPoint(0, popup->sizeHint().height()));
    });
    auto* rightSoftKey = new QAction(ToQString(qttext::kRightSoftKey), this);
    rightSoftKey->setShortcut(QKeySequence(Qt::Key_Escape));
    rightSoftKey->setShortcutContext(Qt::WidgetShortcut); // shown only: dialogs close on Esc themselves
    QAction* softKeyMenu = Action(ID_SOFT_KEY_MENU);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        if (softKeyMenu && menu->actions().contains(softKeyMenu)) {
            menu->insertAction(softKeyMenu, leftSoftKey);
            menu->insertAction(softKeyMenu, rightSoftKey);
        }
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
    listFrame_->setVisible(shown);
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
