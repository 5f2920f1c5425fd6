#pragma once

#include "ui/Canvas.h"

#include <QColor>
#include <QFont>

class QPainter;

namespace kal {

// A Canvas on a QPainter: a widget while it paints, or an image. Drawing is aliased, as the views
// are laid out to whole pixels. The painter must outlive the canvas.
class QtCanvas final : public Canvas {
public:
    explicit QtCanvas(QPainter& painter);

    void FillRect(const Rect& rect, Colour colour) override;
    // A width of 0 draws one pixel wide, as 1 does.
    void SetPen(Colour colour, int width) override;
    // The end point is not drawn, so lines joined end to start touch each pixel once.
    void Line(Point from, Point to) override;
    void Ellipse(const Rect& rect, Colour fill) override;
    void Polygon(std::span<const Point> corners, Colour fill) override;
    // Every other pixel of the outline inverted: drawing it twice in the same place removes it.
    void FocusRect(const Rect& rect) override;
    void DrawImage(Point at, const LinkMark& image) override;

    // A line of text is as high as Qt lays lines out in this font (its height rounded up to whole
    // pixels): Metrics, TextExtent, the opaque cell of TextOut and the lines of DrawText all agree.
    void SelectFont(const LogFont& font) override;
    const LogFont& Font() const override { return font_; }
    TextMetrics Metrics() override;
    Size TextExtent(std::u16string_view text) override;
    void SetTextColour(Colour colour) override { textColour_ = colour; }
    void SetBackground(BackgroundMode mode, Colour colour) override;
    void TextOut(Point at, std::u16string_view text) override;
    int DrawText(const Rect& rect, std::u16string_view text, unsigned flags) override;

    int PixelsPerInch() const override;

    // The font text is drawn with now, after the face was mapped to an installed one.
    [[nodiscard]] const QFont& CurrentFont() const { return qfont_; }

private:
    void UseOutlinePen();

    QPainter& painter_;
    Colour penColour_ = 0;
    int penWidth_ = 1;
    LogFont font_;
    QFont qfont_;
    int lineHeight_ = 0;
    Colour textColour_ = 0;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    Colour backgroundColour_ = MakeColour(255, 255, 255);
};

} // namespace kal
