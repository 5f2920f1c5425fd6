#include "calstore/IcalImport.h"

#include "calstore/IcalEvents.h"
#include "calstore/IcalMapping.h"
#include "calstore/IcalOutline.h"
#include "calstore/IcalTexts.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Text.h"
#include "store/EntryRow.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "store/RepeatExpansion.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace kal {

namespace {

// The first X-LIC-ERROR libical put where a line did not read, or nothing.
std::optional<std::string> BrokenLine(icalcomponent* component)
{
    for (icalproperty* error = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); error;
         error = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
        const std::string_view text = icalproperty_get_xlicerror(error) ? icalproperty_get_xlicerror(error) : "";
        // An empty value is allowed, and a property of another program's own that says nothing is
        // no loss; libical drops it all the same.
        if (text.starts_with("No value for X property"))
            continue;
        return std::string(text);
    }
    for (icalcomponent* inner = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        if (auto found = BrokenLine(inner))
            return found;
    }
    return std::nullopt;
}

// Sets of UIDs looked up by the text libical holds, without a copy.
struct UidHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view uid) const { return std::hash<std::string_view> {}(uid); }
};
using UidSet = std::unordered_set<std::string, UidHash, std::equal_to<>>;

// An entry's start, end and text as the file keeps them. The file's code page lacks some characters
// (accents, emoji), which it keeps as "?": an event read again compares by the text the file kept,
// else it would come in again at every import.
std::u16string Key(const CKalData& entry)
{
    std::u16string key;
    for (const std::uint32_t value : { entry.start.Seconds(), entry.end.Seconds() }) {
        key += static_cast<char16_t>(value >> 16);
        key += static_cast<char16_t>(value & 0xFFFF);
    }
    const bool ascii = std::all_of(entry.text.begin(), entry.text.end(), [](char16_t c) { return c < 0x80; });
    if (ascii)
        return key + entry.text;
    const CodePage& page = CodePage::Ansi();
    return key + page.Decode(page.Encode(entry.text).bytes);
}

// What the target file holds already: the UIDs its entries were exported under, and their start, end
// and text.
struct Existing {
    UidSet uids;
    std::unordered_set<std::u16string> keys;

    Existing(const CKalStore& store, const std::string& fileName)
    {
        std::unordered_map<std::u16string, int> sameBefore;
        std::u16string line;
        for (const auto& entry : store.entries) {
            line.clear();
            AppendEntryLine(*entry, line);
            uids.insert(ical::EntryUid(fileName, *entry, sameBefore[line]++));
            keys.insert(Key(*entry));
        }
    }
};

// "YYYY-MM-DD;#RRGGBB" and, when the day has a note, ";" and the note in base 64.
std::optional<std::pair<std::u16string, DayColour>> ParseDayColour(std::string_view value)
{
    int year = 0;
    int month = 0;
    int day = 0;
    char colourText[8] = {};
    if (value.size() < 18 || value[10] != ';'
        || std::sscanf(std::string(value.substr(0, 10)).c_str(), "%4d-%2d-%2d", &year, &month, &day) != 3
        || !IsValidDate(year, month, day))
        return std::nullopt;
    std::snprintf(colourText, sizeof colourText, "%.7s", std::string(value.substr(11, 7)).c_str());
    const auto colour = ical::ParseColourText(colourText);
    if (!colour)
        return std::nullopt;
    DayColour result { *colour, {} };
    if (value.size() > 18) {
        const auto note = value[18] == ';' ? ical::FromBase64(value.substr(19)) : std::nullopt;
        if (!note)
            return std::nullopt;
        result.note = FromUtf8(*note);
    }
    return std::pair { DateText(CDTime(year, month, day)), result };
}

