#include "store/FillOrder.h"

#include "store/DayListing.h"
#include "store/EntryText.h"
#include "store/KalData.h"

#include <algorithm>

namespace kal {

namespace {

// A rank is the entry's class above its time sort key: holidays, then untimed entries, then timed ones.
constexpr int kClassShift = 42;
static_assert(kMaxTimeSortKey < (std::uint64_t(1) << kClassShift));
constexpr std::uint64_t kUntimed = std::uint64_t(1) << kClassShift;
constexpr std::uint64_t kTimed = std::uint64_t(2) << kClassShift;

} // namespace

void FillOrder::Begin(std::size_t cells, bool sortByTime)
{
    sortByTime_ = sortByTime;
    cells_ = cells;
    repeating_.clear();
    cellsOf_.clear();
    // The lists keep their room from fill to fill.
    if (singles_.size() < cells) {
        singles_.resize(cells);
        shared_.resize(cells);
    }
    for (std::size_t i = 0; i < cells; ++i) {
        singles_[i].clear();
        shared_[i].clear();
    }
    timedHoliday_.assign(cells, 0);
}

FillOrder::Ranked FillOrder::Rank(CKalData* entry, std::uint32_t arrival, std::uint64_t key) const
{
    if (entry->IsHoliday())
        return Ranked { 0, ~arrival, arrival, key, entry }; // the last to arrive first
    if (sortByTime_ && entry->Has(flag::kStartTimeSet))
        return Ranked { kTimed | key, arrival, arrival, key, entry };
    return Ranked { kUntimed, arrival, arrival, key, entry };
}

bool FillOrder::IsTimedHoliday(const Ranked& ranked) const
{
    return sortByTime_ && ranked.entry->IsHoliday() && ranked.entry->Has(flag::kStartTimeSet);
}

void FillOrder::AddSingle(std::size_t cell, CKalData* entry, std::uint32_t arrival, std::uint64_t key)
{
    singles_[cell].push_back(Rank(entry, arrival, key));
}

void FillOrder::AddRepeating(CKalData* entry, std::uint32_t arrival, std::uint64_t key)
{
    repeating_.push_back(Repeating { Rank(entry, arrival, key), static_cast<std::uint32_t>(cellsOf_.size()), 0 });
}

void FillOrder::PlaceRepeating(std::size_t cell)
{
    cellsOf_.push_back(static_cast<std::uint32_t>(cell));
    ++repeating_.back().cellCount;
}

void FillOrder::Finish(std::vector<ListedDay>& cells)
{
    std::sort(repeating_.begin(), repeating_.end(),
        [](const Repeating& a, const Repeating& b) { return a.ranked < b.ranked; });
    for (const Repeating& entry : repeating_) {
        const bool timedHoliday = IsTimedHoliday(entry.ranked);
        for (std::uint32_t i = entry.firstCell; i < entry.firstCell + entry.cellCount; ++i) {
            shared_[cellsOf_[i]].push_back(&entry.ranked);
            timedHoliday_[cellsOf_[i]] |= timedHoliday ? 1 : 0;
        }
    }
    for (std::size_t i = 0; i < cells_ && i < cells.size(); ++i)
        WriteCell(i, cells[i]);
}

void FillOrder::WriteCell(std::size_t index, ListedDay& cell)
{
    std::vector<Ranked>& singles = singles_[index];
    const std::vector<const Ranked*>& shared = shared_[index];
    if (timedHoliday_[index]
        || std::any_of(singles.begin(), singles.end(), [&](const Ranked& r) { return IsTimedHoliday(r); })) {
        WriteInStoreOrder(index, cell);
        return;
    }
    std::sort(singles.begin(), singles.end());
    cell.entries.clear();
    cell.sortKeys.clear();
    cell.entries.reserve(singles.size() + shared.size());
    cell.sortKeys.reserve(singles.size() + shared.size());
    int untimed = 0;
    const auto take = [&](const Ranked& ranked) {
        cell.entries.push_back(ranked.entry);
        cell.sortKeys.push_back(ranked.key);
        untimed += ranked.rank < kTimed ? 1 : 0;
    };
    // Two lists in order become one.
    auto single = singles.begin();
    for (const Ranked* other : shared) {
        for (; single != singles.end() && *single < *other; ++single)
            take(*single);
        take(*other);
    }
    for (; single != singles.end(); ++single)
        take(*single);
    cell.untimedCount = sortByTime_ ? untimed : 0;
    cell.irregularOrder = false;
}

void FillOrder::WriteInStoreOrder(std::size_t index, ListedDay& cell)
{
    merged_.assign(singles_[index].begin(), singles_[index].end());
    for (const Ranked* other : shared_[index])
        merged_.push_back(*other);
    std::sort(merged_.begin(), merged_.end(), [](const Ranked& a, const Ranked& b) { return a.store < b.store; });
    cell.entries.clear();
    cell.sortKeys.clear();
    cell.untimedCount = 0;
    cell.irregularOrder = false;
    for (const Ranked& ranked : merged_)
        DayListing::AddToDay(cell, ranked.entry, ranked.key, sortByTime_);
}

} // namespace kal
