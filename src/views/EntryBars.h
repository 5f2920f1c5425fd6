#pragma once

#include <vector>

namespace kal {

class CKalData;
class CMonthGrid;

// A multi-day entry drawn as one bar across a week row of the month grid.
struct EntryBar {
    CKalData* entry = nullptr;
    int firstCell = 0; // grid indices, both included, in one row
    int lastCell = 0;
    int lane = 0; // from the top of the cells' entries, 0 first
};

struct BarLayout {
    std::vector<EntryBar> bars; // row by row, in the order the row's days first list them
    std::vector<int> lanes; // per cell: the lanes kept at the top of its entries for the bars over it
};

// Whether an entry shows as a bar: a schedule without repetition whose days run over more than one date.
[[nodiscard]] bool DrawnAsBar(const CKalData& entry);

// The bars of every row: each takes the first lane below the bars already placed over its cells,
// so that a bar keeps one height across the row and the lines under it line up.
[[nodiscard]] BarLayout PlanEntryBars(const CMonthGrid& grid);

} // namespace kal
