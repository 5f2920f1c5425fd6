#pragma once

#include "views/ViewDialogs.h"

namespace kal {

class CKalFieldArray;

// The views' questions answered by the program's own dialogs.
class DocumentDialogs final : public ViewDialogs {
public:
    std::optional<CivilDate> AskDate(CivilDate initial) override;
    std::optional<int> AskDaysAfter() override;
    std::optional<std::array<Colour, 7>> AskWeekdayColours(const std::array<Colour, 7>& colours) override;
    std::optional<LogFont> AskFont(const LogFont& current) override;
    bool EditGenres(CKalStore& store, StoreEditor& editor) override;
    void SetApplicationGenres(CKalFieldArray* genres) { applicationGenres_ = genres; }

private:
    CKalFieldArray* applicationGenres_ = nullptr;
};

} // namespace kal
