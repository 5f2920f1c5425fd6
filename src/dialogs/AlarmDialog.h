#pragma once

#include <optional>

namespace kal {

// The alarm dialog ("タイマー設定") on `minutes` before the start (-1 = no alarm). On OK the minutes
// entered, or -1 when the alarm is unticked; nothing when cancelled.
[[nodiscard]] std::optional<int> AskAlarm(int minutes);

} // namespace kal
