#include "views/MonthGrid.h"

#include "calendar/CivilDate.h"
#include "settings/KalSettings.h"
#include "store/EntryText.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"
#include "views/GeneratedHolidays.h"

#include <algorithm>
#include <span>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kal {

namespace {

constexpr std::uint8_t kGenreUnknown = 2; // not looked at yet in this fill

long long DayOf(CDTime time)
{
    const LocalFields f = time.Fields();
    return DaysFromCivil(f.year, f.month, f.day);
}

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

void AddMonthsTo(YearMonth& month, int count)
{
    const int index = month.year * 12 + month.month - 1 + count;
    month.year = index / 12;
    month.month = index % 12 + 1;
}

int DaysBetween(CDTime from, CDTime to)
{
    return static_cast<int>(DayOf(to) - DayOf(from));
}

bool CMonthCell::HasHoliday() const
{
    return std::any_of(entries.begin(), entries.end(), [](const CKalData* entry) { return entry->IsHoliday(); });
}

void CMonthCell::Clear()
{
    entries.clear();
    sortKeys.clear();
    untimedCount = 0;
    irregularOrder = false;
}

CMonthGrid::CMonthGrid() = default;
CMonthGrid::~CMonthGrid() = default;

void CMonthGrid::Create(CKalStore* store, int weeks)
{
    store_ = store;
    count_ = weeks * 7;
    cells_.assign(static_cast<std::size_t>(count_ + 7), CMonthCell {});
    for (CMonthCell& cell : cells_)
        cell.colour = CKalSettings::Current().Get(ColourSetting::Back);
    holidays_.clear();
}

CDTime CMonthGrid::GridStart(YearMonth month, bool mondayFirst)
{
    const int weekday = WeekdayOf(month.year, month.month, 1);
    const int back = mondayFirst ? (weekday == 0 ? 6 : weekday - 1) : weekday;
    return CDTime(month.year, month.month, 1 - back);
}

int CMonthGrid::Fill(CDTime target, YearMonth& shown)
{
    const bool mondayFirst = CKalSettings::Current().IsOn(IntSetting::StartMonday);
    int selected = 0;
    for (;;) {
        start_ = GridStart(shown, mondayFirst);
        selected = DaysBetween(start_, target);
        // The calendar ends with December 2036: its last days stay in its own grid.
        if (selected < count_ - 7 || (shown.year == kLastYear && shown.month == 12))
            break;
        if (selected < count_) {
            // The target is in the last row: keep this month unless that row starts the next one.
            YearMonth next = shown;
            AddMonthsTo(next, 1);
            const CDTime nextFirst(next.year, next.month, 1);
            const int weekday = WeekdayOf(next.year, next.month, 1);
            const int sundayFirst = mondayFirst ? 0 : 1;
            if (weekday + sundayFirst - DaysBetween(target, nextFirst) < 1)
                break;
        }
        AddMonthsTo(shown, 1);
    }
    FillCells(cells_, start_, count_);
    ColourOtherMonths(shown.month);
    return selected;
}

void CMonthGrid::FillCells(std::vector<CMonthCell>& cells, CDTime first, int len)
{
    const CKalSettings& settings = CKalSettings::Current();
    const bool wholeGrid = &cells == &cells_ && len == count_;
    if (wholeGrid)
        holidays_.clear();
    const LocalFields firstDay = first.Fields();
    std::vector<LocalFields> days(static_cast<std::size_t>(len) + 1);
    for (int i = 0; i <= len && i < static_cast<int>(cells.size()); ++i) {
        CMonthCell& cell = cells[static_cast<std::size_t>(i)];
        cell.Clear();
        cell.date = CDTime(firstDay.year, firstDay.month, firstDay.day + i);
        days[static_cast<std::size_t>(i)] = cell.date.Fields();
        if (i == len)
            continue; // the spare cell after the span takes entries but no colour
        const DayColour* marked = store_ ? store_->FindDayColour(DateText(cell.date)) : nullptr;
        cell.colour = marked ? marked->colour : settings.Get(ColourSetting::Back);
    }
    if (!store_)
        return;
    const CDTime now = CDTime::Now();
    if (marks_.size() < static_cast<std::size_t>(len) + 3)
        marks_.resize(static_cast<std::size_t>(len) + 3);
    // Two days past the span: an occurrence there that avoids a weekend may move back into it.
    const CDTime to = CDTime(firstDay.year, firstDay.month, firstDay.day + len + 2);
    const PlaceContext context { OccurrenceSpan(first, to), now, now.Fields(), DaysBetween(first, DateOnly(now)),
        settings.Get(IntSetting::TodoPos), settings.IsOn(IntSetting::TodoViewAll) };
    genreShown_.assign(static_cast<std::size_t>(store_->genres.Count()), kGenreUnknown);
    order_.Begin(static_cast<std::size_t>(std::min(len + 1, static_cast<int>(cells.size()))),
        settings.IsOn(IntSetting::SchSort));
    const auto& entries = store_->entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // Most entries are only glanced at: the ones a few ahead are asked for while this one is.
        constexpr std::size_t kAhead = 8;
        if (i + kAhead < entries.size())
            __builtin_prefetch(entries[i + kAhead].get());
        CKalData& entry = *entries[i];
        // The genre first: an unknown one grows the list whether or not the entry shows this month.
        const auto genre = static_cast<std::size_t>(entry.genre);
        const bool shown = entry.genre >= 0 && genre < genreShown_.size() && genreShown_[genre] != kGenreUnknown
            ? genreShown_[genre] != 0
            : GenreShown(entry);
        // Most schedules of a long-kept file lie wholly before or after the span.
        if (shown && (entry.IsTodo() || MayOccur(entry, context.span.from, context.span.to)))
            PlaceEntry(cells, days, len, entry, static_cast<std::uint32_t>(i), context);
    }
    order_.Finish(cells);
    if (wholeGrid)
        GenerateHolidays(*this);
}

