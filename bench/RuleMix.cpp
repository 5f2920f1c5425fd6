#include "RuleMix.h"

#include "calendar/CivilDate.h"
#include "store/KalData.h"
#include "store/RepeatExpansion.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace kal::bench {

namespace {

constexpr std::array<const char16_t*, 8> kSingleTexts
    = { u"打ち合わせ", u"歯医者", u"会議（第二会議室）", u"出張：大阪", u"飲み会", u"美容院", u"健康診断", u"面接" };
constexpr std::array<const char16_t*, 6> kPlaces = { u"", u"", u"本社", u"新宿", u"自宅", u"渋谷区神南1-2-3" };
constexpr std::array<const char16_t*, 3> kDailyTexts = { u"ジョギング", u"日報", u"薬" };
constexpr std::array<const char16_t*, 4> kWeeklyTexts = { u"英会話", u"ゴミ出し", u"定例会議", u"ジム" };
constexpr std::array<const char16_t*, 4> kMonthlyTexts = { u"給料日", u"家賃振込", u"締め切り", u"引き落とし" };
constexpr std::array<const char16_t*, 3> kPositionTexts = { u"部会", u"町内会", u"読書会" };
constexpr std::array<const char16_t*, 4> kYearlyTexts = { u"誕生日", u"結婚記念日", u"車検", u"確定申告" };

constexpr long long kLastDayNumber = DaysFromCivil(kLastYear, 12, 31);

class Generator {
public:
    explicit Generator(std::uint32_t seed)
        : random_(seed)
    {
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Percent(int percent) { return Between(0, 99) < percent; }
    template <typename Array> auto Pick(const Array& array)
    {
        return array[static_cast<std::size_t>(Between(0, static_cast<int>(array.size()) - 1))];
    }
    std::mt19937& Engine() { return random_; }

    // An hour and minute of the day as people book them: mostly office hours, on the hour or half.
    int StartMinuteOfDay()
    {
        static constexpr std::array<double, 15> kHourWeights = { 2, 5, 9, 12, 10, 6, 8, 9, 9, 8, 6, 5, 4, 3, 2 };
        const int hour = 7 + std::discrete_distribution<int>(kHourWeights.begin(), kHourWeights.end())(random_);
        static constexpr std::array<int, 10> kMinutes = { 0, 0, 0, 0, 0, 30, 30, 30, 15, 45 };
        return hour * 60 + Pick(kMinutes);
    }

private:
    std::mt19937 random_;
};

CDTime AtMinute(const CivilDate& date, int minuteOfDay)
{
    return CDTime(date.year, date.month, date.day, minuteOfDay / 60, minuteOfDay % 60);
}

// A single schedule: a few hours on one day, now and then a trip of several days or an all-day entry.
void MakeSingle(Generator& g, CKalData& entry)
{
    const int year = g.Between(1995, 2030);
    const int month = g.Between(1, 12);
    const CivilDate day { year, month, g.Between(1, DaysInMonth(year, month)) };
    entry.text = g.Pick(kSingleTexts);
    const int shape = g.Between(0, 99);
    if (shape < 8) {
        entry.start = entry.end = AtMinute(day, 0);
        return;
    }
    entry.flags = flag::kStartTimeSet | flag::kEndTimeSet;
    const int startMinute = g.StartMinuteOfDay();
    entry.start = AtMinute(day, startMinute);
    if (shape < 13) {
        const CivilDate last = CivilFromDays(DaysFromCivil(day.year, day.month, day.day) + g.Between(1, 4));
        entry.end = AtMinute(last, g.Between(17, 20) * 60);
        return;
    }
    const int longest = std::min(6, (23 * 60 + 30 - startMinute) / 30);
    entry.end = entry.start + static_cast<std::int64_t>(30 * g.Between(1, longest)) * 60;
}

// The day of the month of the week'th (0-3; 4 = last) weekday (0 = Sunday) of a month.
int PositionDay(int year, int month, int week, int weekday)
{
    if (week < 4)
        return 1 + (weekday - WeekdayOf(year, month, 1) + 7) % 7 + 7 * week;
    const int last = DaysInMonth(year, month);
    return last - (WeekdayOf(year, month, last) - weekday + 7) % 7;
}

// A day on which the entry occurs, on or after `around` if one comes within ten weeks; else `around`.
long long OccurrenceNear(const CKalData& entry, long long around)
{
    constexpr int kDays = 71;
    std::array<std::uint8_t, kDays> marks {};
    const CivilDate from = CivilFromDays(around);
    const CDTime first(from.year, from.month, from.day);
    MarkOccurrences(entry, first, first + (kDays - 1) * CDTime::kDay, marks);
    const auto found = std::find(marks.begin(), marks.end(), std::uint8_t { 1 });
    return found == marks.end() ? around : around + (found - marks.begin());
}

void AddExclusions(Generator& g, CKalData& entry, long long firstDay, long long lastDay)
{
    const int count = g.Percent(70) ? 1 : 2;
    for (int i = 0; i < count; ++i) {
        const long long around = firstDay + g.Between(0, static_cast<int>(std::max(0LL, lastDay - firstDay)));
        const bool longBreak = g.Percent(20);
        const long long first = longBreak ? around : OccurrenceNear(entry, around);
        const CivilDate s = CivilFromDays(first);
        const CivilDate e = CivilFromDays(longBreak ? first + g.Between(6, 13) : first);
        entry.exclusions.push_back(ExclusionPeriod { s.year, s.month, s.day, e.year, e.month, e.day });
    }
}

void MakeRepeating(Generator& g, CKalData& entry, RuleKind kind)
{
    const int year = g.Between(1995, 2030);
    const int month = g.Between(1, 12);
    int day = g.Between(1, 28);
    switch (kind) {
    case RuleKind::Daily:
        entry.repeatType = repeat::kDaily;
        entry.interval = g.Between(1, 3);
        entry.text = g.Pick(kDailyTexts);
        break;
    case RuleKind::Weekly:
        entry.repeatType = repeat::kWeekly;
        entry.interval = g.Between(1, 2);
        entry.text = g.Pick(kWeeklyTexts);
        break;
    case RuleKind::MonthlyByDay:
        entry.repeatType = repeat::kMonthly;
        entry.interval = g.Percent(80) ? 1 : g.Between(2, 3);
        entry.text = g.Pick(kMonthlyTexts);
        break;
    case RuleKind::MonthlyByPosition: {
        entry.repeatType = repeat::kMonthly;
        entry.interval = g.Percent(90) ? 1 : 2;
        entry.positionMode = 1;
        const int week = g.Between(0, 4);
        static constexpr std::array<int, 9> kWeekdays = { 1, 2, 2, 3, 4, 5, 5, 6, 0 };
        const int weekday = g.Pick(kWeekdays);
        entry.weeks[static_cast<std::size_t>(week)] = 1;
        entry.weekdays[static_cast<std::size_t>(weekday)] = 1;
        day = PositionDay(year, month, week, weekday);
        entry.text = g.Pick(kPositionTexts);
        break;
    }
    case RuleKind::Yearly:
        entry.repeatType = repeat::kYearly;
        entry.interval = g.Percent(95) ? 1 : g.Between(2, 4);
        entry.text = g.Pick(kYearlyTexts);
        break;
    case RuleKind::Single:
        break;
    }
    entry.repeatDayFrom = entry.repeatDayTo = day;
    if (kind == RuleKind::MonthlyByDay && g.Percent(20))
        entry.repeatDayTo = std::min(28, day + g.Between(1, 4));

    const long long firstDay = DaysFromCivil(year, month, day);
    const long long lastDay
        = g.Percent(15) ? kLastDayNumber : std::min(kLastDayNumber, firstDay + g.Between(365, 6 * 365));
    const CivilDate last = CivilFromDays(lastDay);
    if (g.Percent(8)) {
        entry.start = AtMinute(CivilDate { year, month, day }, 0);
        entry.end = AtMinute(last, 0);
    } else {
        entry.flags = flag::kStartTimeSet | flag::kEndTimeSet;
        const int startMinute = g.StartMinuteOfDay();
        const int endMinute = std::min(23 * 60 + 30, startMinute + 30 * g.Between(1, 4));
        entry.start = AtMinute(CivilDate { year, month, day }, startMinute);
        entry.end = AtMinute(last, endMinute);
    }
    if (g.Percent(10))
        AddExclusions(g, entry, firstDay, lastDay);
    if (g.Percent(5))
        entry.avoidDays = avoid::kSaturday | avoid::kSunday;
}

// Whether the date is the week'th (0-3; 4 = last) weekday (0 = Sunday) of its month.
bool IsAtPosition(const LocalFields& date, int week, int weekday)
{
    return date.day == PositionDay(date.year, date.month, week, weekday);
}

void AppendDate(std::string& out, const LocalFields& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    out += text;
}

} // namespace

int RuleMixCount(RuleKind kind, int count)
{
    const int single = count * 40 / 100;
    const int perKind = (count - single) / 5;
    switch (kind) {
    case RuleKind::Single:
        return single;
    case RuleKind::Yearly:
        return count - single - 4 * perKind;
    default:
        return perKind;
    }
}

void FillRuleMixStore(CKalStore& store, int count, std::uint32_t seed)
{
    Generator g(seed);
    std::vector<RuleKind> kinds;
    kinds.reserve(static_cast<std::size_t>(count));
    for (RuleKind kind : { RuleKind::Single, RuleKind::Daily, RuleKind::Weekly, RuleKind::MonthlyByDay,
             RuleKind::MonthlyByPosition, RuleKind::Yearly })
        kinds.insert(kinds.end(), static_cast<std::size_t>(RuleMixCount(kind, count)), kind);
    std::shuffle(kinds.begin(), kinds.end(), g.Engine());

    for (RuleKind kind : kinds) {
        auto entry = std::make_unique<CKalData>();
        if (kind == RuleKind::Single)
            MakeSingle(g, *entry);
        else
            MakeRepeating(g, *entry, kind);
        entry->place = g.Pick(kPlaces);
        entry->colour = static_cast<Colour>(g.Between(0, 0xFFFFFF));
        entry->genre = g.Between(0, 4);
        store.AppendEntry(std::move(entry));
    }
}

std::optional<std::string> RecurrenceRule(const CKalData& entry)
{
    if (std::find(entry.months.begin(), entry.months.end(), 0) != entry.months.end())
        return std::nullopt;
    const LocalFields start = entry.start.Fields();
    std::string rule;
    switch (entry.repeatType) {
    case repeat::kDaily:
        rule = "FREQ=DAILY";
        break;
    case repeat::kWeekly:
        rule = "FREQ=WEEKLY";
        break;
    case repeat::kMonthly:
        rule = "FREQ=MONTHLY";
        if (entry.positionMode == 1) {
            // Every chosen weekday of every chosen week; the start must be one of those days, since
            // a recurrence always includes its start.
            static constexpr std::array<const char*, 7> kDays = { "SU", "MO", "TU", "WE", "TH", "FR", "SA" };
            std::string days;
            bool startIsOccurrence = false;
            for (int week = 0; week < 5; ++week) {
                for (int weekday = 0; weekday < 7; ++weekday) {
                    if (!entry.weeks[static_cast<std::size_t>(week)]
                        || !entry.weekdays[static_cast<std::size_t>(weekday)])
                        continue;
                    days += days.empty() ? ";BYDAY=" : ",";
                    days += std::to_string(week < 4 ? week + 1 : -1);
                    days += kDays[static_cast<std::size_t>(weekday)];
                    startIsOccurrence = startIsOccurrence || IsAtPosition(start, week, weekday);
                }
            }
            if (days.empty() || !startIsOccurrence)
                return std::nullopt;
            rule += days;
        } else {
            // Days past the 28th are carried or skipped in short months in ways no rule spells.
            if (entry.repeatDayFrom != start.day || entry.repeatDayFrom < 1 || entry.repeatDayTo < entry.repeatDayFrom
                || entry.repeatDayTo > 28)
                return std::nullopt;
            for (int day = entry.repeatDayFrom; day <= entry.repeatDayTo; ++day) {
                rule += day == entry.repeatDayFrom ? ";BYMONTHDAY=" : ",";
                rule += std::to_string(day);
            }
        }
        break;
    case repeat::kYearly:
        if (entry.positionMode != 0 || entry.repeatDayFrom != start.day || entry.repeatDayTo != start.day
            || start.day > 28)
            return std::nullopt;
        rule = "FREQ=YEARLY";
        break;
    default:
        return std::nullopt;
    }
    rule += ";INTERVAL=" + std::to_string(std::max(entry.interval, 1));
    // The repetition runs to the end of the end's day.
    rule += ";UNTIL=";
    AppendDate(rule, entry.end.Fields());
    rule += "T235959";
    return rule;
}

} // namespace kal::bench
