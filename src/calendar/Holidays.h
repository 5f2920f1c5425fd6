#pragma once

namespace kal {

// The built-in holiday test: the national holidays as the law had them in each year, from the law of
// 1948 on (the regular holidays with the years each rule was in force, the one-off days set by their
// own laws and the equinox days). Rules still in force run on without an end year, so later years are a
// prediction: equinox days are only announced a year ahead and new one-off days cannot be foreseen.
// It does not look at any schedule file and knows nothing of the holiday switches.
[[nodiscard]] bool IsFixedHoliday(int year, int month, int day);

// Day of March (September) of the spring (autumn) equinox day in a year from 1972 to 2099.
[[nodiscard]] int SpringEquinoxDay(int year);
[[nodiscard]] int AutumnEquinoxDay(int year);

enum class SundayCounts { No, Yes };

// A national holiday (IsFixedHoliday), a substitute holiday or a citizens' holiday, each from the
// date its law took effect; with SundayCounts::Yes also any Sunday.
// - Substitute holiday, for a national holiday on a Sunday from 1973-04-12: until 2006 the Monday
//   after it, from 2007 the first following day that is not a national holiday.
// - Citizens' holiday, from 1985-12-27: a day that is not a national holiday between two that are;
//   until 2006 never a Sunday.
[[nodiscard]] bool IsHolidayOrSubstitute(int year, int month, int day, SundayCounts sundayCounts);

} // namespace kal
