#include "views/DayEntryMove.h"

#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "ui/Ui.h"
#include "views/MonthGrid.h"
#include "views/ViewDocument.h"
#include "views/ViewTexts.h"

namespace kal {

bool MoveDayEntry(ViewDocument& document, const CMonthCell& cell, int row, int direction)
{
    const int other = row + direction;
    if (row < 0 || other < 0 || other >= static_cast<int>(cell.entries.size()))
        return false;
    CKalStore& store = document.Store();
    const int from = store.IndexOf(cell.entries[static_cast<std::size_t>(row)]);
    const int to = store.IndexOf(cell.entries[static_cast<std::size_t>(other)]);
    if (from < 0 || to < 0) {
        Ui::Current().ShowMessage(texts::kCannotMoveGenerated);
        return false;
    }
    document.Apply(StoreOperation(direction < 0 ? opname::kMoveUp : opname::kMoveDown).Exchange(from, to));
    return true;
}

} // namespace kal
