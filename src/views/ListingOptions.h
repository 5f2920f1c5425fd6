#pragma once

#include "store/DayListing.h"

namespace kal {

class CKalSettings;

// The listing options the user's settings ask for, as the month view, the exports and the calendar
// add list days with them.
[[nodiscard]] DayListingOptions ListingOptionsFrom(const CKalSettings& settings);

} // namespace kal
