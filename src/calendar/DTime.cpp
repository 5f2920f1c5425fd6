#include "calendar/DTime.h"

#include "calendar/CalendarTexts.h"
#include "calendar/CivilDate.h"
#include "calendar/LocalTime.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "ui/Ui.h"

#include <algorithm>

namespace kal {

const char16_t* const kJapaneseWeekdayNames[7] = { u"日", u"月", u"火", u"水", u"木", u"金", u"土" };
const char16_t* const kEnglishWeekdayAbbreviations[7] = { u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat" };
const char16_t* const kEnglishMonthNames[12] = { u"January", u"February", u"March", u"April", u"May", u"June", u"July",
    u"August", u"September", u"October", u"November", u"December" };
const char16_t* const kEnglishMonthAbbreviations[12]
    = { u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec" };

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::int64_t WallSeconds(int year, int month, int day, int hour, int minute, int second)
{
    // Months beyond December or before January move the year; everything smaller is linear in days
    // and seconds and carries by itself.
    const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
    const std::int64_t yearCarry = FloorDiv(monthIndex, 12);
    const int normalYear = static_cast<int>(year + yearCarry);
    const int normalMonth = static_cast<int>(monthIndex - yearCarry * 12) + 1; // [1, 12]
    const std::int64_t days = DaysFromCivil(normalYear, normalMonth, 1) + static_cast<std::int64_t>(day) - 1;
    return days * CDTime::kDay + static_cast<std::int64_t>(hour) * 3600 + static_cast<std::int64_t>(minute) * 60
        + second;
}

} // namespace

CDTime::CDTime(int year, int month, int day, int hour, int minute, int second)
    : seconds_(static_cast<std::uint32_t>(WallSeconds(year, month, day, hour, minute, second)))
{
}

CDTime CDTime::Now()
{
    return FromInstant(Clock::Current().Now());
}

CDTime CDTime::FromInstant(std::int64_t instant)
{
    const LocalFields f = LocalTime::Fields(instant);
    return CDTime(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

std::int64_t CDTime::Instant() const
{
    const LocalFields f = Fields();
    return LocalTime::Instant(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

LocalFields CDTime::Fields() const
{
    const std::int64_t days = seconds_ / kDay; // [0, 49710]
    const int secondOfDay = static_cast<int>(seconds_ % kDay); // [0, 86399]
    const CivilDate date = CivilFromDays(days);
    return LocalFields { date.year, date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60,
        static_cast<int>((days + 4) % 7) }; // 1970-01-01 was a Thursday
}

SystemTime CDTime::ToSystemTime() const
{
    const LocalFields f = Fields();
    return SystemTime { f.year, f.month, f.weekday, f.day, f.hour, f.minute, f.second, 0 };
}

std::u16string CDTime::Format(std::u16string_view pattern) const
{
    const LocalFields f = Fields();
    std::u16string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%') {
            out += pattern[i];
            continue;
        }
        if (++i == pattern.size()) {
            Ui::Current().ShowMessage(texts::kFormatError);
            break;
        }
        switch (pattern[i]) {
        case u'Y':
            AppendInt(out, f.year, 4);
            break;
        case u'm':
            AppendInt(out, f.month, 2);
            break;
        case u'd':
            AppendInt(out, f.day, 2);
            break;
        case u'H':
            AppendInt(out, f.hour, 2);
            break;
        case u'M':
            AppendInt(out, f.minute, 2);
            break;
        case u'S':
            AppendInt(out, f.second, 2);
            break;
        case u'A':
            out += kJapaneseWeekdayNames[f.weekday];
            break;
        case u'a':
            out += kEnglishWeekdayAbbreviations[f.weekday];
            break;
        case u'B':
            out += kEnglishMonthNames[f.month - 1];
            break;
        case u'b':
            out += kEnglishMonthAbbreviations[f.month - 1];
            break;
        case u'%':
            out += u'%';
            break;
        default:
            Ui::Current().ShowMessage(texts::kFormatError);
            break;
        }
    }
    return out;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 31;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day)
{
    return year >= kFirstYear && year <= kLastYear && month >= 1 && month <= 12 && day >= 1
        && day <= DaysInMonth(year, month);
}

CDTime DateOnly(CDTime time)
{
    const LocalFields f = time.Fields();
    return CDTime(f.year, f.month, f.day);
}

int DaysBetween(CDTime from, CDTime to)
{
    const LocalFields a = from.Fields();
    const LocalFields b = to.Fields();
    return static_cast<int>(DaysFromCivil(b.year, b.month, b.day) - DaysFromCivil(a.year, a.month, a.day));
}

CDTime ComposeDate(int year, int month, int day, CDTime base)
{
    const LocalFields f = base.Fields();
    return CDTime(year ? year : f.year, month ? month : f.month, day ? day : f.day, f.hour, f.minute, 0);
}

// Month stepping works on the calendar fields rather than by adding the month's length in seconds and
// correcting a day that overshoots; the results are the same.
CDTime NextMonth(CDTime time)
{
    const LocalFields f = time.Fields();
    const int year = f.month == 12 ? f.year + 1 : f.year;
    const int month = f.month == 12 ? 1 : f.month + 1;
    return CDTime(year, month, std::min(f.day, DaysInMonth(year, month)), f.hour, f.minute, f.second);
}

CDTime PreviousMonth(CDTime time)
{
    const LocalFields f = time.Fields();
    const int year = f.month == 1 ? f.year - 1 : f.year;
    const int month = f.month == 1 ? 12 : f.month - 1;
    return CDTime(year, month, std::min(f.day, DaysInMonth(year, month)), f.hour, f.minute, f.second);
}

int DayNumber(int year, int month, int day)
{
    return static_cast<int>(DaysFromCivil(year, month, day) - DaysFromCivil(kFirstYear, 1, 1));
}

std::u16string DateText(CDTime time)
{
    const LocalFields f = time.Fields();
    std::u16string out;
    AppendInt(out, f.year);
    out += u'/';
    AppendInt(out, f.month, 2);
    out += u'/';
    AppendInt(out, f.day, 2);
    return out;
}

std::u16string TimeText(CDTime time)
{
    const LocalFields f = time.Fields();
    std::u16string out;
    AppendInt(out, f.hour, 2);
    out += u':';
    AppendInt(out, f.minute, 2);
    return out;
}

std::optional<CDTime> ParseDate(std::u16string_view text, YearClamp clamp)
{
    const std::optional<CivilDate> date = ParseDateFields(text, clamp);
    if (!date)
        return std::nullopt;
    return CDTime(date->year, date->month, date->day);
}

std::optional<CivilDate> ParseDateFields(std::u16string_view text, YearClamp clamp)
{
    const std::size_t firstSlash = text.find(u'/');
    if (firstSlash == std::u16string_view::npos)
        return std::nullopt;
    int year = ParseLeadingInt(text.substr(0, firstSlash));
    if (year < 100) {
        if (year >= 70)
            year += 1900;
        else if (year <= 38)
            year += 2000;
    }
    if (clamp == YearClamp::On)
        year = std::clamp(year, kFirstYear, kLastYear);
    const std::u16string_view rest = text.substr(firstSlash + 1);
    const std::size_t secondSlash = rest.find(u'/');
    if (secondSlash == std::u16string_view::npos)
        return std::nullopt;
    const int month = ParseLeadingInt(rest.substr(0, secondSlash));
    const int day = ParseLeadingInt(rest.substr(secondSlash + 1));
    if (!IsValidDate(year, month, day))
        return std::nullopt;
    return CivilDate { year, month, day };
}

namespace {

bool AllDigits(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

std::optional<TimeOfDay> ParseTimeOfDay(std::u16string_view text)
{
    TimeOfDay time;
    if (text.size() == 4 && AllDigits(text)) {
        time.hour = ParseLeadingInt(text.substr(0, 2));
        time.minute = ParseLeadingInt(text.substr(2));
    } else if ((text.size() == 1 || text.size() == 2) && AllDigits(text)) {
        time.hour = ParseLeadingInt(text);
    } else {
        const std::size_t first = text.find(u':');
        if (first == std::u16string_view::npos)
            return std::nullopt;
        time.hour = ParseLeadingInt(text.substr(0, first));
        const std::u16string_view rest = text.substr(first + 1);
        const std::size_t second = rest.find(u':');
        time.minute = ParseLeadingInt(rest.substr(0, second));
        if (second != std::u16string_view::npos)
            time.second = ParseLeadingInt(rest.substr(second + 1));
    }
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59)
        return std::nullopt;
    return time;
}

} // namespace

std::optional<CDTime> ParseDateTime(std::u16string_view dateText, std::u16string_view timeText, YearClamp clamp)
{
    const std::optional<CivilDate> date = ParseDateFields(dateText, clamp);
    if (!date)
        return std::nullopt;
    const std::optional<TimeOfDay> time = ParseTimeOfDay(timeText);
    if (!time)
        return std::nullopt;
    return CDTime(date->year, date->month, date->day, time->hour, time->minute, time->second);
}

std::optional<HourMinute> ParseHourMinute(std::u16string_view text)
{
    const std::size_t colon = text.find(u':');
    if (colon == std::u16string_view::npos)
        return std::nullopt;
    const HourMinute time { ParseLeadingInt(text.substr(0, colon)), ParseLeadingInt(text.substr(colon + 1)) };
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59)
        return std::nullopt;
    return time;
}

} // namespace kal
