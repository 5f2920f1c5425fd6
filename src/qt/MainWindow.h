#pragma once

#include "app/MainFrame.h"
#include "ui/CommandTarget.h"

#include <QMainWindow>

#include <vector>

class QMenu;
class QSplitter;
class QTimer;

namespace kal {

class CKalApp;
class CKalDoc;
class CKalView;
class CDayView;
class DayListWidget;
class MonthViewWidget;
struct MenuItem;

// The program's window: menu bar and tool bar from the menu resources, the month view and the day
// list in a splitter, the frame's timer, and every command routed through the active view, the
// document, the frame and the application.
class MainWindow final : public QMainWindow, public FrameWindow {
    Q_OBJECT

public:
    MainWindow(CKalApp& app, CKalDoc& document, CKalView& monthView, CDayView& dayView, CMainFrame& frame, int menuId,
        bool portrait);

    bool SetSplit(SplitShape shape, int paneSize) override;
    int MonthPaneSize() const override;
    void ShowListPane(bool shown) override;
    bool MonthViewActive() const override { return monthActive_; }
    void ActivateMonthView(bool month) override;
    Size ClientSize() const override;

    // Runs a command as if chosen from the menu.
    void Run(int command);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenus(int menuId);
    void FillMenu(QMenu* menu, const std::vector<MenuItem>& items);
    void UpdateMenu(QMenu* menu);
    void BuildToolBar(bool portrait);
    void BindAccelerators();
    void UpdateRouting();

    CKalApp& app_;
    CKalDoc& document_;
    CKalView& monthView_;
    CDayView& dayView_;
    CMainFrame& frame_;
    CommandRouter router_;
    QSplitter* splitter_ = nullptr;
    MonthViewWidget* monthWidget_ = nullptr;
    DayListWidget* listWidget_ = nullptr;
    QTimer* timer_ = nullptr;
    bool monthActive_ = true;
};

} // namespace kal
