#pragma once

#include <string>

namespace kal {

enum class WeekStart { Sunday, Monday };

// A month as a small terminal calendar (UTF-8): a title, the weekday row and one row per week. Days
// that are national holidays by the built-in rules are marked with "*", and listed below.
[[nodiscard]] std::string HolidayCalendarText(int year, int month, WeekStart weekStart);

} // namespace kal
