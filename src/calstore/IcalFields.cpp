#include "calstore/IcalEvents.h"

#include "calstore/IcalMapping.h"
#include "calstore/IcalOutline.h"
#include "platform/Text.h"
#include "store/CsvLine.h"
#include "store/EntryRow.h"
#include "store/RepeatExpansion.h"

#include <libical/ical.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <span>

namespace kal {

namespace {

// A property's text as the program keeps it: UTF-8 read, line breaks as CR LF.
std::u16string StoreText(const char* utf8)
{
    std::u16string text;
    for (const char16_t c : FromUtf8(utf8 ? utf8 : "")) {
        if (c == u'\n' && (text.empty() || text.back() != u'\r'))
            text += u'\r';
        text += c;
    }
    return text;
}

std::optional<int> Number(const std::optional<std::string>& text, int low, int high)
{
    if (!text)
        return std::nullopt;
    int value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || stop != end || value < low || value > high)
        return std::nullopt;
    return value;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The path of a file:// URL (percent-encoded UTF-8), or nothing for any other URL.
std::optional<std::u16string> FilePath(std::string_view url)
{
    constexpr std::string_view kScheme = "file://";
    if (url.size() < kScheme.size() || !SameIcalName(url.substr(0, kScheme.size()), kScheme))
        return std::nullopt;
    url.remove_prefix(kScheme.size());
    if (url.starts_with("localhost/"))
        url.remove_prefix(9);
    std::string bytes;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size() && HexDigit(url[i + 1]) >= 0 && HexDigit(url[i + 2]) >= 0) {
            bytes += static_cast<char>(HexDigit(url[i + 1]) * 16 + HexDigit(url[i + 2]));
            i += 2;
        } else {
            bytes += url[i];
        }
    }
    return FromUtf8(bytes);
}

// PRIORITY 1-9 as the program's six grades, the inverse of 緊急 1, A 2, B 3, C 5, D 7, E 9.
int GradeOfPriority(int priority)
{
    constexpr int kGrades[10] = { 3, 0, 1, 2, 2, 3, 3, 4, 4, 5 };
    return priority >= 0 && priority <= 9 ? kGrades[priority] : 3;
}

void ReadAlarm(icalcomponent* component, CKalData& entry)
{
    entry.alarmMinutes = -1;
    for (icalcomponent* alarm = icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(component, ICAL_VALARM_COMPONENT)) {
        icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
        icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!action || !trigger)
            continue;
        const icalproperty_action kind = icalproperty_get_action(action);
        if (kind != ICAL_ACTION_DISPLAY && kind != ICAL_ACTION_AUDIO)
            continue;
        const icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
            continue;
        const icaltriggertype value = icalproperty_get_trigger(trigger);
        if (!icaltime_is_null_time(value.time))
            continue;
        const int seconds = icaldurationtype_as_int(value.duration);
        if (seconds > 0 || seconds < -366 * 24 * 3600)
            continue;
        entry.alarmMinutes = -seconds / 60;
        return;
    }
}

void ReadCategories(IcalReading& reading, icalcomponent* component, CKalData& entry)
{
    std::optional<int> known;
    std::optional<std::u16string> unknown;
    for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_CATEGORIES_PROPERTY); property;
         property = icalcomponent_get_next_property(component, ICAL_CATEGORIES_PROPERTY)) {
        const char* value = icalproperty_get_categories(property);
        const std::u16string name = FromUtf8(value ? value : "");
        if (name == ical::kHolidayCategory) {
            entry.Set(flag::kHoliday, !entry.IsTodo());
        } else if (const int genre = reading.genres.Find(name); genre >= 0 && !known) {
            known = genre;
        } else if (genre < 0 && !name.empty() && !unknown) {
            unknown = name;
        }
    }
    if (known)
        entry.genre = *known;
    else if (unknown)
        entry.genre = reading.genres.Add(*unknown);
}

// The program's own fields, which say more than the standard properties: they win over them.
void ReadOwnFields(IcalReading& reading, icalcomponent* component, CKalData& entry)
{
    // Most components come from other programs: one look over their properties passes them by.
    bool any = false;
    for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); property && !any;
         property = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(property);
        any = name && SameIcalName(std::string_view(name).substr(0, 11), "X-KALENDRA-");
    }
    if (!any)
        return;
    if (const auto genre = Number(IcalXValue(component, ical::kGenreProperty), 0, reading.genres.Count() - 1))
        entry.genre = *genre;
    if (const auto display = Number(IcalXValue(component, ical::kTimeDisplayProperty), 0, 3))
        entry.timeDisplay = *display;
    if (const auto style = Number(IcalXValue(component, ical::kTextStyleProperty), 0, 3))
        entry.textStyle = *style;
    if (const auto priority = Number(IcalXValue(component, ical::kPriorityProperty), 0, kPriorityCount - 1);
        priority && entry.IsTodo())
        entry.priority = *priority;
    if (const auto colour = IcalXValue(component, ical::kColourProperty)) {
        if (const auto parsed = ical::ParseColourText(*colour))
            entry.colour = *parsed;
    }
    if (HasIcalFlag(component, ical::kHiddenProperty))
        entry.Set(flag::kHidden, true);
    if (const auto link = IcalXValue(component, ical::kLinkProperty))
        entry.linkFile = FromUtf8(*link);
    if (const auto mode = Number(IcalXValue(component, ical::kAlarmModeProperty), 0, 255); mode && !entry.IsTodo())
        entry.alarmMode = *mode;
    if (const auto before = Number(IcalXValue(component, ical::kShowDaysBeforeProperty), -1, 99999);
        before && entry.IsTodo())
        entry.showDaysBefore = *before;
}

} // namespace

