#pragma once

#include "calendar/DTime.h"

#include <cstdint>

namespace kal {

// The local-time conversions every date goes through, made fast: the zone's offset from UTC is read
// once for every day from 1970 to 2040, so that a conversion is plain arithmetic. Days on which the
// offset changes, and times outside the table, go to the C library, which stays the reference: the
// results are always those of localtime_r and mktime (daylight saving left to the library to decide).
class LocalTime {
public:
    // Calendar fields of `seconds` since 1970-01-01 00:00:00 UTC.
    [[nodiscard]] static LocalFields Fields(std::int64_t seconds);
    // Seconds for local fields; fields out of range are normalised as mktime does.
    [[nodiscard]] static std::int64_t Seconds(int year, int month, int day, int hour, int minute, int second);
    // Forgets the table; call after changing TZ.
    static void ResetZone();
};

} // namespace kal
