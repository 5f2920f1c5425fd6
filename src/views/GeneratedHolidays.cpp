#include "views/GeneratedHolidays.h"

#include "calendar/CalendarTexts.h"
#include "calendar/CivilDate.h"
#include "settings/KalSettings.h"
#include "views/MonthGrid.h"

#include <cstdint>
#include <vector>

namespace kal {

namespace {

constexpr int kFirstGeneratedYear = 1980;
constexpr int kLastGeneratedYear = 2150;

// Day of the month of an equinox by the usual approximation, for 1980-2150.
int EquinoxDay(int year, std::int64_t base, std::int64_t baseFrom2100)
{
    const std::int64_t b = year - 1980;
    return static_cast<int>((242194 * b - 1000000 * (b / 4) + (year < 2100 ? base : baseFrom2100)) / 1000000);
}

CMonthCell* CellOf(CMonthGrid& grid, int year, int month, int day)
{
    const int index = grid.IndexOf(CDTime(year, month, day));
    return index < 0 ? nullptr : &grid.Cell(index);
}

void GenerateEquinoxAndCitizensHolidays(CMonthGrid& grid)
{
    const LocalFields first = grid.Start().Fields();
    const int year = first.year;
    const int month = first.month;
    if (year < kFirstGeneratedYear || year > kLastGeneratedYear)
        return;
    if ((month == 2 && grid.Count() > 18) || month == 3) {
        if (CMonthCell* cell = CellOf(grid, year, 3, EquinoxDay(year, 20843100, 21851000)))
            grid.AddGeneratedHoliday(*cell, texts::kHolidaySpringEquinox);
    }
    if (month == 8 || month == 9) {
        const int autumn = EquinoxDay(year, 23248800, 24248800);
        if (CMonthCell* cell = CellOf(grid, year, 9, autumn))
            grid.AddGeneratedHoliday(*cell, texts::kHolidayAutumnEquinox);
        // Between the third Monday (Respect for the Aged Day) and the equinox a single day is left.
        const int monday = autumn - 2;
        if (year > 2002 && WeekdayOf(year, 9, monday) == 1 && monday >= 15 && monday <= 21) {
            if (CMonthCell* cell = CellOf(grid, year, 9, autumn - 1))
                grid.AddGeneratedHoliday(*cell, texts::kHolidayCitizens);
        }
    }
    if (year >= 1986 && year <= 2006 && month >= 3 && month <= 5) {
        CMonthCell* cell = CellOf(grid, year, 5, 4);
        if (cell && WeekdayOf(year, 5, 4) != 0 && !cell->HasHoliday())
            grid.AddGeneratedHoliday(*cell, texts::kHolidayCitizens);
    }
}

// Whether the stored entries put a holiday on the day before the grid's first cell.
bool HolidayBeforeGrid(CMonthGrid& grid)
{
    std::vector<CMonthCell> day(2);
    const LocalFields first = grid.Start().Fields();
    grid.FillCells(day, CDTime(first.year, first.month, first.day - 1), 1);
    return day[0].HasHoliday();
}

void GenerateSubstituteHolidays(CMonthGrid& grid)
{
    const int firstWeekday = grid.Start().DayOfWeek();
    for (int i = (8 - firstWeekday) % 7; i < grid.Count(); i += 7) {
        CMonthCell& monday = grid.Cell(i);
        if (monday.HasHoliday())
            continue;
        const bool sundayHoliday = i > 0 ? grid.Cell(i - 1).HasHoliday() : HolidayBeforeGrid(grid);
        if (sundayHoliday)
            grid.AddGeneratedHoliday(monday, texts::kHolidaySubstitute);
    }
    // From 2007 a Sunday holiday in the first days of May moves its substitute on to May 6.
    if (grid.Start() < CDTime(2007, 5, 6))
        return;
    for (int i = 0; i < grid.Count(); ++i) {
        CMonthCell& cell = grid.Cell(i);
        const LocalFields day = cell.date.Fields();
        if (day.month == 5 && day.day == 6 && (day.weekday == 2 || day.weekday == 3))
            grid.AddGeneratedHoliday(cell, texts::kHolidaySubstitute);
    }
}

} // namespace

void GenerateHolidays(CMonthGrid& grid)
{
    const CKalSettings& settings = CKalSettings::Current();
    if (settings.IsOn(IntSetting::Shunbun))
        GenerateEquinoxAndCitizensHolidays(grid);
    if (settings.IsOn(IntSetting::Hurikae))
        GenerateSubstituteHolidays(grid);
}

} // namespace kal
