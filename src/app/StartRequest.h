#pragma once

#include "calendar/DTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// What a start of the desktop program asks for: a file to open and a day to show, either or both.
// The reminder's "open" action starts it with the reminder's day.
struct StartRequest {
    std::u16string file; // empty: the file already open, or the last one used
    std::optional<CDTime> date; // the day to show, at 00:00

    bool operator==(const StartRequest&) const = default;
};

// Reads `[--date YYYY-MM-DD] [FILE]` (the program's name left out); nothing for anything else.
[[nodiscard]] std::optional<StartRequest> ParseStartArguments(const std::vector<std::u16string>& arguments);

// The request as a second start hands it to the running program, and back. A message with no day is
// the file's path alone, as programs before the day was handed over sent it.
[[nodiscard]] std::u16string HandOverMessage(const StartRequest& request);
[[nodiscard]] StartRequest FromHandOverMessage(std::u16string_view message);

} // namespace kal
