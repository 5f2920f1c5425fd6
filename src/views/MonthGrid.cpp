#include "views/MonthGrid.h"

#include "calendar/CivilDate.h"
#include "store/KalStore.h"
#include "views/ListingOptions.h"

#include <algorithm>
#include <utility>

namespace kal {

CMonthGrid::CMonthGrid() = default;
CMonthGrid::~CMonthGrid() = default;

void CMonthGrid::Create(CKalStore* store, int weeks)
{
    store_ = store;
    count_ = weeks * 7;
    cells_.assign(static_cast<std::size_t>(count_ + 7), CMonthCell {});
    for (CMonthCell& cell : cells_)
        cell.colour = CKalSettings::Current().Get(ColourSetting::Back);
    listing_.SetStore(store);
}

int CMonthGrid::Fill(CDTime target, YearMonth& shown)
{
    const bool mondayFirst = CKalSettings::Current().IsOn(IntSetting::StartMonday);
    int selected = 0;
    for (;;) {
        start_ = GridStart(shown, mondayFirst);
        selected = DaysBetween(start_, target);
        // The calendar ends with December 2036: its last days stay in its own grid.
        if (selected < count_ - 7 || (shown.year == kLastYear && shown.month == 12))
            break;
        if (selected < count_) {
            // The target is in the last row: keep this month unless that row starts the next one.
            YearMonth next = shown;
            AddMonthsTo(next, 1);
            const CDTime nextFirst(next.year, next.month, 1);
            const int weekday = WeekdayOf(next.year, next.month, 1);
            const int sundayFirst = mondayFirst ? 0 : 1;
            if (weekday + sundayFirst - DaysBetween(target, nextFirst) < 1)
                break;
        }
        AddMonthsTo(shown, 1);
    }
    FillCells();
    ColourOtherMonths(shown.month);
    return selected;
}

int CMonthGrid::FillHolding(CDTime target, YearMonth& shown)
{
    const LocalFields f = target.Fields();
    shown = YearMonth { f.year, f.month };
    start_ = GridStart(shown, CKalSettings::Current().IsOn(IntSetting::StartMonday));
    const int selected = DaysBetween(start_, target);
    if (selected >= count_)
        return Fill(target, shown);
    FillCells();
    ColourOtherMonths(shown.month);
    return selected;
}

void CMonthGrid::FillCells()
{
    const CKalSettings& settings = CKalSettings::Current();
    listing_.SetStore(store_);
    listing_.SetOptions(ListingOptionsFrom(settings));
    // The cells, the spare one after them included, take the listed days; the listing keeps the
    // cells' old days for its next fill.
    const auto listed = std::min(static_cast<std::size_t>(count_) + 1, cells_.size());
    listed_.resize(listed);
    listing_.ListMonthView(listed_, start_, count_);
    for (std::size_t i = 0; i < listed; ++i)
        std::swap(static_cast<ListedDay&>(cells_[i]), listed_[i]);
    for (int i = 0; i < count_; ++i) {
        CMonthCell& cell = cells_[static_cast<std::size_t>(i)];
        const DayColour* marked = store_ ? store_->FindDayColour(DateText(cell.date)) : nullptr;
        cell.colour = marked ? marked->colour : settings.Get(ColourSetting::Back);
    }
}

void CMonthGrid::AddToCell(CMonthCell& cell, CKalData* entry)
{
    const LocalFields day = cell.date.Fields();
    DayListing::AddToDay(cell, entry, TimeSortKey(*entry, entry->start.Fields(), entry->end.Fields(), day),
        CKalSettings::Current().IsOn(IntSetting::SchSort));
}

int CMonthGrid::IndexOf(CDTime day) const
{
    const int index = DaysBetween(start_, day);
    return index >= 0 && index < count_ ? index : -1;
}

void CMonthGrid::ColourOtherMonths(int month)
{
    const CKalSettings& settings = CKalSettings::Current();
    const Colour back = settings.Get(ColourSetting::Back);
    const Colour other = settings.Get(ColourSetting::Other);
    const bool keepDayColours = settings.IsOn(IntSetting::OtherMonthDayColor);
    for (int i = 0; i < count_; ++i) {
        CMonthCell& cell = cells_[static_cast<std::size_t>(i)];
        if (cell.date.Month() != month && (!keepDayColours || cell.colour == back))
            cell.colour = other;
    }
}

void CMonthGrid::Layout(const CellRect& client, int titleHeight, int yearMonthHeight)
{
    const int weeks = count_ / 7;
    const int header = titleHeight + yearMonthHeight + 2;
    const int width = (client.right - client.left) / 7;
    const int height = weeks > 0 ? (client.bottom - client.top - header) / weeks : 0;
    int x = 0;
    int y = header;
    for (int i = 0; i < count_; ++i) {
        cells_[static_cast<std::size_t>(i)].rect = CellRect { x, y, x + width, y + height };
        if (client.right < x + 2 * width) {
            x = 0;
            y += height;
        } else {
            x += width;
        }
    }
}

} // namespace kal
