#include "calstore/IcalEvents.h"

#include "calstore/IcalImport.h"
#include "calstore/IcalRuleImport.h"
#include "store/RepeatExpansion.h"

#include <libical/ical.h>

#include <algorithm>
#include <limits>

namespace kal {

namespace {

// The iterator's steps per rule: enough to walk a daily rule from the nineteenth century to 2036.
constexpr int kMaxSteps = 200000;
// Occurrences kept to compare a rule with the program's: more than the days from 1972 to 2036.
constexpr std::size_t kMaxCompared = 25000;

CDTime FirstMoment()
{
    return CDTime(kFirstYear, 1, 1);
}

CDTime LastMoment()
{
    return CDTime(kLastYear, 12, 31, 23, 59, 59);
}

CDTime LastDay()
{
    return CDTime(kLastYear, 12, 31);
}

bool InRange(CDTime time)
{
    return time >= FirstMoment() && time <= LastMoment();
}

std::int64_t TimeOfDay(CDTime time)
{
    return time - DateOnly(time);
}

CDTime AddDays(CDTime time, long long days)
{
    const LocalFields f = time.Fields();
    return CDTime(f.year, f.month, f.day + static_cast<int>(days), f.hour, f.minute, f.second);
}

struct Moment {
    CDTime time;
    bool isDate = false;
};

// A value on the machine's wall clock, seconds dropped as the schedule file drops them. Nothing for a
// value before 1971 or after 2100, which CDTime cannot hold wherever the machine is.
std::optional<Moment> WallClock(const icaltimetype& value, icaltimezone* zone)
{
    if (icaltime_is_null_time(value) || value.year < kFirstYear - 1 || value.year > 2100 || value.month < 1
        || value.month > 12 || value.day < 1 || value.day > 31)
        return std::nullopt;
    if (value.is_date)
        return Moment { CDTime(value.year, value.month, value.day), true };
    CDTime time = zone ? CDTime::FromInstant(icaltime_as_timet_with_zone(value, zone))
                       : CDTime(value.year, value.month, value.day, value.hour, value.minute, value.second);
    return Moment { time - time.Second(), false };
}

// A value in the zone it was written in, as seconds that differ as the values do: real seconds in a
// zone, wall-clock seconds for a floating value.
std::int64_t Seconds(const icaltimetype& value, icaltimezone* zone)
{
    return zone ? static_cast<std::int64_t>(icaltime_as_timet_with_zone(value, zone))
                : static_cast<std::int64_t>(icaltime_as_timet(value));
}

// Where an event starts and how long it lasts, as written.
struct EventTimes {
    icaltimetype start = icaltime_null_time();
    icaltimezone* zone = nullptr;
    bool isDate = false;
    std::int64_t length = 0; // whole days for a date, else seconds (see Seconds)
};

EventTimes TimesOf(IcalReading& reading, icalcomponent* component, icalproperty* startProperty)
{
    EventTimes times;
    times.start = icalproperty_get_dtstart(startProperty);
    times.isDate = times.start.is_date != 0;
    times.zone = reading.zones.Of(startProperty);
    std::optional<std::int64_t> seconds;
    if (icalproperty* end = icalcomponent_get_first_property(component, ICAL_DTEND_PROPERTY)) {
        const icaltimetype value = icalproperty_get_dtend(end);
        if (!icaltime_is_null_time(value) && (value.is_date != 0) == times.isDate) {
            icaltimezone* zone = reading.zones.Of(end);
            // A floating end beside a zoned start is read in the start's zone, and the other way round.
            seconds = Seconds(value, zone ? zone : times.zone) - Seconds(times.start, times.zone ? times.zone : zone);
        }
    } else if (icalproperty* duration = icalcomponent_get_first_property(component, ICAL_DURATION_PROPERTY)) {
        seconds = icaldurationtype_as_int(icalproperty_get_duration(duration));
    }
    constexpr std::int64_t kLongest = std::int64_t { 366 } * 100 * CDTime::kDay;
    const std::int64_t length = std::clamp<std::int64_t>(seconds.value_or(0), 0, kLongest);
    times.length = times.isDate ? std::max<std::int64_t>(length / CDTime::kDay, 1) : length;
    return times;
}

struct Occurrence {
    CDTime start;
    CDTime end; // the last day for an all-day occurrence
};

std::optional<Occurrence> OccurrenceAt(const EventTimes& times, const icaltimetype& value)
{
    const auto start = WallClock(value, times.zone);
    if (!start)
        return std::nullopt;
    if (times.isDate)
        return Occurrence { start->time, std::min(AddDays(start->time, times.length - 1), LastDay()) };
    CDTime end = times.zone ? CDTime::FromInstant(icaltime_as_timet_with_zone(value, times.zone) + times.length)
                            : start->time + times.length;
    end = std::clamp(end - end.Second(), start->time, CDTime(kLastYear, 12, 31, 23, 59));
    return Occurrence { start->time, end };
}

std::unique_ptr<CKalData> EntryWith(const CKalData& fields)
{
    auto entry = std::make_unique<CKalData>();
    *entry = fields; // the copy constructor would put the settings' alarm mode in place of the entry's
    return entry;
}

void AddSingle(
    IcalComponentEntries& result, const CKalData& fields, const Occurrence& occurrence, bool isDate, IcalEntryKind kind)
{
    auto entry = EntryWith(fields);
    entry->repeatType = repeat::kNone;
    entry->start = occurrence.start;
    entry->Set(flag::kStartTimeSet, !isDate);
    const CDTime end = std::max(occurrence.end, occurrence.start);
    if (kind != IcalEntryKind::Single && !isDate && DateOnly(end) == AddDays(DateOnly(occurrence.start), 1)
        && end - DateOnly(end) < occurrence.start - DateOnly(occurrence.start)) {
        // An occurrence of a series that runs past midnight shows on its first day only, as the
        // series shows it; an entry of its own would show on the next day too. A repetition of that
        // one day says it.
        entry->repeatType = repeat::kDaily;
        entry->interval = 1;
        entry->avoidDays = 0;
        entry->exclusions.clear();
        // The repetition ends as the occurrence does, the next day.
        entry->end = end;
        entry->Set(flag::kEndTimeSet, true);
    } else if (isDate || (end != occurrence.start && (end.Hour() != 0 || end.Minute() != 0))) {
        entry->end = end;
        entry->Set(flag::kEndTimeSet, !isDate);
    } else {
        // Without an end time, as the entry dialog makes such entries: the end's date alone. An event
        // that ends at midnight does not reach into the day it ends on.
        const CDTime endDay = DateOnly(end);
        entry->end = endDay > DateOnly(occurrence.start) && end != occurrence.start ? AddDays(endDay, -1) : endDay;
        entry->Set(flag::kEndTimeSet, false);
    }
    result.entries.push_back(IcalEntry { std::move(entry), kind });
}

// Sets the start and end of a repeating entry whose first occurrence begins at `first` and whose
// occurrences last `length` wall-clock seconds (a whole day for all-day ones) up to `lastDay`. False
// when an occurrence runs longer than the program's repeating entries can: past a day, or past the
// next day's start time.
bool SetSeriesTimes(CKalData& entry, CDTime first, CDTime lastDay, std::int64_t length, bool isDate)
{
    const LocalFields last = lastDay.Fields();
    entry.Set(flag::kStartTimeSet, !isDate);
    entry.Set(flag::kEndTimeSet, false);
    entry.start = first;
    if (isDate) {
        entry.end = DateOnly(lastDay);
        return length == CDTime::kDay;
    }
    const CDTime endMoment = first + length;
    const int days = DaysBetween(first, endMoment);
    const bool overnight = days == 1 && TimeOfDay(endMoment) < TimeOfDay(first);
    if (length == 0) {
        entry.end = ComposeDate(last.year, last.month, last.day, first);
        return true;
    }
    if (days != 0 && !overnight)
        return false;
    entry.Set(flag::kEndTimeSet, true);
    // A daily or weekly entry whose end time comes before its start time ends on the day after its last
    // occurrence; the other rules end on the last occurrence's day.
    const bool nextDay = overnight && (entry.repeatType == repeat::kDaily || entry.repeatType == repeat::kWeekly);
    entry.end = ComposeDate(last.year, last.month, last.day + (nextDay ? 1 : 0), endMoment);
    return true;
}

bool Excluded(const std::vector<Moment>& exclusions, CDTime start, bool isDate)
{
    return std::any_of(exclusions.begin(), exclusions.end(),
        [&](const Moment& x) { return (x.isDate || isDate) ? DateOnly(x.time) == DateOnly(start) : x.time == start; });
}

void ExcludeOnce(CKalData& entry, CDTime day)
{
    const LocalFields f = day.Fields();
    const ExclusionPeriod period { f.year, f.month, f.day, f.year, f.month, f.day };
    if (std::find(entry.exclusions.begin(), entry.exclusions.end(), period) == entry.exclusions.end())
        entry.exclusions.push_back(period);
}

void AddSeries(IcalComponentEntries& result, std::unique_ptr<CKalData> entry)
{
    const IcalEntryKind kind = entry->exclusions.empty() ? IcalEntryKind::Series : IcalEntryKind::SeriesWithExclusions;
    result.entries.push_back(IcalEntry { std::move(entry), kind });
}

// A daily or weekly rule in wall-clock time: its days follow from its first day, its step and its end,
// so a file of many such rules is read without walking each one.
bool PlainSeries(IcalComponentEntries& result, const CKalData& fields, const EventTimes& times,
    const icalrecurrencetype& rule, const std::vector<Moment>& exclusions)
{
    const auto written = WallClock(times.start, nullptr);
    if (!written || times.zone || (!icaltime_is_null_time(rule.until) && icaltime_is_utc(rule.until)))
        return false;
    const long long step
        = std::clamp<long long>(rule.interval, 1, repeat::kMaxInterval) * (rule.freq == ICAL_WEEKLY_RECURRENCE ? 7 : 1);
    CDTime first = written->time;
    long long count = rule.count > 0 ? rule.count : std::numeric_limits<long long>::max();
    if (first < FirstMoment()) {
        const long long steps = (DaysBetween(first, FirstMoment()) + step - 1) / step;
        first = AddDays(first, steps * step);
        count -= steps;
    }
    CDTime limit = LastDay();
    if (rule.count > 0 && count > 0 && count <= (DaysBetween(first, limit) / step) + 1)
        limit = AddDays(DateOnly(first), (count - 1) * step);
    if (!icaltime_is_null_time(rule.until)) {
        const auto until = WallClock(rule.until, nullptr);
        if (!until && rule.until.year < kFirstYear)
            count = 0;
        if (until) {
            CDTime untilDay = DateOnly(until->time);
            if (!until->isDate && !times.isDate && TimeOfDay(first) > TimeOfDay(until->time))
                untilDay = AddDays(untilDay, -1);
            limit = std::min(limit, untilDay);
        }
    }
    if (count <= 0 || DateOnly(first) > limit) {
        ++result.skipped;
        return true;
    }
    const CDTime lastDay = AddDays(DateOnly(first), DaysBetween(first, limit) / step * step);
    auto entry = EntryWith(fields);
    if (!RuleFromRecurrence(rule, first, *entry)
        || !SetSeriesTimes(
            *entry, first, lastDay, times.isDate ? times.length * CDTime::kDay : times.length, times.isDate))
        return false;
    for (const Moment& x : exclusions) {
        const CDTime day = DateOnly(x.time);
        if (day >= DateOnly(first) && day <= lastDay && DaysBetween(first, day) % step == 0
            && (x.isDate || times.isDate || TimeOfDay(x.time) == TimeOfDay(first)))
            ExcludeOnce(*entry, day);
    }
    AddSeries(result, std::move(entry));
    return true;
}

// The occurrences the rules give from 1972 to 2036 in order, at most kMaxCompared of them; `beyond`
// counts the rest. False when a rule could not be walked to its end.
bool Occurrences(const EventTimes& times, const std::vector<icalrecurrencetype>& rules, std::vector<Occurrence>& found,
    long long& beyond)
{
    bool complete = true;
    for (icalrecurrencetype rule : rules) {
        // libical compares UNTIL with the occurrences' fields as written: a UTC UNTIL beside a start in
        // a zone is the moment it names, shown in that zone.
        if (times.zone && !icaltime_is_null_time(rule.until) && icaltime_is_utc(rule.until) && !times.isDate) {
            rule.until = icaltime_convert_to_zone(rule.until, times.zone);
            rule.until.zone = nullptr;
        }
        icalrecur_iterator* iterator = icalrecur_iterator_new(rule, times.start);
        if (!iterator)
            return false;
        // A rule counted from its start must be walked from there; any other may begin just before the
        // calendar's first year, however long ago it started.
        if (rule.count <= 0 && times.start.year < kFirstYear - 1) {
            icaltimetype from = times.start;
            from.year = kFirstYear - 1;
            from.month = from.day = 1;
            (void)icalrecur_iterator_set_start(iterator, from);
        }
        for (int step = 0;; ++step) {
            if (step == kMaxSteps) {
                complete = false;
                break;
            }
            const icaltimetype value = icalrecur_iterator_next(iterator);
            if (icaltime_is_null_time(value) || value.year > kLastYear + 1)
                break;
            const auto occurrence = OccurrenceAt(times, value);
            if (!occurrence || occurrence->start < FirstMoment())
                continue;
            if (occurrence->start > LastMoment())
                break;
            if (found.size() < kMaxCompared)
                found.push_back(*occurrence);
            else
                ++beyond;
        }
        icalrecur_iterator_free(iterator);
    }
    std::sort(found.begin(), found.end(), [](const Occurrence& a, const Occurrence& b) { return a.start < b.start; });
    found.erase(std::unique(found.begin(), found.end(),
                    [](const Occurrence& a, const Occurrence& b) { return a.start == b.start; }),
        found.end());
    return complete;
}

// The occurrences from 1972 to 2036 of a rule IsPlainMonthlyOrYearly accepts, at the start's time.
// False when its end is not one to be compared as written.
bool PlainOccurrences(const EventTimes& times, const icalrecurrencetype& rule, std::vector<Occurrence>& found)
{
    if (times.zone || (!icaltime_is_null_time(rule.until) && icaltime_is_utc(rule.until)))
        return false;
    const long long months = std::clamp<long long>(rule.interval, 1, repeat::kMaxInterval)
        * (rule.freq == ICAL_YEARLY_RECURRENCE ? 12 : 1);
    const long long first = static_cast<long long>(times.start.year) * 12 + times.start.month - 1;
    for (long long k = 0; rule.count <= 0 || k < rule.count; ++k) {
        const long long index = first + k * months;
        icaltimetype value = times.start;
        value.year = static_cast<int>(index / 12);
        value.month = static_cast<int>(index % 12 + 1);
        if (value.year > kLastYear)
            break;
        if (!icaltime_is_null_time(rule.until)
            && (rule.until.is_date || value.is_date ? icaltime_compare_date_only(value, rule.until)
                                                    : icaltime_compare(value, rule.until))
                > 0)
            break;
        if (value.year < kFirstYear)
            continue;
        if (const auto occurrence = OccurrenceAt(times, value))
            found.push_back(*occurrence);
    }
    return true;
}

// The program's rule that shows on exactly the days of `found`, each at the same time for the same
// length; nothing when no rule of the program does.
std::unique_ptr<CKalData> SeriesOf(const CKalData& fields, const EventTimes& times, const icalrecurrencetype& rule,
    const std::vector<Occurrence>& found)
{
    const Occurrence& first = found.front();
    const std::int64_t length = first.end - first.start;
    for (std::size_t i = 1; i < found.size(); ++i) {
        if (found[i].end - found[i].start != length || TimeOfDay(found[i].start) != TimeOfDay(first.start)
            || DateOnly(found[i].start) == DateOnly(found[i - 1].start))
            return nullptr;
    }
    auto entry = EntryWith(fields);
    if (!RuleFromRecurrence(rule, first.start, *entry)
        || !SetSeriesTimes(*entry, first.start, DateOnly(found.back().start),
            times.isDate ? length + CDTime::kDay : length, times.isDate))
        return nullptr;
    std::vector<std::uint8_t> marks(static_cast<std::size_t>(OccurrenceDays(first.start, LastDay())));
    MarkOccurrences(*entry, DateOnly(first.start), LastDay(), marks);
    std::vector<std::uint8_t> expected(marks.size());
    for (const Occurrence& occurrence : found)
        expected[static_cast<std::size_t>(DaysBetween(first.start, occurrence.start))] = 1;
    return marks == expected ? std::move(entry) : nullptr;
}

void RepeatingEvent(IcalComponentEntries& result, const CKalData& fields, const EventTimes& times,
    const std::vector<icalrecurrencetype>& rules, const std::vector<Moment>& exclusions)
{
    const int weekday = WeekdayOf(times.start.year, times.start.month, times.start.day);
    if (rules.size() == 1 && times.start.year >= kFirstYear - 1 && IsPlainDailyOrWeekly(rules[0], weekday)
        && PlainSeries(result, fields, times, rules[0], exclusions))
        return;
    std::vector<Occurrence> found;
    long long beyond = 0;
    const bool plain = rules.size() == 1 && IsPlainMonthlyOrYearly(rules[0], times.start.month, times.start.day)
        && PlainOccurrences(times, rules[0], found);
    const bool complete = plain || Occurrences(times, rules, found, beyond);
    if (found.empty()) {
        ++result.skipped;
        return;
    }
    if (rules.size() == 1 && complete && beyond == 0) {
        if (auto series = SeriesOf(fields, times, rules[0], found)) {
            for (const Occurrence& occurrence : found) {
                if (Excluded(exclusions, occurrence.start, times.isDate))
                    ExcludeOnce(*series, occurrence.start);
            }
            AddSeries(result, std::move(series));
            return;
        }
    }
    int added = 0;
    for (const Occurrence& occurrence : found) {
        if (Excluded(exclusions, occurrence.start, times.isDate))
            continue;
        if (added == kMaxIcalOccurrences) {
            ++result.skipped;
            continue;
        }
        AddSingle(result, fields, occurrence, times.isDate, IcalEntryKind::Expanded);
        ++added;
    }
    result.skipped += static_cast<int>(std::min<long long>(beyond, std::numeric_limits<int>::max() / 2));
    if (!complete)
        ++result.skipped;
}

std::optional<Moment> PropertyMoment(IcalReading& reading, icalproperty* property, const icaltimetype& value)
{
    return WallClock(value, reading.zones.Of(property));
}

void ReadEvent(IcalReading& reading, icalcomponent* component, std::span<icalcomponent* const> overrides,
    IcalComponentEntries& result)
{
    icalproperty* startProperty = icalcomponent_get_first_property(component, ICAL_DTSTART_PROPERTY);
    if (!startProperty || icaltime_is_null_time(icalproperty_get_dtstart(startProperty))
        || icalcomponent_get_status(component) == ICAL_STATUS_CANCELLED) {
        ++result.skipped;
        return;
    }
    const EventTimes times = TimesOf(reading, component, startProperty);
    const std::unique_ptr<CKalData> read = ReadIcalFields(reading, component, false);
    const CKalData& fields = *read;
    std::vector<icalrecurrencetype> rules;
    for (icalproperty* rule = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY); rule;
         rule = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype value = icalproperty_get_rrule(rule);
        if (value.freq != ICAL_NO_RECURRENCE)
            rules.push_back(value);
    }
    std::vector<Moment> exclusions;
    for (icalproperty* exclusion = icalcomponent_get_first_property(component, ICAL_EXDATE_PROPERTY); exclusion;
         exclusion = icalcomponent_get_next_property(component, ICAL_EXDATE_PROPERTY)) {
        if (const auto moment = PropertyMoment(reading, exclusion, icalproperty_get_exdate(exclusion)))
            exclusions.push_back(*moment);
    }
    for (icalcomponent* moved : overrides) {
        icalproperty* id = icalcomponent_get_first_property(moved, ICAL_RECURRENCEID_PROPERTY);
        if (const auto moment = PropertyMoment(reading, id, icalproperty_get_recurrenceid(id)))
            exclusions.push_back(*moment);
    }
    if (rules.empty()) {
        const auto occurrence = OccurrenceAt(times, times.start);
        if (!occurrence || !InRange(occurrence->start))
            ++result.skipped;
        else if (!Excluded(exclusions, occurrence->start, times.isDate))
            AddSingle(result, fields, *occurrence, times.isDate,
                icalcomponent_get_first_property(component, ICAL_RDATE_PROPERTY) ? IcalEntryKind::Override
                                                                                 : IcalEntryKind::Single);
    } else {
        RepeatingEvent(result, fields, times, rules, exclusions);
    }
    // Extra dates and moved occurrences become entries of their own beside the series.
    for (icalproperty* extra = icalcomponent_get_first_property(component, ICAL_RDATE_PROPERTY); extra;
         extra = icalcomponent_get_next_property(component, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(extra);
        const icaltimetype start = icaltime_is_null_time(value.time) ? value.period.start : value.time;
        const auto moment = PropertyMoment(reading, extra, start);
        if (!moment || moment->isDate != times.isDate) {
            ++result.skipped;
            continue;
        }
        EventTimes at = times;
        at.zone = reading.zones.Of(extra);
        const auto occurrence = OccurrenceAt(at, start);
        if (!occurrence || !InRange(occurrence->start))
            ++result.skipped;
        else if (!Excluded(exclusions, occurrence->start, times.isDate))
            AddSingle(result, fields, *occurrence, times.isDate, IcalEntryKind::Override);
    }
    for (icalcomponent* moved : overrides) {
        if (icalcomponent_get_status(moved) == ICAL_STATUS_CANCELLED)
            continue;
        icalproperty* movedStart = icalcomponent_get_first_property(moved, ICAL_DTSTART_PROPERTY);
        if (!movedStart) {
            ++result.skipped;
            continue;
        }
        const EventTimes movedTimes = TimesOf(reading, moved, movedStart);
        const auto occurrence = OccurrenceAt(movedTimes, movedTimes.start);
        if (!occurrence || !InRange(occurrence->start))
            ++result.skipped;
        else
            AddSingle(result, *ReadIcalFields(reading, moved, false), *occurrence, movedTimes.isDate,
                IcalEntryKind::Override);
    }
}

void ReadTodo(IcalReading& reading, icalcomponent* component, IcalComponentEntries& result)
{
    auto entry = ReadIcalFields(reading, component, true);
    if (icalproperty* due = icalcomponent_get_first_property(component, ICAL_DUE_PROPERTY)) {
        const auto deadline = PropertyMoment(reading, due, icalproperty_get_due(due));
        if (!deadline || !InRange(deadline->time)) {
            ++result.skipped;
            return;
        }
        entry->start = deadline->time;
        entry->Set(flag::kStartTimeSet, !deadline->isDate);
    } else {
        icalproperty* start = icalcomponent_get_first_property(component, ICAL_DTSTART_PROPERTY);
        const auto entered = start ? PropertyMoment(reading, start, icalproperty_get_dtstart(start)) : std::nullopt;
        entry->start = entered && InRange(entered->time) ? DateOnly(entered->time) : DateOnly(reading.today);
        entry->Set(flag::kNoDeadline, true);
    }
    entry->end = entry->start;
    icalproperty* completed = icalcomponent_get_first_property(component, ICAL_COMPLETED_PROPERTY);
    if (completed || icalcomponent_get_status(component) == ICAL_STATUS_COMPLETED) {
        entry->Set(flag::kDone, true);
        const auto when
            = completed ? PropertyMoment(reading, completed, icalproperty_get_completed(completed)) : std::nullopt;
        if (when && InRange(when->time))
            entry->end = when->time;
    }
    result.entries.push_back(IcalEntry { std::move(entry), IcalEntryKind::Todo });
}

} // namespace

IcalComponentEntries ReadIcalComponent(
    IcalReading& reading, icalcomponent* component, std::span<icalcomponent* const> overrides)
{
    IcalComponentEntries result;
    if (overrides.empty()) {
        if (auto restored = RestoredIcalEntry(component)) {
            result.entries.push_back(IcalEntry { std::move(restored), IcalEntryKind::Restored });
            return result;
        }
    }
    if (icalcomponent_isa(component) == ICAL_VTODO_COMPONENT)
        ReadTodo(reading, component, result);
    else
        ReadEvent(reading, component, overrides, result);
    return result;
}

} // namespace kal
