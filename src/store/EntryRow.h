#pragma once

#include <memory>
#include <string>

namespace kal {

class CKalData;
class CsvLine;

// The columns of a schedule file row.
namespace column {
inline constexpr int kKind = 0;
inline constexpr int kStartDate = 1;
inline constexpr int kStartTime = 2;
inline constexpr int kEndDate = 3;
inline constexpr int kEndTime = 4;
inline constexpr int kText = 5;
inline constexpr int kStartTimeSet = 6;
inline constexpr int kEndTimeSet = 7;
inline constexpr int kHidden = 8;
inline constexpr int kHolidayOrPriority = 9;
inline constexpr int kColour = 10;
inline constexpr int kLinkFile = 11;
inline constexpr int kAlarmModeOrDone = 12;
inline constexpr int kAlarmOrDaysBefore = 13;
inline constexpr int kGenre = 14;
inline constexpr int kTimeDisplay = 15;
inline constexpr int kRepeatTypeOrNoDeadline = 16;
inline constexpr int kRepeatDayFrom = 17;
inline constexpr int kRepeatDayTo = 18;
inline constexpr int kInterval = 19;
inline constexpr int kPosition = 20;
inline constexpr int kMonths = 21;
inline constexpr int kAvoidDays = 22;
inline constexpr int kExclusions = 23;
inline constexpr int kPlace = 24;
inline constexpr int kMemo = 25;
inline constexpr int kCount = 26;
} // namespace column

// Reads a schedule ("0") or to-do ("1") row into `entry`, which should be fresh. False when the row is
// of another kind, lacks any column up to the place, or its dates do not read; `entry` is then to be
// thrown away.
[[nodiscard]] bool DecodeEntryRow(const CsvLine& row, CKalData& entry);

// Writes `entry` as a row of 26 quoted fields.
void EncodeEntryRow(const CKalData& entry, CsvLine& row);
// Appends the line a schedule file holds for `entry`: that row joined, with LF at its end.
void AppendEntryLine(const CKalData& entry, std::u16string& line);

} // namespace kal
