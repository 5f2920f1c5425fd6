#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"
#include "store/KalData.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// The repetition of a schedule as the schedule dialog keeps it while it is open.
struct RepeatSettings {
    std::int32_t repeatType = 0;
    std::int32_t repeatDayFrom = 1; // -1 = the month's last day
    std::int32_t repeatDayTo = 1;
    std::int32_t interval = 1;
    std::int32_t positionMode = 0;
    std::array<std::uint8_t, 5> weeks {};
    std::array<std::uint8_t, 7> weekdays {};
    std::array<std::uint8_t, 12> months { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 };

    [[nodiscard]] static RepeatSettings Of(const CKalData& entry);
    void WriteTo(CKalData& entry) const;
    bool operator==(const RepeatSettings&) const = default;
};

// The days a repetition runs over: from the first at 00:00:00 to the last at 23:59:59.
using RepeatPeriod = DateRange;

struct RepeatChange {
    RepeatSettings settings;
    RepeatPeriod period;
};

// What the repeat dialog and its custom dialog work on while they are open: the day range as the
// texts of their combo boxes ("1" ... "31", "月末").
struct RepeatDialogValues {
    std::int32_t repeatType = 0;
    std::u16string dayFrom = u"1";
    std::u16string dayTo = u"1";
    std::int32_t interval = 1;
    bool positionMode = false;
    std::array<std::uint8_t, 5> weeks {};
    std::array<std::uint8_t, 7> weekdays {};
    std::array<std::uint8_t, 12> months { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 };
    DateRange period;
    int month = 1; // the month chosen in the month list when OK was pressed, 1-12
};

// The day range's texts and values: "月末" is the month's last day (-1), other texts count by their
// leading decimal number (0 when there is none).
inline constexpr char16_t kLastDayText[] = u"月末";
[[nodiscard]] std::u16string DayRangeText(std::int32_t day);
[[nodiscard]] std::int32_t DayRangeValue(std::u16string_view text);
// "1" ... "31" and "月末", the items of the day range combo boxes.
[[nodiscard]] std::vector<std::u16string> DayRangeItems();

// The repeat dialog ("繰り返し") on the schedule dialog's settings and period. On OK the settings and
// the period as the schedule dialog takes them back: the day range applied to the dates of monthly and
// yearly rules, the month of yearly ones, the start of weekly ones moved to the chosen weekday.
// Nothing when cancelled.
[[nodiscard]] std::optional<RepeatChange> EditRepeat(const RepeatSettings& settings, RepeatPeriod period);

// The exclusion-day list ("除外日") on a copy of `exclusions`; the edited list on OK, in its order.
[[nodiscard]] std::optional<std::vector<ExclusionPeriod>> EditExclusions(
    const std::vector<ExclusionPeriod>& exclusions);

// The avoid-day dialog ("回避日設定") on the `avoidDays` bits; the new bits on OK.
[[nodiscard]] std::optional<std::uint32_t> EditAvoidDays(std::uint32_t avoidDays);

// The question asked before a repeating schedule is deleted ("繰り返しスケジュールの削除").
enum class RepeatDeleteChoice { ThisDayOnly, ThisAndFollowing, All, Cancel };
[[nodiscard]] RepeatDeleteChoice AskRepeatDelete();

} // namespace kal
