#include "store/OutlookCsv.h"

#include "platform/TextEncoding.h"
#include "store/ExchangeTexts.h"
#include "store/FileMessage.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
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

// A run of `minDigits` to `maxDigits` ASCII digits at the front of `text`, taken off it.
std::optional<int> TakeNumber(std::u16string_view& text, std::size_t minDigits, std::size_t maxDigits)
{
    std::size_t length = 0;
    int value = 0;
    while (length < text.size() && length < maxDigits && text[length] >= u'0' && text[length] <= u'9')
        value = value * 10 + (text[length++] - u'0');
    if (length < minDigits || (length < text.size() && text[length] >= u'0' && text[length] <= u'9'))
        return std::nullopt;
    text.remove_prefix(length);
    return value;
}

bool TakeChar(std::u16string_view& text, char16_t c)
{
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

std::u16string_view TrimSpaces(std::u16string_view text)
{
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    return text;
}

// "2026/03/10" or "2026/3/10": what the desktop calendar writes. A year of other than four digits
// would be a guess (is "26" 1926 or 2026?), and is refused.
std::optional<CDTime> ReadCsvDate(std::u16string_view text)
{
    text = TrimSpaces(text);
    const auto year = TakeNumber(text, 4, 4);
    if (!year || !TakeChar(text, u'/'))
        return std::nullopt;
    const auto month = TakeNumber(text, 1, 2);
    if (!month || !TakeChar(text, u'/'))
        return std::nullopt;
    const auto day = TakeNumber(text, 1, 2);
    if (!day || !text.empty() || !IsValidDate(*year, *month, *day))
        return std::nullopt;
    return CDTime(*year, *month, *day);
}

enum class HalfDay { None, Morning, Afternoon };

// Takes "AM", "PM" (any case), "午前" or "午後" off the front (`atFront`) or the back of `text`.
HalfDay TakeHalfDay(std::u16string_view& text, bool atFront)
{
    struct Marker {
        std::u16string_view text;
        HalfDay half;
    };
    static constexpr Marker kMarkers[] = { { u"AM", HalfDay::Morning }, { u"PM", HalfDay::Afternoon },
        { u"午前", HalfDay::Morning }, { u"午後", HalfDay::Afternoon } };
    for (const Marker& marker : kMarkers) {
        if (text.size() < marker.text.size())
            continue;
        const std::u16string_view part
            = atFront ? text.substr(0, marker.text.size()) : text.substr(text.size() - marker.text.size());
        if (!EqualsIgnoringCase(part, marker.text))
            continue;
        if (atFront)
            text = TrimSpaces(text.substr(marker.text.size()));
        else
            text = TrimSpaces(text.substr(0, text.size() - marker.text.size()));
        return marker.half;
    }
    return HalfDay::None;
}

// "9:30", "09:30:00", "21:30:00" on the 24-hour clock; "9:30:00 PM", "午後 9:30:00", "PM 9:30" on
// the 12-hour clock, where 12 (and 0) are the first hour of the half-day. Seconds are read and dropped.
std::optional<HourMinute> ReadCsvTime(std::u16string_view text)
{
    text = TrimSpaces(text);
    HalfDay half = TakeHalfDay(text, true);
    if (half == HalfDay::None)
        half = TakeHalfDay(text, false);
    const auto hour = TakeNumber(text, 1, 2);
    if (!hour || !TakeChar(text, u':'))
        return std::nullopt;
    const auto minute = TakeNumber(text, 2, 2);
    if (!minute || *minute > 59)
        return std::nullopt;
    if (TakeChar(text, u':')) {
        const auto second = TakeNumber(text, 2, 2);
        if (!second || *second > 59)
            return std::nullopt;
    }
    if (!text.empty())
        return std::nullopt;
    if (half == HalfDay::None)
        return *hour <= 23 ? std::optional(HourMinute { *hour, *minute }) : std::nullopt;
    if (*hour > 12)
        return std::nullopt;
    return HourMinute { *hour % 12 + (half == HalfDay::Afternoon ? 12 : 0), *minute };
}

std::optional<CDTime> ReadDateTime(std::u16string_view dateText, std::u16string_view timeText)
{
    const auto date = ReadCsvDate(dateText);
    const auto time = ReadCsvTime(timeText);
    if (!date || !time)
        return std::nullopt;
    return *date + static_cast<std::int64_t>(time->hour) * 3600 + static_cast<std::int64_t>(time->minute) * 60;
}

// One record's fields, in one buffer that the next record uses again.
class Record {
public:
    void Clear()
    {
        text_.clear();
        fields_.clear();
        fieldStart_ = 0;
        tooLong_ = false;
    }
    void Append(char16_t c)
    {
        if (text_.size() < kMaxCsvRecord)
            text_ += c;
        else
            tooLong_ = true;
    }
    void Append(std::u16string_view text)
    {
        for (char16_t c : text)
            Append(c);
    }
    void EndField()
    {
        fields_.push_back(Span { fieldStart_, text_.size() - fieldStart_ });
        fieldStart_ = text_.size();
    }
    [[nodiscard]] bool IsBlank() const { return fields_.size() == 1 && fields_[0].length == 0; }
    [[nodiscard]] bool TooLong() const { return tooLong_; }
    [[nodiscard]] std::u16string_view Column(int index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= fields_.size())
            return {};
        const Span& span = fields_[static_cast<std::size_t>(index)];
        return std::u16string_view(text_).substr(span.start, span.length);
    }

private:
    struct Span {
        std::size_t start;
        std::size_t length;
    };
    std::u16string text_;
    std::vector<Span> fields_;
    std::size_t fieldStart_ = 0;
    bool tooLong_ = false;
};

