#pragma once

#include "ui/CommandTarget.h"
#include "ui/Geometry.h"

namespace kal {

class CKalDoc;
class CKalView;
class CDayView;

enum class SplitShape { Rows, Columns }; // month view above the list, or beside it

// The window the frame logic drives: the split between the month view and the list.
class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    // Makes the split `shape` with the month pane `paneSize` pixels tall (rows) or wide (columns).
    // False when it cannot be made.
    virtual bool SetSplit(SplitShape shape, int paneSize) = 0;
    [[nodiscard]] virtual int MonthPaneSize() const = 0;
    virtual void ShowListPane(bool shown) = 0;
    // Which view has the keyboard: true for the month view.
    [[nodiscard]] virtual bool MonthViewActive() const = 0;
    virtual void ActivateMonthView(bool month) = 0;
    [[nodiscard]] virtual Size ClientSize() const = 0;
};

// Where the list goes, from "View"/"SchList".
enum class ListPlacement { Bottom = 1, Right = 2, Automatic = 3 };

// The main window's behaviour: the split placement of the month view and the list, the settings
// shared by both views, and the frame's commands.
class CMainFrame : public CommandTarget {
public:
    CMainFrame(CKalDoc& document, CKalView& monthView, CDayView& dayView);

    // Builds the split as the settings say, for a window of `client` size on a `screen`.
    void CreateClient(FrameWindow& window, Size screen);
    void OnSize(Size client);
    // Stores the month pane's size for the next start.
    void OnDestroy();
    void OnTimer(int id);

    [[nodiscard]] ListPlacement Placement() const { return placement_; }
    [[nodiscard]] SplitShape Shape() const { return shape_; }
    [[nodiscard]] bool ListShown() const { return listShown_; }

private:
    // Binds every command the frame handles, with its state.
    void BindCommands();
    void SwitchSplit(SplitShape shape);
    void SetPlacement(ListPlacement placement);
    void ToggleSetting(int setting, int hint);
    void ChooseSettingColour(int setting, bool alwaysRepaint);
    void ChooseBackColour();
    void ChooseDateFormat();
    // The options sheet; on OK its values go to the settings and the file's genre presets.
    void ChooseOptions();
    void ToggleListPane();
    void ActivateMonthView(bool month);
    void SwitchPane();

    CKalDoc& document_;
    CKalView& monthView_;
    CDayView& dayView_;
    FrameWindow* window_ = nullptr;
    ListPlacement placement_ = ListPlacement::Automatic;
    SplitShape shape_ = SplitShape::Rows;
    bool listShown_ = true;
    int initView_ = 0;
    int initTodo_ = 0;
};

} // namespace kal
