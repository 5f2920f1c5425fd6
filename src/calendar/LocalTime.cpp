#include "calendar/LocalTime.h"

#include <ctime>

namespace kal {

LocalFields LocalTime::Fields(std::int64_t instant)
{
    const std::time_t t = static_cast<std::time_t>(instant);
    std::tm f {};
    localtime_r(&t, &f);
    return LocalFields { f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec, f.tm_wday };
}

std::int64_t LocalTime::Instant(int year, int month, int day, int hour, int minute, int second)
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

void LocalTime::ResetZone()
{
    // localtime_r reads TZ only once; tzset makes it read the zone again.
    tzset();
}

} // namespace kal