// Splits a text given piece by piece into records of fields, line by line: a line ends at LF, and a
// CR just before the LF is not part of it. A quoted field runs on over line ends (kept as CR LF) until
// its closing quote; two quotes inside it are one quote; text after a closing quote is kept, as lenient
// readers do. `take` is called with each record as it is completed.
class RecordSplitter {
public:
    template <class Take> void Feed(std::u16string_view text, Take&& take)
    {
        for (const char16_t c : text) {
            if (crHeld_) {
                crHeld_ = false;
                if (c == u'\n') {
                    EndLine(take);
                    continue;
                }
                Put(u'\r');
            }
            if (c == u'\r')
                crHeld_ = true;
            else if (c == u'\n')
                EndLine(take);
            else
                Put(c);
        }
    }

    // Ends the last line; false when the text ended inside a quoted field.
    template <class Take> bool Finish(Take&& take)
    {
        if (crHeld_) {
            crHeld_ = false;
            Put(u'\r');
        }
        if (lineStarted_)
            EndLine(take);
        return state_ != State::Quoted;
    }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

    void Put(char16_t c)
    {
        lineStarted_ = true;
        switch (state_) {
        case State::FieldStart:
            if (c == u'"') {
                state_ = State::Quoted;
            } else if (c == u',') {
                record_.EndField();
            } else {
                record_.Append(c);
                state_ = State::Unquoted;
            }
            break;
        case State::Quoted:
            if (c == u'"')
                state_ = State::QuoteInQuoted;
            else
                record_.Append(c);
            break;
        case State::QuoteInQuoted:
        case State::Unquoted:
            if (c == u'"' && state_ == State::QuoteInQuoted) {
                record_.Append(c);
                state_ = State::Quoted;
            } else if (c == u',') {
                record_.EndField();
                state_ = State::FieldStart;
            } else {
                record_.Append(c);
            }
            break;
        }
    }

    template <class Take> void EndLine(Take& take)
    {
        lineStarted_ = false;
        if (state_ == State::Quoted) {
            record_.Append(u"\r\n");
            return;
        }
        record_.EndField();
        take(static_cast<const Record&>(record_));
        record_.Clear();
        state_ = State::FieldStart;
    }

