#pragma once

#include "calendar/CivilDate.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kal {

// Calendar fields of a wall-clock date and time.
struct LocalFields {
    int year = 1970;
    int month = 1; // 1-12
    int day = 1; // 1-31
    int hour = 0; // 0-23
    int minute = 0;
    int second = 0;
    int weekday = 4; // 0 = Sunday
};

// What the calendar store link wants: a plain broken-down local time (milliseconds always 0).
struct SystemTime {
    int year = 0;
    int month = 0;
    int dayOfWeek = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

enum class YearClamp { Off, On };

// The program's date and time value: a wall-clock date and time with no zone, held as an unsigned
// 32-bit count of seconds since 1970-01-01 00:00:00 on the same wall clock. Fields and construction
// are plain calendar arithmetic, so a day is always 86,400 seconds and every value keeps the fields it
// was made with whatever the machine's zone: a time the zone skips or shows twice stays as it was
// written. Only Now, FromInstant and Instant meet the machine's zone, for the few places that need a
// real moment. Dates the user works with run from 1972-01-01 to 2036-12-31.
class CDTime {
public:
    static constexpr std::int64_t kDay = 86400;
    static constexpr std::int64_t kWeek = 7 * kDay;

    constexpr CDTime() noexcept = default;
    constexpr explicit CDTime(std::uint32_t seconds) noexcept
        : seconds_(seconds)
    {
    }
    // From wall-clock fields; fields out of range carry into the next larger ones as mktime does (day
    // 32 is a day of the next month, month 13 January of the next year, hour -1 the day before).
    CDTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    // What the machine's clock shows now.
    [[nodiscard]] static CDTime Now();
    // What the machine's clock shows at a real instant (seconds since 1970-01-01 00:00:00 UTC).
    [[nodiscard]] static CDTime FromInstant(std::int64_t instant);
    // The real instant at which the machine's clock shows this value; a time the zone skips or shows
    // twice is placed as mktime places it with daylight saving unknown. The value itself never changes.
    [[nodiscard]] std::int64_t Instant() const;

    // Wall-clock seconds since 1970-01-01 00:00:00; not a real instant (see Instant).
    [[nodiscard]] constexpr std::uint32_t Seconds() const noexcept { return seconds_; }

    [[nodiscard]] LocalFields Fields() const;
    [[nodiscard]] int Year() const { return Fields().year; }
    [[nodiscard]] int Month() const { return Fields().month; }
    [[nodiscard]] int Day() const { return Fields().day; }
    [[nodiscard]] int Hour() const { return Fields().hour; }
    [[nodiscard]] int Minute() const { return Fields().minute; }
    [[nodiscard]] int Second() const { return Fields().second; }
    [[nodiscard]] int DayOfWeek() const { return Fields().weekday; }

    // Arithmetic wraps around like the 32-bit count it is.
    [[nodiscard]] constexpr CDTime operator+(std::int64_t seconds) const noexcept
    {
        return CDTime(static_cast<std::uint32_t>(seconds_ + static_cast<std::uint64_t>(seconds)));
    }
    [[nodiscard]] constexpr CDTime operator-(std::int64_t seconds) const noexcept
    {
        return CDTime(static_cast<std::uint32_t>(seconds_ - static_cast<std::uint64_t>(seconds)));
    }
    constexpr CDTime& operator+=(std::int64_t seconds) noexcept { return *this = *this + seconds; }
    constexpr CDTime& operator-=(std::int64_t seconds) noexcept { return *this = *this - seconds; }
    // Seconds from `other` to this value; negative when this one is the earlier.
    [[nodiscard]] constexpr std::int64_t operator-(CDTime other) const noexcept
    {
        return static_cast<std::int64_t>(seconds_) - static_cast<std::int64_t>(other.seconds_);
    }
    constexpr auto operator<=>(const CDTime&) const noexcept = default;

    [[nodiscard]] SystemTime ToSystemTime() const;

    // The pattern with each "%" code replaced: %Y %m %d %H %M %S (zero-padded numbers), %A (Japanese
    // one-character weekday), %a and %b (English weekday and month abbreviations), %B (English month
    // name) and %% (a percent sign). Any other code shows "CDTime:Format エラー" and is left out; a
    // "%" at the very end shows it too and ends the text there.
    [[nodiscard]] std::u16string Format(std::u16string_view pattern) const;

private:
    std::uint32_t seconds_ = 0;
};

// 28-31; Gregorian leap years.
[[nodiscard]] int DaysInMonth(int year, int month);
// A real date from 1972-01-01 to 2036-12-31.
[[nodiscard]] bool IsValidDate(int year, int month, int day);
// The same calendar day at 00:00:00.
[[nodiscard]] CDTime DateOnly(CDTime time);
// (year, month, day) at base's hour and minute, second 0; a year, month or day of 0 is taken from base.
[[nodiscard]] CDTime ComposeDate(int year, int month, int day, CDTime base);
// The same day of the month one month later (earlier), at the same time of day; a day the other
// month does not have becomes its last day (January 31 -> February 28 or 29).
[[nodiscard]] CDTime NextMonth(CDTime time);
[[nodiscard]] CDTime PreviousMonth(CDTime time);
// Whole days from 1972-01-01 to the date (negative before it).
[[nodiscard]] int DayNumber(int year, int month, int day);
// Whole days from `from`'s date to `to`'s, whatever the clocks did in between (negative when `to`
// comes first).
[[nodiscard]] int DaysBetween(CDTime from, CDTime to);

// "%d/%02d/%02d" of year, month, day; the key of per-day colours too.
[[nodiscard]] std::u16string DateText(CDTime time);
// "%02d:%02d" of hour and minute.
[[nodiscard]] std::u16string TimeText(CDTime time);

// "year/month/day" at 00:00. Two-digit years: 70-99 are 19xx, 0-38 are 20xx, 39-69 stay as they are.
// With clamping a year before 1972 or after 2036 becomes 1972 or 2036; the date must then be valid.
[[nodiscard]] std::optional<CDTime> ParseDate(std::u16string_view text, YearClamp clamp);
// The same reading, giving the date's fields.
[[nodiscard]] std::optional<CivilDate> ParseDateFields(std::u16string_view text, YearClamp clamp);
// The date as ParseDate reads it, at a time given as "H" or "HH", "HHMM", "H:M" or "H:M:S".
[[nodiscard]] std::optional<CDTime> ParseDateTime(
    std::u16string_view dateText, std::u16string_view timeText, YearClamp clamp);

struct HourMinute {
    int hour;
    int minute;
};
// "H:M" with hour 0-23 and minute 0-59.
[[nodiscard]] std::optional<HourMinute> ParseHourMinute(std::u16string_view text);

// Texts used in date formats, Sunday and January first.
extern const char16_t* const kJapaneseWeekdayNames[7];
extern const char16_t* const kEnglishWeekdayAbbreviations[7];
extern const char16_t* const kEnglishMonthNames[12];
extern const char16_t* const kEnglishMonthAbbreviations[12];

inline constexpr int kFirstYear = 1972;
inline constexpr int kLastYear = 2036;

} // namespace kal