void Count(IcalImportReport& report, IcalEntryKind kind, bool todo)
{
    switch (kind) {
    case IcalEntryKind::Single:
        ++report.singles;
        break;
    case IcalEntryKind::Series:
        ++report.series;
        break;
    case IcalEntryKind::SeriesWithExclusions:
        ++report.series;
        ++report.seriesWithExclusions;
        break;
    case IcalEntryKind::Expanded:
        ++report.expandedOccurrences;
        break;
    case IcalEntryKind::Override:
        ++report.overrides;
        break;
    case IcalEntryKind::Todo:
        break;
    case IcalEntryKind::Restored:
        ++report.restored;
        break;
    }
    if (todo)
        ++report.todos;
    else
        ++report.schedules;
}

class Importer {
public:
    Importer(const CKalStore& store, const IcalImportOptions& options)
        : store_(store)
        , existing_(store, options.fileName)
        , reading_ { IcalZones(nullptr), IcalGenres(store.genres), store.DefaultScheduleGenre(),
            store.DefaultTodoGenre(), DateOnly(CDTime::FromInstant(Clock::Current().Now())) }
        , generatedHolidays_(options.generatedHolidays)
    {
    }

    // Reads one calendar of the text a component at a time, so that a large file never stands in
    // memory as one tree. A line libical could not read ends the import: its complaint is returned.
    std::optional<std::string> ReadCalendar(std::string_view text, const IcalCalendarText& parts)
    {
        IcalComponent shell = ParseIcal(parts.shell);
        if (!shell)
            return std::string();
        if (auto broken = BrokenLine(shell.get()))
            return broken;
        reading_.zones = IcalZones(shell.get());
        ReadDayColours(shell.get());
        const auto parse
            = [&](const IcalChild& child) { return ParseIcal(text.substr(child.begin, child.end - child.begin)); };
        // Components that move or cancel one occurrence of a series share its UID and name the
        // occurrence in RECURRENCE-ID; they go with the series wherever they stand in the file, so
        // they are read first. They are few.
        std::vector<IcalComponent> moved;
        std::unordered_map<std::string, std::vector<icalcomponent*>> overrides;
        std::unordered_set<const IcalChild*> taken;
        for (const IcalChild& child : parts.children) {
            if (!child.recurrenceId || !SameIcalName(child.name, "VEVENT"))
                continue;
            IcalComponent component = parse(child);
            if (!component)
                continue;
            if (auto broken = BrokenLine(component.get()))
                return broken;
            const char* uid = icalcomponent_get_uid(component.get());
            if (!uid || icalcomponent_isa(component.get()) != ICAL_VEVENT_COMPONENT)
                continue;
            overrides[uid].push_back(component.get());
            moved.push_back(std::move(component));
            taken.insert(&child);
        }
        UidSet withMaster;
        for (const IcalChild& child : parts.children) {
            if (taken.contains(&child) || !(SameIcalName(child.name, "VEVENT") || SameIcalName(child.name, "VTODO")))
                continue;
            if (auto restored = RestoredIcalEntryFromText(text.substr(child.begin, child.end - child.begin));
                restored && !overrides.contains(restored->uid)) {
                if (!restored->uid.empty() && TakenAlready(restored->uid))
                    continue;
                std::vector<IcalEntry> read;
                read.push_back(IcalEntry { std::move(restored->entry), IcalEntryKind::Restored });
                Keep(read);
                continue;
            }
            IcalComponent master = parse(child);
            if (!master)
                continue;
            if (auto broken = BrokenLine(master.get()))
                return broken;
            const icalcomponent_kind kind = icalcomponent_isa(master.get());
            if (kind != ICAL_VEVENT_COMPONENT && kind != ICAL_VTODO_COMPONENT)
                continue;
            const char* uid = icalcomponent_get_uid(master.get());
            std::span<icalcomponent* const> movedHere;
            if (uid && !overrides.empty() && kind == ICAL_VEVENT_COMPONENT) {
                if (const auto found = overrides.find(uid); found != overrides.end() && withMaster.insert(uid).second)
                    movedHere = found->second;
            }
            ReadComponent(master.get(), movedHere);
        }
        // A moved occurrence whose series is not in the file is an event of its own.
        for (const IcalComponent& component : moved) {
            if (!withMaster.contains(std::string_view(icalcomponent_get_uid(component.get()))))
                ReadComponent(component.get(), {}, Uid::Shared);
        }
        return std::nullopt;
    }

