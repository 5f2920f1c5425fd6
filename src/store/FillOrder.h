#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kal {

class CKalData;
struct ListedDay;

// Puts the entries of one listing of days into the order each day shows them: holidays first, the
// last stored first; then the others in store order, the timed ones after the untimed ones and by
// time (then store order) when the listing sorts by time. A day with a timed holiday is laid out as
// adding its entries one by one in store order lays it out.
//
// A repeating entry has the same time sort key on all its days, so it is ranked once for the whole
// listing and given to its days already in order; only the few single entries of a day are sorted there.
class FillOrder {
public:
    // Starts a listing of `cells` days.
    void Begin(std::size_t cells, bool sortByTime);
    // An entry placed on `cell`: `arrival` is its place in the store, `key` its time sort key that day.
    void AddSingle(std::size_t cell, CKalData* entry, std::uint32_t arrival, std::uint64_t key);
    // A repeating entry, then each cell it is placed on.
    void AddRepeating(CKalData* entry, std::uint32_t arrival, std::uint64_t key);
    void PlaceRepeating(std::size_t cell);
    // Gives cells 0 to Begin's count - 1 their entries, keys and counts, in order.
    void Finish(std::vector<ListedDay>& cells);

private:
    struct Ranked {
        std::uint64_t rank; // the place among a cell's entries
        std::uint32_t tie; // breaks ties of rank: the arrival, counting backwards for holidays
        std::uint32_t store; // the arrival: the entry's place in the store
        std::uint64_t key;
        CKalData* entry;
        bool operator<(const Ranked& other) const { return rank != other.rank ? rank < other.rank : tie < other.tie; }
    };
    struct Repeating {
        Ranked ranked;
        std::uint32_t firstCell; // in cellsOf_
        std::uint32_t cellCount;
    };

    [[nodiscard]] Ranked Rank(CKalData* entry, std::uint32_t arrival, std::uint64_t key) const;
    [[nodiscard]] bool IsTimedHoliday(const Ranked& ranked) const;
    void WriteCell(std::size_t index, ListedDay& cell);
    void WriteInStoreOrder(std::size_t index, ListedDay& cell);

    bool sortByTime_ = true;
    std::size_t cells_ = 0;
    std::vector<Repeating> repeating_;
    std::vector<std::uint32_t> cellsOf_; // the cells of each repeating entry, one after another
    std::vector<std::uint32_t> order_; // repeating entries by rank
    std::vector<std::vector<Ranked>> singles_; // per cell
    std::vector<std::vector<const Ranked*>> shared_; // per cell: its repeating entries by rank
    std::vector<std::uint8_t> timedHoliday_; // per cell
    std::vector<Ranked> merged_; // room for one cell at a time
};

} // namespace kal
