#include "store/DayListing.h"

#include "calendar/CivilDate.h"
#include "store/GeneratedHolidays.h"
#include "store/KalData.h"
#include "store/KalStore.h"

#include <algorithm>
#include <span>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kal {

namespace {

constexpr std::uint8_t kGenreUnknown = 2; // not looked at yet in this listing
// Enough days for a month view of any month, whichever weekday it starts on.
constexpr int kMonthViewDays = 6 * 7;

// Whether `now` (`today` its fields) has reached the moment a to-do starts showing:
// `showDaysBefore` calendar days before its deadline, at the deadline's time of day.
bool ShowingBefore(const CKalData& todo, CDTime now, const LocalFields& today)
{
    constexpr long long kFarBack = 1000000; // more days than the calendar holds
    const long long daysBefore = std::clamp<long long>(todo.showDaysBefore, 0, kFarBack);
    // Days away from now by the clock, the answer needs no calendar; a clock change moves it by hours.
    constexpr std::int64_t kMargin = 2 * CDTime::kDay;
    const std::int64_t moment = std::int64_t { todo.start.Seconds() } - daysBefore * CDTime::kDay;
    if (moment > std::int64_t { now.Seconds() } + kMargin)
        return false;
    if (moment < std::int64_t { now.Seconds() } - kMargin)
        return true;
    const LocalFields deadline = todo.start.Fields();
    const long long from = DaysFromCivil(deadline.year, deadline.month, deadline.day) - daysBefore;
    const long long day = DaysFromCivil(today.year, today.month, today.day);
    if (from != day)
        return from < day;
    const auto secondOfDay = [](const LocalFields& f) { return (f.hour * 60 + f.minute) * 60 + f.second; };
    return secondOfDay(deadline) < secondOfDay(today);
}

// Calls `visit` with the index of every set mark from 0 to `last`, looking at sixteen marks at a time
// where the processor can: most of a month's marks are clear.
template <class Visit> void ForEachMarked(std::span<const std::uint8_t> marks, int last, Visit visit)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i clear = _mm_setzero_si128();
    for (; i + 16 <= last + 1; i += 16) {
        const __m128i group = _mm_loadu_si128(reinterpret_cast<const __m128i*>(marks.data() + i));
        auto set = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(group, clear))) ^ 0xFFFFu;
        for (; set != 0; set &= set - 1)
            visit(i + __builtin_ctz(set));
    }
#endif
    for (; i <= last; ++i) {
        if (marks[static_cast<std::size_t>(i)])
            visit(i);
    }
}

} // namespace

bool ListedDay::HasHoliday() const
{
    return std::any_of(entries.begin(), entries.end(), [](const CKalData* entry) { return entry->IsHoliday(); });
}

void ListedDay::Clear()
{
    entries.clear();
    sortKeys.clear();
    untimedCount = 0;
    irregularOrder = false;
}

DayListing::DayListing(CKalStore* store, DayListingOptions options)
    : store_(store)
    , options_(options)
{
}

DayListing::~DayListing() = default;

CDTime DayListing::MonthViewStart(YearMonth month, bool mondayFirst)
{
    const int weekday = WeekdayOf(month.year, month.month, 1);
    const int back = mondayFirst ? (weekday == 0 ? 6 : weekday - 1) : weekday;
    return CDTime(month.year, month.month, 1 - back);
}

void DayListing::ListMonthView(std::vector<ListedDay>& days, CDTime first, int count)
{
    generated_.clear();
    List(days, first, count);
    if (store_)
        GenerateHolidays(*this, days, first, count);
}

