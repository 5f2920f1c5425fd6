#pragma once

#include "store/AlarmList.h"
#include "store/DayListing.h"

namespace kal {

class CKalSettings;

// The listing options the user's settings ask for, as the month view, the exports and the calendar
// add list days with them.
[[nodiscard]] DayListingOptions ListingOptionsFrom(const CKalSettings& settings);

// The alarm options the settings ask for: the listing's, and the time untimed entries are reminded at
// (a value out of range reads as 9:00).
[[nodiscard]] AlarmListOptions AlarmOptionsFrom(const CKalSettings& settings);

} // namespace kal
