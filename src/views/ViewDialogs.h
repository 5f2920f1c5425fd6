#pragma once

#include "calendar/CivilDate.h"
#include "ui/Geometry.h"
#include "ui/LogFont.h"

#include <array>
#include <optional>

namespace kal {

class CKalStore;
class StoreEditor;

// The questions the views ask the user through the program's dialogs, which live above them.
class ViewDialogs {
public:
    virtual ~ViewDialogs() = default;
    // The go-to-date dialog on `initial`; the date entered, nothing when cancelled.
    [[nodiscard]] virtual std::optional<CivilDate> AskDate(CivilDate initial) = 0;
    // The days-after dialog; a signed number of days, nothing when cancelled.
    [[nodiscard]] virtual std::optional<int> AskDaysAfter() = 0;
    // The weekday colour dialog on the seven colours, Sunday first.
    [[nodiscard]] virtual std::optional<std::array<Colour, 7>> AskWeekdayColours(const std::array<Colour, 7>& colours)
        = 0;
    // The font chooser on `current`.
    [[nodiscard]] virtual std::optional<LogFont> AskFont(const LogFont& current) = 0;
    // The genre settings of `store`; each change goes to `editor` as an operation of its own. True when
    // anything in the store changed.
    virtual bool EditGenres(CKalStore& store, StoreEditor& editor) = 0;
};

} // namespace kal