void DayListing::List(std::vector<ListedDay>& days, CDTime first, int count)
{
    const LocalFields firstDay = first.Fields();
    const int listed = std::min(count + 1, static_cast<int>(days.size()));
    std::vector<LocalFields> fields(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i < listed; ++i) {
        ListedDay& day = days[static_cast<std::size_t>(i)];
        day.Clear();
        day.date = CDTime(firstDay.year, firstDay.month, firstDay.day + i);
        fields[static_cast<std::size_t>(i)] = day.date.Fields();
    }
    if (!store_)
        return;
    const CDTime now = CDTime::Now();
    if (marks_.size() < static_cast<std::size_t>(count) + 3)
        marks_.resize(static_cast<std::size_t>(count) + 3);
    // Two days past the span: an occurrence there that avoids a weekend may move back into it.
    const CDTime to = CDTime(firstDay.year, firstDay.month, firstDay.day + count + 2);
    const PlaceContext context { OccurrenceSpan(first, to), now, now.Fields(), DaysBetween(first, DateOnly(now)) };
    genreShown_.assign(static_cast<std::size_t>(store_->genres.Count()), kGenreUnknown);
    order_.Begin(static_cast<std::size_t>(listed), options_.sortByTime);
    const auto& entries = store_->entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // Most entries are only glanced at: the ones a few ahead are asked for while this one is.
        constexpr std::size_t kAhead = 8;
        if (i + kAhead < entries.size())
            __builtin_prefetch(entries[i + kAhead].get());
        CKalData& entry = *entries[i];
        // The genre first: an unknown one grows the list whether or not the entry shows in the span.
        const auto genre = static_cast<std::size_t>(entry.genre);
        const bool shown = entry.genre >= 0 && genre < genreShown_.size() && genreShown_[genre] != kGenreUnknown
            ? genreShown_[genre] != 0
            : GenreShown(entry);
        // Most schedules of a long-kept file lie wholly before or after the span.
        if (shown && (entry.IsTodo() || MayOccur(entry, context.span.from, context.span.to)))
            PlaceEntry(days, fields, count, entry, static_cast<std::uint32_t>(i), context);
    }
    order_.Finish(days);
}

bool DayListing::GenreShown(CKalData& entry)
{
    const auto index = static_cast<std::size_t>(entry.genre);
    if (entry.genre >= 0 && index < genreShown_.size() && genreShown_[index] != kGenreUnknown)
        return genreShown_[index] != 0;
    if (!store_->genres.At(entry.genre)) {
        // An entry of a genre the file does not have: the list grows to it and the entry shows.
        // One far beyond the list belongs to the general genre instead.
        if (!store_->genres.FillUpTo(entry.genre))
            entry.genre = 0;
        genreShown_.resize(static_cast<std::size_t>(store_->genres.Count()), kGenreUnknown);
        return true;
    }
    const bool shown = store_->genres.At(entry.genre)->visible != 0;
    genreShown_[index] = shown ? 1 : 0;
    return shown;
}

void DayListing::PlaceEntry(std::vector<ListedDay>& days, const std::vector<LocalFields>& fields, int count,
    CKalData& entry, std::uint32_t arrival, const PlaceContext& context)
{
    const OccurrenceSpan& span = context.span;
    // The day of a moment's date; a moment days away from the span is passed over without the calendar.
    const auto dayOf = [&](CDTime time) {
        constexpr std::int64_t kMargin = 2 * CDTime::kDay;
        if (time.Seconds() + kMargin < span.from.Seconds() || time.Seconds() > span.to.Seconds() + kMargin)
            return -1;
        const LocalFields date = time.Fields();
        return static_cast<int>(DaysFromCivil(date.year, date.month, date.day) - span.firstDay);
    };
    // The days are put in order once everything is placed.
    const auto append = [&](int index, const LocalFields& start, const LocalFields& end) {
        order_.AddSingle(static_cast<std::size_t>(index), &entry, arrival,
            TimeSortKey(entry, start, end, fields[static_cast<std::size_t>(index)]));
    };
    if (entry.IsTodo()) {
        if (entry.Has(flag::kHidden))
            return;
        int index;
        if (entry.Has(flag::kDone))
            index = dayOf(entry.end);
        else if (entry.showDaysBefore == -1 || options_.todoViewAll)
            index = options_.todoPos == 1 ? dayOf(entry.start) : context.todayIndex;
        else if (context.todayIndex >= 0 && context.todayIndex < count
            && ShowingBefore(entry, context.now, context.today))
            index = context.todayIndex; // asked only when today is listed: the deadline's date costs
        else
            return;
        if (index >= 0 && index < count)
            append(index, entry.start.Fields(), entry.end.Fields());
        return;
    }
    if (!MayOccur(entry, span.from, span.to))
        return;
    const std::span<std::uint8_t> marks = std::span(marks_).first(static_cast<std::size_t>(count) + 3);
    LocalFields start;
    LocalFields end;
    if (!MarkOccurrences(entry, span, marks, start, end))
        return;
    const int last = std::min(count, static_cast<int>(days.size()) - 1);
    if (entry.repeatType == repeat::kNone) {
        ForEachMarked(marks, last, [&](int i) { append(i, start, end); });
        return;
    }
    // A repeating entry shows the same times on every day: one key for all its days.
    order_.AddRepeating(&entry, arrival, TimeSortKey(entry, start, end, start));
    ForEachMarked(marks, last, [&](int i) { order_.PlaceRepeating(static_cast<std::size_t>(i)); });
}

