#pragma once

#include <optional>
#include <string_view>

namespace kal {

// A month of the calendar, as the month view and the commands that take a month name it.
struct YearMonth {
    int year;
    int month; // 1-12
    bool operator==(const YearMonth&) const = default;
};

// Moves a month forward (or back, for a negative count), carrying into the years.
constexpr void AddMonthsTo(YearMonth& month, int count)
{
    const int index = month.year * 12 + month.month - 1 + count;
    month.year = index / 12;
    month.month = index % 12 + 1; // [1, 12]
}

// A month written "YYYY-MM" (the month may have one digit) from January 1972 to December 2036;
// nothing for any other text.
[[nodiscard]] std::optional<YearMonth> ParseYearMonth(std::string_view text);

} // namespace kal
