#pragma once

#include "calendar/DTime.h"
#include "store/EntryText.h"
#include "ui/Geometry.h"

#include <string_view>

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
// settings ask for it. Every mark stays inside the cell, however large the font. Gives the height used.
int DrawEntry(Canvas& canvas, const EntryDrawing& drawing, const CKalSettings& settings);

// Draws a multi-day entry as one bar over `bar`: a pale band of the entry's colour, framed in it, with
// the entry's line as seen on `drawing.day` on one line inside. `drawing.cell` is ignored.
void DrawEntryBar(Canvas& canvas, const Rect& bar, const EntryDrawing& drawing, const CKalSettings& settings);

// The start of `text` that can show in `lines` lines of `width` pixels, with one character more so
// the box's edge still cuts it visibly. No glyph is narrower than a pixel, so nothing that could show
// is left out; with `hardBreaks` a line break also ends a line. A text of megabytes is then never
// handed whole to a layout engine.
[[nodiscard]] std::u16string_view ShowablePart(std::u16string_view text, int width, int lines, bool hardBreaks);

// What a list row or a one-line question shows of a text: its first line, at most as much of it as
// the widest window could show.
[[nodiscard]] std::u16string_view ListRowPart(std::u16string_view text);

// A rectangle cut to what lies inside `bounds`; empty (zero width or height) when nothing does.
[[nodiscard]] Rect ClippedTo(const Rect& rect, const Rect& bounds);

} // namespace kal
