#pragma once

#include "calendar/DTime.h"

#include <optional>

namespace kal {

// The time input ("時間の入力") on `initial`; the hour [0, 23] and minute [0, 59] chosen, or nothing
// when cancelled.
[[nodiscard]] std::optional<HourMinute> AskTime(HourMinute initial);

} // namespace kal
