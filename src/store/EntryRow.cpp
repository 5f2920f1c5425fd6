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

std::u16string Flag(bool on)
{
    return on ? u"1" : u"0";
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

void EncodeEntryRow(const CKalData& entry, CsvLine& row)
{
    const bool todo = entry.IsTodo();
    const bool writeEnd = !todo || entry.Has(flag::kDone);
    const auto number = [](long long value) { return IntText(value); };
    row.Clear();
    row.AppendField(todo ? u"1" : u"0");
    row.AppendField(DateText(entry.start));
    row.AppendField(TimeText(entry.start));
    row.AppendField(writeEnd ? DateText(entry.end) : u"");
    row.AppendField(writeEnd ? TimeText(entry.end) : u"");
    row.AppendField(entry.text);
    row.AppendField(Flag(entry.Has(flag::kStartTimeSet)));
    row.AppendField(Flag(entry.Has(flag::kEndTimeSet)));
    row.AppendField(Flag(entry.Has(flag::kHidden)));
    row.AppendField(todo ? number(entry.priority) : Flag(entry.IsHoliday()));
    row.AppendField(HexText(entry.colour, 6));
    row.AppendField(entry.linkFile);
    row.AppendField(todo ? Flag(entry.Has(flag::kDone)) : number(entry.alarmMode));
    row.AppendField(number(todo ? entry.showDaysBefore : entry.alarmMinutes));
    row.AppendField(number(entry.genre));
    row.AppendField(number(entry.timeDisplay + 16 * entry.textStyle));
    row.AppendField(todo ? Flag(entry.Has(flag::kNoDeadline)) : number(entry.repeatType));
    row.AppendField(todo ? u"" : number(entry.repeatDayFrom));
    row.AppendField(todo ? u"" : number(entry.repeatDayTo));
    row.AppendField(todo ? u"" : number(entry.interval));
    row.AppendField(todo ? u"" : PositionText(entry));
    row.AppendField(todo ? u"" : MonthText(entry));
    row.AppendField(todo ? u"" : number(static_cast<std::int32_t>(entry.avoidDays)));
    row.AppendField(todo ? u"" : ExclusionText(entry));
    row.AppendField(entry.place);
    row.AppendField(entry.memo);
}

} // namespace kal
