#pragma once

#include "calendar/DTime.h"

#include <cstdint>
#include <string>

namespace kal {

// The one place where the machine's zone meets the program's dates: a real instant (seconds since
// 1970-01-01 00:00:00 UTC) to the wall clock of the machine's zone and back. Dates and times of the
// file never pass through here; only "now", file stamps and the UTC times of calendar servers do.
class LocalTime {
public:
    // What the machine's clock shows at `instant`.
    [[nodiscard]] static LocalFields Fields(std::int64_t instant);
    // The instant at which the machine's clock shows these fields. Fields out of range are normalised
    // and a time the zone skips or shows twice is placed as mktime places it with daylight saving
    // unknown: a skipped 02:30 is the instant half an hour after the last minute before the jump.
    [[nodiscard]] static std::int64_t Instant(int year, int month, int day, int hour, int minute, int second);
    // Reads TZ again; call after changing it.
    static void ResetZone();
    // The name of the machine's zone in the zone database ("Asia/Tokyo"): from TZ when it names one,
    // else from the system's settings; empty when it has no such name (TZ="JST-9", a zone file
    // copied rather than linked).
    [[nodiscard]] static std::string ZoneName();
};

} // namespace kal
