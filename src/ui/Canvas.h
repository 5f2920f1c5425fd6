#pragma once

#include "ui/Geometry.h"
#include "ui/LinkMark.h"
#include "ui/LogFont.h"

#include <span>
#include <string_view>

namespace kal {

// Text layout flags for Canvas::DrawText, with the values the drawing code has always used.
namespace textflag {
inline constexpr unsigned kLeft = 0x0000;
inline constexpr unsigned kCentre = 0x0001;
inline constexpr unsigned kRight = 0x0002;
inline constexpr unsigned kVerticalCentre = 0x0004;
inline constexpr unsigned kWordBreak = 0x0010;
inline constexpr unsigned kSingleLine = 0x0020;
inline constexpr unsigned kNoClip = 0x0100;
inline constexpr unsigned kNoPrefix = 0x0800;
} // namespace textflag

struct TextMetrics {
    int height = 0; // line height in pixels
    int ascent = 0;
    int averageCharWidth = 0;
};

enum class BackgroundMode { Transparent, Opaque };

// What the views draw on: a window on screen, a recording in tests. Coordinates are pixels of the
// view's client area. The pen draws lines and outlines; fills take their colour directly.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void FillRect(const Rect& rect, Colour colour) = 0;
    virtual void SetPen(Colour colour, int width) = 0;
    virtual void Line(Point from, Point to) = 0;
    // Outline with the pen; the inside filled with `fill`.
    virtual void Ellipse(const Rect& rect, Colour fill) = 0;
    virtual void Polygon(std::span<const Point> corners, Colour fill) = 0;
    virtual void FocusRect(const Rect& rect) = 0;
    virtual void DrawImage(Point at, const LinkMark& image) = 0;

    virtual void SelectFont(const LogFont& font) = 0;
    [[nodiscard]] virtual const LogFont& Font() const = 0;
    [[nodiscard]] virtual TextMetrics Metrics() = 0;
    [[nodiscard]] virtual Size TextExtent(std::u16string_view text) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual void SetBackground(BackgroundMode mode, Colour colour) = 0;
    // Text with its top-left corner at `at`, on one line, not clipped.
    virtual void TextOut(Point at, std::u16string_view text) = 0;
    // Text laid out in `rect` by the flags; gives the height of the text drawn.
    virtual int DrawText(const Rect& rect, std::u16string_view text, unsigned flags) = 0;

    // Device resolution, for font sizes given in points.
    [[nodiscard]] virtual int PixelsPerInch() const { return 96; }
};

// The pixel height of a font on a canvas.
[[nodiscard]] inline int FontPixelHeight(const LogFont& font, int pixelsPerInch)
{
    return font.point * pixelsPerInch / 72;
}

} // namespace kal
