#include "calstore/IcalExport.h"

#include "calendar/CivilDate.h"
#include "calstore/IcalMapping.h"
#include "calstore/IcalRecurrence.h"
#include "calstore/IcsEvent.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "store/DayListing.h"
#include "store/EntryRow.h"
#include "store/GeneratedHolidays.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"
#include "views/LinkFiles.h"

#include <libical/ical.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace kal {

namespace {

// How far avoidance can move an occurrence back: a weekend next to the longest run of holidays.
constexpr long long kAvoidReach = 14;

CDTime DayStart(long long day)
{
    const CivilDate date = CivilFromDays(day);
    return CDTime(date.year, date.month, date.day);
}

long long DayOf(CDTime time)
{
    const LocalFields f = time.Fields();
    return DaysFromCivil(f.year, f.month, f.day);
}

struct Css3Colour {
    const char* name;
    Colour rgb; // 0x00RRGGBB
};
constexpr std::array<Css3Colour, 20> kColourNames = { { { "black", 0x000000 }, { "white", 0xFFFFFF },
    { "red", 0xFF0000 }, { "lime", 0x00FF00 }, { "blue", 0x0000FF }, { "yellow", 0xFFFF00 }, { "cyan", 0x00FFFF },
    { "magenta", 0xFF00FF }, { "silver", 0xC0C0C0 }, { "gray", 0x808080 }, { "maroon", 0x800000 },
    { "olive", 0x808000 }, { "green", 0x008000 }, { "purple", 0x800080 }, { "teal", 0x008080 }, { "navy", 0x000080 },
    { "orange", 0xFFA500 }, { "pink", 0xFFC0CB }, { "brown", 0xA52A2A }, { "gold", 0xFFD700 } } };

// The nearest name, as other calendars take only names.
const char* NearestColourName(Colour colour)
{
    const int r = static_cast<int>(colour & 0xFF);
    const int g = static_cast<int>(colour >> 8 & 0xFF);
    const int b = static_cast<int>(colour >> 16 & 0xFF);
    const char* best = kColourNames[0].name;
    int bestDistance = 1 << 30;
    for (const Css3Colour& named : kColourNames) {
        const int dr = r - static_cast<int>(named.rgb >> 16 & 0xFF);
        const int dg = g - static_cast<int>(named.rgb >> 8 & 0xFF);
        const int db = b - static_cast<int>(named.rgb & 0xFF);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = named.name;
        }
    }
    return best;
}

std::string PercentEncoded(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')
            || std::string_view("/-._~").find(c) != std::string_view::npos) {
            text += c;
        } else {
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 0xF];
        }
    }
    return text;
}

std::string LinkUrl(const std::u16string& link, const std::string& schedulePath)
{
    if (IsUrl(link))
        return ToUtf8(link);
    const auto resolved = ResolveLink(link, schedulePath);
    if (!resolved) {
        std::u16string relative = link;
        std::replace(relative.begin(), relative.end(), u'\\', u'/');
        return PercentEncoded(ToUtf8(relative));
    }
    return "file://" + PercentEncoded(ToUtf8(*resolved));
}

std::u16string WithLineFeeds(std::u16string text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        out += text[i] == u'\r' ? u'\n' : text[i];
    }
    return out;
}

// A text value as libical writes it, and gives it back once read: line breaks as "\n", the
// separators escaped, the control characters it drops left out.
std::string EscapedText(std::string_view text, bool separators = true)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
        case '\b':
        case '\f':
            break;
        case ',':
        case ';':
            if (separators)
                out += '\\';
            out += c;
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Appends "NAME;PARAMS:value" as lines of at most 75 octets, each further one starting with a blank,
// never inside a UTF-8 character.
void AppendLine(std::string& text, std::string_view line)
{
    constexpr std::size_t kLine = 75;
    std::size_t width = kLine;
    while (line.size() > width) {
        std::size_t cut = width;
        while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        text.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        width = kLine - 1;
    }
    text.append(line).append("\r\n");
}

