#include "store/OccurrenceChange.h"

#include "calendar/CivilDate.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace kal {

namespace {

long long DayOf(CDTime time)
{
    const LocalFields f = time.Fields();
    return DaysFromCivil(f.year, f.month, f.day);
}

// The day `dayNumber` (days since 1970-01-01) at the time of day of `base`.
CDTime OnDay(long long dayNumber, CDTime base)
{
    const CivilDate d = CivilFromDays(dayNumber);
    const LocalFields f = base.Fields();
    return CDTime(static_cast<int>(d.year), static_cast<int>(d.month), static_cast<int>(d.day), f.hour, f.minute, 0);
}

bool DateKeyed(const CKalData& entry)
{
    return entry.repeatType == repeat::kNone || entry.repeatType == repeat::kDaily
        || entry.repeatType == repeat::kWeekly;
}

// The expansion leaves out the end's own day of a daily or weekly rule whose end time comes before its
// start time; ending a part there must keep that reading.
bool EndDayLeftOut(const CKalData& entry)
{
    if ((entry.repeatType != repeat::kDaily && entry.repeatType != repeat::kWeekly) || !entry.Has(flag::kEndTimeSet))
        return false;
    const LocalFields start = entry.start.Fields();
    const LocalFields end = entry.end.Fields();
    return (end.hour * 60 + end.minute) * 60 + end.second < (start.hour * 60 + start.minute) * 60 + start.second;
}

bool ShowsAnyDay(const CKalData& entry, long long first, long long last)
{
    if (last < first)
        return false;
    const CDTime from = OnDay(first, CDTime(1972, 1, 1));
    const CDTime to = OnDay(last, CDTime(1972, 1, 1));
    std::vector<std::uint8_t> marks(static_cast<std::size_t>(OccurrenceDays(from, to)));
    MarkOccurrences(entry, from, to, marks);
    return std::find(marks.begin(), marks.end(), 1) != marks.end();
}

void Copy(CKalData& target, const CKalData& source)
{
    // Assignment, not the copy constructor: a copy made that way would take today's alarm mode.
    target = source;
}

std::unique_ptr<CKalData> NewCopy(const CKalData& source)
{
    auto copy = std::make_unique<CKalData>();
    Copy(*copy, source);
    return copy;
}

} // namespace

void OccurrenceOn(const CKalData& series, CDTime day, CKalData& single)
{
    Copy(single, series);
    const long long date = DayOf(day);
    single.start = OnDay(date, series.start);
    single.end = OnDay(
        date + (OccurrenceEndsNextDay(series) ? 1 : 0), series.Has(flag::kEndTimeSet) ? series.end : series.start);
    const LocalFields f = day.Fields();
    single.repeatType = repeat::kNone;
    single.positionMode = 0;
    single.interval = 1;
    single.repeatDayFrom = single.repeatDayTo = f.day;
    single.weeks = {};
    single.weekdays = {};
    single.months.fill(1);
    single.avoidDays = 0;
    single.exclusions.clear();
}

bool SplitSeries(const CKalData& series, CDTime day, CKalData& before, CKalData& from)
{
    const long long splitDay = DayOf(day);
    const long long firstDay = DayOf(series.start);
    long long fromDay = std::max(splitDay, firstDay);
    if (series.repeatType == repeat::kDaily || series.repeatType == repeat::kWeekly) {
        // The later part keeps the rhythm of the series: it begins on the series' own next date.
        const long long step = std::clamp<long long>(series.interval, 1, repeat::kMaxInterval)
            * (series.repeatType == repeat::kWeekly ? 7 : 1);
        const long long offset = (fromDay - firstDay) % step;
        fromDay += offset == 0 ? 0 : step - offset;
    }
    Copy(from, series);
    from.start = OnDay(fromDay, series.start);

    Copy(before, series);
    before.end = OnDay(EndDayLeftOut(series) ? splitDay : splitDay - 1, series.end);
    return ShowsAnyDay(before, firstDay, splitDay - 1);
}