    IcalImport Finish() &&
    {
        DropGeneratedHolidays();
        StoreOperation operation(opname::kIcalImport);
        report_.genres = reading_.genres.Added();
        if (report_.genres > 0)
            operation.SetGenres(reading_.genres.All());
        std::vector<std::unique_ptr<CKalData>> entries;
        entries.reserve(entries_.size());
        for (IcalEntry& read : entries_) {
            Count(report_, read.kind, read.entry->IsTodo());
            entries.push_back(std::move(read.entry));
        }
        if (!entries.empty())
            operation.Append(std::move(entries));
        for (auto& [key, colour] : dayColours_)
            operation.SetDayColour(key, colour);
        return IcalImport { std::move(operation), report_ };
    }

private:
    // A holiday the views work out for themselves comes back from another calendar as an all-day
    // event of its own (the mark this program gives it may be lost on the way): the target works it
    // out too, so the event is a duplicate. Which days those are follows from the target's stored
    // holidays and the imported ones.
    void DropGeneratedHolidays()
    {
        const auto candidate = [](const CKalData& entry) {
            return entry.repeatType == repeat::kNone && !entry.IsTodo() && !entry.Has(flag::kStartTimeSet)
                && DateOnly(entry.start) == DateOnly(entry.end) && IsGeneratedHolidayName(entry.text);
        };
        std::vector<const CKalData*> holidays;
        CDTime first(kLastYear, 12, 31);
        CDTime last(kFirstYear, 1, 1);
        for (const IcalEntry& read : entries_) {
            const CKalData& entry = *read.entry;
            if (!candidate(entry)) {
                holidays.push_back(&entry);
                continue;
            }
            first = std::min(first, DateOnly(entry.start));
            last = std::max(last, DateOnly(entry.start));
        }
        if (last < first)
            return;
        for (const auto& entry : store_.entries)
            holidays.push_back(entry.get());
        std::set<std::pair<CDTime, std::u16string>> generated;
        ForEachGeneratedHoliday(holidays, reading_.genres.All(), DateRange { first, last }, generatedHolidays_,
            [&](CDTime day, const std::u16string& name) { generated.emplace(day, name); });
        const auto duplicate = [&](const IcalEntry& read) {
            const CKalData& entry = *read.entry;
            return candidate(entry) && generated.contains({ DateOnly(entry.start), entry.text });
        };
        const std::size_t before = entries_.size();
        std::erase_if(entries_, duplicate);
        report_.duplicates += static_cast<int>(before - entries_.size());
    }

    // Moved occurrences of one series share its UID: each is an event of its own all the same.
    enum class Uid { Own, Shared };

    void ReadComponent(icalcomponent* component, std::span<icalcomponent* const> moved, Uid uidKind = Uid::Own)
    {
        // The program works these holidays out for itself: an entry for them would show twice.
        if (HasIcalFlag(component, ical::kGeneratedProperty))
            return;
        if (const char* uid = icalcomponent_get_uid(component); uid && *uid && uidKind == Uid::Own) {
            if (TakenAlready(uid))
                return;
        }
        IcalComponentEntries read = ReadIcalComponent(reading_, component, moved);
        report_.skipped += read.skipped;
        Keep(read.entries);
    }

    // Whether a UID is that of an entry the target has already or this import has taken: the
    // component is then a duplicate, and counted as one.
    bool TakenAlready(std::string_view uid)
    {
        if (existing_.uids.contains(uid) || !taken_.emplace(uid).second) {
            ++report_.duplicates;
            return true;
        }
        return false;
    }