void AppendDigits(std::string& text, int value, int width)
{
    char digits[8];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = static_cast<char>('0' + value % 10);
    text.append(digits, static_cast<std::size_t>(width));
}

// "YYYYMMDD", the digits written by hand: a file of many date lists writes millions of them.
std::string DateText(long long day)
{
    const CivilDate date = CivilFromDays(day);
    std::string text;
    text.reserve(16);
    AppendDigits(text, date.year, 4);
    AppendDigits(text, date.month, 2);
    AppendDigits(text, date.day, 2);
    return text;
}

// "YYYYMMDDTHHMMSS".
std::string TimeText(long long day, int hour, int minute, int second = 0)
{
    std::string text = DateText(day);
    text += 'T';
    AppendDigits(text, hour, 2);
    AppendDigits(text, minute, 2);
    AppendDigits(text, second, 2);
    return text;
}

// A date or a wall-clock time of the component.
struct When {
    std::string value;
    bool isDate;
};

// The export's state over all entries. Components are written as text: libical's own writing, and
// the fingerprint read through its properties, cost more than the rest of the export together.
class Exporter {
public:
    Exporter(const CKalStore& store, const IcalExportOptions& options, icaltimezone* zone)
        : store_(store)
        , options_(options)
        , zone_(zone)
        , firstDay_(options.period ? DayOf(options.period->first) : DaysFromCivil(kFirstYear, 1, 1))
        , lastDay_(options.period ? DayOf(options.period->last) : DaysFromCivil(kLastYear, 12, 31))
        , stamp_(icaltime_as_ical_string(icaltime_from_timet_with_zone(
              static_cast<time_t>(Clock::Current().Now()), 0, icaltimezone_get_utc_timezone())))
    {
    }

    void Run(std::string& text)
    {
        // Equal lines counted by their hash: two different lines that share one only give the second
        // another, still distinct, UID.
        std::unordered_map<std::size_t, int> seen;
        std::u16string line;
        for (const auto& owned : store_.entries) {
            const CKalData& entry = *owned;
            line.clear();
            AppendEntryLine(entry, line);
            const int sameBefore = seen[std::hash<std::u16string> {}(line)]++;
            if (entry.Has(flag::kHidden) && !options_.includeHidden)
                continue;
            lines_.clear();
            values_.clear();
            const bool written = entry.IsTodo() ? Todo(entry) : Schedule(entry);
            if (!written)
                continue;
            const char* kind = entry.IsTodo() ? "VTODO" : "VEVENT";
            text.append("BEGIN:").append(kind).append("\r\n");
            Finish(entry, line, sameBefore);
            text.append(lines_);
            text.append("END:").append(kind).append("\r\n");
        }
        if (options_.generatedHolidays)
            GeneratedHolidays(text);
    }

    IcalExportSummary summary;

private:
    // A property: written, and when the fingerprint covers it, its value kept for that.
    void Add(std::string_view name, std::string_view params, std::string_view value, bool fingerprinted)
    {
        scratchLine_.assign(name).append(params).append(":").append(value);
        AppendLine(lines_, scratchLine_);
        if (fingerprinted) {
            std::string kept(name);
            if (params.starts_with(";TZID="))
                kept.append(";").append(options_.zone);
            values_.push_back(kept.append(":").append(value));
        }
    }

    void AddTime(std::string_view name, const When& when)
    {
        if (when.isDate)
            Add(name, ";VALUE=DATE", when.value, true);
        else if (zone_)
            Add(name, ";TZID=" + options_.zone, when.value, true);
        else
            Add(name, "", when.value, true);
    }

    void AddPlain(std::string_view name, std::string_view value) { Add(name, "", value, false); }

    // The occurrence on `day` at the entry's start time, or the day itself for an all-day entry.
    static When OccurrenceStart(const CKalData& entry, long long day)
    {
        if (!entry.Has(flag::kStartTimeSet))
            return { DateText(day), true };
        const LocalFields start = entry.start.Fields();
        return { TimeText(day, start.hour, start.minute), false };
    }

