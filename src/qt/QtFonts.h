#pragma once

#include "ui/LogFont.h"

#include <QFont>
#include <QString>

#include <string_view>

namespace kal {

// Settings name the fonts of the handhelds schedules were first kept on. Those names, and any face
// that is not installed here, map to what the desktop has: the proportional or the fixed-pitch
// Japanese gothic, or a Latin sans-serif. An installed face is used as it is.
[[nodiscard]] QString InstalledFamilyFor(std::u16string_view faceName);

// The Japanese gothic families found on this desktop (empty when none is installed).
[[nodiscard]] QString JapaneseGothicFamily();
[[nodiscard]] QString JapaneseMonoGothicFamily();

// A logical font as a QFont for a device of `pixelsPerInch`: its pixel size is the character height
// the views lay their text out with, its weight on the same 100-900 scale.
[[nodiscard]] QFont ToQFont(const LogFont& font, int pixelsPerInch);

// The font of the program's windows and dialogs: the Japanese gothic at `pointSize`, so Japanese
// labels never fall back glyph by glyph to a mixture of fonts.
[[nodiscard]] QFont InterfaceFont(int pointSize);

} // namespace kal