IcalGenres::IcalGenres(const CKalFieldArray& genres)
    : genres_(genres)
    , before_(genres.Count())
{
    for (int i = genres_.Count() - 1; i >= 0; --i)
        index_[genres_.At(i)->name] = i; // the first of equal names wins, as FindByName gives
}

int IcalGenres::Find(std::u16string_view name) const
{
    const auto found = index_.find(std::u16string(name));
    return found == index_.end() ? -1 : found->second;
}

int IcalGenres::Add(std::u16string_view name)
{
    auto genre = std::make_unique<CKalField>();
    genre->name = name;
    genres_.Append(std::move(genre));
    index_.emplace(std::u16string(name), genres_.Count() - 1);
    return genres_.Count() - 1;
}

_icaltimezone* IcalZones::Of(icalproperty* property)
{
    const icalvalue* value = icalproperty_get_value(property);
    if (!value)
        return nullptr;
    const icalvalue_kind kind = icalvalue_isa(value);
    icaltimetype time = icaltime_null_time();
    if (kind == ICAL_DATETIME_VALUE || kind == ICAL_DATE_VALUE)
        time = icalvalue_get_datetime(value);
    else if (kind == ICAL_DATETIMEPERIOD_VALUE)
        time = icalvalue_get_datetimeperiod(value).time;
    else if (kind == ICAL_PERIOD_VALUE)
        time = icalvalue_get_period(value).start;
    if (time.is_date)
        return nullptr;
    if (icaltime_is_utc(time))
        return icaltimezone_get_utc_timezone();
    const icalparameter* parameter = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    const char* tzid = parameter ? icalparameter_get_tzid(parameter) : nullptr;
    if (!tzid || !*tzid)
        return nullptr;
    if (const auto found = found_.find(std::string_view(tzid)); found != found_.end())
        return found->second;
    icaltimezone* zone = calendar_ ? icalcomponent_get_timezone(calendar_, tzid) : nullptr;
    if (zone) {
        // libical works out a zone's changes by walking its rules year by year up to now and beyond;
        // a rule that changes every second would take it ages.
        icalcomponent* block = icaltimezone_get_component(zone);
        for (icalcomponent* part = icalcomponent_get_first_component(block, ICAL_ANY_COMPONENT); part && zone;
             part = icalcomponent_get_next_component(block, ICAL_ANY_COMPONENT)) {
            for (icalproperty* rule = icalcomponent_get_first_property(part, ICAL_RRULE_PROPERTY); rule;
                 rule = icalcomponent_get_next_property(part, ICAL_RRULE_PROPERTY)) {
                if (icalproperty_get_rrule(rule).freq != ICAL_YEARLY_RECURRENCE)
                    zone = nullptr;
            }
        }
    }
    // Writers that put their own path before the zone's name ("/example.org/Tzfile/Europe/Berlin")
    // mean the zone named by its last parts.
    for (const char* name = tzid; !zone && name; name = std::strchr(name + 1, '/')) {
        const char* start = *name == '/' ? name + 1 : name;
        if (*start && std::strlen(start) < 64)
            zone = icaltimezone_get_builtin_timezone(start);
    }
    found_.emplace(tzid, zone);
    return zone;
}

std::unique_ptr<CKalData> ReadIcalFields(IcalReading& reading, icalcomponent* component, bool todo)
{
    auto fields = std::make_unique<CKalData>();
    CKalData& entry = *fields;
    entry.Set(flag::kIsTodo, todo);
    entry.genre = todo ? reading.todoGenre : reading.scheduleGenre;
    entry.text = StoreText(icalcomponent_get_summary(component));
    entry.place = StoreText(icalcomponent_get_location(component));
    entry.memo = StoreText(icalcomponent_get_description(component));
    ReadCategories(reading, component, entry);
    if (todo) {
        entry.alarmMinutes = -1;
        icalproperty* priority = icalcomponent_get_first_property(component, ICAL_PRIORITY_PROPERTY);
        entry.priority = GradeOfPriority(priority ? icalproperty_get_priority(priority) : 0);
    } else {
        ReadAlarm(component, entry);
    }
    if (icalproperty* attach = icalcomponent_get_first_property(component, ICAL_ATTACH_PROPERTY)) {
        icalattach* value = icalproperty_get_attach(attach);
        if (value && icalattach_get_is_url(value)) {
            if (const char* url = icalattach_get_url(value)) {
                if (auto path = FilePath(url))
                    entry.linkFile = std::move(*path);
            }
        }
    }
    ReadOwnFields(reading, component, entry);
    return fields;
}

