#pragma once

#include "settings/KalSettings.h"
#include "ui/CommandTarget.h"
#include "views/KalView.h"
#include "views/ViewDocument.h"

#include <optional>
#include <string>
#include <vector>

namespace kal {

// The list control the day view fills.
class ListWindow {
public:
    virtual ~ListWindow() = default;
    // Replaces the rows, keeps the top row where it was (clamped) and selects `selected` (-1 = none).
    virtual void ShowRows(const std::vector<std::u16string>& rows, int selected) = 0;
    virtual void FocusList() = 0;
    // The list's font and background colour; the text keeps the desktop's colour.
    virtual void ApplyLook(const LogFont& font, Colour background) = 0;
};

// The entries of the selected day as a list beside the calendar, in the order the day's cell has them.
class CDayView : public DocumentView, public CommandTarget {
public:
    CDayView(ViewDocument& document, CKalView& monthView);

    // Gives the window the list's font and background at once.
    void SetWindow(ListWindow* window);

    void OnInitialUpdate() override { Fill(0); }
    void OnUpdate(int hint, const CKalData* entry) override;

    // The user selected a row (-1 = none).
    void OnSelectionChanged(int row) { selection_ = row; }

    [[nodiscard]] const std::vector<std::u16string>& Rows() const { return rows_; }
    [[nodiscard]] int Selection() const { return selection_; }
    [[nodiscard]] CKalData* SelectedEntry() const;
    // What a drag from `row` carries onto the month view's cells: the row's entry and the day the list
    // shows (no rectangle, since the line is in the list). Nothing for no such row or for a holiday the
    // grid made, which lives only as long as the grid.
    [[nodiscard]] std::optional<CKalView::EntryLine> DraggableRow(int row) const;

    // The text of a row: "[Todo]", "×" for strike-out, "●" for bold, then the entry's line.
    [[nodiscard]] static std::u16string RowText(const CKalData& entry, CDTime day, int timeMode, bool countdown);

private:
    // Binds every command the list handles, with its state.
    void BindCommands();
    void Fill(int selectRow);
    void MoveSelected(int direction);
    void DeleteSelected();
    void EditSelected();
    enum class EntryKind { Schedule, Todo };
    void AddOnDay(EntryKind kind);
    void EditSelectedMemo();
    void CopySelected();
    void CutSelected();
    void CopySelectedContinuously();
    void ChooseFont();
    void ChooseBackColour();
    void ChooseSelectColour();
    void ApplyLook();
    void ChangedSoRefill();
    // Binds the commands the list hands to the month view as if chosen there.
    void BindPassedOn();

    ViewDocument& document_;
    CKalView& monthView_;
    ListWindow* window_ = nullptr;
    CMonthCell* cell_ = nullptr;
    std::vector<std::u16string> rows_;
    int selection_ = -1;
};

} // namespace kal
