#include "store/AlarmList.h"

#include "store/EntryText.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <algorithm>

namespace kal {

namespace {

constexpr int kNoAlarm = -1;
// A lead of more than a year is taken as a year: it only widens the days listed.
constexpr std::int64_t kLongestLeadDays = 366;

std::int64_t SecondOfDay(CDTime time)
{
    return time - DateOnly(time);
}

// A to-do's reminder is its deadline; it reminds only while open and only when the deadline has a time.
bool TodoReminds(CKalStore& store, const CKalData& todo)
{
    if (!todo.Has(flag::kStartTimeSet) || todo.Has(flag::kDone) || todo.Has(flag::kNoDeadline)
        || todo.Has(flag::kHidden))
        return false;
    const CKalField* genre = store.GenreAt(todo.genre);
    return !genre || genre->visible != 0;
}

} // namespace

std::vector<Alarm> AlarmsBetween(CKalStore& store, const AlarmListOptions& options, std::int64_t from, std::int64_t to)
{
    std::vector<Alarm> alarms;
    if (to <= from)
        return alarms;
    std::int64_t longestLead = 0; // minutes
    for (int i = 0; i < store.EntryCount(); ++i) {
        const CKalData& entry = store.Entry(i);
        if (!entry.IsTodo() && entry.alarmMinutes != kNoAlarm)
            longestLead = std::max<std::int64_t>(longestLead, entry.alarmMinutes);
    }
    const std::int64_t leadDays = std::min(kLongestLeadDays, (longestLead + 24 * 60 - 1) / (24 * 60));
    // A day's wall clock can be a day away from UTC either way, and a negative lead (after the start)
    // moves the alarm later; a day's margin on both sides covers them.
    const CDTime first = DateOnly(CDTime::FromInstant(from)) - CDTime::kDay;
    const CDTime last = DateOnly(CDTime::FromInstant(to)) + (leadDays + 1) * CDTime::kDay;
    const auto keep = [&](Alarm alarm) {
        if (alarm.due >= from && alarm.due < to)
            alarms.push_back(alarm);
    };

    DayListingOptions listingOptions = options.listing;
    listingOptions.todoPos = 1; // to-dos are taken below, on their deadlines
    DayListing listing(&store, listingOptions);
    listing.ForEachInPeriod(first, last, DayListing::Generated::Without, [&](CDTime day, const CKalData& entry) {
        if (entry.IsTodo() || entry.alarmMinutes == kNoAlarm)
            return;
        const bool timed = entry.Has(flag::kStartTimeSet);
        if (entry.IsHoliday() && !timed)
            return;
        // An entry over several days shows on each of them but starts on the first.
        if (entry.repeatType == repeat::kNone && day != DateOnly(entry.start))
            return;
        Alarm alarm { &entry, day, day, timed, 0 };
        if (timed) {
            alarm.start = day + SecondOfDay(entry.start);
            alarm.due = alarm.start.Instant() - std::int64_t { entry.alarmMinutes } * 60;
        } else {
            alarm.due = (day + std::int64_t { options.untimedMinute } * 60).Instant();
        }
        keep(alarm);
    });
    for (int i = 0; i < store.EntryCount(); ++i) {
        const CKalData& todo = store.Entry(i);
        if (todo.IsTodo() && TodoReminds(store, todo))
            keep(Alarm { &todo, DateOnly(todo.start), todo.start, true, todo.start.Instant() });
    }
    // Stable: alarms due together keep the order their day lists them in.
    std::stable_sort(alarms.begin(), alarms.end(), [](const Alarm& a, const Alarm& b) { return a.due < b.due; });
    return alarms;
}

std::u16string AlarmSummary(const Alarm& alarm)
{
    return TimeText(*alarm.entry, alarm.day, TimeMode::StartAndEnd) + alarm.entry->text;
}

std::uint64_t AlarmKey(const Alarm& alarm)
{
    // FNV-1a over the fields that make a reminder what it is.
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&](std::uint64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash ^= (value >> (8 * i)) & 0xFF;
            hash *= 1099511628211ull;
        }
    };
    mix(alarm.day.Seconds());
    mix(alarm.start.Seconds());
    mix(static_cast<std::uint64_t>(alarm.due));
    for (const std::u16string* text : { &alarm.entry->text, &alarm.entry->place }) {
        mix(text->size());
        for (char16_t c : *text)
            mix(c);
    }
    return hash;
}

} // namespace kal
