#pragma once

// Texts the date and holiday code shows or stores, exactly as the program has always used them.

namespace kal::texts {

inline constexpr char16_t kFormatError[] = u"CDTime:Format エラー";
inline constexpr char16_t kRepeatError[] = u"繰り返し処理エラー1";

inline constexpr char16_t kHolidayRespectForAged[] = u"敬老の日";
inline constexpr char16_t kHolidayMarineDay[] = u"海の日";
inline constexpr char16_t kHolidayGreeneryDay[] = u"みどりの日";
inline constexpr char16_t kHolidayShowaDay[] = u"昭和の日";
inline constexpr char16_t kHolidayCitizens[] = u"国民の休日";
inline constexpr char16_t kHolidaySpringEquinox[] = u"春分の日";
inline constexpr char16_t kHolidayAutumnEquinox[] = u"秋分の日";
inline constexpr char16_t kHolidaySubstitute[] = u"振替休日";

} // namespace kal::texts
