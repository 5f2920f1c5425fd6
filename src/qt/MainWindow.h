#pragma once

#include "app/MainFrame.h"
#include "ui/CommandTarget.h"
#include "views/ViewDocument.h"

#include <QMainWindow>

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QSplitter;
class QTimer;

namespace kal {

class CKalApp;
class CKalDoc;
class CKalView;
class CDayView;
class DayListWidget;
class FocusFrame;
class MonthViewWidget;
struct MenuItem;

// The program's window: menu bar and tool bar from the menu resources, the month view and the day
// list in a splitter, the frame's timer, and every command routed through the active view, the
// document, the frame and the application.
//
// Each command has one action, shared by its menu items, its tool-bar button and its keys, so all
// three show the state the command's handler gives it; a command nobody handles stays disabled.
class MainWindow final : public QMainWindow, public FrameWindow {
    Q_OBJECT

public:
    MainWindow(CKalApp& app, CKalDoc& document, CKalView& monthView, CDayView& dayView, CMainFrame& frame, int menuId,
        bool portrait);
    ~MainWindow() override;

    bool SetSplit(SplitShape shape, int paneSize) override;
    int MonthPaneSize() const override;
    void ShowListPane(bool shown) override;
    bool MonthViewActive() const override { return monthActive_; }
    void ActivateMonthView(bool month) override;
    Size ClientSize() const override;

    // Runs a command as if chosen from the menu: only when it is enabled.
    void Run(int command);
    // The action of a command; null for commands no menu offers.
    [[nodiscard]] QAction* Action(int command) const;
    // Reads every action's enabled and checked state from the command chain.
    void RefreshCommands();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Follows the document's updates, which change what the commands can do.
    class DocumentWatcher final : public DocumentView {
    public:
        explicit DocumentWatcher(std::function<void()> changed)
            : changed_(std::move(changed))
        {
        }
        void OnUpdate(int, const CKalData*) override { changed_(); }
        void OnInitialUpdate() override { changed_(); }

    private:
        std::function<void()> changed_;
    };

    // The commands only the window itself can carry out.
    class WindowCommands final : public CommandTarget {
    public:
        explicit WindowCommands(MainWindow& window);
    };

    void BuildActions();
    void BuildMenus(int menuId);
    void FillMenu(QMenu* menu, const std::vector<MenuItem>& items);
    void BuildToolBar(bool portrait);
    void BindSoftKeys();
    void UpdateRouting();
    // Refreshes once the current event is done, however many changes it made.
    void RefreshSoon();
    void ShowRecentFiles();
    void ShowContextMenu(std::size_t popup, const QPoint& globalPosition);
    // Steps the shown month through the month view's own commands, so their limits and messages hold;
    // stops at the first step the view refuses.
    void StepMonths(int months);

    CKalApp& app_;
    CKalDoc& document_;
    CKalView& monthView_;
    CDayView& dayView_;
    CMainFrame& frame_;
    WindowCommands windowCommands_;
    DocumentWatcher watcher_;
    CommandRouter router_;
    std::map<int, QAction*> actions_;
    QSplitter* splitter_ = nullptr;
    MonthViewWidget* monthWidget_ = nullptr;
    DayListWidget* listWidget_ = nullptr;
    FocusFrame* listFrame_ = nullptr;
    QTimer* timer_ = nullptr;
    bool monthActive_ = true;
    bool refreshPending_ = false;
};

} // namespace kal
