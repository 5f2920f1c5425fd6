#pragma once

#include "ui/Canvas.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// One call made on a recording canvas, with the drawing state it was made in.
struct CanvasOp {
    enum class Kind {
        FillRect,
        SetPen,
        Line,
        Ellipse,
        Polygon,
        FocusRect,
        DrawImage,
        SelectFont,
        SetTextColour,
        SetBackground,
        TextOut,
        DrawText,
    };

    Kind kind = Kind::FillRect;
    // FillRect, Ellipse, FocusRect and DrawText: the rectangle given. TextOut and DrawImage: the box
    // covered, from the origin by the text's extent or the image's size.
    Rect rect;
    // Line: from and to. Polygon: the corners. TextOut and DrawImage: the origin.
    std::vector<Point> points;
    // FillRect, Ellipse and Polygon: the fill. Line: the pen's colour. TextOut and DrawText: the text
    // colour in force. SetPen, SetTextColour and SetBackground: the colour set.
    Colour colour = 0;
    // Line, Ellipse, Polygon and SetPen: the pen.
    Colour penColour = 0;
    int penWidth = 0;
    std::u16string text; // TextOut and DrawText, as given
    unsigned flags = 0; // DrawText
    LogFont font; // SelectFont: the font chosen; TextOut and DrawText: the font in force
    BackgroundMode background = BackgroundMode::Transparent; // SetBackground and the text calls
    Colour backgroundColour = 0;
    // DrawText: the lines the text was laid out in (mnemonic "&" removed unless kNoPrefix) and the
    // height returned.
    std::vector<std::u16string> lines;
    int height = 0;

    [[nodiscard]] bool IsText() const { return kind == Kind::TextOut || kind == Kind::DrawText; }
};

// A canvas for tests: it keeps every call and measures text by a rule simple enough to work out by
// hand. A line is FontPixelHeight(font, PixelsPerInch()) pixels high; a character below U+0100 is
// half that wide, any other character (a surrogate pair counting once) the full height. DrawText
// lays text out as a desktop would: hard line breaks unless kSingleLine, and with kWordBreak lines
// wrapped at spaces and between wide characters within the rectangle's width; a word wider than the
// rectangle is broken between characters, and every line holds at least one character. An empty
// text takes one line.
class RecordingCanvas final : public Canvas {
public:
    explicit RecordingCanvas(int pixelsPerInch = 96);

    void FillRect(const Rect& rect, Colour colour) override;
    void SetPen(Colour colour, int width) override;
    void Line(Point from, Point to) override;
    void Ellipse(const Rect& rect, Colour fill) override;
    void Polygon(std::span<const Point> corners, Colour fill) override;
    void FocusRect(const Rect& rect) override;
    void DrawImage(Point at, const LinkMark& image) override;

    void SelectFont(const LogFont& font) override;
    const LogFont& Font() const override { return font_; }
    TextMetrics Metrics() override;
    Size TextExtent(std::u16string_view text) override;
    void SetTextColour(Colour colour) override;
    void SetBackground(BackgroundMode mode, Colour colour) override;
    void TextOut(Point at, std::u16string_view text) override;
    int DrawText(const Rect& rect, std::u16string_view text, unsigned flags) override;

    int PixelsPerInch() const override { return pixelsPerInch_; }

    // The line height of the current font, in pixels.
    [[nodiscard]] int LineHeight() const;
    // The width of `text` on one line in the current font, without any "&" processing.
    [[nodiscard]] int TextWidth(std::u16string_view text) const;
    // How DrawText lays `text` out in `width` pixels with `flags`.
    [[nodiscard]] std::vector<std::u16string> LayOut(std::u16string_view text, int width, unsigned flags) const;

    [[nodiscard]] const std::vector<CanvasOp>& Ops() const { return ops_; }
    [[nodiscard]] std::vector<const CanvasOp*> OpsOf(CanvasOp::Kind kind) const;
    [[nodiscard]] std::size_t CountOf(CanvasOp::Kind kind) const;
    // The TextOut and DrawText calls in order.
    [[nodiscard]] std::vector<const CanvasOp*> TextOps() const;
    // The first text call that drew exactly `text`, or null.
    [[nodiscard]] const CanvasOp* FindText(std::u16string_view text) const;
    // The first text call whose text contains `part`, or null.
    [[nodiscard]] const CanvasOp* FindTextContaining(std::u16string_view part) const;
    // Forgets the calls; the font, colours and pen stay in force.
    void Clear() { ops_.clear(); }

private:
    CanvasOp& Record(CanvasOp::Kind kind);
    CanvasOp& RecordText(CanvasOp::Kind kind, std::u16string_view text);

    int pixelsPerInch_;
    std::vector<CanvasOp> ops_;
    LogFont font_;
    Colour textColour_ = 0;
    Colour penColour_ = 0;
    int penWidth_ = 1;
    BackgroundMode background_ = BackgroundMode::Opaque;
    Colour backgroundColour_ = MakeColour(255, 255, 255);
};

} // namespace kal