    Record record_;
    State state_ = State::FieldStart;
    bool crHeld_ = false;
    bool lineStarted_ = false;
};

// Finds genres by name in one step: with a search along the list for each record, a file with many
// categories took time in the square of their number.
class GenreIndex {
public:
    explicit GenreIndex(CKalFieldArray& genres)
        : genres_(genres)
    {
        for (int i = 0; i < genres.Count(); ++i)
            index_.emplace(genres.At(i)->name, i); // the first of equal names, as FindByName gives
    }

    int FindOrAdd(std::u16string_view name)
    {
        if (const auto found = index_.find(name); found != index_.end())
            return found->second;
        auto genre = std::make_unique<CKalField>();
        genre->name = name;
        genres_.Append(std::move(genre));
        index_.emplace(std::u16string(name), genres_.Count() - 1);
        return genres_.Count() - 1;
    }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view name) const { return std::hash<std::u16string_view> {}(name); }
    };
    CKalFieldArray& genres_;
    std::unordered_map<std::u16string, int, NameHash, std::equal_to<>> index_;
};

// The entry a record describes; nothing when one of its dates or times does not read.
std::optional<CKalData> EntryOfRecord(const Record& record, GenreIndex& genres)
{
    CKalData entry;
    entry.text = record.Column(0);
    const auto start = ReadDateTime(record.Column(1), record.Column(2));
    const auto end = ReadDateTime(record.Column(3), record.Column(4));
    if (!start || !end)
        return std::nullopt;
    entry.start = *start;
    entry.end = *end;
    if (!EqualsIgnoringCase(record.Column(5), exchange::kTrue)) {
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
    if (EqualsIgnoringCase(record.Column(6), exchange::kTrue)) {
        const auto alarm = ReadDateTime(record.Column(7), record.Column(8));
        if (!alarm)
            return std::nullopt;
        const std::int64_t lead = (*start - *alarm) / 60;
        entry.alarmMinutes = lead < 0 ? 0 : static_cast<std::int32_t>(lead);
    } else {
        entry.alarmMinutes = -1;
    }
    entry.place = record.Column(17);
    entry.memo = record.Column(18);
    const std::u16string_view genre = record.Column(20);
    entry.genre = genre.empty() ? 0 : genres.FindOrAdd(genre);
    return entry;
}

// Adds the entries of a CSV text given piece by piece; undoes them all when the import fails.
class CsvImport {
public:
    explicit CsvImport(CKalStore& store)
        : store_(store)
        , entriesBefore_(store.entries.size())
        , genresBefore_(store.genres.Count())
        , genres_(store.genres)
    {
    }

    void Feed(std::u16string_view text)
    {
        splitter_.Feed(text, [this](const Record& record) { Take(record); });
    }

    CsvImportReport Finish()
    {
        if (!splitter_.Finish([this](const Record& record) { Take(record); }))
            ++report_.skipped;
        return report_;
    }

    void Undo()
    {
        store_.entries.resize(entriesBefore_);
        while (store_.genres.Count() > genresBefore_)
            store_.genres.RemoveAt(store_.genres.Count() - 1);
    }

private:
    void Take(const Record& record)
    {
        if (std::exchange(header_, false) || record.IsBlank())
            return;
        auto entry = record.TooLong() ? std::nullopt : EntryOfRecord(record, genres_);
        if (!entry) {
            ++report_.skipped;
            return;
        }
        store_.AppendEntry(std::make_unique<CKalData>(std::move(*entry)));
        ++report_.added;
    }

    CKalStore& store_;
    std::size_t entriesBefore_;
    int genresBefore_;
    GenreIndex genres_;
    RecordSplitter splitter_;
    CsvImportReport report_;
    bool header_ = true;
};

constexpr std::size_t kPieceSize = std::size_t(1) << 16;

void SetFault(CsvImportError* error, CsvImportFault fault, const FileError& file = {})
{
    if (error)
        *error = CsvImportError { fault, file };
}

} // namespace

