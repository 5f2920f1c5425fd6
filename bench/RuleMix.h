#pragma once

#include "store/KalStore.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kal::bench {

// The kinds of schedule in a rule-mix store.
enum class RuleKind { Single, Daily, Weekly, MonthlyByDay, MonthlyByPosition, Yearly };

// How many of `count` schedules FillRuleMixStore makes of a kind: 40 % single schedules, the other
// 60 % split evenly between the five kinds of repetition (the last kind takes what rounding leaves).
[[nodiscard]] int RuleMixCount(RuleKind kind, int count);

// Fills `store` with `count` schedules in the proportions of RuleMixCount, in shuffled order:
// daily every 1-3 days, weekly every 1-2 weeks, monthly on a day number 1-28 (some over a range of
// days), monthly on a weekday of a week (the 2nd Tuesday, the last Friday) and yearly on a date.
// Starts lie in 1995-2030 at the hours people keep, a few of them all-day; a repetition ends 1-6
// years after its start or runs on to 2036/12/31. About one repeating schedule in ten has one or two
// exclusions (mostly single cancelled days, some breaks of a week or two) and about one in twenty
// moves an occurrence on a Saturday or Sunday to the weekday before. The settings must be installed.
void FillRuleMixStore(CKalStore& store, int count, std::uint32_t seed = 1995);

// The iCalendar recurrence rule (the RRULE value, with a floating UNTIL) that gives the same days as
// the entry's repetition, for entries the mix makes: daily and weekly repetition, monthly on day
// numbers or on weekdays of weeks, yearly on the start's date; every month valid. Avoid days and
// exclusions are not part of a recurrence rule and are left out. Nothing for a single schedule or a
// repetition that has no such rule.
[[nodiscard]] std::optional<std::string> RecurrenceRule(const CKalData& entry);

} // namespace kal::bench