    // The first day in [from, to] the entry shows on, looking a little ahead first.
    std::optional<long long> FirstShownDay(const CKalData& entry, long long from, long long to)
    {
        long long window = 62;
        for (long long lo = from; lo <= to; lo += window, window *= 8) {
            const long long hi = std::min(to, lo + window - 1);
            marks_.assign(static_cast<std::size_t>(hi - lo + 1), 0);
            MarkOccurrences(entry, DayStart(lo), DayStart(hi), marks_);
            const auto found = std::find(marks_.begin(), marks_.end(), std::uint8_t { 1 });
            if (found != marks_.end())
                return lo + (found - marks_.begin());
        }
        return std::nullopt;
    }

    // Every day in [from, to] the entry shows on, in order, each as its own month's view shows it: a
    // rule's first period is worked out from the first day of the view, which some rules' days depend on.
    std::vector<long long> ShownDays(const CKalData& entry, long long from, long long to)
    {
        std::vector<long long> days;
        if (from > to)
            return days;
        constexpr long long kViewDays = 6 * 7 + 2; // six weeks, and two days an avoided day moves back from
        marks_.assign(static_cast<std::size_t>(kViewDays + 1), 0);
        const CivilDate first = CivilFromDays(from);
        for (YearMonth month { first.year, first.month };; AddMonthsTo(month, 1)) {
            const long long monthFirst = DaysFromCivil(month.year, month.month, 1);
            if (monthFirst > to)
                break;
            const CDTime viewStart = DayListing::MonthViewStart(month, false);
            const long long viewFirst = DayOf(viewStart);
            MarkOccurrences(entry, viewStart, DayStart(viewFirst + kViewDays), marks_);
            const long long monthLast = monthFirst + DaysInMonth(month.year, month.month) - 1;
            for (long long day = std::max(from, monthFirst); day <= std::min(to, monthLast); ++day)
                if (marks_[static_cast<std::size_t>(day - viewFirst)])
                    days.push_back(day);
        }
        return days;
    }

    bool Schedule(const CKalData& entry)
    {
        const long long startDay = DayOf(entry.start);
        const long long endDay = DayOf(entry.end);
        const bool repeats = entry.repeatType != repeat::kNone;
        const long long reachBack = entry.avoidDays != 0 && repeats ? kAvoidReach : 0;
        const long long lastDay = repeats ? RepetitionLastDay(entry) : endDay;
        const long long from = std::max(firstDay_, startDay - reachBack);
        wholeRange_ = !options_.period || (startDay - reachBack >= firstDay_ && lastDay <= lastDay_);
        const bool timed = entry.Has(flag::kStartTimeSet);
        const LocalFields start = entry.start.Fields();
        const LocalFields end = entry.end.Fields();

        if (!repeats) {
            if (!FirstShownDay(entry, from, std::min(lastDay_, lastDay)))
                return false;
            if (!timed) {
                AddTime("DTSTART", { DateText(startDay), true });
                AddTime("DTEND", { DateText(std::max(endDay, startDay) + 1), true });
            } else {
                AddTime("DTSTART", { TimeText(startDay, start.hour, start.minute), false });
                if (entry.Has(flag::kEndTimeSet))
                    AddTime("DTEND", { TimeText(endDay, end.hour, end.minute), false });
                else if (endDay > startDay)
                    AddTime("DTEND", { TimeText(endDay + 1, 0, 0), false }); // ends as its last day ends
            }
            Count(entry, false, false);
            return true;
        }

        const auto rule = ExactRecurrenceRule(entry);
        std::vector<long long> days;
        const long long until = std::min(lastDay, lastDay_);
        if (rule) {
            const auto first = FirstShownDay(entry, from, until);
            if (!first)
                return false;
            days.push_back(*first);
        } else {
            days = ShownDays(entry, from, until);
            if (days.empty())
                return false;
        }
        const long long first = days.front();
        AddTime("DTSTART", OccurrenceStart(entry, first));
        if (!timed)
            AddTime("DTEND", { DateText(first + 1), true });
        else if (entry.Has(flag::kEndTimeSet))
            AddTime("DTEND", { TimeText(first + (OccurrenceEndsNextDay(entry) ? 1 : 0), end.hour, end.minute), false });
        if (rule) {
            AddRule(entry, *rule, until);
            AddExclusionDates(entry, first, until);
        } else {
            for (std::size_t i = 1; i < days.size(); ++i)
                AddTime("RDATE", OccurrenceStart(entry, days[i]));
        }
        Count(entry, true, !rule);
        return true;
    }

