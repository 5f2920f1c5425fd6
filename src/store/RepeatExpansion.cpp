#include "store/RepeatExpansion.h"

#include "calendar/Holidays.h"
#include "store/KalData.h"

#include <algorithm>

namespace kal {

namespace {

// Every day below is a day number (days from 1970-01-01, DaysFromCivil): the expansion counts calendar
// days, never seconds, so a clock change in the machine's zone moves nothing. 64-bit day and month
// numbers cannot overflow however far a rule's interval throws the next occurrence.
using DayNumber64 = long long;

DayNumber64 DayOf(CDTime time)
{
    const LocalFields f = time.Fields();
    return DaysFromCivil(f.year, f.month, f.day);
}

long long MonthIndex(long long year, int month)
{
    return year * 12 + (month - 1);
}

long long FloorMod(long long value, long long divisor)
{
    const long long r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// What one expansion works with, worked out once per call.
struct Span {
    DayNumber64 first; // the day of marks[0]
    DayNumber64 last; // index of the last day, n
    std::span<std::uint8_t> marks;

    [[nodiscard]] DayNumber64 LastDay() const { return first + last; }
    void Mark(DayNumber64 day) const
    {
        if (const DayNumber64 k = day - first; k >= 0 && k <= last)
            marks[static_cast<std::size_t>(k)] = 1;
    }
    // Clears the days from `from` to `to`, both included.
    void Clear(DayNumber64 from, DayNumber64 to) const
    {
        for (DayNumber64 k = std::max<DayNumber64>(from - first, 0); k <= std::min(to - first, last); ++k)
            marks[static_cast<std::size_t>(k)] = 0;
    }
};

struct Rule {
    const CKalData& entry;
    long long interval; // [1, repeat::kMaxInterval]
    DayNumber64 firstDay; // the start's date
    DayNumber64 lastDay; // the end's date: the repetition reaches no day after it
    LocalFields start;
};

// A rule's day in a month; days outside 1-31 (which loading a file already rules out) count as the
// nearest day, so no candidate lands ages away from the span.
int DayOrLast(int day, int year, int month)
{
    return day == repeat::kLastDayOfMonth ? DaysInMonth(year, month) : std::clamp(day, 1, 31);
}

// A date, one day earlier when the day does not exist in the month and is carried over.
DayNumber64 DayInMonthOrBefore(int year, int month, int day)
{
    const DayNumber64 date = DaysFromCivil(year, month, day);
    return day >= 1 && day <= DaysInMonth(year, month) ? date : date - 1;
}

std::optional<DayNumber64> FirstCandidate(const Rule& rule, const Span& span)
{
    const CKalData& e = rule.entry;
    const CivilDate f = CivilFromDays(span.first);
    switch (e.repeatType) {
    case repeat::kDaily:
    case repeat::kWeekly: {
        if (span.first <= rule.firstDay)
            return rule.firstDay;
        const long long step = rule.interval * (e.repeatType == repeat::kWeekly ? 7 : 1);
        const long long r = (span.first - rule.firstDay) % step;
        return span.first + (r == 0 ? 0 : step - r);
    }
    case repeat::kMonthly: {
        const long long r
            = FloorMod(MonthIndex(f.year, f.month) - MonthIndex(rule.start.year, rule.start.month), rule.interval);
        long long index = MonthIndex(f.year, f.month) + (r > 0 ? rule.interval - r : 0);
        int year = static_cast<int>(index / 12);
        int month = static_cast<int>(index % 12 + 1);
        int day = DayOrLast(e.repeatDayFrom, year, month);
        if (!IsValidDate(year, month, day)) {
            ++index;
            year = static_cast<int>(index / 12);
            month = static_cast<int>(index % 12 + 1);
            day = DayOrLast(e.repeatDayFrom, year, month);
        }
        return DayInMonthOrBefore(year, month, day);
    }
    case repeat::kYearly: {
        const long long r = FloorMod(f.year - rule.start.year, rule.interval);
        const int y = static_cast<int>(f.year + (r > 0 ? rule.interval - r : 0));
        return DaysFromCivil(y, rule.start.month, DayOrLast(e.repeatDayFrom, y, rule.start.month));
    }
    case repeat::kCustom:
        return DayInMonthOrBefore(f.year, f.month, DayOrLast(e.repeatDayFrom, f.year, f.month));
    default:
        return DaysFromCivil(f.year, f.month, rule.start.day);
    }
}

// The next period start after c; nothing once it would lie past `limit` or for a repeat type the
// program does not know.
std::optional<DayNumber64> NextCandidate(const Rule& rule, DayNumber64 c, DayNumber64 limit)
{
    const CKalData& e = rule.entry;
    switch (e.repeatType) {
    case repeat::kDaily:
        return c + rule.interval;
    case repeat::kWeekly:
        return c + rule.interval * 7;
    case repeat::kMonthly:
    case repeat::kCustom: {
        const CivilDate f = CivilFromDays(c);
        long long index = MonthIndex(f.year, f.month);
        const long long limitIndex = MonthIndex(CivilFromDays(limit).year, CivilFromDays(limit).month);
        if (e.repeatDayFrom == repeat::kLastDayOfMonth) {
            ++index;
            const int year = static_cast<int>(index / 12);
            const int month = static_cast<int>(index % 12 + 1);
            return DaysFromCivil(year, month, DaysInMonth(year, month));
        }
        // Only months that have the day count towards the interval; the count stops once it has
        // passed the limit, however large the interval.
        for (long long counted = 0; counted < rule.interval;) {
            if (++index > limitIndex)
                return std::nullopt;
            if (DaysInMonth(static_cast<int>(index / 12), static_cast<int>(index % 12 + 1)) >= f.day)
                ++counted;
        }
        return DaysFromCivil(static_cast<int>(index / 12), static_cast<int>(index % 12 + 1), f.day);
    }
    case repeat::kYearly: {
        const CivilDate f = CivilFromDays(c);
        const long long year = f.year + rule.interval;
        if (year > CivilFromDays(limit).year)
            return std::nullopt;
        const int y = static_cast<int>(year);
        return DaysFromCivil(y, f.month, std::min(f.day, DaysInMonth(y, f.month)));
    }
    default:
        return std::nullopt;
    }
}

DayNumber64 WeekdayOfMonth(int year, int month, int week, int weekday)
{
    if (week < 4) {
        int day = weekday - WeekdayOf(year, month, 1) + 1;
        if (day <= 0)
            day += 7;
        return DaysFromCivil(year, month, day + 7 * week);
    }
    const int last = DaysInMonth(year, month);
    return DaysFromCivil(year, month, last - (WeekdayOf(year, month, last) - weekday + 7) % 7);
}

bool PeriodActive(const Rule& rule, int year, int month)
{
    switch (rule.entry.repeatType) {
    case repeat::kMonthly:
        return ((year - rule.start.year) * 12 + month - rule.start.month) % rule.interval == 0;
    case repeat::kYearly:
        return (year - rule.start.year) % rule.interval == 0;
    default:
        return true;
    }
}

void MarkByPosition(const Rule& rule, const Span& span)
{
    const CKalData& e = rule.entry;
    const CivilDate from = CivilFromDays(span.first);
    const CivilDate to = CivilFromDays(span.LastDay());
    for (long long index = MonthIndex(from.year, from.month); index <= MonthIndex(to.year, to.month); ++index) {
        const int year = static_cast<int>(index / 12);
        const int month = static_cast<int>(index % 12 + 1);
        if (!e.months[static_cast<std::size_t>(month - 1)] || !PeriodActive(rule, year, month))
            continue;
        for (int week = 0; week < 5; ++week) {
            if (!e.weeks[static_cast<std::size_t>(week)])
                continue;
            for (int weekday = 0; weekday < 7; ++weekday) {
                if (!e.weekdays[static_cast<std::size_t>(weekday)])
                    continue;
                const DayNumber64 x = WeekdayOfMonth(year, month, week, weekday);
                if (rule.firstDay <= x && x <= rule.lastDay)
                    span.Mark(x);
            }
        }
    }
}

void MarkByDayNumber(const Rule& rule, const Span& span)
{
    const CKalData& e = rule.entry;
    if (e.repeatType == repeat::kDaily || e.repeatType == repeat::kWeekly) {
        // One day every step: no calendar arithmetic, the most common rules of a month's fill.
        const long long step = rule.interval * (e.repeatType == repeat::kWeekly ? 7 : 1);
        const DayNumber64 limit = std::min(span.LastDay(), rule.lastDay);
        const DayNumber64 first = std::max(rule.firstDay, span.first);
        const long long r = (first - rule.firstDay) % step;
        for (DayNumber64 day = first + (r == 0 ? 0 : step - r); day <= limit; day += step)
            span.Mark(day);
        return;
    }
    const bool dayRange = e.repeatType == repeat::kMonthly || e.repeatType == repeat::kYearly;
    const DayNumber64 limit = std::min(span.LastDay(), rule.lastDay);
    for (std::optional<DayNumber64> c = FirstCandidate(rule, span); c && *c <= limit;
         c = NextCandidate(rule, *c, limit)) {
        long long length = 0;
        if (dayRange) {
            const CivilDate f = CivilFromDays(*c);
            length = static_cast<long long>(DayOrLast(e.repeatDayTo, f.year, f.month))
                - DayOrLast(e.repeatDayFrom, f.year, f.month);
        }
        const DayNumber64 rangeEnd = std::min(*c + length, limit);
        for (DayNumber64 x = std::max({ *c, rule.firstDay, span.first }); x <= rangeEnd; ++x) {
            if (e.repeatType == repeat::kCustom && !e.months[static_cast<std::size_t>(CivilFromDays(x).month - 1)])
                continue;
            span.Mark(x);
        }
    }
}

void AvoidDays(const CKalData& e, const Span& span)
{
    for (DayNumber64 k = span.last; k >= 0; --k) {
        if (!span.marks[static_cast<std::size_t>(k)])
            continue;
        const CivilDate x = CivilFromDays(span.first + k);
        const int weekday = WeekdayOf(x.year, x.month, x.day);
        const bool avoided = ((e.avoidDays & avoid::kSaturday) && weekday == 6)
            || ((e.avoidDays & avoid::kSunday) && weekday == 0)
            || ((e.avoidDays & avoid::kHoliday) && IsHolidayOrSubstitute(x.year, x.month, x.day, SundayCounts::No));
        if (!avoided)
            continue;
        span.marks[static_cast<std::size_t>(k)] = 0;
        if (!(e.avoidDays & avoid::kDrop) && k > 0)
            span.marks[static_cast<std::size_t>(k - 1)] = 1;
    }
}

void ApplyExclusions(const CKalData& e, const Span& span)
{
    for (const ExclusionPeriod& period : e.exclusions) {
        if (period.startMonth < 1 || period.startMonth > 12 || period.endMonth < 1 || period.endMonth > 12)
            continue;
        span.Clear(DaysFromCivil(period.startYear, period.startMonth, period.startDay),
            DaysFromCivil(period.endYear, period.endMonth, period.endDay));
    }
}

} // namespace

std::int64_t OccurrenceDays(CDTime from, CDTime to)
{
    return to < from ? 0 : DayOf(to) - DayOf(from) + 1;
}

bool MayOccur(const CKalData& entry, CDTime from, CDTime to)
{
    // Two days of margin cover any clock change between a moment and its day.
    constexpr std::int64_t kMargin = 2 * CDTime::kDay;
    return std::int64_t { entry.end.Seconds() } + kMargin >= std::int64_t { from.Seconds() }
    && std::int64_t { entry.start.Seconds() } <= std::int64_t { to.Seconds() } + kMargin;
}

OccurrenceSpan::OccurrenceSpan(CDTime spanFrom, CDTime spanTo)
    : from(spanFrom)
    , to(spanTo)
    , firstDay(DayOf(spanFrom))
    , lastDay(DayOf(spanTo))
{
}

void MarkOccurrences(const CKalData& entry, CDTime from, CDTime to, std::span<std::uint8_t> marks)
{
    if (to < from)
        return;
    LocalFields start;
    LocalFields end;
    (void)MarkOccurrences(entry, OccurrenceSpan(from, to), marks, start, end);
}

bool MarkOccurrences(const CKalData& entry, const OccurrenceSpan& within, std::span<std::uint8_t> marks,
    LocalFields& start, LocalFields& end)
{
    if (within.to < within.from)
        return false;
    const Span span { within.firstDay, within.lastDay - within.firstDay, marks };
    std::fill_n(marks.begin(), span.last + 1, std::uint8_t { 0 });
    // Most entries of a long-kept file lie wholly before or after the span: tell them apart before
    // any calendar arithmetic.
    if (!MayOccur(entry, within.from, within.to))
        return false;
    start = entry.start.Fields();
    const DayNumber64 firstDay = DaysFromCivil(start.year, start.month, start.day);
    end = entry.end.Fields();
    DayNumber64 lastDay = DaysFromCivil(end.year, end.month, end.day);
    // Daily and weekly occurrences happen at the start's time of day: an end time earlier in the day
    // than that leaves the end's own day out.
    const auto secondOfDay = [](const LocalFields& f) { return (f.hour * 60 + f.minute) * 60 + f.second; };
    if ((entry.repeatType == repeat::kDaily || entry.repeatType == repeat::kWeekly) && entry.Has(flag::kEndTimeSet)
        && secondOfDay(end) < secondOfDay(start))
        --lastDay;
    if (span.LastDay() < firstDay || lastDay < span.first)
        return false;
    const Rule rule { entry, std::clamp<long long>(entry.interval, 1, repeat::kMaxInterval), firstDay, lastDay, start };

    if (!repeat::IsKnown(entry.repeatType)) {
        // The load told the user that such an entry shows on its first day only.
        span.Mark(firstDay);
    } else if (entry.repeatType == repeat::kNone) {
        for (DayNumber64 day = std::max(firstDay, span.first); day <= std::min(lastDay, span.LastDay()); ++day)
            span.Mark(day);
    } else {
        if (entry.positionMode == 1)
            MarkByPosition(rule, span);
        else
            MarkByDayNumber(rule, span);
        if (entry.avoidDays != 0)
            AvoidDays(entry, span);
    }
    ApplyExclusions(entry, span);
    return true;
}

bool OccurrenceEndsNextDay(const CKalData& entry)
{
    if (entry.repeatType == repeat::kNone || !entry.Has(flag::kStartTimeSet | flag::kEndTimeSet))
        return false;
    const LocalFields start = entry.start.Fields();
    const LocalFields end = entry.end.Fields();
    return end.hour * 60 + end.minute < start.hour * 60 + start.minute;
}

void MoveRuleToDate(CKalData& entry, CDTime day)
{
    const LocalFields target = day.Fields();
    switch (entry.repeatType) {
    case repeat::kNone:
    case repeat::kDaily:
    case repeat::kWeekly: {
        const CDTime oldStart = entry.start;
        const CDTime oldEnd = entry.end;
        entry.start = ComposeDate(target.year, target.month, target.day, oldStart);
        if (oldEnd.Year() == kLastYear)
            return; // an open-ended repetition keeps its end
        // The entry keeps its length in calendar days and its end's time of day (the start's when it
        // has no end time), whatever the clocks do in between.
        const long long days = DayOf(oldEnd) - DayOf(oldStart);
        entry.end = ComposeDate(target.year, target.month, target.day + static_cast<int>(days),
            entry.Has(flag::kEndTimeSet) ? oldEnd : entry.start);
        return;
    }
    default:
        break;
    }
    if (entry.repeatType == repeat::kCustom && entry.positionMode == 1) {
        entry.start = entry.end = day;
        entry.repeatType = repeat::kNone;
        entry.positionMode = 0;
        return;
    }
    if ((entry.repeatType == repeat::kMonthly || entry.repeatType == repeat::kYearly) && entry.positionMode == 1) {
        entry.weeks = {};
        entry.weekdays = {};
        entry.weeks[static_cast<std::size_t>((target.day - 1) / 7)] = 1;
        entry.weekdays[static_cast<std::size_t>(target.weekday)] = 1;
        return;
    }
    if (entry.repeatType == repeat::kMonthly || entry.repeatType == repeat::kYearly
        || entry.repeatType == repeat::kCustom) {
        entry.repeatDayTo
            = std::min(entry.repeatDayTo - entry.repeatDayFrom + target.day, DaysInMonth(target.year, target.month));
        entry.repeatDayFrom = target.day;
        if (entry.repeatType == repeat::kYearly) {
            const LocalFields start = entry.start.Fields();
            entry.start = ComposeDate(start.year, start.month, entry.repeatDayTo, entry.start);
        }
    }
}

void ExcludeDay(CKalData& entry, CDTime day)
{
    const LocalFields f = day.Fields();
    entry.exclusions.push_back(ExclusionPeriod { f.year, f.month, f.day, f.year, f.month, f.day });
}

} // namespace kal