void ScopeSubject(const CKalData& series, CDTime day, OccurrenceScope scope, CKalData& subject)
{
    switch (scope) {
    case OccurrenceScope::ThisDay:
        OccurrenceOn(series, day, subject);
        return;
    case OccurrenceScope::ThisAndFollowing: {
        CKalData before;
        (void)SplitSeries(series, day, before, subject);
        return;
    }
    case OccurrenceScope::All:
        Copy(subject, series);
        return;
    }
}

StoreOperation OccurrenceOperation(
    const CKalStore& store, int index, CDTime day, OccurrenceScope scope, const CKalData* changed, std::u16string name)
{
    StoreOperation operation(std::move(name));
    const CKalData& series = store.Entry(index);
    switch (scope) {
    case OccurrenceScope::ThisDay: {
        CKalData kept;
        Copy(kept, series);
        ExcludeDay(kept, day);
        operation.Replace(index, kept);
        break;
    }
    case OccurrenceScope::ThisAndFollowing: {
        CKalData before;
        CKalData from;
        if (SplitSeries(series, day, before, from))
            operation.Replace(index, before);
        else
            operation.Remove(index);
        break;
    }
    case OccurrenceScope::All:
        if (changed)
            return std::move(operation.Replace(index, *changed));
        return std::move(operation.Remove(index));
    }
    if (changed)
        operation.Append(NewCopy(*changed));
    return operation;
}

void SeriesMovedBy(const CKalData& series, CDTime from, CDTime to, CKalData& moved)
{
    Copy(moved, series);
    const long long days = DayOf(to) - DayOf(from);
    moved.start = OnDay(DayOf(series.start) + days, series.start);
    // An open-ended series stays open-ended.
    if (series.end.Year() != kLastYear || series.repeatType == repeat::kNone)
        moved.end = OnDay(DayOf(series.end) + days, series.end);
    if (DateKeyed(series))
        return;
    const LocalFields target = to.Fields();
    const LocalFields source = from.Fields();
    if (series.positionMode == 1) {
        // The weekdays turn with the move, and the weeks follow it while both days are in a numbered
        // week; a move into or out of the last week keeps the weeks as they are.
        const int turn = (target.weekday - source.weekday + 7) % 7;
        std::array<std::uint8_t, 7> weekdays {};
        for (int d = 0; d < 7; ++d)
            weekdays[static_cast<std::size_t>((d + turn) % 7)] = series.weekdays[static_cast<std::size_t>(d)];
        moved.weekdays = weekdays;
        const int sourceWeek = (source.day - 1) / 7;
        const int targetWeek = (target.day - 1) / 7;
        if (sourceWeek < 4 && targetWeek < 4 && sourceWeek != targetWeek) {
            std::array<std::uint8_t, 5> weeks {};
            for (int w = 0; w < 4; ++w) {
                const int shifted = w + targetWeek - sourceWeek;
                if (shifted >= 0 && shifted < 4)
                    weeks[static_cast<std::size_t>(shifted)] = series.weeks[static_cast<std::size_t>(w)];
            }
            weeks[4] = series.weeks[4];
            moved.weeks = weeks;
        }
        if (series.repeatType == repeat::kYearly && target.month != source.month) {
            moved.months = {};
            moved.months[static_cast<std::size_t>(target.month - 1)] = 1;
        }
        return;
    }
    if (series.repeatDayFrom != repeat::kLastDayOfMonth) {
        const int length
            = series.repeatDayTo == repeat::kLastDayOfMonth ? 0 : series.repeatDayTo - series.repeatDayFrom;
        moved.repeatDayFrom = target.day;
        moved.repeatDayTo = std::min(target.day + std::max(length, 0), 31);
    } else {
        moved.repeatDayFrom = moved.repeatDayTo = target.day;
    }
}

} // namespace kal
