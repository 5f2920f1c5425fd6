#pragma once

namespace kal::hint {

// What the document tells its views after a change; bits that combine.
inline constexpr int kRepaint = 0; // colours or fonts changed: draw again
inline constexpr int kEntriesChanged = 1; // rebuild the grid and the day list
inline constexpr int kDateMoved = 2; // the current date moved: select it
inline constexpr int kOtherMonthColours = 4; // other-month cell colours changed
inline constexpr int kRegrid = 8; // rebuild the grid around the current date
inline constexpr int kRemovingEntry = 0x10; // the hint's entry is about to go: drop every pointer to it
inline constexpr int kFoundOrJumped = kRegrid | kDateMoved; // a search or a go-to moved the date
inline constexpr int kEntryRemoved = kRemovingEntry | kEntriesChanged;

} // namespace kal::hint
