#include "views/EntryDrawer.h"

#include "settings/KalSettings.h"
#include "store/KalData.h"
#include "ui/Canvas.h"

#include <array>

namespace kal {

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;

Colour TextColour(const EntryDrawing& drawing, const CKalSettings& settings)
{
    const Colour entryColour = drawing.entry->DisplayColour(settings.Get(ColourSetting::Holiday));
    if (!drawing.selected)
        return entryColour;
    // With a frame-only selection the cell keeps its colour, so the entry keeps its own: white would
    // vanish on a white cell.
    if (settings.Get(IntSetting::SelColorMode) == 2)
        return entryColour;
    return kWhite;
}

} // namespace

int DrawEntry(Canvas& canvas, const EntryDrawing& drawing, const CKalSettings& settings)
{
    const CKalData& entry = *drawing.entry;
    const TextMetrics metrics = canvas.Metrics();
    const int h = metrics.height;
    const int w = metrics.averageCharWidth;
    const Rect& r = drawing.cell;
    canvas.SetTextColour(drawing.selected ? kWhite : kBlack);
    if (drawing.y > r.bottom - h / 2) {
        const std::array<Point, 3> triangle = { Point { r.right - w / 2, r.bottom },
            Point { r.right - w, r.bottom - h / 2 }, Point { r.right - 1, r.bottom - h / 2 } };
        canvas.SetPen(kBlack, 1);
        canvas.Polygon(triangle, kBlack);
        return h;
    }
    int x = r.left + 1;
    if (entry.IsTodo()) {
        canvas.FillRect(Rect { x + w / 2, drawing.y + h / 4, x + 3 * w / 2, drawing.y + 3 * h / 4 }, kBlack);
        x += 2 * w;
    }
    const LinkMark& mark = settings.LinkFileMark();
    if (settings.IsOn(IntSetting::File) && !entry.Has(flag::kHidden) && !entry.linkFile.empty() && !mark.IsEmpty()) {
        canvas.DrawImage(Point { x + 2, drawing.y }, mark);
        x += mark.width + 4;
    }
    canvas.SetTextColour(TextColour(drawing, settings));
    const unsigned flags
        = textflag::kNoPrefix | (settings.IsOn(IntSetting::Multiline) ? textflag::kWordBreak : textflag::kSingleLine);
    return canvas.DrawText(Rect { x, drawing.y, r.right, r.bottom },
        EntryLine(entry, drawing.day, drawing.mode, drawing.countdown), flags);
}

} // namespace kal
