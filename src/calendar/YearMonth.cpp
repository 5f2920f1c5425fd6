#include "calendar/YearMonth.h"

#include "calendar/DTime.h"

#include <cstdio>
#include <string>

namespace kal {

std::optional<YearMonth> ParseYearMonth(std::string_view text)
{
    const std::string terminated(text);
    int year = 0;
    int month = 0;
    char rest = 0;
    if (std::sscanf(terminated.c_str(), "%d-%d%c", &year, &month, &rest) != 2 || !IsValidDate(year, month, 1))
        return std::nullopt;
    return YearMonth { year, month };
}

} // namespace kal
