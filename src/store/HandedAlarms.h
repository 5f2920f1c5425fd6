#pragma once

#include "store/AlarmList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// A reminder as the desktop program hands it to the reminder for a file the reminder cannot read
// (one with a password): everything a notification needs, and nothing more of the file.
struct HandedAlarm {
    std::int64_t due = 0; // real instant, seconds since 1970-01-01 00:00:00 UTC
    std::uint64_t key = 0; // AlarmKey
    std::u16string day; // YYYY-MM-DD of the occurrence
    std::u16string summary; // AlarmSummary
    std::u16string place;

    bool operator==(const HandedAlarm&) const = default;
};

[[nodiscard]] HandedAlarm Handed(const Alarm& alarm);

// One line a reminder: due, key (hexadecimal), day, summary and place separated by tabs; a tab or a
// line break inside a text becomes a space, as a notification shows one line of each anyway.
[[nodiscard]] std::u16string HandedAlarmLine(const HandedAlarm& alarm);
// Nothing for a line that is not one.
[[nodiscard]] std::optional<HandedAlarm> ParseHandedAlarmLine(std::u16string_view line);

} // namespace kal
