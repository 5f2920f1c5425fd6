#pragma once

#include "calendar/DTime.h"
#include "store/KalData.h"
#include "store/StoreOperation.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace kal {

class CKalStore;

// The changes that bring a store's holiday entries up to a newer law, made for one state of that
// store: the old rules that end, and the entries that take over from them.
struct HolidayUpdates {
    struct Ending {
        std::size_t entry = 0; // index in the store's entries
        CDTime lastDay; // the new end of the old rule (inclusive)
    };
    std::vector<Ending> endings;
    // The new entries, in the order they are appended after the store's own.
    std::vector<std::unique_ptr<CKalData>> additions;

    [[nodiscard]] bool IsEmpty() const { return endings.empty() && additions.empty(); }
    // Adds `later`'s changes after these; both were made for the same state of the store.
    void Append(HolidayUpdates&& later);
};

// The law of 2003: Respect for the Aged Day and Marine Day end their fixed dates after 2002 and come
// back as third Mondays. Nothing for a store that already has the Monday rule.
[[nodiscard]] HolidayUpdates HolidayUpdate2003(const CKalStore& store);

// The law of 2007: April 29 becomes Showa Day and Greenery Day moves to May 4. Nothing for a store
// that already has Showa Day.
[[nodiscard]] HolidayUpdates HolidayUpdate2007(const CKalStore& store);

// Makes the changes in the store they were made for, which has not changed since: ends the old rules,
// then appends the new entries in their order. True when the store changed.
bool ApplyHolidayUpdates(CKalStore& store, HolidayUpdates updates);
// The same as an operation on that store, not yet applied; an empty one when there is nothing to do.
[[nodiscard]] StoreOperation HolidayUpdateOperation(const CKalStore& store, HolidayUpdates updates);

} // namespace kal
