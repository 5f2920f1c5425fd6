#pragma once

#include "calendar/DTime.h"

#include <optional>
#include <string>

namespace kal {

class CKalData;
class CKalStore;

// What a user types into the dialog of a new entry before pressing OK; every other control keeps
// what the dialog shows when it opens.
struct TypedEntry {
    std::u16string text;
    std::u16string place;
    std::optional<HourMinute> startTime; // none: an all-day schedule
    std::optional<HourMinute> endTime; // on the same day as the start; none: the end has no time
    std::optional<int> genre; // an index into the store's genres; none: the file's preset genre
};

// The entry the schedule dialog opened for `day` writes on OK after `typed` was entered: start and
// end on that day, the alarm and the time display of the settings, the genre's colour. The caller
// makes sure the genre exists and the end does not come before the start, which the dialog would
// refuse.
[[nodiscard]] CKalData ScheduleAsTyped(const CKalStore& store, CDTime day, const TypedEntry& typed);
// The entry the to-do dialog opened for `day` writes on OK with `day` typed as its deadline (the
// times of `typed` are not used: a to-do has none).
[[nodiscard]] CKalData TodoAsTyped(const CKalStore& store, CDTime day, const TypedEntry& typed);

} // namespace kal
