#pragma once

#include "calendar/DTime.h"
#include "store/StoreOperation.h"

#include <string>

namespace kal {

class CKalData;
class CKalStore;

// How much of a repeating entry a change made on one of its days reaches: that day alone, that day and
// every later one, or the whole series.
enum class OccurrenceScope { ThisDay, ThisAndFollowing, All };

// Entries are given back through a reference the caller owns: CKalData's copy constructor takes the
// alarm mode of today's settings, which a split series must not.

// The occurrence `day` shows of a repeating entry, as an entry of its own: the same texts, genre,
// colour, memo, alarm and link, on `day` at the series' times (ending the day after for an occurrence
// that runs past midnight), without repetition, avoid days or exclusions.
void OccurrenceOn(const CKalData& series, CDTime day, CKalData& single);

// A series cut in two at `day`: the part that ends the day before, and the part that begins on `day` with the same rule
// and the original end. Together they show exactly the days the series showed. Rules keyed to a date (daily, weekly)
// start the later part on their own next date on or after `day`, which an occurrence moved earlier by its avoid days
// may lie after; rules keyed to the calendar (monthly, yearly, custom) keep their day numbers or
// positions and only begin later, so a "second Tuesday" stays the second Tuesday and a day range
// of which `day` is the middle shows its remaining days.
// False when `before` shows no day, so that nothing of the series is left before `day`.
[[nodiscard]] bool SplitSeries(const CKalData& series, CDTime day, CKalData& before, CKalData& from);

// What a change of the given scope starts from: the occurrence, the part from `day` on, or the series.
void ScopeSubject(const CKalData& series, CDTime day, OccurrenceScope scope, CKalData& subject);

// The operation that puts `changed` (a changed ScopeSubject) in the place of the scope of the series
// stored at `index`, as seen on `day`; without `changed` the scope goes (a delete or a cut). ThisDay
// excludes the day from the series and adds the changed occurrence; ThisAndFollowing ends the series
// the day before (removing it when nothing of it is left) and adds the changed part; All replaces or
// removes the series.
[[nodiscard]] StoreOperation OccurrenceOperation(
    const CKalStore& store, int index, CDTime day, OccurrenceScope scope, const CKalData* changed, std::u16string name);

// The series moved as one of its occurrences was moved from `from` to `to`: a date-keyed rule's start
// and end move by the same number of days; a monthly, yearly or custom rule takes `to`'s day (or its
// week and weekday) as the paste of a rule does.
void SeriesMovedBy(const CKalData& series, CDTime from, CDTime to, CKalData& moved);

} // namespace kal