bool CMonthGrid::GenreShown(CKalData& entry)
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

void CMonthGrid::PlaceEntry(std::vector<CMonthCell>& cells, const std::vector<LocalFields>& days, int len,
    CKalData& entry, std::uint32_t arrival, const PlaceContext& context)
{
    const OccurrenceSpan& span = context.span;
    // The cell of a moment's date; a moment days away from the span is passed over without the calendar.
    const auto cellOf = [&](CDTime time) {
        constexpr std::int64_t kMargin = 2 * CDTime::kDay;
        if (time.Seconds() + kMargin < span.from.Seconds() || time.Seconds() > span.to.Seconds() + kMargin)
            return -1;
        const LocalFields date = time.Fields();
        return static_cast<int>(DaysFromCivil(date.year, date.month, date.day) - span.firstDay);
    };
    // The cells are put in order once everything is placed.
    const auto append = [&](int index, const LocalFields& start, const LocalFields& end) {
        order_.AddSingle(static_cast<std::size_t>(index), &entry, arrival,
            TimeSortKey(entry, start, end, days[static_cast<std::size_t>(index)]));
    };
    if (entry.IsTodo()) {
        if (entry.Has(flag::kHidden))
            return;
        int index;
        if (entry.Has(flag::kDone))
            index = cellOf(entry.end);
        else if (entry.showDaysBefore == -1 || context.todoViewAll)
            index = context.todoPos == 1 ? cellOf(entry.start) : context.todayIndex;
        else if (context.todayIndex >= 0 && context.todayIndex < len
            && ShowingBefore(entry, context.now, context.today))
            index = context.todayIndex; // asked only when today is in the grid: the deadline's date costs
        else
            return;
        if (index >= 0 && index < len)
            append(index, entry.start.Fields(), entry.end.Fields());
        return;
    }
    if (!MayOccur(entry, span.from, span.to))
        return;
    const std::span<std::uint8_t> marks = std::span(marks_).first(static_cast<std::size_t>(len) + 3);
    LocalFields start;
    LocalFields end;
    if (!MarkOccurrences(entry, span, marks, start, end))
        return;
    const int last = std::min(len, static_cast<int>(cells.size()) - 1);
    if (entry.repeatType == repeat::kNone) {
        ForEachMarked(marks, last, [&](int i) { append(i, start, end); });
        return;
    }
    // A repeating entry shows the same times on every day: one key for all its cells.
    order_.AddRepeating(&entry, arrival, TimeSortKey(entry, start, end, start));
    ForEachMarked(marks, last, [&](int i) { order_.PlaceRepeating(static_cast<std::size_t>(i)); });
}

