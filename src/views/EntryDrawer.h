#pragma once

#include "calendar/DTime.h"
#include "store/EntryText.h"
#include "ui/Geometry.h"

namespace kal {

class Canvas;
class CKalData;
class CKalSettings;

// One entry line inside a month cell, drawn with the font the canvas has selected.
struct EntryDrawing {
    const CKalData* entry = nullptr;
    int y = 0; // top of the line
    Rect cell;
    bool selected = false;
    CDTime day;
    TimeMode mode = TimeMode::PerEntry;
    Countdown countdown = Countdown::On;
};

// Draws the entry: the overflow mark instead when the line starts below the cell's lower half-line,
// a to-do square, the link-file mark, then the entry line in the entry's colour, wrapped when the
// settings ask for it. Gives the height used.
int DrawEntry(Canvas& canvas, const EntryDrawing& drawing, const CKalSettings& settings);

} // namespace kal
