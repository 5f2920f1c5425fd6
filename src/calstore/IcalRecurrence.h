#pragma once

#include <optional>
#include <string>

namespace kal {

class CKalData;

// The recurrence rule (the RRULE value without UNTIL) whose days, counted from any day the entry
// shows on, are exactly the days the month grid shows it on, for every span the grid may ask about;
// nothing when no rule says them (avoid days, day ranges that run into the next month, intervals the
// expansion counts over uneven months), so that the caller lists the days instead. Exclusions are not
// part of it. The last day of the repetition is the caller's to add.
[[nodiscard]] std::optional<std::string> ExactRecurrenceRule(const CKalData& entry);

// The last day (a day number since 1970-01-01) on which the entry's repetition may show: the end's
// date, the day before it when a daily or weekly occurrence would begin after the end's time.
[[nodiscard]] long long RepetitionLastDay(const CKalData& entry);

} // namespace kal
