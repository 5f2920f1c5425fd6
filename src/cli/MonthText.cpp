#include "cli/MonthText.h"

#include "calendar/CivilDate.h"
#include "calendar/DTime.h"
#include "calendar/Holidays.h"
#include "platform/Text.h"

#include <cstdio>

namespace kal {

std::string HolidayCalendarText(int year, int month, WeekStart weekStart)
{
    std::string out = std::to_string(year);
    out.append("年 ").append(std::to_string(month)).append("月\n");
    const int firstColumnWeekday = weekStart == WeekStart::Monday ? 1 : 0;
    for (int column = 0; column < 7; ++column)
        out.append(" ").append(ToUtf8(kJapaneseWeekdayNames[(firstColumnWeekday + column) % 7])).append(" ");
    out += '\n';

    const int lead = (WeekdayOf(year, month, 1) - firstColumnWeekday + 7) % 7;
    out.append(static_cast<std::size_t>(lead) * 4, ' ');
    std::string holidays;
    for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        const bool holiday = IsHolidayOrSubstitute(year, month, day, SundayCounts::No);
        char cell[16];
        std::snprintf(cell, sizeof cell, "%3d%s", day, holiday ? "*" : " ");
        out += cell;
        if ((lead + day) % 7 == 0)
            out += '\n';
        if (holiday) {
            char line[32];
            std::snprintf(line, sizeof line, "  * %d/%02d/%02d(%s)\n", year, month, day,
                ToUtf8(kJapaneseWeekdayNames[WeekdayOf(year, month, day)]).c_str());
            holidays += line;
        }
    }
    if (out.back() != '\n')
        out += '\n';
    if (!holidays.empty())
        out.append("\n国民の祝日・振替休日:\n").append(holidays);
    return out;
}

} // namespace kal
