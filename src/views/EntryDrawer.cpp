#include "views/EntryDrawer.h"

#include "settings/KalSettings.h"
#include "store/KalData.h"
#include "ui/Canvas.h"

#include <algorithm>
#include <array>

namespace kal {

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;

// The overflow mark takes at most this share of the cell each way, so a large font still leaves the
// cell readable and the mark never reaches a neighbour.
constexpr int kOverflowMarkCellShare = 3;

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

bool IsEmpty(const Rect& rect)
{
    return rect.Width() <= 0 || rect.Height() <= 0;
}

// A triangle pointing down in the cell's lower right corner: a font's average character wide and
// half a line high, shrunk with its proportions kept when the cell is small for it.
void DrawOverflowMark(Canvas& canvas, const Rect& r, int charWidth, int lineHeight)
{
    int width = std::max(charWidth, 2);
    int height = std::max(lineHeight / 2, 1);
    const int maxWidth = std::max(r.Width() / kOverflowMarkCellShare, 2);
    const int maxHeight = std::max(r.Height() / kOverflowMarkCellShare, 1);
    if (width > maxWidth) {
        height = std::max(height * maxWidth / width, 1);
        width = maxWidth;
    }
    if (height > maxHeight) {
        width = std::max(width * maxHeight / height, 2);
        height = maxHeight;
    }
    const std::array<Point, 3> triangle = { Point { r.right - width / 2, r.bottom },
        Point { r.right - width, r.bottom - height }, Point { r.right - 1, r.bottom - height } };
    canvas.SetPen(kBlack, 1);
    canvas.Polygon(triangle, kBlack);
}

} // namespace

std::u16string_view ShowablePart(std::u16string_view text, int width, int lines, bool hardBreaks)
{
    const std::size_t perLine = static_cast<std::size_t>(std::max(width, 0)) + 1;
    const std::size_t lineCount = static_cast<std::size_t>(std::max(lines, 1));
    const std::size_t limit = std::min(text.size(), perLine * lineCount);
    std::size_t end = 0;
    std::size_t breaks = 0;
    while (end < limit) {
        if (hardBreaks && text[end] == u'\n' && ++breaks == lineCount)
            break;
        ++end;
    }
    // A surrogate pair is one character: keep it whole.
    if (end > 0 && end < text.size() && text[end] >= 0xDC00 && text[end] <= 0xDFFF)
        ++end;
    return text.substr(0, end);
}

Rect ClippedTo(const Rect& rect, const Rect& bounds)
{
    Rect clipped { std::max(rect.left, bounds.left), std::max(rect.top, bounds.top), std::min(rect.right, bounds.right),
        std::min(rect.bottom, bounds.bottom) };
    clipped.right = std::max(clipped.right, clipped.left);
    clipped.bottom = std::max(clipped.bottom, clipped.top);
    return clipped;
}

int DrawEntry(Canvas& canvas, const EntryDrawing& drawing, const CKalSettings& settings)
{
    const CKalData& entry = *drawing.entry;
    const TextMetrics metrics = canvas.Metrics();
    const int h = metrics.height;
    const int w = metrics.averageCharWidth;
    const Rect& r = drawing.cell;
    canvas.SetTextColour(drawing.selected ? kWhite : kBlack);
    if (drawing.y > r.bottom - h / 2) {
        DrawOverflowMark(canvas, r, w, h);
        return h;
    }
    int x = r.left + 1;
    if (entry.IsTodo()) {
        const Rect square = ClippedTo(Rect { x + w / 2, drawing.y + h / 4, x + 3 * w / 2, drawing.y + 3 * h / 4 }, r);
        if (!IsEmpty(square))
            canvas.FillRect(square, kBlack);
        x += 2 * w;
    }
    const LinkMark& mark = settings.LinkFileMark();
    if (settings.IsOn(IntSetting::File) && !entry.Has(flag::kHidden) && !entry.linkFile.empty() && !mark.IsEmpty()) {
        // An image cannot shrink here: it is left out where the cell is too small for it.
        const Point at { x + 2, drawing.y };
        if (at.x + mark.width <= r.right && at.y + mark.height <= r.bottom)
            canvas.DrawImage(at, mark);
        x += mark.width + 4;
    }
    x = std::min(x, r.right);
    canvas.SetTextColour(TextColour(drawing, settings));
    const bool wrapped = settings.IsOn(IntSetting::Multiline);
    const unsigned flags = textflag::kNoPrefix | (wrapped ? textflag::kWordBreak : textflag::kSingleLine);
    const Rect box { x, drawing.y, r.right, r.bottom };
    const int lines = wrapped ? box.Height() / std::max(h, 1) + 1 : 1;
    const std::u16string line = EntryLine(entry, drawing.day, drawing.mode, drawing.countdown);
    return canvas.DrawText(box, ShowablePart(line, box.Width(), lines, wrapped), flags);
}

void DrawEntryBar(Canvas& canvas, const Rect& bar, const EntryDrawing& drawing, const CKalSettings& settings)
{
    if (IsEmpty(bar))
        return;
    const Colour colour = drawing.entry->DisplayColour(settings.Get(ColourSetting::Holiday));
    // Three parts white to one of the entry's colour, channel by channel: the text stays readable on it.
    Colour pale = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const Colour channel = (colour >> shift) & 0xFF;
        pale |= ((channel + 3 * 0xFF) / 4) << shift;
    }
    canvas.FillRect(bar, pale);
    canvas.SetPen(colour, 1);
    canvas.Line(Point { bar.left, bar.top }, Point { bar.right - 1, bar.top });
    canvas.Line(Point { bar.right - 1, bar.top }, Point { bar.right - 1, bar.bottom - 1 });
    canvas.Line(Point { bar.right - 1, bar.bottom - 1 }, Point { bar.left, bar.bottom - 1 });
    canvas.Line(Point { bar.left, bar.bottom - 1 }, Point { bar.left, bar.top });
    canvas.SetPen(kBlack, 1);
    canvas.SetBackground(BackgroundMode::Transparent, pale);
    canvas.SetTextColour(colour);
    const Rect box { bar.left + 2, bar.top, bar.right - 2, bar.bottom };
    const std::u16string line = EntryLine(*drawing.entry, drawing.day, drawing.mode, drawing.countdown);
    canvas.DrawText(box, ShowablePart(line, box.Width(), 1, false),
        textflag::kNoPrefix | textflag::kSingleLine | textflag::kVerticalCentre);
}

std::u16string_view ListRowPart(std::u16string_view text)
{
    constexpr int kWidestRow = 8192; // pixels: wider than any screen
    return ShowablePart(text.substr(0, text.find_first_of(u"\r\n")), kWidestRow, 1, false);
}

} // namespace kal