void DayListing::ForEachInPeriod(CDTime first, CDTime last, Generated generated, const Visit& visit)
{
    first = DateOnly(first);
    last = DateOnly(last);
    const int count = DaysBetween(first, last) + 1;
    if (count <= 0)
        return;
    const auto visitDay = [&](const ListedDay& day) {
        for (const CKalData* entry : day.entries)
            visit(day.date, *entry);
    };
    if (generated == Generated::Without) {
        period_.resize(std::max(period_.size(), static_cast<std::size_t>(count) + 1));
        List(period_, first, count);
        for (int i = 0; i < count; ++i)
            visitDay(period_[static_cast<std::size_t>(i)]);
        return;
    }
    period_.resize(std::max(period_.size(), static_cast<std::size_t>(kMonthViewDays) + 1));
    const YearMonth lastMonth { last.Year(), last.Month() };
    for (YearMonth month { first.Year(), first.Month() };; AddMonthsTo(month, 1)) {
        ListMonthView(period_, MonthViewStart(month, options_.mondayFirst), kMonthViewDays);
        for (int i = 0; i < kMonthViewDays; ++i) {
            const ListedDay& day = period_[static_cast<std::size_t>(i)];
            if (day.date.Month() == month.month && !(day.date < first) && !(last < day.date))
                visitDay(day);
        }
        if (month == lastMonth)
            break;
    }
}

void DayListing::AddToDay(ListedDay& day, CKalData* entry) const
{
    const LocalFields date = day.date.Fields();
    AddToDay(day, entry, TimeSortKey(*entry, entry->start.Fields(), entry->end.Fields(), date), options_.sortByTime);
}

void DayListing::AddToDay(ListedDay& day, CKalData* entry, std::uint64_t sortKey, bool sortByTime)
{
    const bool timed = entry->Has(flag::kStartTimeSet);
    std::size_t position = day.entries.size();
    if (entry->IsHoliday()) {
        position = 0;
        day.irregularOrder = day.irregularOrder || timed;
    } else if (sortByTime && !day.irregularOrder) {
        // Holidays and untimed entries come first; the timed ones after them are in time order.
        const auto timedBegin = day.sortKeys.begin() + day.untimedCount;
        position = timed
            ? static_cast<std::size_t>(std::upper_bound(timedBegin, day.sortKeys.end(), sortKey) - day.sortKeys.begin())
            : static_cast<std::size_t>(day.untimedCount);
    } else if (sortByTime) {
        // A timed holiday sits among the first entries: look at every entry as they stand.
        for (std::size_t i = 0; i < day.entries.size(); ++i) {
            const bool otherTimed = day.entries[i]->Has(flag::kStartTimeSet);
            if (otherTimed && (!timed || day.sortKeys[i] > sortKey)) {
                position = i;
                break;
            }
        }
    }
    day.entries.insert(day.entries.begin() + static_cast<std::ptrdiff_t>(position), entry);
    day.sortKeys.insert(day.sortKeys.begin() + static_cast<std::ptrdiff_t>(position), sortKey);
    if (!timed)
        ++day.untimedCount;
}

void DayListing::AddGeneratedHoliday(ListedDay& day, const char16_t* name)
{
    auto holiday = std::make_unique<CKalData>();
    holiday->Set(flag::kHoliday, true);
    holiday->text = name;
    holiday->start = holiday->end = day.date;
    AddToDay(day, holiday.get(), 0, false);
    generated_.push_back(std::move(holiday));
}

bool DayListing::IsGenerated(const CKalData* entry) const
{
    return std::any_of(
        generated_.begin(), generated_.end(), [&](const auto& holiday) { return holiday.get() == entry; });
}

std::u16string DayListing::Line(const CKalData& entry, CDTime day) const
{
    return EntryLine(entry, day, options_.timeMode, options_.countdown);
}

} // namespace kal
