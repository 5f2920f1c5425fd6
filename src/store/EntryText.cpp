#include "store/EntryText.h"

#include "platform/Text.h"
#include "store/KalData.h"

namespace kal {

namespace {

bool StartShown(TimeMode mode, int timeDisplay)
{
    switch (mode) {
    case TimeMode::PerEntry:
        return timeDisplay == kShowStartAndEnd || timeDisplay == kShowStartOnly;
    case TimeMode::StartAndEnd:
    case TimeMode::StartOnly:
        return true;
    default:
        return false;
    }
}

bool EndShown(TimeMode mode, int timeDisplay)
{
    switch (mode) {
    case TimeMode::PerEntry:
        return timeDisplay == kShowStartAndEnd || timeDisplay == kShowEndOnly;
    case TimeMode::StartAndEnd:
    case TimeMode::EndOnly:
        return true;
    default:
        return false;
    }
}

bool SameDate(const LocalFields& a, const LocalFields& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

void AppendClock(std::u16string& out, const LocalFields& time)
{
    AppendInt(out, time.hour, 2);
    out += u':';
    AppendInt(out, time.minute, 2);
}

// The times of TimeText, onto the end of `text`.
void AppendTimeText(std::u16string& text, const CKalData& entry, CDTime day, TimeMode mode)
{
    const bool repeating = entry.repeatType != 0;
    const LocalFields shownDay = day.Fields();
    const LocalFields start = entry.start.Fields();
    const LocalFields end = entry.end.Fields();
    const bool withStart = entry.Has(flag::kStartTimeSet) && StartShown(mode, entry.timeDisplay)
        && (repeating || SameDate(shownDay, start));
    const bool withEnd
        = entry.Has(flag::kEndTimeSet) && EndShown(mode, entry.timeDisplay) && (repeating || SameDate(shownDay, end));
    const std::size_t from = text.size();
    if (withStart)
        AppendClock(text, start);
    if (withEnd) {
        text += withStart ? u'-' : u'～';
        AppendClock(text, end);
    }
    if (text.size() > from)
        text += u' ';
}

} // namespace

TimeMode TimeModeFromSetting(int value)
{
    return value >= 0 && value <= 4 ? static_cast<TimeMode>(value) : TimeMode::PerEntry;
}

std::u16string TimeText(const CKalData& entry, CDTime day, TimeMode mode)
{
    std::u16string text;
    AppendTimeText(text, entry, day, mode);
    return text;
}

std::uint64_t TimeSortKey(
    const CKalData& entry, const LocalFields& start, const LocalFields& end, const LocalFields& day)
{
    // The text is "", "hh:mm ", "hh:mm-hh:mm " or "～hh:mm ". Digits sort before "～"; after the start
    // time a space sorts before "-"; two-digit hours and minutes sort as numbers.
    const bool repeating = entry.repeatType != 0;
    const bool withStart = entry.Has(flag::kStartTimeSet) && (repeating || SameDate(day, start));
    const bool withEnd = entry.Has(flag::kEndTimeSet) && (repeating || SameDate(day, end));
    const std::uint64_t startMinutes = static_cast<std::uint64_t>(start.hour * 60 + start.minute);
    const std::uint64_t endMinutes = static_cast<std::uint64_t>(end.hour * 60 + end.minute);
    if (withStart)
        return (1ULL << 40) | (startMinutes << 20) | (withEnd ? (1ULL << 16) | endMinutes : 0);
    if (withEnd)
        return (2ULL << 40) | (endMinutes << 20);
    return 0;
}

std::u16string EntryLine(const CKalData& entry, CDTime day, TimeMode mode, Countdown countdown)
{
    std::u16string line;
    AppendEntryLineOn(line, entry, day, mode, countdown);
    return line;
}

void AppendEntryLineOn(std::u16string& line, const CKalData& entry, CDTime day, TimeMode mode, Countdown countdown)
{
    AppendTimeText(line, entry, day, mode);
    line += entry.text;
    if (entry.IsTodo() && !entry.Has(flag::kNoDeadline) && countdown == Countdown::On) {
        const LocalFields deadline = entry.start.Fields();
        const LocalFields today = day.Fields();
        const std::int64_t days
            = DayNumber(deadline.year, deadline.month, deadline.day) - DayNumber(today.year, today.month, today.day);
        if (days > 0) {
            line += u"(あと";
            AppendInt(line, days);
            line += u"日)";
        } else if (days == 0) {
            line += u"(本日まで)";
        } else {
            line += u"(";
            AppendInt(line, -days);
            line += u"日超過!)";
        }
    }
    if (!entry.place.empty()) {
        line += u'@';
        line += entry.place;
    }
}

} // namespace kal
