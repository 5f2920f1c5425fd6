#include "BenchStore.h"
#include "RuleMix.h"

#include "calendar/CivilDate.h"
#include "settings/KalSettings.h"
#include "store/KalData.h"
#include "store/RepeatExpansion.h"
#include "views/MonthGrid.h"

#include <benchmark/benchmark.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kal::bench {
namespace {

constexpr int kEntries = 100000;
constexpr int kWeeks = 6;
constexpr int kGridDays = kWeeks * 7;
// A fill expands every entry from the grid's first day to two days past its spare cell: days 0 to 44.
constexpr int kSpanDays = kGridDays + 3;
// The months shown, one per iteration: every seventh month from 2010/01 to 2029/11, which brings up
// each month of the year and spreads over the twenty years. Every run of a benchmark fills the same
// months, on both sides.
constexpr int kMonthStep = 7;
constexpr int kSampledMonths = 35;

YearMonth SampledMonth(int sample)
{
    const int index = sample * kMonthStep;
    return YearMonth { 2010 + index / 12, index % 12 + 1 };
}

// The span one fill of a month expands, in both forms the two sides want.
struct Window {
    CDTime from; // the grid's first day, 00:00
    CDTime to; // the span's last day, 00:00
    long long firstDay; // `from` as a day number
    icaltimetype start; // `from` as a floating time
};

std::vector<Window> MakeWindows()
{
    const bool mondayFirst = CKalSettings::Current().IsOn(IntSetting::StartMonday);
    std::vector<Window> windows;
    for (int sample = 0; sample < kSampledMonths; ++sample) {
        const CDTime from = CMonthGrid::GridStart(SampledMonth(sample), mondayFirst);
        const LocalFields f = from.Fields();
        icaltimetype start = icaltime_null_time();
        start.year = f.year;
        start.month = f.month;
        start.day = f.day;
        windows.push_back(
            Window { from, from + (kSpanDays - 1) * CDTime::kDay, DaysFromCivil(f.year, f.month, f.day), start });
    }
    return windows;
}

// The month-grid store, made once for all the benchmarks here (the settings must be installed).
CKalStore& MixStore()
{
    static const std::unique_ptr<CKalStore> store = [] {
        auto made = std::make_unique<CKalStore>();
        FillRuleMixStore(*made, kEntries);
        return made;
    }();
    return *store;
}

// An entry of the store as the libical side holds it: a repeating one as a parsed recurrence rule
// and its start; avoid days and exclusions, which no rule expresses, as data applied to the
// occurrences the iterator gives.
struct IcalEntry {
    long long firstDay = 0; // the start's day number
    long long lastDay = 0; // the day number of the last day it can occur on
    int rule = -1; // index into IcalStore::rules; -1 for a single schedule
    std::uint32_t avoidDays = 0;
    icaltimetype dtstart {};
    std::vector<std::pair<long long, long long>> exclusions; // first and last day numbers
};

struct IcalStore {
    std::vector<IcalEntry> entries;
    std::vector<icalrecurrencetype> rules;
    std::string error; // why the store could not be turned into rules
};

long long DayNumberOf(const LocalFields& f)
{
    return DaysFromCivil(f.year, f.month, f.day);
}

const IcalStore& MixRules()
{
    static const std::unique_ptr<IcalStore> made = [] {
        auto ical = std::make_unique<IcalStore>();
        const CKalStore& store = MixStore();
        for (std::size_t i = 0; i < store.entries.size(); ++i) {
            const CKalData& entry = *store.entries[i];
            const LocalFields start = entry.start.Fields();
            IcalEntry out;
            out.firstDay = DayNumberOf(start);
            out.lastDay = DayNumberOf(entry.end.Fields());
            if (entry.repeatType != repeat::kNone) {
                const std::optional<std::string> text = RecurrenceRule(entry);
                const icalrecurrencetype rule
                    = text ? icalrecurrencetype_from_string(text->c_str()) : icalrecurrencetype {};
                if (!text || rule.freq == ICAL_NO_RECURRENCE) {
                    ical->error = "entry " + std::to_string(i) + " has no recurrence rule libical reads";
                    break;
                }
                if (entry.avoidDays & avoid::kHoliday) {
                    ical->error = "entry " + std::to_string(i) + " avoids holidays, which the libical side lacks";
                    break;
                }
                out.rule = static_cast<int>(ical->rules.size());
                ical->rules.push_back(rule);
                out.avoidDays = entry.avoidDays;
                out.dtstart = icaltime_null_time();
                out.dtstart.year = start.year;
                out.dtstart.month = start.month;
                out.dtstart.day = start.day;
                out.dtstart.hour = start.hour;
                out.dtstart.minute = start.minute;
                for (const ExclusionPeriod& period : entry.exclusions)
                    out.exclusions.emplace_back(DaysFromCivil(period.startYear, period.startMonth, period.startDay),
                        DaysFromCivil(period.endYear, period.endMonth, period.endDay));
            }
            ical->entries.push_back(std::move(out));
        }
        return ical;
    }();
    return *made;
}

bool IsAvoided(std::uint32_t avoidDays, long long dayNumber)
{
    const int weekday = static_cast<int>((dayNumber % 7 + 11) % 7); // day 0, 1970-01-01, was a Thursday
    return ((avoidDays & avoid::kSaturday) && weekday == 6) || ((avoidDays & avoid::kSunday) && weekday == 0);
}

// Marks the window's days on which the entry occurs, like MarkOccurrences, with libical expanding the
// rule. Returns the number of iterators made (0 or 1), or -1 when libical refused the rule.
int ExpandWithLibical(
    const IcalStore& ical, const IcalEntry& entry, const Window& window, std::span<std::uint8_t> marks)
{
    std::fill(marks.begin(), marks.end(), std::uint8_t { 0 });
    const long long first = window.firstDay;
    const long long last = first + kSpanDays - 1;
    if (entry.lastDay < first || entry.firstDay > last)
        return 0;
    if (entry.rule < 0) {
        for (long long day = std::max(entry.firstDay, first); day <= std::min(entry.lastDay, last); ++day)
            marks[static_cast<std::size_t>(day - first)] = 1;
        return 0;
    }
    icalrecur_iterator* iterator
        = icalrecur_iterator_new(ical.rules[static_cast<std::size_t>(entry.rule)], entry.dtstart);
    if (!iterator)
        return -1;
    icalrecur_iterator_set_start(iterator, window.start);
    for (icaltimetype t = icalrecur_iterator_next(iterator); !icaltime_is_null_time(t);
         t = icalrecur_iterator_next(iterator)) {
        long long day = DaysFromCivil(t.year, t.month, t.day);
        if (day > last)
            break;
        if (entry.avoidDays != 0 && IsAvoided(entry.avoidDays, day)) {
            if (entry.avoidDays & avoid::kDrop)
                continue;
            do
                --day;
            while (day >= first && IsAvoided(entry.avoidDays, day));
        }
        if (day >= first)
            marks[static_cast<std::size_t>(day - first)] = 1;
    }
    icalrecur_iterator_free(iterator);
    for (const auto& [from, to] : entry.exclusions) {
        for (long long day = std::max(from, first); day <= std::min(to, last); ++day)
            marks[static_cast<std::size_t>(day - first)] = 0;
    }
    return 1;
}

std::string DaysText(std::span<const std::uint8_t> marks)
{
    std::string text = "{";
    for (std::size_t k = 0; k < marks.size(); ++k) {
        if (!marks[k])
            continue;
        if (text.size() > 1)
            text += ',';
        text += std::to_string(k);
    }
    text += '}';
    return text;
}

// The grid's span ends at 00:00 of its last day, and a daily or weekly repetition that starts inside
// the span counts its days from the start's time of day, so our side leaves that last day out where
// libical, counting in whole days, has it. The day lies past the spare cell and only matters when an
// avoided occurrence there would move back into the grid.
bool MissesOnlyTheLastDay(const CKalData& entry, const Window& window, std::span<const std::uint8_t> ours,
    std::span<const std::uint8_t> theirs)
{
    const bool dailyOrWeekly = entry.repeatType == repeat::kDaily || entry.repeatType == repeat::kWeekly;
    return dailyOrWeekly && entry.start > window.from && DateOnly(entry.start) != entry.start
        && ours[kSpanDays - 1] == 0 && theirs[kSpanDays - 1] == 1
        && std::equal(ours.begin(), ours.end() - 1, theirs.begin());
}

// What comparing the two sides' days for every entry over a sample of months found.
struct Agreement {
    int windows = 0;
    long long occurrences = 0; // marked days, summed over entries and windows
    long long disagreements = 0; // entries and windows whose days differ
    long long lastDayMisses = 0; // differences that are only our side's miss of the span's last day
    std::string first; // the first of them
};

const Agreement& CheckAgreement()
{
    static const Agreement agreement = [] {
        Agreement result;
        const CKalStore& store = MixStore();
        const IcalStore& ical = MixRules();
        const std::vector<Window> windows = MakeWindows();
        std::vector<std::uint8_t> ours(kSpanDays);
        std::vector<std::uint8_t> theirs(kSpanDays);
        for (int sample = 0; sample < kSampledMonths; ++sample) {
            const Window& window = windows[static_cast<std::size_t>(sample)];
            ++result.windows;
            for (std::size_t i = 0; i < store.entries.size(); ++i) {
                MarkOccurrences(*store.entries[i], window.from, window.to, ours);
                if (ExpandWithLibical(ical, ical.entries[i], window, theirs) < 0) {
                    result.first = "libical made no iterator for entry " + std::to_string(i);
                    ++result.disagreements;
                    continue;
                }
                result.occurrences += std::count(ours.begin(), ours.end(), std::uint8_t { 1 });
                if (ours == theirs)
                    continue;
                if (MissesOnlyTheLastDay(*store.entries[i], window, ours, theirs)) {
                    ++result.lastDayMisses;
                    continue;
                }
                if (++result.disagreements == 1) {
                    const YearMonth month = SampledMonth(sample);
                    result.first = "entry " + std::to_string(i) + " (" + RecurrenceRule(*store.entries[i]).value_or("")
                        + ") in " + std::to_string(month.year) + "/" + std::to_string(month.month) + ": ours "
                        + DaysText(ours) + ", libical " + DaysText(theirs);
                }
            }
        }
        return result;
    }();
    return agreement;
}

// Filling a six-week grid over the store: every entry is expanded over the span and placed in its
// cells. The grid and its marks buffer are reused from fill to fill, as the month view does.
void BM_FillMonthGrid(benchmark::State& state)
{
    QuietEnvironment quiet;
    CKalStore& store = MixStore();
    CMonthGrid grid;
    grid.Create(&store, kWeeks);
    YearMonth warmUp = SampledMonth(0);
    grid.Fill(CDTime(warmUp.year, warmUp.month, 1), warmUp); // lets the genre list grow to the entries
    int sample = 0;
    for (auto _ : state) {
        YearMonth shown = SampledMonth(sample++ % kSampledMonths);
        grid.Fill(CDTime(shown.year, shown.month, 1), shown);
        benchmark::DoNotOptimize(grid.Cell(0).entries.data());
    }
    state.counters["per_entry"]
        = benchmark::Counter(kEntries, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FillMonthGrid)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kSampledMonths)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The expansion alone, the part of a fill that BM_LibicalExpand matches: MarkOccurrences for every
// entry over the same spans, without placing anything in cells.
void BM_GridMarkOccurrences(benchmark::State& state)
{
    QuietEnvironment quiet;
    const CKalStore& store = MixStore();
    const std::vector<Window> windows = MakeWindows();
    std::vector<std::uint8_t> marks(kSpanDays);
    benchmark::DoNotOptimize(marks.data());
    int sample = 0;
    for (auto _ : state) {
        const Window& window = windows[static_cast<std::size_t>(sample++ % kSampledMonths)];
        for (const auto& entry : store.entries) {
            MarkOccurrences(*entry, window.from, window.to, marks);
            benchmark::ClobberMemory();
        }
    }
    state.counters["per_entry"]
        = benchmark::Counter(kEntries, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GridMarkOccurrences)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kSampledMonths)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same store as libical recurrence rules, parsed beforehand: for every fill each repeating entry
// whose lifetime meets the span gets an iterator from its start, moved to the span's first day and
// stepped until past the span; single schedules are a test of their days against the span. Before
// timing, the days both sides give are compared for every entry over all the sampled months.
void BM_LibicalExpand(benchmark::State& state)
{
    QuietEnvironment quiet;
    const IcalStore& ical = MixRules();
    if (!ical.error.empty()) {
        state.SkipWithError(ical.error.c_str());
        return;
    }
    const Agreement& agreement = CheckAgreement();
    if (agreement.disagreements != 0 || agreement.occurrences == 0) {
        static std::string message;
        message = std::to_string(agreement.disagreements) + " expansions differ from ours; first: " + agreement.first;
        state.SkipWithError(message.c_str());
        return;
    }
    const std::vector<Window> windows = MakeWindows();
    std::vector<std::uint8_t> marks(kSpanDays);
    benchmark::DoNotOptimize(marks.data());
    long long iterators = 0;
    int sample = 0;
    for (auto _ : state) {
        const Window& window = windows[static_cast<std::size_t>(sample++ % kSampledMonths)];
        for (const IcalEntry& entry : ical.entries) {
            iterators += ExpandWithLibical(ical, entry, window, marks);
            benchmark::ClobberMemory();
        }
    }
    const auto perItem = benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert;
    state.counters["per_entry"] = benchmark::Counter(static_cast<double>(ical.entries.size()), perItem);
    state.counters["per_rule"] = benchmark::Counter(static_cast<double>(ical.rules.size()), perItem);
    state.counters["iterators"]
        = benchmark::Counter(static_cast<double>(iterators), benchmark::Counter::kAvgIterations);
    state.counters["checked_months"] = agreement.windows;
    state.counters["days_per_month"] = static_cast<double>(agreement.occurrences) / agreement.windows;
    state.counters["last_day_misses"] = static_cast<double>(agreement.lastDayMisses);
}
BENCHMARK(BM_LibicalExpand)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kSampledMonths)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace kal::bench
