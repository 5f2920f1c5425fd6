#pragma once

namespace kal {

// The built-in holiday test: fixed-date national holidays (every year, without year limits), the
// Monday holidays from 2000 and 2003, Marine Day on July 20 from 1996 to 2002, and the equinox days.
// It does not look at any schedule file and knows nothing of the holiday switches.
[[nodiscard]] bool IsFixedHoliday(int year, int month, int day);

// Day of March (September) of the spring (autumn) equinox day in a year from 1972 to 2099.
[[nodiscard]] int SpringEquinoxDay(int year);
[[nodiscard]] int AutumnEquinoxDay(int year);

enum class SundayCounts { No, Yes };

// A fixed holiday, a Monday after one (its substitute), or with SundayCounts::Yes any Sunday.
[[nodiscard]] bool IsHolidayOrSubstitute(int year, int month, int day, SundayCounts sundayCounts);

} // namespace kal
