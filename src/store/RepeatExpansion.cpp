#include "store/RepeatExpansion.h"

#include "calendar/CalendarTexts.h"
#include "calendar/Holidays.h"
#include "store/KalData.h"
#include "ui/Ui.h"

#include <algorithm>

namespace kal {

namespace {

constexpr std::int64_t kDay = CDTime::kDay;

// What one expansion works with, worked out once per call.
struct Span {
    CDTime from;
    CDTime to;
    std::int64_t last; // index of the last day, n
    std::span<std::uint8_t> marks;

    // The day index of x, or -1 when x lies outside the span.
    [[nodiscard]] std::int64_t IndexOf(CDTime x) const
    {
        if (x < from)
            return -1;
        const std::int64_t k = (x - from) / kDay;
        return k <= last ? k : -1;
    }
    void Mark(CDTime x) const
    {
        if (const std::int64_t k = IndexOf(x); k >= 0)
            marks[static_cast<std::size_t>(k)] = 1;
    }
    void Clear(std::int64_t first, std::int64_t lastIndex) const
    {
        for (std::int64_t k = std::max<std::int64_t>(first, 0); k <= std::min(lastIndex, last); ++k)
            marks[static_cast<std::size_t>(k)] = 0;
    }
};

struct Rule {
    const CKalData& entry;
    int interval; // at least 1
    CDTime firstDay; // F: the start's date at 00:00
    CDTime repeatEnd; // P: the end of the repetition
    LocalFields start;
};

int DayOrLast(int day, int year, int month)
{
    return day == repeat::kLastDayOfMonth ? DaysInMonth(year, month) : day;
}

// The year and month `offset` months after (year, month).
void AddMonths(int& year, int& month, int offset)
{
    const int index = year * 12 + (month - 1) + offset;
    year = index / 12;
    month = index % 12 + 1;
}

// A date at 00:00, one day earlier when the day did not exist in the month and was carried over.
CDTime DayInMonthOrBefore(int year, int month, int day)
{
    const CDTime date(year, month, day);
    return date.Day() == day ? date : date - kDay;
}

CDTime FirstCandidate(const Rule& rule, CDTime from)
{
    const CKalData& e = rule.entry;
    const LocalFields f = from.Fields();
    switch (e.repeatType) {
    case repeat::kDaily:
    case repeat::kWeekly: {
        if (from < e.start)
            return e.start;
        const int step = rule.interval * (e.repeatType == repeat::kWeekly ? 7 : 1);
        const int r
            = (DayNumber(f.year, f.month, f.day) - DayNumber(rule.start.year, rule.start.month, rule.start.day)) % step;
        return from + static_cast<std::int64_t>(r == 0 ? 0 : step - r) * kDay;
    }
    case repeat::kMonthly: {
        const int months = (f.year - rule.start.year) * 12 + f.month - rule.start.month;
        const int r = months % rule.interval;
        int year = f.year;
        int month = f.month;
        AddMonths(year, month, r > 0 ? rule.interval - r : -r);
        int day = DayOrLast(e.repeatDayFrom, year, month);
        if (!IsValidDate(year, month, day)) {
            AddMonths(year, month, 1);
            day = DayOrLast(e.repeatDayFrom, year, month);
        }
        return DayInMonthOrBefore(year, month, day);
    }
    case repeat::kYearly: {
        const int r = (f.year - rule.start.year) % rule.interval;
        const int year = f.year + (r > 0 ? rule.interval - r : -r);
        return CDTime(year, rule.start.month, DayOrLast(e.repeatDayFrom, year, rule.start.month));
    }
    case repeat::kCustom:
        return DayInMonthOrBefore(f.year, f.month, DayOrLast(e.repeatDayFrom, f.year, f.month));
    default:
        return CDTime(f.year, f.month, rule.start.day);
    }
}

// The next period start after c; nothing for a repeat type the program does not know.
std::optional<CDTime> NextCandidate(const Rule& rule, CDTime c)
{
    const CKalData& e = rule.entry;
    switch (e.repeatType) {
    case repeat::kDaily:
        return c + static_cast<std::int64_t>(rule.interval) * kDay;
    case repeat::kWeekly:
        return c + static_cast<std::int64_t>(rule.interval) * CDTime::kWeek;
    case repeat::kMonthly:
    case repeat::kCustom: {
        const LocalFields f = c.Fields();
        int year = f.year;
        int month = f.month;
        if (e.repeatDayFrom == repeat::kLastDayOfMonth) {
            AddMonths(year, month, 1);
            return CDTime(year, month, DaysInMonth(year, month));
        }
        // Only months that have the day count towards the interval.
        for (int counted = 0; counted < rule.interval;) {
            AddMonths(year, month, 1);
            if (DaysInMonth(year, month) >= f.day)
                ++counted;
        }
        return CDTime(year, month, f.day);
    }
    case repeat::kYearly: {
        const LocalFields f = c.Fields();
        const int year = f.year + rule.interval;
        return CDTime(year, f.month, std::min(f.day, DaysInMonth(year, f.month)));
    }
    default:
        Ui::Current().ShowMessage(texts::kRepeatError);
        return std::nullopt;
    }
}

CDTime WeekdayOfMonth(int year, int month, int week, int weekday)
{
    if (week < 4) {
        int day = weekday - WeekdayOf(year, month, 1) + 1;
        if (day <= 0)
            day += 7;
        return CDTime(year, month, day + 7 * week);
    }
    const int last = DaysInMonth(year, month);
    return CDTime(year, month, last - (WeekdayOf(year, month, last) - weekday + 7) % 7);
}

bool PeriodActive(const Rule& rule, const LocalFields& c)
{
    switch (rule.entry.repeatType) {
    case repeat::kMonthly:
        return ((c.year - rule.start.year) * 12 + c.month - rule.start.month) % rule.interval == 0;
    case repeat::kYearly:
        return (c.year - rule.start.year) % rule.interval == 0;
    default:
        return true;
    }
}

void MarkByPosition(const Rule& rule, const Span& span)
{
    const CKalData& e = rule.entry;
    LocalFields c = span.from.Fields();
    for (CDTime month = span.from; month <= span.to;) {
        if (e.months[static_cast<std::size_t>(c.month - 1)] && PeriodActive(rule, c)) {
            for (int week = 0; week < 5; ++week) {
                if (!e.weeks[static_cast<std::size_t>(week)])
                    continue;
                for (int weekday = 0; weekday < 7; ++weekday) {
                    if (!e.weekdays[static_cast<std::size_t>(weekday)])
                        continue;
                    const CDTime x = WeekdayOfMonth(c.year, c.month, week, weekday);
                    if (rule.firstDay <= x && x <= rule.repeatEnd)
                        span.Mark(x);
                }
            }
        }
        AddMonths(c.year, c.month, 1);
        month = CDTime(c.year, c.month, 1);
    }
}

void MarkByDayNumber(const Rule& rule, const Span& span)
{
    const CKalData& e = rule.entry;
    const bool dayRange = e.repeatType == repeat::kMonthly || e.repeatType == repeat::kYearly;
    for (std::optional<CDTime> c = FirstCandidate(rule, span.from); c && *c <= span.to && *c <= rule.repeatEnd;
         c = NextCandidate(rule, *c)) {
        int length = 0;
        if (dayRange) {
            const LocalFields f = c->Fields();
            length = DayOrLast(e.repeatDayTo, f.year, f.month) - DayOrLast(e.repeatDayFrom, f.year, f.month);
        }
        const CDTime rangeEnd = *c + static_cast<std::int64_t>(length) * kDay;
        for (CDTime x = *c; x <= rangeEnd && x <= rule.repeatEnd; x += kDay) {
            if (x < rule.firstDay || x < span.from)
                continue;
            if (e.repeatType == repeat::kCustom && !e.months[static_cast<std::size_t>(x.Month() - 1)])
                continue;
            span.Mark(x);
        }
    }
}

void AvoidDays(const CKalData& e, const Span& span)
{
    for (std::int64_t k = span.last; k >= 0; --k) {
        if (!span.marks[static_cast<std::size_t>(k)])
            continue;
        const LocalFields x = (span.from + k * kDay).Fields();
        const bool avoided = ((e.avoidDays & avoid::kSaturday) && x.weekday == 6)
            || ((e.avoidDays & avoid::kSunday) && x.weekday == 0)
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
        const CDTime first(period.startYear, period.startMonth, period.startDay);
        const CDTime lastDay(period.endYear, period.endMonth, period.endDay);
        if (lastDay + (kDay - 1) < span.from || first > span.to)
            continue;
        const std::int64_t s = first < span.from ? 0 : (first - span.from) / kDay;
        span.Clear(s, (lastDay - span.from) / kDay);
    }
}

} // namespace

void MarkOccurrences(const CKalData& entry, CDTime from, CDTime to, std::span<std::uint8_t> marks)
{
    if (to < from)
        return;
    const Span span { from, to, (to - from) / kDay, marks };
    std::fill_n(marks.begin(), span.last + 1, std::uint8_t { 0 });
    // Most entries of a long-kept file lie wholly before or after the span: tell them apart before
    // any calendar arithmetic. The start's day begins at most a day (and an hour of clock change)
    // before the start itself.
    if (entry.end < from || entry.start > to + (kDay + 3600))
        return;
    const LocalFields start = entry.start.Fields();
    const CDTime firstDay(start.year, start.month, start.day);
    if (to < firstDay || entry.end < from)
        return;
    const CDTime repeatEnd = entry.Has(flag::kEndTimeSet) ? entry.end : DateOnly(entry.end) + (kDay - 1);
    const Rule rule { entry, std::max(entry.interval, 1), firstDay, repeatEnd, start };

    if (entry.repeatType == repeat::kNone) {
        const std::int64_t s = entry.start < from ? 0 : (entry.start - from) / kDay;
        const std::int64_t e = std::min(span.last, (entry.end - from) / kDay);
        for (std::int64_t k = s; k <= e; ++k)
            marks[static_cast<std::size_t>(k)] = 1;
    } else {
        if (entry.positionMode == 1)
            MarkByPosition(rule, span);
        else
            MarkByDayNumber(rule, span);
        if (entry.avoidDays != 0)
            AvoidDays(entry, span);
    }
    ApplyExclusions(entry, span);
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
        if (entry.Has(flag::kEndTimeSet)) {
            entry.end = entry.start + (oldEnd - oldStart);
        } else {
            const std::int64_t days = (DateOnly(oldEnd) + (kDay - 1) - DateOnly(oldStart)) / kDay;
            entry.end = entry.start + days * kDay;
        }
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

} // namespace kal
