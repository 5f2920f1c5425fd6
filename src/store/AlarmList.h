#pragma once

#include "calendar/DTime.h"
#include "store/DayListing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kal {

class CKalData;
class CKalStore;

// What the user's choices change in the alarms of a period.
struct AlarmListOptions {
    // Which occurrences there are is the listing's answer: exclusions, avoid days and hidden genres
    // act on alarms as they act on the month view.
    DayListingOptions listing;
    // When an entry without a start time is reminded on its day: minutes after midnight, [0, 1439].
    int untimedMinute = 9 * 60;
};

// One reminder: an entry's occurrence and the moment it is due.
struct Alarm {
    const CKalData* entry = nullptr; // belongs to the store
    CDTime day; // the occurrence's day at 00:00
    CDTime start; // the occurrence's start on the wall clock; the day at 00:00 when it has no time
    bool timed = false; // the entry has a start time, else it is reminded at the untimed minute
    // The real moment it is due, in seconds since 1970-01-01 00:00:00 UTC. The lead time is real
    // minutes before the real start, so that an alarm across a clock change still comes the minutes
    // the user asked for ahead of the entry.
    std::int64_t due = 0;

    // The wall clock at `due`.
    [[nodiscard]] CDTime Time() const { return CDTime::FromInstant(due); }
};

// The alarms due from `from` (included) to `to` (excluded), real instants, in the order they are due
// (entries due together in the order their day lists them). A schedule with a lead of -1 has none, a
// holiday without a start time has none, a repeating schedule has one per occurrence, a to-do has one
// at its deadline when that has a time and it is not done.
[[nodiscard]] std::vector<Alarm> AlarmsBetween(
    CKalStore& store, const AlarmListOptions& options, std::int64_t from, std::int64_t to);

// What a reminder says: the occurrence's times as the month view shows them with both times, then
// the entry's text ("10:00-11:30 打合せ").
[[nodiscard]] std::u16string AlarmSummary(const Alarm& alarm);

// A key that stays the same for the same reminder across loads of the file: the occurrence's day,
// start, due moment and texts, so that an entry moved or edited counts as a new reminder.
[[nodiscard]] std::uint64_t AlarmKey(const Alarm& alarm);

} // namespace kal