void CMonthGrid::AddToCell(CMonthCell& cell, CKalData* entry)
{
    const LocalFields day = cell.date.Fields();
    AddToCell(cell, entry, TimeSortKey(*entry, entry->start.Fields(), entry->end.Fields(), day),
        CKalSettings::Current().IsOn(IntSetting::SchSort));
}

void CMonthGrid::AddToCell(CMonthCell& cell, CKalData* entry, std::uint64_t sortKey, bool sortByTime)
{
    const bool timed = entry->Has(flag::kStartTimeSet);
    std::size_t position = cell.entries.size();
    if (entry->IsHoliday()) {
        position = 0;
        cell.irregularOrder = cell.irregularOrder || timed;
    } else if (sortByTime && !cell.irregularOrder) {
        // Holidays and untimed entries come first; the timed ones after them are in time order.
        const auto timedBegin = cell.sortKeys.begin() + cell.untimedCount;
        position = timed ? static_cast<std::size_t>(
                       std::upper_bound(timedBegin, cell.sortKeys.end(), sortKey) - cell.sortKeys.begin())
                         : static_cast<std::size_t>(cell.untimedCount);
    } else if (sortByTime) {
        // A timed holiday sits among the first entries: look at every entry as they stand.
        for (std::size_t i = 0; i < cell.entries.size(); ++i) {
            const bool otherTimed = cell.entries[i]->Has(flag::kStartTimeSet);
            if (otherTimed && (!timed || cell.sortKeys[i] > sortKey)) {
                position = i;
                break;
            }
        }
    }
    cell.entries.insert(cell.entries.begin() + static_cast<std::ptrdiff_t>(position), entry);
    cell.sortKeys.insert(cell.sortKeys.begin() + static_cast<std::ptrdiff_t>(position), sortKey);
    if (!timed)
        ++cell.untimedCount;
}

void CMonthGrid::AddGeneratedHoliday(CMonthCell& cell, const char16_t* name)
{
    auto holiday = std::make_unique<CKalData>();
    holiday->Set(flag::kHoliday, true);
    holiday->text = name;
    holiday->start = holiday->end = cell.date;
    AddToCell(cell, holiday.get(), 0, false);
    holidays_.push_back(std::move(holiday));
}

bool CMonthGrid::IsGenerated(const CKalData* entry) const
{
    return std::any_of(holidays_.begin(), holidays_.end(), [&](const auto& holiday) { return holiday.get() == entry; });
}

int CMonthGrid::IndexOf(CDTime day) const
{
    const int index = DaysBetween(start_, day);
    return index >= 0 && index < count_ ? index : -1;
}

void CMonthGrid::ColourOtherMonths(int month)
{
    const CKalSettings& settings = CKalSettings::Current();
    const Colour back = settings.Get(ColourSetting::Back);
    const Colour other = settings.Get(ColourSetting::Other);
    const bool keepDayColours = settings.IsOn(IntSetting::OtherMonthDayColor);
    for (int i = 0; i < count_; ++i) {
        CMonthCell& cell = cells_[static_cast<std::size_t>(i)];
        if (cell.date.Month() != month && (!keepDayColours || cell.colour == back))
            cell.colour = other;
    }
}

void CMonthGrid::Layout(const CellRect& client, int titleHeight, int yearMonthHeight)
{
    const int weeks = count_ / 7;
    const int header = titleHeight + yearMonthHeight + 2;
    const int width = (client.right - client.left) / 7;
    const int height = weeks > 0 ? (client.bottom - client.top - header) / weeks : 0;
    int x = 0;
    int y = header;
    for (int i = 0; i < count_; ++i) {
        cells_[static_cast<std::size_t>(i)].rect = CellRect { x, y, x + width, y + height };
        if (client.right < x + 2 * width) {
            x = 0;
            y += height;
        } else {
            x += width;
        }
    }
}

} // namespace kal
