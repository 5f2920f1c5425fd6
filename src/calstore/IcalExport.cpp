#include "calstore/IcalExport.h"

#include "calendar/CivilDate.h"
#include "calstore/IcalMapping.h"
#include "calstore/IcalRecurrence.h"
#include "calstore/IcsEvent.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "store/DayListing.h"
#include "store/EntryRow.h"
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

icaltimetype DateValue(long long day)
{
    const CivilDate date = CivilFromDays(day);
    icaltimetype value = icaltime_null_date();
    value.year = date.year;
    value.month = date.month;
    value.day = date.day;
    return value;
}

icaltimetype TimeValue(long long day, int hour, int minute)
{
    const CivilDate date = CivilFromDays(day);
    icaltimetype value = icaltime_null_time();
    value.year = date.year;
    value.month = date.month;
    value.day = date.day;
    value.hour = hour;
    value.minute = minute;
    return value;
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

// Appends "NAME:value" of ASCII as lines of at most 75 octets, each further one starting with a blank.
void AppendFolded(std::string& text, std::string_view line)
{
    constexpr std::size_t kLine = 75;
    text.append(line.substr(0, kLine));
    for (std::size_t at = kLine; at < line.size(); at += kLine - 1)
        text.append("\r\n ").append(line.substr(at, kLine - 1));
    text.append("\r\n");
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

// The export's state over all entries.
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
        std::unordered_map<std::u16string, int> seen;
        std::u16string line;
        for (const auto& owned : store_.entries) {
            const CKalData& entry = *owned;
            line.clear();
            AppendEntryLine(entry, line);
            const int sameBefore = seen[line]++;
            if (entry.Has(flag::kHidden) && !options_.includeHidden)
                continue;
            lines_.clear();
            dateValues_.clear();
            IcalComponent component = entry.IsTodo() ? Todo(entry) : Schedule(entry);
            if (!component)
                continue;
            Finish(component.get(), entry, line, sameBefore);
            char* written = icalcomponent_as_ical_string_r(component.get());
            // The text lines go before an alarm, where a component's own properties belong.
            const std::string_view libical(written);
            std::size_t at = libical.find("BEGIN:VALARM\r\n");
            if (at == std::string_view::npos)
                at = libical.rfind("END:");
            text.append(libical.substr(0, at)).append(lines_).append(libical.substr(at));
            std::free(written);
        }
    }

    IcalExportSummary summary;

private:
    struct Shown {
        std::vector<long long> days; // the first shown day, and for a date list every other one
        bool wholeRange = false; // the entry shows on no day outside the period
    };

    void AddTime(icalcomponent* component, icalproperty* (*make)(icaltimetype), const icaltimetype& value) const
    {
        icalproperty* property = make(value);
        if (zone_ && !value.is_date)
            icalproperty_add_parameter(property, icalparameter_new_tzid(options_.zone.c_str()));
        icalcomponent_add_property(component, property);
    }

    // An RDATE or EXDATE, written as text beside the component: a long list of them costs libical a
    // property each.
    void AddDate(const char* name, const icaltimetype& value)
    {
        char text[24];
        if (value.is_date)
            std::snprintf(text, sizeof text, "%04d%02d%02d", value.year, value.month, value.day);
        else
            std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", value.year, value.month, value.day, value.hour,
                value.minute);
        lines_ += name;
        std::string fingerprinted = name;
        if (value.is_date) {
            lines_ += ";VALUE=DATE";
        } else if (zone_) {
            lines_ += ";TZID=" + options_.zone;
            fingerprinted += ";" + options_.zone;
        }
        lines_.append(":").append(text).append("\r\n");
        dateValues_.push_back(fingerprinted.append(":").append(text));
    }

    // An X- property of the user's text, which libical writes.
    static void AddText(icalcomponent* component, const char* name, const std::string& value)
    {
        icalproperty* property = icalproperty_new_x(value.c_str());
        icalproperty_set_x_name(property, name);
        icalcomponent_add_property(component, property);
    }

    // A property of plain ASCII that needs no escaping, as text.
    void AddLine(std::string_view name, std::string_view value)
    {
        if (name.size() + 1 + value.size() <= 75) {
            lines_.append(name).append(":").append(value).append("\r\n");
            return;
        }
        AppendFolded(lines_, std::string(name) + ":" + std::string(value));
    }

    // The occurrence on `day` at the entry's start time, or the day itself for an all-day entry.
    static icaltimetype OccurrenceStart(const CKalData& entry, long long day)
    {
        if (!entry.Has(flag::kStartTimeSet))
            return DateValue(day);
        const LocalFields start = entry.start.Fields();
        return TimeValue(day, start.hour, start.minute);
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

    IcalComponent Schedule(const CKalData& entry)
    {
        const long long startDay = DayOf(entry.start);
        const long long endDay = DayOf(entry.end);
        const bool repeats = entry.repeatType != repeat::kNone;
        const long long reachBack = entry.avoidDays != 0 && repeats ? kAvoidReach : 0;
        const long long lastDay = repeats ? RepetitionLastDay(entry) : endDay;
        const long long from = std::max(firstDay_, startDay - reachBack);
        wholeRange_ = startDay - reachBack >= firstDay_ && lastDay <= lastDay_;
        const bool timed = entry.Has(flag::kStartTimeSet);
        const LocalFields start = entry.start.Fields();
        const LocalFields end = entry.end.Fields();

        IcalComponent event(icalcomponent_new_vevent());
        icalcomponent* raw = event.get();
        if (!repeats) {
            if (!FirstShownDay(entry, from, std::min(lastDay_, lastDay)))
                return nullptr;
            if (!timed) {
                AddTime(raw, icalproperty_new_dtstart, DateValue(startDay));
                AddTime(raw, icalproperty_new_dtend, DateValue(std::max(endDay, startDay) + 1));
            } else {
                AddTime(raw, icalproperty_new_dtstart, TimeValue(startDay, start.hour, start.minute));
                if (entry.Has(flag::kEndTimeSet))
                    AddTime(raw, icalproperty_new_dtend, TimeValue(endDay, end.hour, end.minute));
                else if (endDay > startDay)
                    AddTime(raw, icalproperty_new_dtend, TimeValue(endDay, 23, 59));
            }
            Count(entry, false, false);
            return event;
        }

        const auto rule = ExactRecurrenceRule(entry);
        std::vector<long long> days;
        const long long until = std::min(lastDay, lastDay_);
        if (rule) {
            const auto first = FirstShownDay(entry, from, until);
            if (!first)
                return nullptr;
            days.push_back(*first);
        } else {
            days = ShownDays(entry, from, std::min(lastDay_, lastDay));
            if (days.empty())
                return nullptr;
        }
        const long long first = days.front();
        AddTime(raw, icalproperty_new_dtstart, OccurrenceStart(entry, first));
        if (!timed)
            AddTime(raw, icalproperty_new_dtend, DateValue(first + 1));
        else if (entry.Has(flag::kEndTimeSet))
            AddTime(raw, icalproperty_new_dtend,
                TimeValue(first + (OccurrenceEndsNextDay(entry) ? 1 : 0), end.hour, end.minute));
        if (rule) {
            AddRule(raw, entry, *rule, until);
            AddExclusionDates(entry, first, until);
        } else {
            for (std::size_t i = 1; i < days.size(); ++i)
                AddDate("RDATE", OccurrenceStart(entry, days[i]));
        }
        Count(entry, true, !rule);
        return event;
    }

    void AddRule(icalcomponent* component, const CKalData& entry, const std::string& rule, long long until) const
    {
        char text[40];
        const CivilDate date = CivilFromDays(until);
        if (!entry.Has(flag::kStartTimeSet)) {
            std::snprintf(text, sizeof text, ";UNTIL=%04d%02d%02d", date.year, date.month, date.day);
        } else if (zone_) {
            // A rule of zoned times ends at a moment in UTC.
            icaltimetype last = TimeValue(until, 23, 59);
            last.second = 59;
            last.zone = zone_;
            last = icaltime_convert_to_zone(last, icaltimezone_get_utc_timezone());
            std::snprintf(text, sizeof text, ";UNTIL=%04d%02d%02dT%02d%02d%02dZ", last.year, last.month, last.day,
                last.hour, last.minute, last.second);
        } else {
            std::snprintf(text, sizeof text, ";UNTIL=%04d%02d%02dT235959", date.year, date.month, date.day);
        }
        const icalrecurrencetype recurrence = icalrecurrencetype_from_string((rule + text).c_str());
        icalcomponent_add_property(component, icalproperty_new_rrule(recurrence));
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
            AddDate("EXDATE", OccurrenceStart(entry, day));
    }

    IcalComponent Todo(const CKalData& entry)
    {
        const long long day = DayOf(entry.start);
        if (day < firstDay_ || day > lastDay_)
            return nullptr;
        wholeRange_ = true;
        IcalComponent todo(icalcomponent_new_vtodo());
        icalcomponent* raw = todo.get();
        const LocalFields start = entry.start.Fields();
        if (entry.Has(flag::kNoDeadline))
            AddTime(raw, icalproperty_new_dtstart, DateValue(day));
        else if (entry.Has(flag::kStartTimeSet))
            AddTime(raw, icalproperty_new_due, TimeValue(day, start.hour, start.minute));
        else
            AddTime(raw, icalproperty_new_due, DateValue(day));
        if (entry.Has(flag::kDone)) {
            icalcomponent_add_property(raw, icalproperty_new_status(ICAL_STATUS_COMPLETED));
            icalcomponent_add_property(raw,
                icalproperty_new_completed(icaltime_from_timet_with_zone(
                    static_cast<time_t>(entry.end.Instant()), 0, icaltimezone_get_utc_timezone())));
        } else {
            icalcomponent_add_property(raw, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
        }
        static constexpr std::array<int, kPriorityCount> kPriorities = { 1, 2, 3, 5, 7, 9 };
        if (entry.priority >= 0 && entry.priority < kPriorityCount)
            icalcomponent_add_property(
                raw, icalproperty_new_priority(kPriorities[static_cast<std::size_t>(entry.priority)]));
        AddLine(ical::kPriorityProperty, std::to_string(entry.priority));
        if (entry.showDaysBefore != -1)
            AddLine(ical::kShowDaysBeforeProperty, std::to_string(entry.showDaysBefore));
        ++summary.todos;
        return todo;
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

    // What every entry carries besides its days, then the UID and, last, the entry's own line.
    void Finish(icalcomponent* raw, const CKalData& entry, std::u16string& line, int sameBefore)
    {
        AddLine("UID", ical::EntryUid(options_.fileName, entry, sameBefore));
        AddLine("DTSTAMP", stamp_);
        icalcomponent_add_property(raw, icalproperty_new_summary(ToUtf8(entry.text).c_str()));
        if (!entry.place.empty())
            icalcomponent_add_property(raw, icalproperty_new_location(ToUtf8(entry.place).c_str()));
        if (!entry.memo.empty())
            icalcomponent_add_property(raw, icalproperty_new_description(ToUtf8(WithLineFeeds(entry.memo)).c_str()));
        if (const CKalField* genre = store_.genres.At(entry.genre); genre && !genre->name.empty())
            icalcomponent_add_property(raw, icalproperty_new_categories(ToUtf8(genre->name).c_str()));
        if (entry.IsHoliday())
            icalcomponent_add_property(raw, icalproperty_new_categories(ToUtf8(ical::kHolidayCategory).c_str()));
        AddLine("COLOR", NearestColourName(entry.colour));
        AddLine(ical::kColourProperty, ical::ColourText(entry.colour));
        if (entry.Has(flag::kHidden)) {
            AddLine("CLASS", "PRIVATE");
            AddLine(ical::kHiddenProperty, "1");
        }
        if (!entry.linkFile.empty()) {
            icalattach* attach = icalattach_new_from_url(LinkUrl(entry.linkFile, options_.schedulePath).c_str());
            icalcomponent_add_property(raw, icalproperty_new_attach(attach));
            icalattach_unref(attach);
            AddText(raw, ical::kLinkProperty, ToUtf8(entry.linkFile));
        }
        AddLine(ical::kGenreProperty, std::to_string(entry.genre));
        AddLine(ical::kTimeDisplayProperty, std::to_string(entry.timeDisplay));
        AddLine(ical::kTextStyleProperty, std::to_string(entry.textStyle));
        if (!entry.IsTodo()) {
            AddLine(ical::kAlarmModeProperty, std::to_string(entry.alarmMode));
            if (entry.alarmMinutes >= 0) {
                icalcomponent* alarm = icalcomponent_new_valarm();
                icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
                icaltriggertype trigger {};
                trigger.time = icaltime_null_time();
                trigger.duration = icaldurationtype_from_int(-entry.alarmMinutes * 60);
                icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
                icalcomponent_add_property(alarm, icalproperty_new_description(ToUtf8(entry.text).c_str()));
                icalcomponent_add_component(raw, alarm);
            }
        }
        if (wholeRange_) {
            if (!line.empty() && line.back() == u'\n')
                line.pop_back();
            AddLine(ical::kEntryProperty,
                ical::Fingerprint(raw, std::move(dateValues_)) + ":" + ical::Base64(ToUtf8(line)));
        }
    }

    const CKalStore& store_;
    const IcalExportOptions& options_;
    icaltimezone* zone_;
    long long firstDay_;
    long long lastDay_;
    std::string stamp_;
    std::string lines_; // this component's properties written as text
    std::vector<std::string> dateValues_; // the fingerprinted values among them
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
    icalproperty* name = icalproperty_new_x(CalendarName(options.fileName).c_str());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
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
    Exporter exporter(store, options, zone);
    exporter.Run(result.text);
    result.text += closing;
    result.summary = exporter.summary;
    return result;
}

std::u16string ExportSummaryText(const IcalExportSummary& summary)
{
    const auto number = [](int value) { return FromUtf8(std::to_string(value)); };
    std::u16string text = u"予定 " + number(summary.events) + u" 件 (繰り返し " + number(summary.ruleSeries)
        + u" 件、うち日付の一覧で書いたもの " + number(summary.dateListSeries) + u" 件)、ToDo " + number(summary.todos)
        + u" 件、祝日 " + number(summary.holidays) + u" 件";
    if (summary.generatedHolidays > 0)
        text += u" (うち自動で求めた祝日 " + number(summary.generatedHolidays) + u" 件)";
    return text + u"を書き出しました。";
}

} // namespace kal
