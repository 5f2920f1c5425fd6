#pragma once

#include "calendar/DTime.h"

struct icalrecurrencetype;

namespace kal {

class CKalData;

// Sets the repeat fields of `entry` (type, interval, days, weeks, weekdays, months) to the program's
// rule of the same shape as `rule`, whose first occurrence falls on `first`'s date. The shape is a
// guess to be checked: the caller compares the days the entry then shows on with the rule's own
// occurrences, since a rule of the program and one of iCalendar may part ways on days a month lacks.
// False, with `entry` to be thrown away, when the program has no rule of that shape at all.
[[nodiscard]] bool RuleFromRecurrence(const icalrecurrencetype& rule, CDTime first, CKalData& entry);

// Whether a rule repeats every day or every few weeks on its first weekday and nothing else, so that
// the days it shows on follow from its first day, its interval and its end without walking them.
[[nodiscard]] bool IsPlainDailyOrWeekly(const icalrecurrencetype& rule, int firstWeekday);

// Whether a rule repeats every few months or years on its first day of the month (and month) and
// nothing else, on a day every month (every year) has: each occurrence is its first day moved by
// whole months, so the occurrences can be listed without libical's iterator, which sets up a calendar
// of its own for every rule.
[[nodiscard]] bool IsPlainMonthlyOrYearly(const icalrecurrencetype& rule, int firstMonth, int firstDay);

} // namespace kal
