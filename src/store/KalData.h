#pragma once

#include "calendar/DTime.h"
#include "platform/Colour.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kal {

// An excluded day or period of a repeating schedule: from the start day 00:00:00 to the end day
// 23:59:59. A single day has equal start and end.
struct ExclusionPeriod {
    std::int32_t startYear = 0;
    std::int32_t startMonth = 0; // 1-12
    std::int32_t startDay = 0;
    std::int32_t endYear = 0;
    std::int32_t endMonth = 0;
    std::int32_t endDay = 0;

    [[nodiscard]] bool IsSingleDay() const
    {
        return startYear == endYear && startMonth == endMonth && startDay == endDay;
    }
    bool operator==(const ExclusionPeriod&) const = default;
};

// Bits of CKalData::flags. Bits 7 and up mean nothing and are neither set nor read.
namespace flag {
inline constexpr std::uint32_t kStartTimeSet = 1u << 0; // the start carries a time of day
inline constexpr std::uint32_t kEndTimeSet = 1u << 1; // the end carries a time of day
inline constexpr std::uint32_t kHidden = 1u << 2; // not shown in the views
inline constexpr std::uint32_t kIsTodo = 1u << 3; // a to-do; clear for a schedule
inline constexpr std::uint32_t kHoliday = 1u << 4; // marks its days as holidays
inline constexpr std::uint32_t kDone = 1u << 5; // to-do completed; `end` is the completion date
inline constexpr std::uint32_t kNoDeadline = 1u << 6; // to-do without deadline; `start` is the day entered
inline constexpr std::uint32_t kAll = 0x7F;
} // namespace flag

// Bits of CKalData::avoidDays.
namespace avoid {
inline constexpr std::uint32_t kSaturday = 1u << 1;
inline constexpr std::uint32_t kSunday = 1u << 2;
inline constexpr std::uint32_t kHoliday = 1u << 3;
inline constexpr std::uint32_t kDrop = 1u << 4; // an avoided occurrence is dropped, else shown the day before
} // namespace avoid

// Values of CKalData::timeDisplay.
enum TimeDisplay : int { kShowStartAndEnd = 0, kShowStartOnly = 1, kShowEndOnly = 2, kShowNoTime = 3 };

// Bits of CKalData::textStyle.
namespace textstyle {
inline constexpr int kBold = 1;
inline constexpr int kStrikeOut = 2;
} // namespace textstyle

inline constexpr int kPriorityCount = 6; // "緊急", "A" ... "E"

// One schedule or to-do entry.
class CKalData {
public:
    // A new entry: every default, with the alarm lead time and mode of the current settings. `start`
    // and `end` are left at 0 for the creator to set.
    CKalData();
    // Copies every field except `alarmMode`, which is taken from the current settings.
    CKalData(const CKalData& other);
    // Assignment copies every field as it is.
    CKalData& operator=(const CKalData& other) = default;
    // Every field equal.
    bool operator==(const CKalData& other) const = default;
    virtual ~CKalData() = default;

    // Entries are made side by side (see EntryPool).
    [[nodiscard]] static void* operator new(std::size_t size);
    static void operator delete(void* entry, std::size_t size) noexcept;

    [[nodiscard]] bool Has(std::uint32_t bits) const { return (flags & bits) == bits; }
    void Set(std::uint32_t bits, bool on) { flags = on ? flags | bits : flags & ~bits; }
    [[nodiscard]] bool IsTodo() const { return Has(flag::kIsTodo); }
    [[nodiscard]] bool IsHoliday() const { return Has(flag::kHoliday); }

    // When the reminder is due: `start` less the lead time for a schedule with an alarm, else `start`.
    [[nodiscard]] CDTime AlarmTime() const;
    // The holiday colour for holiday entries, else the entry's own colour.
    [[nodiscard]] Colour DisplayColour(Colour holidayColour) const;

    // What a month's fill reads of every entry comes first, in one cache line, so that passing over
    // the many entries outside a month touches little memory.
    CDTime start;
    CDTime end;
    std::uint32_t flags = 0;
    std::int32_t genre = 0;
    std::int32_t repeatType = 0; // 0 = no repetition
    std::int32_t showDaysBefore = -1; // to-do shown this many days before its deadline; -1 = off
    std::u16string text;
    std::u16string place;
    std::int32_t priority = 0;
    Colour colour = 0;
    std::u16string linkFile;
    std::int32_t alarmMinutes = -1; // minutes before start; -1 = no alarm
    std::int32_t alarmMode = 1;
    std::int32_t timeDisplay = kShowStartAndEnd; // 4 bits
    std::u16string memo;
    std::int32_t textStyle = 0; // 4 bits
    std::int32_t repeatDayFrom = 1;
    std::int32_t repeatDayTo = 1;
    std::int32_t interval = 1;
    std::int32_t positionMode = 0; // 1 = by week of the month and weekday
    std::array<std::uint8_t, 5> weeks {}; // 1st, 2nd, 3rd, 4th, last week
    std::array<std::uint8_t, 7> weekdays {}; // Sunday first
    std::array<std::uint8_t, 12> months { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 };
    std::uint32_t avoidDays = 0;
    std::vector<ExclusionPeriod> exclusions;
};

} // namespace kal
