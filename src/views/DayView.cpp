#include "views/DayView.h"

#include "platform/Profile.h"
#include "settings/KalSettings.h"
#include "store/EntryText.h"
#include "store/KalStore.h"
#include "ui/CommandIds.h"
#include "ui/Ui.h"
#include "ui/UpdateHints.h"
#include "views/KalView.h"
#include "views/ViewTexts.h"

#include <algorithm>

namespace kal {

CDayView::CDayView(ViewDocument& document, CKalView& monthView)
    : document_(document)
    , monthView_(monthView)
{
}

std::u16string CDayView::RowText(const CKalData& entry, CDTime day, int timeMode, bool countdown)
{
    std::u16string row;
    if (entry.IsTodo())
        row += u"[Todo]";
    if (entry.textStyle & textstyle::kStrikeOut)
        row += u"×";
    if (entry.textStyle & textstyle::kBold)
        row += u"●";
    row += EntryLine(entry, day, TimeModeFromSetting(timeMode), countdown ? Countdown::On : Countdown::Off);
    return row;
}

CKalData* CDayView::SelectedEntry() const
{
    if (!cell_ || selection_ < 0 || selection_ >= static_cast<int>(cell_->entries.size()))
        return nullptr;
    return cell_->entries[static_cast<std::size_t>(selection_)];
}

void CDayView::Fill(int selectRow)
{
    rows_.clear();
    cell_ = monthView_.SelectedCell();
    if (cell_) {
        const int mode = CKalSettings::Current().Get(IntSetting::DayViewTime);
        const bool countdown = Profile::Current().GetInt("View", "TodoLeftDraw", 1) != 0;
        for (const CKalData* entry : cell_->entries)
            rows_.push_back(RowText(*entry, cell_->date, mode, countdown));
    }
    const int last = static_cast<int>(rows_.size()) - 1;
    selection_ = rows_.empty() ? -1 : std::clamp(selectRow, 0, last);
    if (window_)
        window_->ShowRows(rows_, selection_);
}

void CDayView::OnUpdate(int hint, const CKalData* entry)
{
    if ((hint & hint::kRemovingEntry) && cell_ && entry)
        std::erase(cell_->entries, entry);
    if (hint & hint::kEntriesChanged)
        Fill(0);
    if (hint & hint::kDateMoved) {
        Fill(0);
        if (monthView_.found && cell_) {
            const auto found = std::find(cell_->entries.begin(), cell_->entries.end(), monthView_.found);
            if (found != cell_->entries.end()) {
                selection_ = static_cast<int>(found - cell_->entries.begin());
                if (window_)
                    window_->ShowRows(rows_, selection_);
            }
            monthView_.found = nullptr;
        }
    }
}

void CDayView::ChangedSoRefill()
{
    if (window_)
        window_->FocusList();
    document_.UpdateAllViews(hint::kEntriesChanged);
}

void CDayView::MoveSelected(int direction)
{
    const int row = selection_;
    const int other = row + direction;
    if (!cell_ || row < 0 || other < 0 || other >= static_cast<int>(cell_->entries.size()))
        return;
    CKalStore& store = document_.Store();
    const int from = store.IndexOf(cell_->entries[static_cast<std::size_t>(row)]);
    const int to = store.IndexOf(cell_->entries[static_cast<std::size_t>(other)]);
    if (from < 0 || to < 0) {
        Ui::Current().ShowMessage(texts::kCannotMoveGenerated);
        return;
    }
    store.ExchangeEntries(from, to);
    document_.SetModified();
    document_.UpdateAllViews(hint::kEntriesChanged);
    Fill(other);
    if (window_)
        window_->FocusList();
}

void CDayView::DeleteSelected()
{
    CKalData* entry = SelectedEntry();
    if (entry && document_.DeleteEntry(entry, cell_->date))
        ChangedSoRefill();
}

bool CDayView::OnCommand(int id)
{
    switch (id) {
    case ID_DAY_LIST_REFILL:
        Fill(0);
        return true;
    case ID_SCHEDULE_UP:
        MoveSelected(-1);
        return true;
    case ID_SCHEDULE_DOWN:
        MoveSelected(1);
        return true;
    case ID_SCHEDULE_DELETE:
        DeleteSelected();
        return true;
    case ID_VIEW_INITIALISE:
        Fill(0);
        return true;
    default:
        return false;
    }
}

bool CDayView::OnUpdateCommand(int id, CommandState& state)
{
    switch (id) {
    case ID_SCHEDULE_UP:
        state.enabled = selection_ >= 1;
        return true;
    case ID_SCHEDULE_DOWN:
        state.enabled = selection_ >= 0 && selection_ + 1 < static_cast<int>(rows_.size());
        return true;
    case ID_SCHEDULE_DELETE:
        state.enabled = SelectedEntry() != nullptr;
        return true;
    default:
        return false;
    }
}

} // namespace kal
