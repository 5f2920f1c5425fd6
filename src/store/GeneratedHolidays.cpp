#include "store/GeneratedHolidays.h"

#include "calendar/CalendarTexts.h"
#include "calendar/CivilDate.h"
#include "calendar/Holidays.h"
#include "store/DayListing.h"
#include "store/KalData.h"
#include "store/KalStore.h"

#include <cstdint>
#include <memory>
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

// The listed days of one month view.
struct MonthView {
    DayListing& listing;
    std::vector<ListedDay>& days;
    CDTime first;
    int count;

    [[nodiscard]] ListedDay& Day(int index) { return days[static_cast<std::size_t>(index)]; }
    // The day of a date, or null when the view does not show it.
    [[nodiscard]] ListedDay* DayOf(int year, int month, int day)
    {
        const int index = DaysBetween(first, CDTime(year, month, day));
        return index >= 0 && index < count ? &Day(index) : nullptr;
    }
};

void GenerateEquinoxAndCitizensHolidays(MonthView& view)
{
    const LocalFields first = view.first.Fields();
    const int year = first.year;
    const int month = first.month;
    if (year < kFirstGeneratedYear || year > kLastGeneratedYear)
        return;
    if ((month == 2 && view.count > 18) || month == 3) {
        if (ListedDay* cell = view.DayOf(year, 3, SpringEquinox(year)))
            view.listing.AddGeneratedHoliday(*cell, texts::kHolidaySpringEquinox);
    }
    if (month == 8 || month == 9) {
        const int autumn = AutumnEquinox(year);
        if (ListedDay* cell = view.DayOf(year, 9, autumn))
            view.listing.AddGeneratedHoliday(*cell, texts::kHolidayAutumnEquinox);
        // Between the third Monday (Respect for the Aged Day) and the equinox a single day is left.
        const int monday = autumn - 2;
        if (year > 2002 && WeekdayOf(year, 9, monday) == 1 && monday >= 15 && monday <= 21) {
            if (ListedDay* cell = view.DayOf(year, 9, autumn - 1))
                view.listing.AddGeneratedHoliday(*cell, texts::kHolidayCitizens);
        }
    }
    if (year >= 1986 && year <= 2006 && month >= 3 && month <= 5) {
        ListedDay* cell = view.DayOf(year, 5, 4);
        if (cell && WeekdayOf(year, 5, 4) != 0 && !cell->HasHoliday())
            view.listing.AddGeneratedHoliday(*cell, texts::kHolidayCitizens);
    }
}

// Whether the stored entries put a holiday on the day before the view's first day.
bool HolidayBeforeView(MonthView& view)
{
    std::vector<ListedDay> day(2);
    const LocalFields first = view.first.Fields();
    view.listing.List(day, CDTime(first.year, first.month, first.day - 1), 1);
    return day[0].HasHoliday();
}

void GenerateSubstituteHolidays(MonthView& view)
{
    const int firstWeekday = view.first.DayOfWeek();
    for (int i = (8 - firstWeekday) % 7; i < view.count; i += 7) {
        ListedDay& monday = view.Day(i);
        const LocalFields date = monday.date.Fields();
        if (monday.HasHoliday() || DaysFromCivil(date.year, date.month, date.day) - 1 < kSubstitutesFrom)
            continue;
        const bool sundayHoliday = i > 0 ? view.Day(i - 1).HasHoliday() : HolidayBeforeView(view);
        if (sundayHoliday)
            view.listing.AddGeneratedHoliday(monday, texts::kHolidaySubstitute);
    }
    // From 2007 a Sunday holiday in the first days of May moves its substitute on to May 6.
    if (view.first < CDTime(2007, 5, 6))
        return;
    for (int i = 0; i < view.count; ++i) {
        ListedDay& cell = view.Day(i);
        const LocalFields day = cell.date.Fields();
        if (day.month == 5 && day.day == 6 && (day.weekday == 2 || day.weekday == 3))
            view.listing.AddGeneratedHoliday(cell, texts::kHolidaySubstitute);
    }
}

} // namespace

void GenerateHolidays(DayListing& listing, std::vector<ListedDay>& days, CDTime first, int count)
{
    MonthView view { listing, days, first, count };
    if (listing.Options().equinoxHolidays)
        GenerateEquinoxAndCitizensHolidays(view);
    if (listing.Options().substituteHolidays)
        GenerateSubstituteHolidays(view);
}

bool IsGeneratedHolidayName(std::u16string_view name)
{
    return name == texts::kHolidaySpringEquinox || name == texts::kHolidayAutumnEquinox
        || name == texts::kHolidayCitizens || name == texts::kHolidaySubstitute;
}

void ForEachGeneratedHoliday(std::span<const CKalData* const> entries, const CKalFieldArray& genres, DateRange period,
    GeneratedHolidayKinds kinds, const GeneratedHolidayVisit& visit)
{
    // A store of the holidays alone lists a month view at little cost, however large the file.
    CKalStore holidays;
    holidays.genres = genres;
    for (const CKalData* entry : entries) {
        if (entry->IsHoliday())
            holidays.AppendEntry(std::make_unique<CKalData>(*entry));
    }
    DayListingOptions options;
    options.equinoxHolidays = kinds.equinox;
    options.substituteHolidays = kinds.substitute;
    DayListing listing(&holidays, options);
    listing.ForEachInPeriod(
        period.first, period.last, DayListing::Generated::With, [&](CDTime day, const CKalData& holiday) {
            if (listing.IsGenerated(&holiday))
                visit(day, holiday.text);
        });
}

} // namespace kal
