#include "store/EntryRow.h"

#include "platform/Text.h"
#include "store/CsvLine.h"
#include "store/KalData.h"
#include "store/RepeatExpansion.h"

#include <algorithm>
#include <string_view>

namespace kal {

namespace {

constexpr std::u16string_view kWeekdayLetters = u"SMTWHFA";
constexpr std::u16string_view kMonthLetters = u"123456789ABC";
constexpr char16_t kPeriodSeparator = u'～'; // U+FF5E
constexpr int kKindSchedule = 0;
constexpr int kKindTodo = 1;
// Every column up to the place; the memo column came later and may be missing.
constexpr int kMinEntryColumns = column::kPlace + 1;

// Numbers a file may hold beyond what the program could ever make are brought into range on load,
// so that nothing later computes with them unchecked:
// - repeatDayFrom, repeatDayTo: the last-day mark (-1) or a day of the month, 1-31;
// - interval: 0-kMaxInterval (0 and 1 both mean every period);
// - showDaysBefore: -1 (off) or 0-kMaxDaysBefore days;
// - alarmMinutes: within kMaxAlarmMinutes either side of the start.
// Dates and times are checked by their parsers, the genre by the genre list.
constexpr int kMinStoredInterval = 0;
constexpr int kMaxDaysBefore = 99999; // longer than the calendar from its first year to its last
constexpr int kMaxAlarmMinutes = 99999999; // likewise, in minutes

int IntAt(const CsvLine& row, int index)
{
    return ParseLeadingInt(row.Field(index));
}

int RepeatDayAt(const CsvLine& row, int index)
{
    const int day = IntAt(row, index);
    return day == repeat::kLastDayOfMonth ? day : std::clamp(day, 1, 31);
}
bool BitAt(const CsvLine& row, int index)
{
    return (IntAt(row, index) & 1) != 0;
}

void ReadPosition(std::u16string_view text, CKalData& entry)
{
    if (text == u"0") {
        entry.positionMode = 0;
        return;
    }
    entry.positionMode = 1;
    entry.weeks = {};
    entry.weekdays = {};
    for (const char16_t c : text) {
        if (c >= u'1' && c <= u'5') {
            entry.weeks[static_cast<std::size_t>(c - u'1')] = 1;
        } else if (const std::size_t day = kWeekdayLetters.find(c); day != std::u16string_view::npos) {
            entry.weekdays[day] = 1;
        }
    }
}

void ReadMonths(std::u16string_view text, CKalData& entry)
{
    entry.months = {};
    for (const char16_t c : text) {
        if (const std::size_t month = kMonthLetters.find(c); month != std::u16string_view::npos)
            entry.months[month] = 1;
    }
}

void ReadExclusions(std::u16string_view text, CKalData& entry)
{
    while (!text.empty()) {
        const std::size_t comma = text.find(u',');
        const std::u16string_view item = text.substr(0, comma);
        text = comma == std::u16string_view::npos ? std::u16string_view() : text.substr(comma + 1);
        if (item.empty())
            continue;
        const std::size_t tilde = item.find(kPeriodSeparator);
        const std::optional<CivilDate> from = ParseDateFields(item.substr(0, tilde), YearClamp::Off);
        const std::optional<CivilDate> to
            = tilde == std::u16string_view::npos ? from : ParseDateFields(item.substr(tilde + 1), YearClamp::Off);
        if (from && to)
            entry.exclusions.push_back(
                ExclusionPeriod { from->year, from->month, from->day, to->year, to->month, to->day });
    }
}

std::u16string PositionText(const CKalData& entry)
{
    if (entry.positionMode == 0)
        return u"0";
    std::u16string text;
    for (std::size_t week = 0; week < entry.weeks.size(); ++week) {
        if (entry.weeks[week])
            text += static_cast<char16_t>(u'1' + week);
    }
    for (std::size_t day = 0; day < entry.weekdays.size(); ++day) {
        if (entry.weekdays[day])
            text += kWeekdayLetters[day];
    }
    return text;
}

std::u16string MonthText(const CKalData& entry)
{
    // Every month, as almost every rule has, is an empty column.
    if (std::all_of(entry.months.begin(), entry.months.end(), [](std::uint8_t on) { return on != 0; }))
        return {};
    std::u16string text;
    for (std::size_t month = 0; month < entry.months.size(); ++month) {
        if (entry.months[month])
            text += kMonthLetters[month];
    }
    if (text.empty())
        return u"0"; // an empty column reads back as every month; the reader skips this letter
    return text.size() == entry.months.size() ? std::u16string() : text;
}

void AppendDate(std::u16string& out, int year, int month, int day)
{
    AppendInt(out, year);
    out += u'/';
    AppendInt(out, month, 2);
    out += u'/';
    AppendInt(out, day, 2);
}

std::u16string ExclusionText(const CKalData& entry)
{
    std::u16string text;
    for (const ExclusionPeriod& period : entry.exclusions) {
        if (!text.empty())
            text += u',';
        AppendDate(text, period.startYear, period.startMonth, period.startDay);
        if (!period.IsSingleDay()) {
            text += kPeriodSeparator;
            AppendDate(text, period.endYear, period.endMonth, period.endDay);
        }
    }
    return text;
}

} // namespace

bool DecodeEntryRow(const CsvLine& row, CKalData& entry)
{
    // Only schedules and to-dos are entries. A row of any other kind is not guessed at: read with the
    // to-do columns it would lose its dates and rule. A row cut short (a file truncated in the middle
    // of it) would read its missing columns as 0, which turns a rule into one entry spanning years.
    const int kind = IntAt(row, column::kKind);
    if ((kind != kKindSchedule && kind != kKindTodo) || row.FieldCount() < kMinEntryColumns)
        return false;
    const bool todo = kind == kKindTodo;
    entry.Set(flag::kIsTodo, todo);
    if (todo) {
        entry.Set(flag::kDone, BitAt(row, column::kAlarmModeOrDone));
    } else {
        entry.alarmMode = IntAt(row, column::kAlarmModeOrDone);
        entry.repeatType = IntAt(row, column::kRepeatTypeOrNoDeadline);
    }
    // Repeating entries may have been written with years outside the range; they are kept, clamped.
    const YearClamp clamp = entry.repeatType != 0 ? YearClamp::On : YearClamp::Off;
    const std::optional<CDTime> start
        = ParseDateTime(row.Field(column::kStartDate), row.Field(column::kStartTime), clamp);
    if (!start)
        return false;
    entry.start = *start;
    if (!todo || entry.Has(flag::kDone)) {
        const std::optional<CDTime> end
            = ParseDateTime(row.Field(column::kEndDate), row.Field(column::kEndTime), clamp);
        if (!end)
            return false;
        entry.end = *end;
    } else {
        entry.end = entry.start;
    }
    entry.text = row.Field(column::kText);
    entry.Set(flag::kStartTimeSet, BitAt(row, column::kStartTimeSet));
    entry.Set(flag::kEndTimeSet, BitAt(row, column::kEndTimeSet));
    entry.Set(flag::kHidden, BitAt(row, column::kHidden));
    if (todo) {
        entry.priority = IntAt(row, column::kHolidayOrPriority);
        entry.showDaysBefore = std::clamp(IntAt(row, column::kAlarmOrDaysBefore), -1, kMaxDaysBefore);
    } else {
        entry.alarmMinutes = std::clamp(IntAt(row, column::kAlarmOrDaysBefore), -kMaxAlarmMinutes, kMaxAlarmMinutes);
        entry.Set(flag::kHoliday, BitAt(row, column::kHolidayOrPriority));
    }
    entry.colour = ParseLeadingHex(row.Field(column::kColour));
    entry.linkFile = row.Field(column::kLinkFile);
    entry.genre = IntAt(row, column::kGenre);
    const int display = IntAt(row, column::kTimeDisplay);
    entry.timeDisplay = display & 15;
    entry.textStyle = (display >> 4) & 15;
    entry.place = row.Field(column::kPlace);
    if (row.FieldCount() > column::kMemo)
        entry.memo = row.Field(column::kMemo);
    if (todo) {
        // A to-do has no repeat rule: its repeat columns are written empty and read as the defaults.
        entry.Set(flag::kNoDeadline, BitAt(row, column::kRepeatTypeOrNoDeadline));
        return true;
    }
    entry.repeatDayFrom = RepeatDayAt(row, column::kRepeatDayFrom);
    entry.repeatDayTo = RepeatDayAt(row, column::kRepeatDayTo);
    entry.interval = std::clamp(IntAt(row, column::kInterval), kMinStoredInterval, repeat::kMaxInterval);
    ReadPosition(row.Field(column::kPosition), entry);
    if (entry.repeatType >= 3 && !row.Field(column::kMonths).empty())
        ReadMonths(row.Field(column::kMonths), entry);
    entry.avoidDays = static_cast<std::uint32_t>(IntAt(row, column::kAvoidDays));
    ReadExclusions(row.Field(column::kExclusions), entry);
    return true;
}

namespace {

// The columns of an entry's row in order, written to `sink`, whose calls each add one field: the one
// list of them, used both for a row to look at and for a file's lines.
template <class Sink> void WriteEntryFields(const CKalData& entry, Sink& sink)
{
    const bool todo = entry.IsTodo();
    const bool writeEnd = !todo || entry.Has(flag::kDone);
    sink.Text(todo ? u"1" : u"0");
    sink.DateAndTime(entry.start);
    if (writeEnd) {
        sink.DateAndTime(entry.end);
    } else {
        sink.Text(u"");
        sink.Text(u"");
    }
    sink.Text(entry.text);
    sink.Flag(entry.Has(flag::kStartTimeSet));
    sink.Flag(entry.Has(flag::kEndTimeSet));
    sink.Flag(entry.Has(flag::kHidden));
    if (todo)
        sink.Number(entry.priority);
    else
        sink.Flag(entry.IsHoliday());
    sink.Hex(entry.colour);
    sink.Text(entry.linkFile);
    if (todo)
        sink.Flag(entry.Has(flag::kDone));
    else
        sink.Number(entry.alarmMode);
    sink.Number(todo ? entry.showDaysBefore : entry.alarmMinutes);
    sink.Number(entry.genre);
    sink.Number(entry.timeDisplay + 16 * entry.textStyle);
    if (todo) {
        sink.Flag(entry.Has(flag::kNoDeadline));
        for (int column = column::kRepeatDayFrom; column <= column::kExclusions; ++column)
            sink.Text(u"");
    } else {
        sink.Number(entry.repeatType);
        sink.Number(entry.repeatDayFrom);
        sink.Number(entry.repeatDayTo);
        sink.Number(entry.interval);
        sink.Text(PositionText(entry));
        sink.Text(MonthText(entry));
        sink.Number(static_cast<std::int32_t>(entry.avoidDays));
        sink.Text(ExclusionText(entry));
    }
    sink.Text(entry.place);
    sink.Text(entry.memo);
}

class RowSink {
public:
    explicit RowSink(CsvLine& row)
        : row_(row)
    {
    }
    void Text(std::u16string_view text) { row_.AppendField(text); }
    void Number(long long value) { row_.AppendField(IntText(value)); }
    void Flag(bool on) { row_.AppendField(on ? u"1" : u"0"); }
    void Hex(Colour colour) { row_.AppendField(HexText(colour, 6)); }
    void DateAndTime(CDTime time)
    {
        row_.AppendField(DateText(time));
        row_.AppendField(TimeText(time));
    }

private:
    CsvLine& row_;
};

// Writes the quoted fields one after the other, as CsvLine::AppendTo would write the same row, into
// room the caller made (see LineRoom).
class LineSink {
public:
    explicit LineSink(char16_t* out)
        : out_(out)
    {
    }
    void Text(std::u16string_view text)
    {
        Open();
        out_ = WriteFieldText(out_, text);
        *out_++ = u'"';
    }
    void Number(long long value)
    {
        Open();
        out_ = WriteInt(out_, value);
        *out_++ = u'"';
    }
    void Flag(bool on)
    {
        Open();
        *out_++ = on ? u'1' : u'0';
        *out_++ = u'"';
    }
    void Hex(Colour colour) { Text(HexText(colour, 6)); }
    void DateAndTime(CDTime time)
    {
        const LocalFields f = time.Fields();
        Open();
        out_ = WriteInt(out_, f.year);
        *out_++ = u'/';
        out_ = WriteInt(out_, f.month, 2);
        *out_++ = u'/';
        out_ = WriteInt(out_, f.day, 2);
        *out_++ = u'"';
        Open();
        out_ = WriteInt(out_, f.hour, 2);
        *out_++ = u':';
        out_ = WriteInt(out_, f.minute, 2);
        *out_++ = u'"';
    }
    [[nodiscard]] char16_t* End() const { return out_; }

private:
    void Open()
    {
        if (!first_)
            *out_++ = u',';
        first_ = false;
        *out_++ = u'"';
    }

    char16_t* out_;
    bool first_ = true;
};

// Enough room for an entry's line: every text may double (a line break becomes two marks); the rest of
// the row is short.
std::size_t LineRoom(const CKalData& entry)
{
    constexpr std::size_t kRowChars = 400;
    constexpr std::size_t kExclusionChars = 24;
    return kRowChars + kExclusionChars * entry.exclusions.size()
        + 2 * (entry.text.size() + entry.place.size() + entry.memo.size() + entry.linkFile.size());
}

} // namespace

void EncodeEntryRow(const CKalData& entry, CsvLine& row)
{
    row.Clear();
    RowSink sink(row);
    WriteEntryFields(entry, sink);
}

void AppendEntryLine(const CKalData& entry, std::u16string& line)
{
    const std::size_t start = line.size();
    line.resize(start + LineRoom(entry));
    LineSink sink(line.data() + start);
    WriteEntryFields(entry, sink);
    char16_t* end = sink.End();
    *end++ = u'\n';
    line.resize(static_cast<std::size_t>(end - line.data()));
}

} // namespace kal