    // The rule as libical writes it back, so that the fingerprint reads the same: its parts in
    // libical's order, the last day after the frequency.
    void AddRule(const CKalData& entry, const std::string& rule, long long until)
    {
        auto known = canonicalRules_.find(rule);
        if (known == canonicalRules_.end()) {
            icalrecurrencetype recurrence = icalrecurrencetype_from_string(rule.c_str());
            char* text = icalrecurrencetype_as_string_r(&recurrence);
            known = canonicalRules_.emplace(rule, text ? text : "").first;
            std::free(text);
        }
        std::string untilText;
        if (!entry.Has(flag::kStartTimeSet)) {
            untilText = DateText(until);
        } else if (zone_) {
            // A rule of zoned times ends at a moment in UTC.
            const CivilDate date = CivilFromDays(until);
            icaltimetype last = icaltime_null_time();
            last.year = date.year;
            last.month = date.month;
            last.day = date.day;
            last.hour = 23;
            last.minute = 59;
            last.second = 59;
            last.zone = zone_;
            last = icaltime_convert_to_zone(last, icaltimezone_get_utc_timezone());
            untilText
                = TimeText(DaysFromCivil(last.year, last.month, last.day), last.hour, last.minute, last.second) + "Z";
        } else {
            untilText = TimeText(until, 23, 59, 59);
        }
        const std::string& canonical = known->second;
        const std::size_t cut = canonical.find(';');
        std::string value = canonical.substr(0, cut) + ";UNTIL=" + untilText;
        if (cut != std::string::npos)
            value += canonical.substr(cut);
        Add("RRULE", "", value, true);
    }

    // One EXDATE for every occurrence the rule gives that an exclusion takes away.
    void AddExclusionDates(const CKalData& entry, long long first, long long until)
    {
        if (entry.exclusions.empty())
            return;
        scratch_ = entry;
        scratch_.exclusions.clear();
        std::vector<long long> excluded;
        for (const ExclusionPeriod& period : entry.exclusions) {
            if (period.startMonth < 1 || period.startMonth > 12 || period.endMonth < 1 || period.endMonth > 12)
                continue;
            const long long lo = std::max(first, DaysFromCivil(period.startYear, period.startMonth, period.startDay));
            const long long hi = std::min(until, DaysFromCivil(period.endYear, period.endMonth, period.endDay));
            if (lo > hi)
                continue;
            marks_.assign(static_cast<std::size_t>(hi - lo + 1), 0);
            MarkOccurrences(scratch_, DayStart(lo), DayStart(hi), marks_);
            for (long long day = lo; day <= hi; ++day)
                if (marks_[static_cast<std::size_t>(day - lo)])
                    excluded.push_back(day);
        }
        std::sort(excluded.begin(), excluded.end());
        excluded.erase(std::unique(excluded.begin(), excluded.end()), excluded.end());
        for (const long long day : excluded)
            AddTime("EXDATE", OccurrenceStart(entry, day));
    }

