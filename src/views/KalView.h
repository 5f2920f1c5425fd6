#pragma once

#include "settings/KalSettings.h"
#include "ui/CommandTarget.h"
#include "ui/Geometry.h"
#include "ui/MenuResource.h"
#include "views/EntryBars.h"
#include "views/MonthGrid.h"
#include "views/ViewDocument.h"

#include <optional>
#include <string>
#include <vector>

namespace kal {

class Canvas;
class CKalSettings;

// The window a view draws in, as the view sees it.
class ViewWindow {
public:
    virtual ~ViewWindow() = default;
    virtual void Invalidate() = 0;
    [[nodiscard]] virtual bool HasFocus() const = 0;
};

// The month calendar: a header, the weekday titles and 5 or 6 weeks of day cells with their entries.
// The selected cell's day is the document's current date.
class CKalView : public DocumentView, public CommandTarget {
public:
    explicit CKalView(ViewDocument& document);

    void SetWindow(ViewWindow* window) { window_ = window; }
    // The day view, told when the selection moves (command 32825) and given commands the month view
    // passes on.
    void SetDayView(CommandTarget* dayView) { dayView_ = dayView; }
    // Moves to `date`'s month with that day selected, as asked from outside (a reminder's day).
    void ShowDate(CDTime date);

    void OnInitialUpdate() override;
    // Moves to the day an undo or redo touched, for the day list to select its entry.
    void ShowTouched(CDTime day, const CKalData* entry) override;
    void OnUpdate(int hint, const CKalData* entry) override;

    void OnSize(int width, int height);
    void OnDraw(Canvas& canvas);
    void OnKeyDown(Key key, unsigned modifiers);
    void OnLButtonDown(Point point);
    // Selects the day under the point and opens it in the day dialog.
    void OnLButtonDblClk(Point point);
    void OnTimer(int id);

    // An entry line as the last drawing placed it, for a drag to pick up.
    struct EntryLine {
        CKalData* entry = nullptr;
        CDTime day; // the cell's day
        Rect rect;
    };
    // The stored entry whose line is under the point, as the last drawing placed it; nothing on a
    // holiday the grid made, which lives only as long as the grid.
    [[nodiscard]] std::optional<EntryLine> DraggableAt(Point point) const;
    // The index of the cell under the point, or -1.
    [[nodiscard]] int CellAt(Point point) const;
    // The cell a drag is over, framed until the drag ends (-1 for none).
    void SetDropTarget(int cell);
    [[nodiscard]] int DropTarget() const { return dropTarget_; }
    // Drops a line picked up by DraggableAt on the cell under the point; true when the store changed.
    bool Drop(const EntryLine& line, Point point, DropAction action);

    [[nodiscard]] const CMonthGrid& Grid() const { return grid_; }
    [[nodiscard]] CMonthGrid& Grid() { return grid_; }
    [[nodiscard]] int Selected() const { return selected_; }
    [[nodiscard]] YearMonth Shown() const { return shown_; }
    [[nodiscard]] CMonthCell* SelectedCell();
    // Rebuilds the grid from the store for the month shown, keeping the selected day; the selected
    // cell afterwards.
    CMonthCell* RefillSelectedCell();
    // The entry the last search found; the day view selects it when it next fills its list.
    const CKalData* found = nullptr;

    // The header text of the month, by the "View"/"Month" form.
    [[nodiscard]] static std::u16string HeaderText(int form, YearMonth month);

private:
    void Refill();
    void Regrid();
    void MoveWithinGrid(int index);
    void MoveByDate(CDTime date, int hint);
    void MoveDays(int days);
    void StepMonth(int direction);
    void Today();
    [[nodiscard]] bool AtFirstMonth() const;
    [[nodiscard]] bool AtLastMonth() const;
    void Layout(Canvas& canvas);
    void DrawHeader(Canvas& canvas, const CKalSettings& settings);
    // Also keeps where each entry line went, for a drag.
    void DrawCell(Canvas& canvas, int index, const CKalSettings& settings);
    // The multi-day entries as bars over the lanes the cells kept for them; they go where a drag finds them.
    void DrawBars(Canvas& canvas, const CKalSettings& settings);
    // Draws the day number; gives the size of what it drew (number and diary mark).
    Size DrawDayNumber(Canvas& canvas, const CMonthCell& cell, bool selected, const CKalSettings& settings);
    void Invalidate();
    // Binds every command the month view handles, with its state.
    void BindCommands();
    void ToggleSixWeeks();
    void ChooseDayColour();
    void ResetDayColour();
    void ChooseSelectColour();
    void ShowDay();
    void GoToDate();
    // The selected day's entries as text on the clipboard, with the text copy's year and weekday options.
    void CopyDayAsText();
    void Search(SearchStep step);
    void DaysAfter();
    void ChooseWeekdayColours();
    void EditGenres();
    void ChooseFont(FontSetting font);

    ViewDocument& document_;
    ViewWindow* window_ = nullptr;
    CommandTarget* dayView_ = nullptr;
    CMonthGrid grid_;
    YearMonth shown_ { 2000, 1 };
    int selected_ = 0;
    Size client_;
    bool layoutDirty_ = true;
    int titleHeight_ = 0;
    int yearMonthHeight_ = 0;
    CDTime today_;
    std::vector<EntryLine> lines_;
    // While the bars are on: where they go, one lane's height, and the top of each cell's lanes.
    BarLayout bars_;
    int barHeight_ = 0;
    std::vector<int> laneTops_;
    int dropTarget_ = -1;
};

} // namespace kal