namespace {

// The entry of an X-KALENDRA-ENTRY value whose fingerprint is `fingerprint`, or null.
std::unique_ptr<CKalData> EntryOfValue(std::string_view value, std::string_view fingerprint)
{
    const std::size_t colon = value.find(':');
    if (colon == std::string_view::npos || value.substr(0, colon) != fingerprint)
        return nullptr;
    const auto line = ical::FromBase64(value.substr(colon + 1));
    if (!line)
        return nullptr;
    CsvLine row;
    row.Parse(FromUtf8(*line));
    auto entry = std::make_unique<CKalData>();
    if (!DecodeEntryRow(row, *entry))
        return nullptr;
    return entry;
}

bool IsPropertyName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    });
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return upper;
}

// What the export writes on an event or a to-do besides its own properties, and which of it the
// fingerprint covers.
constexpr std::string_view kWritten[]
    = { "DTSTART", "DTEND", "DUE", "RRULE", "RDATE", "EXDATE", "UID", "DTSTAMP", "SUMMARY", "LOCATION", "DESCRIPTION",
          "CATEGORIES", "COLOR", "CLASS", "PRIORITY", "STATUS", "COMPLETED", "ATTACH", "TRANSP", "ACTION", "TRIGGER" };
constexpr std::string_view kFingerprinted[] = { "DTSTART", "DTEND", "DUE", "DURATION", "RRULE", "RDATE", "EXDATE",
    "RECURRENCE-ID", "SUMMARY", "LOCATION", "DESCRIPTION", "STATUS", "COMPLETED", "CATEGORIES", "TRIGGER" };

bool Among(std::span<const std::string_view> names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::unique_ptr<CKalData> RestoredIcalEntry(icalcomponent* component)
{
    const auto value = IcalXValue(component, ical::kEntryProperty);
    if (!value)
        return nullptr;
    // The fingerprint leaves this program's own properties out, the entry's line among them.
    return EntryOfValue(*value, ical::Fingerprint(component));
}

std::optional<TextRestoredEntry> RestoredIcalEntryFromText(std::string_view text)
{
    IcalContentLines lines(text, 0);
    std::vector<std::string> values;
    TextRestoredEntry restored;
    std::string entryValue;
    int depth = 0;
    while (lines.Next()) {
        std::string_view line = lines.Line();
        // libical drops the white space at the end of a line.
        line = line.substr(0, line.find_last_not_of(" \t\r\n\v\f") + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        const std::size_t nameEnd = std::min(line.find(';'), colon);
        const std::string name = Upper(line.substr(0, nameEnd));
        const std::string_view parameters = nameEnd < colon ? line.substr(nameEnd + 1, colon - nameEnd - 1) : "";
        const std::string_view value = line.substr(colon + 1);
        if (!IsPropertyName(name) || parameters.find('"') != std::string_view::npos)
            return std::nullopt;
        if (name == "BEGIN") {
            ++depth;
            const std::string component = Upper(value);
            if (!(depth == 1 && (component == "VEVENT" || component == "VTODO"))
                && !(depth == 2 && component == "VALARM"))
                return std::nullopt;
            continue;
        }
        if (name == "END") {
            --depth;
            continue;
        }
        if (name.starts_with("X-KALENDRA-")) {
            if (name == ical::kGeneratedProperty)
                return std::nullopt;
            if (name == ical::kEntryProperty && depth == 1)
                entryValue = value;
            continue;
        }
        if (!Among(kWritten, name))
            return std::nullopt;
        if (name == "UID" && depth == 1)
            restored.uid = value;
        if (!Among(kFingerprinted, name))
            continue;
        std::string kept = name;
        for (std::size_t at = 0; at < parameters.size();) {
            const std::size_t end = std::min(parameters.find(';', at), parameters.size());
            const std::string_view parameter = parameters.substr(at, end - at);
            if (Upper(parameter.substr(0, 5)) == "TZID=")
                kept.append(";").append(parameter.substr(5));
            at = end + 1;
        }
        values.push_back(kept.append(":").append(value));
    }
    if (depth != 0 || entryValue.empty())
        return std::nullopt;
    restored.entry = EntryOfValue(entryValue, ical::FingerprintOfValues(std::move(values)));
    if (!restored.entry)
        return std::nullopt;
    return restored;
}

std::optional<std::string> IcalXValue(icalcomponent* component, std::string_view name)
{
    for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); property;
         property = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        const char* propertyName = icalproperty_get_x_name(property);
        if (propertyName && SameIcalName(propertyName, name)) {
            const char* value = icalproperty_get_x(property);
            return std::string(value ? value : "");
        }
    }
    return std::nullopt;
}

bool HasIcalFlag(icalcomponent* component, std::string_view name)
{
    return IcalXValue(component, name) == std::optional<std::string>("1");
}

} // namespace kal
