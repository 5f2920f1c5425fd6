#pragma once

#include "ui/Geometry.h"

#include <optional>

namespace kal {

// The colour chooser opened on `initial`, with the user's sixteen custom colours from the settings
// ("ColorDlg"); what the chooser does to them is not kept. Nothing when cancelled.
[[nodiscard]] std::optional<Colour> ChooseColour(Colour initial);

} // namespace kal