    // Keeps the entries read, but those the target has with the same start, end and text.
    void Keep(std::vector<IcalEntry>& read)
    {
        for (IcalEntry& entry : read) {
            if (existing_.keys.contains(Key(*entry.entry))) {
                ++report_.duplicates;
                continue;
            }
            entries_.push_back(std::move(entry));
        }
    }

    void ReadDayColours(icalcomponent* calendar)
    {
        for (icalproperty* property = icalcomponent_get_first_property(calendar, ICAL_X_PROPERTY); property;
             property = icalcomponent_get_next_property(calendar, ICAL_X_PROPERTY)) {
            const char* name = icalproperty_get_x_name(property);
            const char* value = icalproperty_get_x(property);
            if (!name || !value || !SameIcalName(name, ical::kDayColourProperty))
                continue;
            auto day = ParseDayColour(value);
            // A day the file has coloured already keeps its colour.
            if (!day || store_.FindDayColour(day->first) || !colouredDays_.insert(day->first).second)
                continue;
            dayColours_.push_back(std::move(*day));
            ++report_.dayColours;
        }
    }

    const CKalStore& store_;
    Existing existing_;
    IcalReading reading_;
    IcalImportReport report_;
    GeneratedHolidayKinds generatedHolidays_;
    std::vector<IcalEntry> entries_;
    UidSet taken_;
    std::unordered_set<std::u16string> colouredDays_;
    std::vector<std::pair<std::u16string, DayColour>> dayColours_;
};

} // namespace

Result<IcalImport> ImportIcal(const CKalStore& store, std::string_view text, const IcalImportOptions& options)
{
    if (text.size() > kMaxIcalImportBytes)
        return Failure { WithNumber(icaltexts::kTooLarge, static_cast<long long>(kMaxIcalImportBytes >> 20)) };
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return Failure { icaltexts::kEmpty };
    const IcalOutline outline = OutlineOf(text);
    if (!outline.isText || !SameIcalName(outline.firstName, "VCALENDAR"))
        return Failure { icaltexts::kNotCalendar };
    if (outline.TooDeep())
        return Failure { WithNumber(icaltexts::kTooDeep, kMaxIcalDepth) };
    if (!outline.closed)
        return Failure { icaltexts::kNotClosed };
    const std::vector<IcalCalendarText> calendars = SplitCalendars(text);
    if (calendars.empty())
        return Failure { icaltexts::kNotCalendar };
    Importer importer(store, options);
    for (const IcalCalendarText& calendar : calendars) {
        if (const auto broken = importer.ReadCalendar(text, calendar))
            return Failure { broken->empty() ? std::u16string(icaltexts::kNotCalendar)
                                             : icaltexts::kBrokenLine + FromUtf8(*broken) };
    }
    return std::move(importer).Finish();
}

std::u16string ImportReportText(const IcalImportReport& report)
{
    std::u16string text = WithNumber(u"予定 %d 件", report.schedules);
    if (report.series > 0) {
        text += WithNumber(u" (繰り返し %d 件", report.series);
        if (report.seriesWithExclusions > 0)
            text += WithNumber(u"、うち除外日つき %d 件", report.seriesWithExclusions);
        text += u")";
    }
    if (report.expandedOccurrences + report.overrides > 0)
        text += WithNumber(u"、個別に加えた日 %d 件", report.expandedOccurrences + report.overrides);
    text += WithNumber(u"、ToDo %d 件を読み込みました。", report.todos);
    if (report.restored > 0)
        text += WithNumber(u"うち %d 件は書き出したときのまま戻しました。", report.restored);
    if (report.genres > 0)
        text += WithNumber(u"ジャンルを %d 個加えました。", report.genres);
    if (report.dayColours > 0)
        text += WithNumber(u"日の色を %d 日分加えました。", report.dayColours);
    if (report.duplicates > 0)
        text += WithNumber(u"重複のため %d 件を除きました。", report.duplicates);
    if (report.skipped > 0)
        text += WithNumber(u"読み込めない %d 件を飛ばしました。", report.skipped);
    return text;
}

} // namespace kal
