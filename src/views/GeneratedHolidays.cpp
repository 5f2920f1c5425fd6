#include "views/GeneratedHolidays.h"

#include "calendar/CalendarTexts.h"
#include "calendar/CivilDate.h"
#include "calendar/Holidays.h"
#include "settings/KalSettings.h"
#include "views/MonthGrid.h"

#include <cstdint>
#include <vector>

namespace kal {

namespace {

constexpr int kFirstGeneratedYear = kFirstYear;
constexpr int kLastGeneratedYear = 2150;
constexpr int kLastLawYear = 2099; // the last year the holiday rules give equinox days for
// The day the law that created substitute holidays took effect: a Sunday holiday before it has none.
constexpr long long kSubstitutesFrom = DaysFromCivil(1973, 4, 12);

// Day of the month of an equinox by the usual approximation, for the years after kLastLawYear.
int EquinoxDayFrom2100(int year, std::int64_t base)
{
    const std::int64_t b = year - 1980;
    return static_cast<int>((242194 * b - 1000000 * (b / 4) + base) / 1000000);
}

int SpringEquinox(int year)
{
    return year <= kLastLawYear ? SpringEquinoxDay(year) : EquinoxDayFrom2100(year, 21851000);
}

int AutumnEquinox(int year)
{
    return year <= kLastLawYear ? AutumnEquinoxDay(year) : EquinoxDayFrom2100(year, 24248800);
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
        if (CMonthCell* cell = CellOf(grid, year, 3, SpringEquinox(year)))
            grid.AddGeneratedHoliday(*cell, texts::kHolidaySpringEquinox);
    }
    if (month == 8 || month == 9) {
        const int autumn = AutumnEquinox(year);
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
        const LocalFields date = monday.date.Fields();
        if (monday.HasHoliday() || DaysFromCivil(date.year, date.month, date.day) - 1 < kSubstitutesFrom)
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
