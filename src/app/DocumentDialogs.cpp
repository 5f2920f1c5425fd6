#include "app/DocumentDialogs.h"

#include "dialogs/DaysAfterDialog.h"
#include "dialogs/FontDialog.h"
#include "dialogs/GenreDialog.h"
#include "dialogs/WeekdayColourDialog.h"
#include "dialogs/YearMonthDayDialog.h"

namespace kal {

std::optional<CivilDate> DocumentDialogs::AskDate(CivilDate initial)
{
    return AskYearMonthDay(initial);
}

std::optional<int> DocumentDialogs::AskDaysAfter()
{
    return kal::AskDaysAfter();
}

std::optional<std::array<Colour, 7>> DocumentDialogs::AskWeekdayColours(const std::array<Colour, 7>& colours)
{
    return kal::AskWeekdayColours(colours);
}

std::optional<LogFont> DocumentDialogs::AskFont(const LogFont& current)
{
    return kal::AskFont(current);
}

bool DocumentDialogs::EditGenres(CKalStore& store, StoreEditor& editor)
{
    return kal::EditGenres(store, applicationGenres_, &editor);
}

} // namespace kal