    bool Todo(const CKalData& entry)
    {
        const long long day = DayOf(entry.start);
        if (day < firstDay_ || day > lastDay_)
            return false;
        wholeRange_ = true;
        const LocalFields start = entry.start.Fields();
        if (entry.Has(flag::kNoDeadline))
            AddTime("DTSTART", { DateText(day), true });
        else if (entry.Has(flag::kStartTimeSet))
            AddTime("DUE", { TimeText(day, start.hour, start.minute), false });
        else
            AddTime("DUE", { DateText(day), true });
        if (entry.Has(flag::kDone)) {
            Add("STATUS", "", "COMPLETED", true);
            const icaltimetype done = icaltime_from_timet_with_zone(
                static_cast<time_t>(entry.end.Instant()), 0, icaltimezone_get_utc_timezone());
            Add("COMPLETED", "",
                TimeText(DaysFromCivil(done.year, done.month, done.day), done.hour, done.minute, done.second) + "Z",
                true);
        } else {
            Add("STATUS", "", "NEEDS-ACTION", true);
        }
        static constexpr std::array<int, kPriorityCount> kPriorities = { 1, 2, 3, 5, 7, 9 };
        if (entry.priority >= 0 && entry.priority < kPriorityCount)
            AddPlain("PRIORITY", std::to_string(kPriorities[static_cast<std::size_t>(entry.priority)]));
        AddPlain(ical::kPriorityProperty, std::to_string(entry.priority));
        if (entry.showDaysBefore != -1)
            AddPlain(ical::kShowDaysBeforeProperty, std::to_string(entry.showDaysBefore));
        ++summary.todos;
        return true;
    }

    // The holidays the month views work out for themselves (equinox days, substitute holidays, days
    // between two holidays), so that other calendars show every holiday this one shows. They follow
    // from the stored holidays alone: listing a store of those costs little even for a large file.
    void GeneratedHolidays(std::string& text)
    {
        std::vector<const CKalData*> entries;
        entries.reserve(store_.entries.size());
        for (const auto& entry : store_.entries)
            entries.push_back(entry.get());
        const DateRange period { DayStart(firstDay_), DayStart(lastDay_) };
        ForEachGeneratedHoliday(entries, store_.genres, period, *options_.generatedHolidays,
            [&](CDTime day, const std::u16string& holiday) {
                const long long dayNumber = DayOf(day);
                const std::string name = ToUtf8(holiday);
                text.append("BEGIN:VEVENT\r\n");
                AppendLine(text, "DTSTART;VALUE=DATE:" + DateText(dayNumber));
                AppendLine(text, "DTEND;VALUE=DATE:" + DateText(dayNumber + 1));
                AppendLine(text, "UID:" + ical::EntryUidOfLine(options_.fileName, DateText(dayNumber) + name, 0));
                AppendLine(text, "DTSTAMP:" + stamp_);
                AppendLine(text, "SUMMARY:" + EscapedText(name));
                AppendLine(text, "CATEGORIES:" + EscapedText(ToUtf8(ical::kHolidayCategory)));
                AppendLine(text, "TRANSP:TRANSPARENT");
                AppendLine(text, std::string(ical::kGeneratedProperty) + ":1");
                text.append("END:VEVENT\r\n");
                ++summary.holidays;
                ++summary.generatedHolidays;
            });
    }

    void Count(const CKalData& entry, bool series, bool dateList)
    {
        if (entry.IsHoliday()) {
            ++summary.holidays;
            return;
        }
        ++summary.events;
        summary.ruleSeries += series ? 1 : 0;
        summary.dateListSeries += dateList ? 1 : 0;
    }

    // When the alarm rings, in minutes from the start (from midnight for an entry without a time),
    // as this program's own reminder rings it: a timed entry the lead time before it starts, one
    // without a time at the hour set for those, an untimed holiday never.
    std::optional<int> TriggerMinutes(const CKalData& entry) const
    {
        if (entry.IsTodo() || entry.alarmMinutes < 0)
            return std::nullopt;
        if (entry.Has(flag::kStartTimeSet))
            return -entry.alarmMinutes;
        if (entry.IsHoliday())
            return std::nullopt;
        return options_.untimedAlarmMinute;
    }

