#pragma once

#include "calendar/DTime.h"
#include "calendar/YearMonth.h"
#include "settings/KalSettings.h"
#include "store/DayListing.h"
#include "ui/Geometry.h"

#include <vector>

namespace kal {

class CKalData;
class CKalStore;

using CellRect = Rect;

// One day of the month grid: the day as the listing gives it, with where it is drawn and its colour.
struct CMonthCell : ListedDay {
    CellRect rect;
    Colour colour = 0;
};

// The cells of the month view: 5 or 6 weeks of days laid out in rows, each with its colour and the
// entries the day listing gives it, the generated holidays included.
class CMonthGrid {
public:
    CMonthGrid();
    ~CMonthGrid();
    CMonthGrid(const CMonthGrid&) = delete;
    CMonthGrid& operator=(const CMonthGrid&) = delete;

    // Makes `weeks` × 7 empty cells (and seven spare ones after them) over `store`.
    void Create(CKalStore* store, int weeks);

    // Fills the grid for the month `shown` so that `target` lies in it: when the target falls in the
    // last row and that row begins the following month, the grid moves on to that month, and `shown`
    // with it. Returns the index of the target's cell.
    int Fill(CDTime target, YearMonth& shown);
    // Fills the grid of the month that holds `target` and sets `shown` to it, as a search shows the day
    // it found. Only a day the month's grid cannot hold (the 31st of a month whose days need six weeks
    // when the grid has five) moves on as Fill does. Returns the index of the target's cell.
    int FillHolding(CDTime target, YearMonth& shown);

    // The first cell's date for a month: the Sunday (or Monday) on or before its 1st.
    [[nodiscard]] static CDTime GridStart(YearMonth month, bool mondayFirst)
    {
        return DayListing::MonthViewStart(month, mondayFirst);
    }

    // Places the cells from `area`'s `left` to `right`, below a header of the title and year-month
    // font heights.
    void Layout(const CellRect& client, int titleHeight, int yearMonthHeight);

    [[nodiscard]] int Count() const { return count_; }
    [[nodiscard]] CMonthCell& Cell(int index) { return cells_[static_cast<std::size_t>(index)]; }
    [[nodiscard]] const CMonthCell& Cell(int index) const { return cells_[static_cast<std::size_t>(index)]; }
    [[nodiscard]] CDTime Start() const { return start_; }
    [[nodiscard]] CKalStore* Store() const { return store_; }
    // The index of the cell showing `day`, or -1.
    [[nodiscard]] int IndexOf(CDTime day) const;
    // The listing of the last fill, with the options the settings gave it.
    [[nodiscard]] const DayListing& Listing() const { return listing_; }
    // Whether the entry is one of the holidays the grid's listing generated.
    [[nodiscard]] bool IsGenerated(const CKalData* entry) const { return listing_.IsGenerated(entry); }

    // Adds an entry to a cell in the order cells show (DayListing::AddToDay), by the settings' sort.
    void AddToCell(CMonthCell& cell, CKalData* entry);

private:
    // Lists the grid's days into its cells and gives each its day colour.
    void FillCells();
    void ColourOtherMonths(int month);

    std::vector<CMonthCell> cells_;
    int count_ = 0;
    CKalStore* store_ = nullptr;
    CDTime start_;
    DayListing listing_;
    // The listing's days, traded with the cells' after each fill so that both keep their room.
    std::vector<ListedDay> listed_;
};

} // namespace kal
