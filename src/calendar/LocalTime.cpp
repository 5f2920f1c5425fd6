#include "calendar/LocalTime.h"

#include "calendar/CivilDate.h"

#include <algorithm>
#include <atomic>
#include <ctime>
#include <mutex>
#include <vector>

namespace kal {

namespace {

constexpr std::int64_t kDay = 86400;
constexpr long long kFirstDay = 0; // 1970-01-01
constexpr long long kLastDay = DaysFromCivil(2041, 1, 1);

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int LibraryOffset(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm fields {};
    localtime_r(&t, &fields);
    return static_cast<int>(fields.tm_gmtoff);
}

// Offset of local time from UTC at the start of each UTC day, and whether it changes during that day.
struct ZoneTable {
    ZoneTable()
    {
        tzset();
        const std::size_t days = static_cast<std::size_t>(kLastDay - kFirstDay + 1);
        offsets.resize(days + 1);
        // The C library is asked once a week; a week whose ends differ is asked day by day. Every
        // program start builds this table, and asking for each of its 25,000 days took milliseconds.
        // Only a change and its undoing within the same week would go unseen: none of the 447 zones of the
        // system's time zone data has one between 1970 and 2041.
        const auto offsetOf
            = [](std::size_t i) { return LibraryOffset((kFirstDay + static_cast<long long>(i)) * kDay); };
        offsets[0] = offsetOf(0);
        for (std::size_t from = 0; from < days;) {
            const std::size_t to = std::min(days, from + kWeek);
            offsets[to] = offsetOf(to);
            for (std::size_t i = from + 1; i < to; ++i)
                offsets[i] = offsets[to] == offsets[from] ? offsets[from] : offsetOf(i);
            from = to;
        }
    }

    static constexpr std::size_t kWeek = 7;

    // The offset in force all through UTC day `day`, or nothing when it changes that day or the
    // day is outside the table.
    bool SteadyOffset(long long day, int& offset) const
    {
        if (day < kFirstDay || day >= kLastDay)
            return false;
        const std::size_t i = static_cast<std::size_t>(day - kFirstDay);
        offset = offsets[i];
        return offsets[i + 1] == offset;
    }

    std::vector<int> offsets;
};

std::atomic<ZoneTable*> gTable { nullptr };

// The table, made by the first conversion of whichever thread asks first.
const ZoneTable* Table()
{
    if (const ZoneTable* table = gTable.load(std::memory_order_acquire))
        return table;
    static std::mutex making;
    const std::lock_guard<std::mutex> lock(making);
    ZoneTable* table = gTable.load(std::memory_order_acquire);
    if (!table) {
        table = new ZoneTable();
        gTable.store(table, std::memory_order_release);
    }
    return table;
}

LocalFields LibraryFields(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm f {};
    localtime_r(&t, &f);
    return LocalFields { f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec, f.tm_wday };
}

std::int64_t LibrarySeconds(int year, int month, int day, int hour, int minute, int second)
{
    std::tm fields {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&fields));
}

} // namespace

LocalFields LocalTime::Fields(std::int64_t seconds)
{
    int offset = 0;
    if (!Table()->SteadyOffset(FloorDiv(seconds, kDay), offset))
        return LibraryFields(seconds);
    const std::int64_t local = seconds + offset;
    const std::int64_t days = FloorDiv(local, kDay);
    const int secondOfDay = static_cast<int>(local - days * kDay); // [0, 86399]
    const CivilDate date = CivilFromDays(days);
    return LocalFields { date.year, date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60,
        static_cast<int>((days % 7 + 11) % 7) };
}

std::int64_t LocalTime::Seconds(int year, int month, int day, int hour, int minute, int second)
{
    // Months beyond December or before January move the year, as mktime does; everything smaller is
    // linear and carries by itself.
    const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
    const std::int64_t yearCarry = FloorDiv(monthIndex, 12);
    if (year + yearCarry < 1900 || year + yearCarry > 2200)
        return LibrarySeconds(year, month, day, hour, minute, second);
    const int normalYear = static_cast<int>(year + yearCarry);
    const int normalMonth = static_cast<int>(monthIndex - yearCarry * 12) + 1;
    const std::int64_t local = (DaysFromCivil(normalYear, normalMonth, 1) + day - 1) * kDay
        + static_cast<std::int64_t>(hour) * 3600 + static_cast<std::int64_t>(minute) * 60 + second;
    const ZoneTable& table = *Table();
    int offset = 0;
    // Guess the offset from the local day, then check that the result lies in a steady day with it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const long long guessDay = FloorDiv(local - (attempt ? offset : 0), kDay);
        int guess = 0;
        if (!table.SteadyOffset(guessDay, guess))
            break;
        const std::int64_t utc = local - guess;
        int actual = 0;
        if (table.SteadyOffset(FloorDiv(utc, kDay), actual) && actual == guess)
            return utc;
        offset = guess;
    }
    return LibrarySeconds(year, month, day, hour, minute, second);
}

void LocalTime::ResetZone()
{
    // Not while another thread converts: the zone changes only between a program's own steps.
    delete gTable.exchange(nullptr, std::memory_order_acq_rel);
}

} // namespace kal
