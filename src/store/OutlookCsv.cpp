#include "store/OutlookCsv.h"

#include "store/ExchangeTexts.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"
#include "store/TextLineFile.h"

#include <vector>

namespace kal {

namespace {

constexpr int kColumnCount = 22;
constexpr std::u16string_view kDate = u"%Y/%m/%d";
constexpr std::u16string_view kTime = u"%H:%M:00";

void AppendQuoted(std::u16string& line, std::u16string_view text)
{
    if (!line.empty())
        line += u',';
    line += u'"';
    for (char16_t c : text) {
        if (c == u'"')
            line += u'"';
        line += c;
    }
    line += u'"';
}

CDTime NextDay(CDTime day)
{
    const LocalFields f = day.Fields();
    return CDTime(f.year, f.month, f.day + 1);
}

std::u16string OneDayLater(CDTime day)
{
    const LocalFields f = day.Fields();
    return CDTime(f.year, f.month, f.day + 1).Format(kDate);
}

bool EqualsIgnoringCase(std::u16string_view text, std::u16string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
        if (lower(text[i]) != lower(word[i]))
            return false;
    }
    return true;
}

// "9:30:00" read as 9:30; the seconds the desktop calendar writes are dropped. A time without seconds
// is taken as it stands.
std::optional<CDTime> ReadDateTime(std::u16string_view dateText, std::u16string_view timeText)
{
    const auto date = ParseDate(dateText, YearClamp::Off);
    if (!date)
        return std::nullopt;
    const std::size_t first = timeText.find(u':');
    const std::size_t last = timeText.rfind(u':');
    if (first != last)
        timeText = timeText.substr(0, last);
    const auto time = ParseHourMinute(timeText);
    if (!time)
        return std::nullopt;
    const LocalFields f = date->Fields();
    return CDTime(f.year, f.month, f.day, time->hour, time->minute);
}

using Record = std::vector<std::u16string>;

// Splits the file into records of fields. A quoted field runs on over line ends (kept as CR LF) until
// its closing quote; two quotes inside it are one quote. Gives false in `complete` when the text ends
// inside a quoted field.
std::vector<Record> ReadRecords(const TextLineFile& file, bool& complete)
{
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    std::vector<Record> records;
    Record record;
    std::u16string field;
    State state = State::FieldStart;
    for (int index = 0; index < file.LineCount(); ++index) {
        for (char16_t c : file.Line(index)) {
            switch (state) {
            case State::FieldStart:
                if (c == u'"') {
                    state = State::Quoted;
                } else if (c == u',') {
                    record.push_back(std::move(field));
                    field.clear();
                } else {
                    field += c;
                    state = State::Unquoted;
                }
                break;
            case State::Quoted:
                if (c == u'"')
                    state = State::QuoteInQuoted;
                else
                    field += c;
                break;
            case State::QuoteInQuoted:
            case State::Unquoted:
                if (c == u'"' && state == State::QuoteInQuoted) {
                    field += c;
                    state = State::Quoted;
                } else if (c == u',') {
                    record.push_back(std::move(field));
                    field.clear();
                    state = State::FieldStart;
                } else {
                    field += c; // text after a closing quote is kept, as lenient readers do
                }
                break;
            }
        }
        if (state == State::Quoted) {
            field += u"\r\n";
            continue;
        }
        record.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(record));
        record.clear();
        state = State::FieldStart;
    }
    complete = state != State::Quoted;
    return records;
}

std::u16string_view Column(const Record& record, int index)
{
    return index < static_cast<int>(record.size()) ? std::u16string_view(record[static_cast<std::size_t>(index)])
                                                   : std::u16string_view();
}

// The entry a record describes; nothing when one of its dates or times does not read.
std::optional<CKalData> EntryOfRecord(const Record& record, CKalStore& store)
{
    CKalData entry;
    entry.text = Column(record, 0);
    const auto start = ReadDateTime(Column(record, 1), Column(record, 2));
    const auto end = ReadDateTime(Column(record, 3), Column(record, 4));
    if (!start || !end)
        return std::nullopt;
    entry.start = *start;
    entry.end = *end;
    if (!EqualsIgnoringCase(Column(record, 5), exchange::kTrue)) {
        // Calendars never write an end before the start, but a file edited by hand may have one. The
        // record is kept, ending where it starts: refused, its text and memo would be lost, and kept
        // as it stands, the entry would show on no day.
        if (entry.end < entry.start)
            entry.end = entry.start;
        entry.Set(flag::kStartTimeSet, true);
        entry.Set(flag::kEndTimeSet, entry.end != entry.start);
    } else {
        entry.Set(flag::kStartTimeSet | flag::kEndTimeSet, false);
        // An all-day event ends at the start of the day after its last day.
        const LocalFields last = entry.end.Fields();
        const CDTime lastDay(last.year, last.month, last.day - 1);
        entry.start = DateOnly(entry.start);
        entry.end = lastDay > entry.start ? lastDay : entry.start;
    }
    if (EqualsIgnoringCase(Column(record, 6), exchange::kTrue)) {
        const auto alarm = ReadDateTime(Column(record, 7), Column(record, 8));
        if (!alarm)
            return std::nullopt;
        const std::int64_t lead = (*start - *alarm) / 60;
        entry.alarmMinutes = lead < 0 ? 0 : static_cast<std::int32_t>(lead);
    } else {
        entry.alarmMinutes = -1;
    }
    entry.place = Column(record, 17);
    entry.memo = Column(record, 18);
    const std::u16string_view genre = Column(record, 20);
    entry.genre = genre.empty() ? 0 : store.genres.FindOrAddByName(genre);
    return entry;
}

} // namespace

