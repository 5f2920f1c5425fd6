#include "calstore/IcalRecurrence.h"

#include "calendar/CivilDate.h"
#include "store/KalData.h"
#include "store/RepeatExpansion.h"

#include <algorithm>
#include <array>

namespace kal {

namespace {

constexpr std::array<const char*, 7> kWeekdayNames = { "SU", "MO", "TU", "WE", "TH", "FR", "SA" };

// ";BYMONTHDAY=first,...,last".
std::string MonthDays(int first, int last)
{
    std::string text = ";BYMONTHDAY=";
    for (int day = first; day <= last; ++day) {
        if (day != first)
            text += ',';
        text += std::to_string(day);
    }
    return text;
}

// The month-day list of a day range in months of `shortest` days at least; nothing for a range the
// expansion lets run into the next month, or one that marks no day at all.
std::optional<std::string> DayRange(int from, int to, int shortest)
{
    if (from < 1 || from > 31)
        return std::nullopt;
    if (to == repeat::kLastDayOfMonth)
        return MonthDays(from, 31);
    if (to == from)
        return MonthDays(from, from);
    if (to > from && to <= shortest)
        return MonthDays(from, to);
    return std::nullopt;
}

// ";BYMONTH=..." for the valid months; empty when all are valid, nothing when none is.
std::optional<std::string> ValidMonths(const CKalData& entry)
{
    if (std::all_of(entry.months.begin(), entry.months.end(), [](std::uint8_t m) { return m != 0; }))
        return std::string();
    std::string text;
    for (int month = 1; month <= 12; ++month) {
        if (!entry.months[static_cast<std::size_t>(month - 1)])
            continue;
        text += text.empty() ? ";BYMONTH=" : ",";
        text += std::to_string(month);
    }
    if (text.empty())
        return std::nullopt;
    return text;
}

std::optional<std::string> PositionRule(const CKalData& entry, int interval)
{
    std::string days;
    for (int week = 0; week < 5; ++week) {
        if (!entry.weeks[static_cast<std::size_t>(week)])
            continue;
        for (int weekday = 0; weekday < 7; ++weekday) {
            if (!entry.weekdays[static_cast<std::size_t>(weekday)])
                continue;
            days += days.empty() ? ";BYDAY=" : ",";
            days += std::to_string(week < 4 ? week + 1 : -1);
            days += kWeekdayNames[static_cast<std::size_t>(weekday)];
        }
    }
    const auto months = ValidMonths(entry);
    if (days.empty() || !months)
        return std::nullopt;
    // Only monthly and yearly rules count their interval in position mode; the others take every month.
    // A yearly rule names its months even when all are valid: without them the weeks would count
    // through the year.
    if (entry.repeatType == repeat::kYearly)
        return "FREQ=YEARLY;INTERVAL=" + std::to_string(interval)
            + (months->empty() ? ";BYMONTH=1,2,3,4,5,6,7,8,9,10,11,12" : *months) + days;
    const int monthly = entry.repeatType == repeat::kMonthly ? interval : 1;
    return "FREQ=MONTHLY;INTERVAL=" + std::to_string(monthly) + *months + days;
}

} // namespace

long long RepetitionLastDay(const CKalData& entry)
{
    const LocalFields start = entry.start.Fields();
    const LocalFields end = entry.end.Fields();
    long long last = DaysFromCivil(end.year, end.month, end.day);
    if ((entry.repeatType == repeat::kDaily || entry.repeatType == repeat::kWeekly) && entry.Has(flag::kEndTimeSet)
        && (end.hour * 60 + end.minute) * 60 + end.second < (start.hour * 60 + start.minute) * 60 + start.second)
        --last;
    return last;
}

std::optional<std::string> ExactRecurrenceRule(const CKalData& entry)
{
    // An avoided day moves or drops single occurrences, which no rule says.
    if (entry.avoidDays != 0 || entry.repeatType < repeat::kDaily || entry.repeatType > repeat::kCustom)
        return std::nullopt;
    const int interval = std::clamp(entry.interval, 1, repeat::kMaxInterval);
    if (entry.positionMode == 1)
        return PositionRule(entry, interval);
    const int from = entry.repeatDayFrom;
    const int to = entry.repeatDayTo;
    switch (entry.repeatType) {
    case repeat::kDaily:
        return "FREQ=DAILY;INTERVAL=" + std::to_string(interval);
    case repeat::kWeekly:
        return "FREQ=WEEKLY;INTERVAL=" + std::to_string(interval);
    case repeat::kMonthly: {
        // The next period skips months that lack the day while the first one counts every month, so
        // an interval only holds for days every month has.
        if (from == repeat::kLastDayOfMonth)
            return interval == 1 && to == repeat::kLastDayOfMonth
                ? std::optional<std::string>("FREQ=MONTHLY;BYMONTHDAY=-1")
                : std::nullopt;
        if (from > 28 && interval > 1)
            return std::nullopt;
        const auto days = DayRange(from, to, 28);
        if (!days)
            return std::nullopt;
        return "FREQ=MONTHLY;INTERVAL=" + std::to_string(interval) + *days;
    }
    case repeat::kYearly: {
        const int month = entry.start.Month();
        // A day past the month's end in some years (February 29) moves to another day there.
        const int shortest = DaysInMonth(2001, month);
        std::string rule = "FREQ=YEARLY;INTERVAL=" + std::to_string(interval) + ";BYMONTH=" + std::to_string(month);
        if (from == repeat::kLastDayOfMonth)
            return month != 2 && to == repeat::kLastDayOfMonth ? std::optional<std::string>(rule + ";BYMONTHDAY=-1")
                                                               : std::nullopt;
        if (from > shortest)
            return std::nullopt;
        const auto days = DayRange(from, to, shortest);
        if (!days)
            return std::nullopt;
        return rule + *days;
    }
    case repeat::kCustom: {
        // The custom rule's first period ignores the interval and takes a missing day's month end.
        const auto months = ValidMonths(entry);
        if (interval != 1 || !months)
            return std::nullopt;
        if (from == repeat::kLastDayOfMonth)
            return "FREQ=MONTHLY;INTERVAL=1" + *months + ";BYMONTHDAY=-1";
        if (from < 1 || from > 28)
            return std::nullopt;
        return "FREQ=MONTHLY;INTERVAL=1" + *months + ";BYMONTHDAY=" + std::to_string(from);
    }
    default:
        return std::nullopt;
    }
}

} // namespace kal