    const std::string& Trigger(int minutes)
    {
        auto known = triggers_.find(minutes);
        if (known == triggers_.end()) {
            char* text = icaldurationtype_as_ical_string_r(icaldurationtype_from_int(minutes * 60));
            known = triggers_.emplace(minutes, text ? text : "PT0S").first;
            std::free(text);
        }
        return known->second;
    }

    // What every entry carries besides its days, then the UID, the alarm and, last, the entry's own line.
    void Finish(const CKalData& entry, const std::u16string& line, int sameBefore)
    {
        std::string utf8Line = ToUtf8(line);
        AddPlain("UID", ical::EntryUidOfLine(options_.fileName, utf8Line, sameBefore));
        AddPlain("DTSTAMP", stamp_);
        const std::string text = EscapedText(ToUtf8(entry.text));
        Add("SUMMARY", "", text, true);
        if (!entry.place.empty())
            Add("LOCATION", "", EscapedText(ToUtf8(entry.place)), true);
        if (!entry.memo.empty())
            Add("DESCRIPTION", "", EscapedText(ToUtf8(WithLineFeeds(entry.memo))), true);
        // A category is written with its separators escaped and read back as one value that keeps them.
        const auto category = [this](const std::u16string& name) {
            const std::string utf8 = ToUtf8(name);
            AppendLine(lines_, "CATEGORIES:" + EscapedText(utf8));
            values_.push_back("CATEGORIES:" + EscapedText(utf8, false));
        };
        if (const CKalField* genre = store_.genres.At(entry.genre); genre && !genre->name.empty())
            category(genre->name);
        if (entry.IsHoliday())
            category(ical::kHolidayCategory);
        AddPlain("COLOR", NearestColourName(entry.colour));
        AddPlain(ical::kColourProperty, ical::ColourText(entry.colour));
        if (entry.Has(flag::kHidden)) {
            AddPlain("CLASS", "PRIVATE");
            AddPlain(ical::kHiddenProperty, "1");
        }
        if (!entry.linkFile.empty()) {
            std::string url = LinkUrl(entry.linkFile, options_.schedulePath);
            std::erase_if(url, [](char c) { return c == '\r' || c == '\n'; });
            AddPlain("ATTACH", url);
            AddPlain(ical::kLinkProperty, EscapedText(ToUtf8(entry.linkFile)));
        }
        AddPlain(ical::kGenreProperty, std::to_string(entry.genre));
        AddPlain(ical::kTimeDisplayProperty, std::to_string(entry.timeDisplay));
        AddPlain(ical::kTextStyleProperty, std::to_string(entry.textStyle));
        if (!entry.IsTodo())
            AddPlain(ical::kAlarmModeProperty, std::to_string(entry.alarmMode));
        if (wholeRange_) {
            if (!utf8Line.empty() && utf8Line.back() == '\n')
                utf8Line.pop_back();
            if (const std::optional<int> trigger = TriggerMinutes(entry)) {
                values_.push_back("TRIGGER:" + Trigger(*trigger));
                values_.push_back("DESCRIPTION:" + text);
            }
            AddPlain(
                ical::kEntryProperty, ical::FingerprintOfValues(std::move(values_)) + ":" + ical::Base64(utf8Line));
        }
        // The alarm comes after the component's own properties.
        if (const std::optional<int> trigger = TriggerMinutes(entry)) {
            lines_.append("BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:").append(Trigger(*trigger));
            lines_.append("\r\n");
            AppendLine(lines_, "DESCRIPTION:" + text);
            lines_.append("END:VALARM\r\n");
        }
    }

    const CKalStore& store_;
    const IcalExportOptions& options_;
    icaltimezone* zone_;
    long long firstDay_;
    long long lastDay_;
    std::string stamp_;
    std::string lines_; // the component's properties as text
    std::string scratchLine_;
    std::vector<std::string> values_; // the fingerprinted values among them
    std::unordered_map<std::string, std::string> canonicalRules_;
    std::unordered_map<int, std::string> triggers_;
    std::vector<std::uint8_t> marks_;
    CKalData scratch_;
    bool wholeRange_ = false;
};

