#pragma once

#include "store/KalData.h"

#include <vector>

namespace kal {

// Copies of an entry every `interval` units, `count` times.
struct ContinuousCopy {
    enum class Unit { Day, Week, Month, Year };
    Unit unit = Unit::Day;
    int interval = 0; // >= 0
    int count = 0; // >= 0
};

struct ContinuousCopies {
    std::vector<CKalData> copies; // in the order they were made, earliest step first
    // Fewer copies than asked: the next one would have started after the last day the program works
    // with, or there would have been more copies than that range has days.
    bool cutShort = false;
};

// The copies of `entry` a continuous copy makes. Copy k starts `interval` units after copy k - 1
// (copy 0 being `entry` itself) at the same time of day, stepping by calendar days, weeks, months or
// years. A day of the month the target month does not have runs on into the next month (January 31
// plus one month is March 3, or March 2 in a leap year), and the next copy steps on from that date.
// Each copy's end is as many calendar days after its start, at the same time of day, as the entry's
// end is after the entry's start; every other field is the entry's.
[[nodiscard]] ContinuousCopies MakeContinuousCopies(const CKalData& entry, const ContinuousCopy& copy);

} // namespace kal
