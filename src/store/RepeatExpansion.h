#pragma once

#include "calendar/DTime.h"

#include <cstdint>
#include <span>

namespace kal {

class CKalData;

// Repeat types of CKalData::repeatType.
namespace repeat {
inline constexpr int kNone = 0;
inline constexpr int kDaily = 1;
inline constexpr int kWeekly = 2;
inline constexpr int kMonthly = 3;
inline constexpr int kYearly = 4;
inline constexpr int kCustom = 5;
// Whether the program knows how a type repeats; an entry of any other type shows on its first day only.
[[nodiscard]] constexpr bool IsKnown(int type)
{
    return type >= kNone && type <= kCustom;
}
inline constexpr int kLastDayOfMonth = -1; // repeatDayFrom / repeatDayTo meaning the month's last day
// The largest interval a rule keeps: more days than the calendar holds from its first year to its
// last, so any larger interval shows the same single occurrence.
inline constexpr int kMaxInterval = 99999;
} // namespace repeat

// The number of marks MarkOccurrences fills for a span: one per calendar day from `from`'s date to
// `to`'s date, both included (0 when `to` comes first).
[[nodiscard]] std::int64_t OccurrenceDays(CDTime from, CDTime to);

// Marks the calendar days from `from`'s date to `to`'s date on which the entry occurs: marks[k] is set
// to 1 for the k-th calendar day after `from`'s date and to 0 otherwise. `marks` must hold OccurrenceDays(from, to)
// bytes. The entry's repetition, valid months, weeks and weekdays, avoid days (which may move an occurrence to the day
// before, or drop it) and exclusions all apply. An entry whose repeat type the program does not know
// occurs on its start's date only. Nothing is allocated.
void MarkOccurrences(const CKalData& entry, CDTime from, CDTime to, std::span<std::uint8_t> marks);
// A span of days worked out once for many entries, as a month's fill has: its ends as moments and as
// day numbers.
struct OccurrenceSpan {
    OccurrenceSpan(CDTime spanFrom, CDTime spanTo);
    CDTime from;
    CDTime to;
    long long firstDay; // days since 1970-01-01 of `from`'s date
    long long lastDay; // of `to`'s date
};
// MarkOccurrences over a span made once. False, with every mark 0, when the entry cannot occur in it;
// else `start` and `end` hold the entry's start and end fields, read here for the caller to reuse.
bool MarkOccurrences(const CKalData& entry, const OccurrenceSpan& span, std::span<std::uint8_t> marks,
    LocalFields& start, LocalFields& end);
// False when the entry's whole lifetime lies well before `from` or after `to`, so that it cannot occur
// between them; a test of two numbers, for passing over most of a long-kept file's entries at once.
[[nodiscard]] bool MayOccur(const CKalData& entry, CDTime from, CDTime to);

// True when each occurrence of a repeating entry runs past midnight: it has a start and an end time and
// the end's time of day comes before the start's (22:00 to 02:00), so an occurrence seen on a day ends
// on the day after. False for an entry that does not repeat, whose own end date says where it ends.
[[nodiscard]] bool OccurrenceEndsNextDay(const CKalData& entry);

// Moves a pasted entry's rule to `day`, keeping its kind of repetition.
void MoveRuleToDate(CKalData& entry, CDTime day);

// Takes `day`'s occurrence out of a repeating entry, as deleting it for that day only does: the day
// joins its exclusions and every other occurrence stays.
void ExcludeDay(CKalData& entry, CDTime day);

} // namespace kal