std::optional<std::u16string> OutlookCsvLine(
    CDTime day, const CKalData& entry, const CKalStore& store, HiddenEntries hidden, SpreadsheetSafety safety)
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

    const auto userText = [safety](std::u16string_view text) {
        std::u16string field;
        if (safety == SpreadsheetSafety::Guarded && !text.empty()
            && std::u16string_view(u"=+-@\t\r").find(text.front()) != std::u16string_view::npos)
            field += u'\'';
        field += text;
        return field;
    };
    std::u16string line;
    AppendQuoted(line, userText(entry.text));
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
    AppendQuoted(line, userText(entry.place));
    AppendQuoted(line, userText(entry.memo));
    AppendQuoted(line, exchange::kNormal);
    AppendQuoted(line, userText(genre ? std::u16string_view(genre->name) : std::u16string_view()));
    AppendQuoted(line, exchange::kNormal);
    while (!line.empty() && (line.back() == u'\r' || line.back() == u'\n'))
        line.pop_back();
    static_assert(kColumnCount == 22);
    return line;
}

namespace {

// The import over a source read in pieces: `readAll(use)` calls `use` with each piece in turn until it
// returns false, and is false itself when the source could not be read to the end. It is read twice:
// once to tell the encoding, which may show only at its end, then to add the entries. Neither reading
// holds more than a piece.
template <typename ReadAll>
std::optional<CsvImportReport> ImportPieces(
    CKalStore& store, const ReadAll& readAll, CsvImportError* error, const FileError& fileError)
{
    EncodingDetector detector;
    if (!readAll([&](std::string_view bytes) {
            detector.Feed(bytes);
            return !detector.Decided();
        })) {
        SetFault(error, CsvImportFault::Unreadable, fileError);
        return std::nullopt;
    }
    const auto encoding = detector.Result();
    if (!encoding) {
        SetFault(error, CsvImportFault::UnknownEncoding);
        return std::nullopt;
    }
    CsvImport import(store);
    TextDecoder decoder(*encoding);
    std::u16string text;
    const bool read = readAll([&](std::string_view bytes) {
        decoder.Decode(bytes, text);
        import.Feed(text);
        text.clear();
        return true;
    });
    if (!read) {
        // Part of a file is no import: what it added so far is taken back.
        import.Undo();
        SetFault(error, CsvImportFault::Unreadable, fileError);
        return std::nullopt;
    }
    decoder.Finish(text);
    import.Feed(text);
    return import.Finish();
}

} // namespace

std::optional<CsvImportReport> ImportOutlookCsvBytes(CKalStore& store, std::string_view bytes, CsvImportError* error)
{
    const auto readAll = [bytes](const auto& use) {
        for (std::size_t from = 0; from < bytes.size(); from += kPieceSize) {
            if (!use(bytes.substr(from, kPieceSize)))
                break;
        }
        return true;
    };
    return ImportPieces(store, readAll, error, FileError {});
}

std::optional<CsvImportReport> ImportOutlookCsvFile(CKalStore& store, const std::string& path, CsvImportError* error)
{
    std::string piece(kPieceSize, '\0');
    FileError fileError;
    const auto readAll = [&](const auto& use) {
        auto reader = FileReader::Open(path);
        if (!reader) {
            fileError = reader.Error();
            return false;
        }
        for (;;) {
            const long long count = reader->Read(piece.data(), piece.size(), &fileError);
            if (count < 0)
                return false;
            if (count == 0)
                return true;
            if (!use(std::string_view(piece.data(), static_cast<std::size_t>(count))))
                return true;
        }
    };
    return ImportPieces(store, readAll, error, fileError);
}

std::u16string CsvImportErrorReason(const CsvImportError& error)
{
    switch (error.fault) {
    case CsvImportFault::Unreadable:
        return FileErrorReason(error.file);
    case CsvImportFault::UnknownEncoding:
        return exchange::kUnknownEncoding;
    case CsvImportFault::None:
        break;
    }
    return {};
}

} // namespace kal
