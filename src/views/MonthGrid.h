#pragma once

#include "calendar/DTime.h"
#include "store/RepeatExpansion.h"
#include "ui/Geometry.h"
#include "views/FillOrder.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kal {

class CKalData;
class CKalStore;
class CKalSettings;

using CellRect = Rect;

// One day of the month grid: the entries shown that day, in the order they are drawn. The entries
// belong to the store, except the holidays the grid makes itself.
struct CMonthCell {
    std::vector<CKalData*> entries;
    CDTime date; // the day at 00:00
    CellRect rect;
    Colour colour = 0;

    [[nodiscard]] bool HasHoliday() const;
    void Clear();

    // Kept by CMonthGrid::AddToCell to find an entry's place quickly: each entry's time sort key, the
    // number of entries without a start time, and whether a timed holiday broke the usual layout of
    // holidays, untimed entries, then timed entries by time.
    std::vector<std::uint64_t> sortKeys;
    int untimedCount = 0;
    bool irregularOrder = false;
};

struct YearMonth {
    int year;
    int month; // 1-12
    bool operator==(const YearMonth&) const = default;
};

// Moves a month forward (or back, for a negative count), carrying into the years.
void AddMonthsTo(YearMonth& month, int count);

// The cells of the month view: 5 or 6 weeks of days, each with its entries, plus the holidays no
// stored rule can express (equinox days, citizens' and substitute holidays), made for each fill.
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

    // The first cell's date for a month: the Sunday (or Monday) on or before its 1st.
    [[nodiscard]] static CDTime GridStart(YearMonth month, bool mondayFirst);

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
    // Whether the entry is one of the holidays this grid made.
    [[nodiscard]] bool IsGenerated(const CKalData* entry) const;

    // Puts the store's entries into `len` cells from `first` (the cells need len + 1 places); adds
    // the generated holidays when the whole grid is filled.
    void FillCells(std::vector<CMonthCell>& cells, CDTime first, int len);

    // Adds an entry to a cell in the order cells show: holidays first, then entries without a start
    // time, then timed ones by time when the settings ask for that.
    void AddToCell(CMonthCell& cell, CKalData* entry);
    static void AddToCell(CMonthCell& cell, CKalData* entry, std::uint64_t sortKey, bool sortByTime);

    // Makes a holiday entry named `name` on the cell's day, owned by the grid, and adds it.
    void AddGeneratedHoliday(CMonthCell& cell, const char16_t* name);

private:
    void ColourOtherMonths(int month);
    // What placing every entry of one fill shares, worked out once.
    struct PlaceContext {
        OccurrenceSpan span;
        CDTime now; // the moment the fill began
        LocalFields today; // its fields
        int todayIndex; // the cell of today's date, or outside the grid
        int todoPos;
        bool todoViewAll;
    };
    // Places the entry stored at `arrival` on its cells.
    void PlaceEntry(std::vector<CMonthCell>& cells, const std::vector<LocalFields>& days, int len, CKalData& entry,
        std::uint32_t arrival, const PlaceContext& context);
    // Whether entries of the entry's genre show; the genre list grows to an unknown genre first.
    bool GenreShown(CKalData& entry);

    std::vector<CMonthCell> cells_;
    int count_ = 0;
    CKalStore* store_ = nullptr;
    CDTime start_;
    std::vector<std::unique_ptr<CKalData>> holidays_;
    std::vector<std::uint8_t> marks_; // reused by every expansion
    std::vector<std::uint8_t> genreShown_; // per genre during a fill: 1 shown, 0 hidden
    FillOrder order_;
};

// Whole days from `from` to `to` (both at 00:00 of their days), whatever the clocks did in between.
[[nodiscard]] int DaysBetween(CDTime from, CDTime to);

} // namespace kal
