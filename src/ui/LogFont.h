#pragma once

#include <string>

namespace kal {

// A font as the settings describe it; the front end turns it into a real font.
struct LogFont {
    std::u16string faceName;
    int point = 9;
    int weight = 400; // 400 normal, 700 bold
    int italic = 0;
    int underline = 0;
    int charSet = 0; // 128 = Japanese
    int pitchAndFamily = 0;
    bool strikeOut = false; // never stored; the entry font's strike-out variants set it

    // Character height in pixels for a device of `pixelsPerInch`: point * dpi / 72, truncated.
    [[nodiscard]] int PixelHeight(int pixelsPerInch) const { return point * pixelsPerInch / 72; }

    bool operator==(const LogFont&) const = default;
};

} // namespace kal