std::string CalendarName(const std::string& fileName)
{
    const std::size_t slash = fileName.find_last_of('/');
    std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

// "YYYY-MM-DD;#RRGGBB[;note in base 64]" for a day colour under its "%d/%02d/%02d" key.
std::optional<std::string> DayColourValue(const std::u16string& key, const DayColour& colour)
{
    int year = 0;
    int month = 0;
    int day = 0;
    if (std::sscanf(ToUtf8(key).c_str(), "%d/%d/%d", &year, &month, &day) != 3)
        return std::nullopt;
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    std::string value = std::string(date) + ";" + ical::ColourText(colour.colour);
    if (!colour.note.empty())
        value += ";" + ical::Base64(ToUtf8(colour.note));
    return value;
}

} // namespace

Result<IcalExport> ExportIcal(const CKalStore& store, const IcalExportOptions& options)
{
    icaltimezone* zone = nullptr;
    if (!options.zone.empty()) {
        zone = icaltimezone_get_builtin_timezone(options.zone.c_str());
        if (!zone)
            return Failure { u"タイムゾーン \"" + FromUtf8(options.zone) + u"\" は分かりません。" };
    }
    IcalComponent calendar = NewCalendar();
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    // A file never saved has no name to give the calendar, and an empty name reads as a broken line.
    if (const std::string calendarName = CalendarName(options.fileName); !calendarName.empty()) {
        icalproperty* name = icalproperty_new_x(calendarName.c_str());
        icalproperty_set_x_name(name, "X-WR-CALNAME");
        icalcomponent_add_property(calendar.get(), name);
    }
    for (const auto& [key, colour] : store.dayColours) {
        if (const auto value = DayColourValue(key, colour)) {
            icalproperty* property = icalproperty_new_x(value->c_str());
            icalproperty_set_x_name(property, ical::kDayColourProperty);
            icalcomponent_add_property(calendar.get(), property);
        }
    }
    if (zone) {
        icalcomponent* timezone = icalcomponent_new_clone(icaltimezone_get_component(zone));
        if (icalproperty* tzid = icalcomponent_get_first_property(timezone, ICAL_TZID_PROPERTY))
            icalproperty_set_tzid(tzid, options.zone.c_str());
        icalcomponent_add_component(calendar.get(), timezone);
    }
    // The components are written one by one after the calendar's head: one tree of every entry would
    // cost more than the text.
    std::string head = IcalText(calendar.get());
    const std::string closing = "END:VCALENDAR\r\n";
    head.resize(head.size() - closing.size());
    IcalExport result;
    result.text = std::move(head);
    result.text.reserve(result.text.size() + store.entries.size() * 800);
    Exporter exporter(store, options, zone);
    exporter.Run(result.text);
    result.text += closing;
    result.summary = exporter.summary;
    return result;
}

std::u16string ExportSummaryText(const IcalExportSummary& summary)
{
    std::u16string text = WithNumber(u"予定 %d 件", summary.events);
    if (summary.ruleSeries > 0) {
        text += WithNumber(u" (繰り返し %d 件", summary.ruleSeries);
        // What other calendars cannot repeat by a rule of their own, said so that nobody wonders.
        if (summary.dateListSeries > 0)
            text += WithNumber(u"、うち規則で言い表せず日付の一覧で書いたもの %d 件", summary.dateListSeries);
        text += u")";
    }
    text += WithNumber(u"、ToDo %d 件", summary.todos) + WithNumber(u"、祝日 %d 件", summary.holidays);
    if (summary.generatedHolidays > 0)
        text += WithNumber(u" (うち自動で求めた祝日 %d 件)", summary.generatedHolidays);
    return text + u"を書き出しました。";
}

} // namespace kal