std::optional<std::u16string> OutlookCsvLine(
    CDTime day, const CKalData& entry, const CKalStore& store, HiddenEntries hidden)
{
    if (entry.IsTodo() || entry.IsHoliday() || (entry.Has(flag::kHidden) && hidden == HiddenEntries::Skip))
        return std::nullopt;
    const bool startTimed = entry.Has(flag::kStartTimeSet);
    const bool endTimed = entry.Has(flag::kEndTimeSet);
    const bool allDay = !startTimed && !endTimed;
    const bool repeating = entry.repeatType != repeat::kNone;
    // Only an entry that has a reminder says so: a lead time of -1 means none, whatever the mode.
    const bool alarmOn = entry.alarmMode != 0 && entry.alarmMinutes >= 0;
    const CDTime startDay = repeating ? day : entry.start;
    const CDTime endDay = !repeating ? entry.end : OccurrenceEndsNextDay(entry) ? NextDay(day) : day;
    // A repeating entry's reminder goes with the occurrence written, not with the rule's first day.
    const LocalFields shown = startDay.Fields();
    const CDTime occurrence = repeating ? ComposeDate(shown.year, shown.month, shown.day, entry.start) : entry.start;
    const CDTime alarm = alarmOn ? occurrence - static_cast<std::int64_t>(entry.alarmMinutes) * 60 : occurrence;
    const CKalField* genre = store.genres.At(entry.genre);

    std::u16string line;
    AppendQuoted(line, entry.text);
    AppendQuoted(line, startDay.Format(kDate));
    AppendQuoted(line, startTimed ? entry.start.Format(kTime) : std::u16string(exchange::kMidnight));
    AppendQuoted(line, allDay ? OneDayLater(endDay) : endDay.Format(kDate));
    AppendQuoted(line,
        endTimed ? entry.end.Format(kTime)
                 : (startTimed ? entry.start.Format(kTime) : std::u16string(exchange::kMidnight)));
    AppendQuoted(line, allDay ? exchange::kTrue : exchange::kFalse);
    AppendQuoted(line, alarmOn ? exchange::kTrue : exchange::kFalse);
    AppendQuoted(line, alarm.Format(kDate));
    AppendQuoted(line, alarm.Format(kTime));
    for (int i = 9; i <= 12; ++i)
        AppendQuoted(line, u"");
    AppendQuoted(line, entry.Has(flag::kHidden) ? exchange::kFalse : exchange::kTrue);
    AppendQuoted(line, u"");
    AppendQuoted(line, exchange::kShowAs);
    AppendQuoted(line, u"");
    AppendQuoted(line, entry.place);
    AppendQuoted(line, entry.memo);
    AppendQuoted(line, exchange::kNormal);
    AppendQuoted(line, genre ? std::u16string_view(genre->name) : std::u16string_view());
    AppendQuoted(line, exchange::kNormal);
    while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n'))
        line.pop_back();
    static_assert(kColumnCount == 22);
    return line;
}

CsvImportReport ImportOutlookCsv(CKalStore& store, const TextLineFile& file)
{
    CsvImportReport report;
    bool complete = true;
    const std::vector<Record> records = ReadRecords(file, complete);
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (records[i].size() == 1 && records[i][0].empty())
            continue; // a blank line
        auto entry = EntryOfRecord(records[i], store);
        if (!entry) {
            ++report.skipped;
            continue;
        }
        store.AppendEntry(std::make_unique<CKalData>(*entry));
        ++report.added;
    }
    if (!complete)
        ++report.skipped;
    return report;
}

std::optional<CsvImportReport> ImportOutlookCsvFile(CKalStore& store, const std::string& path, FileError* error)
{
    auto file = TextLineFile::Read(path, error);
    if (!file)
        return std::nullopt;
    return ImportOutlookCsv(store, *file);
}

} // namespace kal
