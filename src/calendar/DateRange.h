#pragma once

#include "calendar/DTime.h"

namespace kal {

// A run of whole calendar days, both ends included. The ends name days: most holders keep them at
// 00:00; a repetition's last day keeps 23:59:59, the moment it ends.
struct DateRange {
    CDTime first;
    CDTime last;

    bool operator==(const DateRange&) const = default;
};

} // namespace kal
