#pragma once

#include "calendar/DTime.h"

#include <cstdint>
#include <string>

namespace kal {

class CKalData;

// How a view shows times: 0 as each entry chooses, 1 start and end, 2 start only, 3 end only, 4 none.
enum class TimeMode : int { PerEntry = 0, StartAndEnd = 1, StartOnly = 2, EndOnly = 3, None = 4 };

[[nodiscard]] TimeMode TimeModeFromSetting(int value);

// The times of an entry shown on `day`: "hh:mm-hh:mm ", "hh:mm ", "～hh:mm " or nothing. A single entry
// spanning days shows its start time on its first day and its end time on its last; a repeating entry
// shows both on every day.
[[nodiscard]] std::u16string TimeText(const CKalData& entry, CDTime day, TimeMode mode);

// Every key TimeSortKey gives is at most this.
inline constexpr std::uint64_t kMaxTimeSortKey = (std::uint64_t(3) << 40) - 1;

// A number that orders entries as their TimeText with TimeMode::StartAndEnd on `day` would order them,
// compared character by character, without building the text. `start`, `end` and `day` are the
// calendar fields of the entry's start and end and of the day.
[[nodiscard]] std::uint64_t TimeSortKey(
    const CKalData& entry, const LocalFields& start, const LocalFields& end, const LocalFields& day);

enum class Countdown { Off, On };

// The line of an entry on `day`: its times, its text, for a to-do with a deadline the days left, and
// "@place".
[[nodiscard]] std::u16string EntryLine(const CKalData& entry, CDTime day, TimeMode mode, Countdown countdown);
// The same onto the end of `line`.
void AppendEntryLineOn(std::u16string& line, const CKalData& entry, CDTime day, TimeMode mode, Countdown countdown);

} // namespace kal
