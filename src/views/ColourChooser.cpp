#include "views/ColourChooser.h"

#include "settings/KalSettings.h"
#include "ui/Ui.h"

namespace kal {

std::optional<Colour> ChooseColour(Colour initial)
{
    const CKalSettings& settings = CKalSettings::Current();
    CustomColours custom {};
    for (int i = 0; i < kCustomColours; ++i)
        custom[static_cast<std::size_t>(i)] = settings.CustomColour(i);
    return Ui::Current().AskColour(initial, custom);
}

} // namespace kal
