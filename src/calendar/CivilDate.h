#pragma once

namespace kal {

// Proleptic Gregorian calendar arithmetic on plain dates, independent of the time zone.

// Days from 1970-01-01 to the given date (negative before it). Month 1-12; day may run past the
// month's end, which counts on into the following days.
[[nodiscard]] constexpr long long DaysFromCivil(int year, int month, int day)
{
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400; // [0, 399]
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1; // [0, 365]
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear; // [0, 146096]
    return era * 146097 + dayOfEra - 719468;
}

// 0 = Sunday ... 6 = Saturday.
[[nodiscard]] constexpr int WeekdayOf(int year, int month, int day)
{
    const long long days = DaysFromCivil(year, month, day);
    return static_cast<int>(days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6);
}

struct CivilDate {
    int year;
    int month; // 1-12
    int day; // 1-31
};

[[nodiscard]] constexpr CivilDate CivilFromDays(long long days)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097; // [0, 146096]
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365; // [0, 399]
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100); // [0, 365]
    const long long monthIndex = (5 * dayOfYear + 2) / 153; // [0, 11], March first
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate { static_cast<int>(year), month, day };
}

} // namespace kal
