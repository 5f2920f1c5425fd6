#include "calstore/IcalRuleImport.h"

#include "store/KalData.h"
#include "store/RepeatExpansion.h"

#include <libical/ical.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace kal {

namespace {

// The values of one BY list: libical ends a list that is not full with ICAL_RECURRENCE_ARRAY_MAX.
template <std::size_t N> std::vector<short> Values(const short (&list)[N])
{
    std::vector<short> values;
    for (const short value : list) {
        if (value == ICAL_RECURRENCE_ARRAY_MAX)
            break;
        values.push_back(value);
    }
    return values;
}

// Weeks of the month and weekdays as the program's position mode keeps them, when the BYDAY list is
// every pairing of some weeks with some weekdays: "1MO,1WE,-1MO,-1WE" is, "1MO,-1WE" is not. A day
// without an ordinal stands for all five weeks.
bool SetPositions(const std::vector<short>& byDay, CKalData& entry)
{
    std::set<std::pair<int, int>> pairs;
    std::set<int> weeks;
    std::set<int> weekdays;
    for (const short day : byDay) {
        const int position = icalrecurrencetype_day_position(day);
        const int weekday = static_cast<int>(icalrecurrencetype_day_day_of_week(day)) - 1; // Sunday 0
        if (weekday < 0 || weekday > 6)
            return false;
        std::vector<int> positionWeeks;
        if (position == 0)
            positionWeeks = { 0, 1, 2, 3, 4 };
        else if (position >= 1 && position <= 4)
            positionWeeks = { position - 1 };
        else if (position == -1)
            positionWeeks = { 4 };
        else
            return false;
        for (const int week : positionWeeks) {
            pairs.emplace(week, weekday);
            weeks.insert(week);
        }
        weekdays.insert(weekday);
    }
    if (pairs.empty() || pairs.size() != weeks.size() * weekdays.size())
        return false;
    entry.positionMode = 1;
    entry.weeks = {};
    entry.weekdays = {};
    for (const int week : weeks)
        entry.weeks[static_cast<std::size_t>(week)] = 1;
    for (const int weekday : weekdays)
        entry.weekdays[static_cast<std::size_t>(weekday)] = 1;
    return true;
}

bool SetMonths(const std::vector<short>& byMonth, CKalData& entry)
{
    if (byMonth.empty())
        return true;
    entry.months = {};
    for (const short month : byMonth) {
        if (month < 1 || month > 12) // a leap month of another calendar
            return false;
        entry.months[static_cast<std::size_t>(month - 1)] = 1;
    }
    return true;
}

// A BYMONTHDAY list as the program's day range: one day (the last as -1) or days in a row.
bool SetDayRange(std::vector<short> byMonthDay, CKalData& entry)
{
    std::sort(byMonthDay.begin(), byMonthDay.end());
    if (byMonthDay.size() == 1 && byMonthDay[0] == -1) {
        entry.repeatDayFrom = entry.repeatDayTo = repeat::kLastDayOfMonth;
        return true;
    }
    if (byMonthDay.front() < 1 || byMonthDay.back() > 31
        || byMonthDay.back() - byMonthDay.front() + 1 != static_cast<int>(byMonthDay.size()))
        return false;
    entry.repeatDayFrom = byMonthDay.front();
    entry.repeatDayTo = byMonthDay.back();
    return true;
}

} // namespace

bool IsPlainDailyOrWeekly(const icalrecurrencetype& rule, int firstWeekday)
{
    if (rule.freq != ICAL_DAILY_RECURRENCE && rule.freq != ICAL_WEEKLY_RECURRENCE)
        return false;
    if (!Values(rule.by_second).empty() || !Values(rule.by_minute).empty() || !Values(rule.by_hour).empty()
        || !Values(rule.by_month_day).empty() || !Values(rule.by_year_day).empty() || !Values(rule.by_week_no).empty()
        || !Values(rule.by_month).empty() || !Values(rule.by_set_pos).empty())
        return false;
    const std::vector<short> byDay = Values(rule.by_day);
    if (byDay.empty())
        return true;
    return rule.freq == ICAL_WEEKLY_RECURRENCE && byDay.size() == 1 && icalrecurrencetype_day_position(byDay[0]) == 0
        && static_cast<int>(icalrecurrencetype_day_day_of_week(byDay[0])) - 1 == firstWeekday;
}

