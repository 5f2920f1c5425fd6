#include "views/EntryBars.h"

#include "calendar/DTime.h"
#include "store/KalData.h"
#include "views/MonthGrid.h"

#include <algorithm>

namespace kal {

bool DrawnAsBar(const CKalData& entry)
{
    return entry.repeatType == 0 && !entry.IsTodo() && !entry.Has(flag::kHidden)
        && DateOnly(entry.end) > DateOnly(entry.start);
}

BarLayout PlanEntryBars(const CMonthGrid& grid)
{
    constexpr int kDaysInRow = 7;
    BarLayout layout;
    layout.lanes.assign(static_cast<std::size_t>(grid.Count()), 0);
    for (int rowStart = 0; rowStart < grid.Count(); rowStart += kDaysInRow) {
        const std::size_t rowBars = layout.bars.size();
        const int rowEnd = std::min(rowStart + kDaysInRow, grid.Count()); // [rowStart, rowEnd)
        for (int i = rowStart; i < rowEnd; ++i) {
            for (CKalData* entry : grid.Cell(i).entries) {
                if (!DrawnAsBar(*entry))
                    continue;
                const auto begin = layout.bars.begin() + static_cast<std::ptrdiff_t>(rowBars);
                const auto bar
                    = std::find_if(begin, layout.bars.end(), [entry](const EntryBar& b) { return b.entry == entry; });
                if (bar == layout.bars.end())
                    layout.bars.push_back(EntryBar { entry, i, i, 0 });
                else
                    bar->lastCell = i;
            }
        }
        // Bars come in the order of their first cells, so each new one lies at or right of those placed.
        for (std::size_t b = rowBars; b < layout.bars.size(); ++b) {
            EntryBar& bar = layout.bars[b];
            for (int i = bar.firstCell; i <= bar.lastCell; ++i)
                bar.lane = std::max(bar.lane, layout.lanes[static_cast<std::size_t>(i)]);
            for (int i = bar.firstCell; i <= bar.lastCell; ++i)
                layout.lanes[static_cast<std::size_t>(i)] = bar.lane + 1;
        }
    }
    return layout;
}

} // namespace kal