bool IsPlainMonthlyOrYearly(const icalrecurrencetype& rule, int firstMonth, int firstDay)
{
    if ((rule.freq != ICAL_MONTHLY_RECURRENCE && rule.freq != ICAL_YEARLY_RECURRENCE) || firstDay < 1
        || !Values(rule.by_second).empty() || !Values(rule.by_minute).empty() || !Values(rule.by_hour).empty()
        || !Values(rule.by_day).empty() || !Values(rule.by_year_day).empty() || !Values(rule.by_week_no).empty()
        || !Values(rule.by_set_pos).empty())
        return false;
    const std::vector<short> byMonthDay = Values(rule.by_month_day);
    const std::vector<short> byMonth = Values(rule.by_month);
    if (!(byMonthDay.empty() || (byMonthDay.size() == 1 && byMonthDay[0] == firstDay)))
        return false;
    if (rule.freq == ICAL_MONTHLY_RECURRENCE)
        return byMonth.empty() && firstDay <= 28;
    return (byMonth.empty() || (byMonth.size() == 1 && byMonth[0] == firstMonth))
        && firstDay <= (firstMonth == 2 ? 28 : DaysInMonth(2001, firstMonth));
}

bool RuleFromRecurrence(const icalrecurrencetype& rule, CDTime first, CKalData& entry)
{
    if (!Values(rule.by_year_day).empty() || !Values(rule.by_week_no).empty() || !Values(rule.by_set_pos).empty()
        || Values(rule.by_second).size() > 1 || Values(rule.by_minute).size() > 1 || Values(rule.by_hour).size() > 1)
        return false;
    const LocalFields day = first.Fields();
    const std::vector<short> byDay = Values(rule.by_day);
    const std::vector<short> byMonthDay = Values(rule.by_month_day);
    const std::vector<short> byMonth = Values(rule.by_month);
    entry.interval = std::clamp<int>(rule.interval, 1, repeat::kMaxInterval);
    entry.positionMode = 0;
    entry.repeatDayFrom = entry.repeatDayTo = day.day;
    const bool everyWeekOfEveryMonth = byDay.size() > 0 && rule.interval <= 1 && byMonthDay.empty()
        && std::all_of(byDay.begin(), byDay.end(), [](short d) { return icalrecurrencetype_day_position(d) == 0; });
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        if (byDay.empty() && byMonthDay.empty() && byMonth.empty()) {
            entry.repeatType = repeat::kDaily;
            return true;
        }
        if (!everyWeekOfEveryMonth)
            return false;
        entry.repeatType = repeat::kCustom;
        return SetPositions(byDay, entry) && SetMonths(byMonth, entry);
    case ICAL_WEEKLY_RECURRENCE:
        if (!byMonthDay.empty() || !byMonth.empty())
            return false;
        if (byDay.empty()
            || (byDay.size() == 1 && static_cast<int>(icalrecurrencetype_day_day_of_week(byDay[0])) - 1 == day.weekday
                && icalrecurrencetype_day_position(byDay[0]) == 0)) {
            entry.repeatType = repeat::kWeekly;
            return true;
        }
        if (!everyWeekOfEveryMonth)
            return false;
        entry.repeatType = repeat::kCustom;
        return SetPositions(byDay, entry);
    case ICAL_MONTHLY_RECURRENCE:
        // The months of a monthly rule narrowed to some months are the custom rule's, which has no interval.
        entry.repeatType = byMonth.empty() ? repeat::kMonthly : repeat::kCustom;
        if (!byMonth.empty() && (rule.interval > 1 || !SetMonths(byMonth, entry)))
            return false;
        if (!byDay.empty())
            return byMonthDay.empty() && SetPositions(byDay, entry);
        if (byMonthDay.empty())
            return true;
        if (entry.repeatType == repeat::kCustom && byMonthDay.size() > 1)
            return false;
        return SetDayRange(byMonthDay, entry);
    case ICAL_YEARLY_RECURRENCE:
        if (!byDay.empty()) {
            // Weekdays of a year without months name days all over the year: the program has no such rule.
            entry.repeatType = repeat::kYearly;
            return !byMonth.empty() && byMonthDay.empty() && SetPositions(byDay, entry) && SetMonths(byMonth, entry);
        }
        if (byMonth.size() > 1) {
            entry.repeatType = repeat::kCustom;
            return rule.interval <= 1 && byMonthDay.size() <= 1 && SetMonths(byMonth, entry)
                && (byMonthDay.empty() || SetDayRange(byMonthDay, entry));
        }
        entry.repeatType = repeat::kYearly;
        if (byMonth.size() == 1 && byMonth[0] != day.month)
            return false;
        return byMonthDay.empty() || (byMonthDay.size() == 1 && SetDayRange(byMonthDay, entry));
    default:
        return false;
    }
}

} // namespace kal
