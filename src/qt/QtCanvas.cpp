#include "qt/QtCanvas.h"

#include "qt/QtConvert.h"
#include "qt/QtFonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <vector>

namespace kal {

namespace {

int QtTextFlags(unsigned flags)
{
    int result = 0;
    if (flags & textflag::kRight)
        result |= Qt::AlignRight;
    else if (flags & textflag::kCentre)
        result |= Qt::AlignHCenter;
    else
        result |= Qt::AlignLeft;
    // Centring on the height only applies to a single line; several lines start at the top.
    const bool singleLine = (flags & textflag::kSingleLine) != 0;
    result |= singleLine && (flags & textflag::kVerticalCentre) ? Qt::AlignVCenter : Qt::AlignTop;
    if (singleLine)
        result |= Qt::TextSingleLine;
    else if (flags & textflag::kWordBreak)
        result |= Qt::TextWordWrap;
    if (flags & textflag::kNoClip)
        result |= Qt::TextDontClip;
    // Without kNoPrefix "&x" underlines x and "&&" is one ampersand, as in menus and labels.
    if (!(flags & textflag::kNoPrefix))
        result |= Qt::TextShowMnemonic;
    return result;
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter)
    : painter_(painter)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    SelectFont(LogFont {});
}

void QtCanvas::FillRect(const Rect& rect, Colour colour)
{
    painter_.fillRect(ToQRect(rect), ToQColor(colour));
}

void QtCanvas::SetPen(Colour colour, int width)
{
    penColour_ = colour;
    penWidth_ = width < 1 ? 1 : width;
}

void QtCanvas::UseOutlinePen()
{
    QPen pen(ToQColor(penColour_));
    pen.setWidth(penWidth_);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
}

void QtCanvas::Line(Point from, Point to)
{
    if (from == to)
        return;
    UseOutlinePen();
    // Qt leaves out the last pixel of an aliased line already.
    painter_.drawLine(ToQPoint(from), ToQPoint(to));
}

void QtCanvas::Ellipse(const Rect& rect, Colour fill)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    UseOutlinePen();
    painter_.setBrush(ToQColor(fill));
    // A one-pixel outline around QRect(x, y, w, h) covers w + 1 pixels: shrink by one to keep the
    // outline inside the rectangle.
    painter_.drawEllipse(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
    painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::Polygon(std::span<const Point> corners, Colour fill)
{
    if (corners.size() < 2)
        return;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(corners.size()));
    for (const Point corner : corners)
        polygon.append(ToQPoint(corner));
    UseOutlinePen();
    painter_.setBrush(ToQColor(fill));
    painter_.drawPolygon(polygon);
    painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::FocusRect(const Rect& rect)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    // Each outline pixel is listed once, so inverting twice gives the picture back.
    std::vector<QPoint> dots;
    const auto add = [&](int x, int y) {
        if ((x - rect.left + y - rect.top) % 2 == 0)
            dots.emplace_back(x, y);
    };
    for (int x = rect.left; x < rect.right; ++x) {
        add(x, rect.top);
        if (rect.Height() > 1)
            add(x, rect.bottom - 1);
    }
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
        add(rect.left, y);
        if (rect.Width() > 1)
            add(rect.right - 1, y);
    }
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.setPen(QPen(Qt::white, 1));
    painter_.drawPoints(dots.data(), static_cast<int>(dots.size()));
    painter_.restore();
}

void QtCanvas::DrawImage(Point at, const LinkMark& image)
{
    if (image.IsEmpty() || image.pixels.size() < static_cast<std::size_t>(image.width * image.height))
        return;
    // The mark's pixels are 0xAARRGGBB words, which is QImage's ARGB32 layout; nothing is copied.
    const QImage picture(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
        image.width * 4, QImage::Format_ARGB32);
    painter_.drawImage(ToQPoint(at), picture);
}

void QtCanvas::SelectFont(const LogFont& font)
{
    font_ = font;
    qfont_ = ToQFont(font, PixelsPerInch());
    painter_.setFont(qfont_);
    // Qt lays lines of text out at whole pixels, rounding the font's height up; that is the height of
    // a line in every measure given here, so that views stepping by it meet the text drawn.
    lineHeight_ = painter_
                      .boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          QStringLiteral("X"))
                      .height();
}

TextMetrics QtCanvas::Metrics()
{
    const QFontMetrics metrics(qfont_, painter_.device());
    return TextMetrics { lineHeight_, metrics.ascent(), metrics.averageCharWidth() };
}

Size QtCanvas::TextExtent(std::u16string_view text)
{
    const QFontMetrics metrics(qfont_, painter_.device());
    return Size { metrics.horizontalAdvance(ToQString(text)), lineHeight_ };
}

void QtCanvas::SetBackground(BackgroundMode mode, Colour colour)
{
    backgroundMode_ = mode;
    backgroundColour_ = colour;
}

void QtCanvas::TextOut(Point at, std::u16string_view text)
{
    const QString line = ToQString(text);
    const QFontMetrics metrics(qfont_, painter_.device());
    if (backgroundMode_ == BackgroundMode::Opaque)
        painter_.fillRect(QRect(at.x, at.y, metrics.horizontalAdvance(line), lineHeight_), ToQColor(backgroundColour_));
    painter_.setPen(ToQColor(textColour_));
    painter_.drawText(QPoint(at.x, at.y + metrics.ascent()), line);
}

int QtCanvas::DrawText(const Rect& rect, std::u16string_view text, unsigned flags)
{
    QString lines = ToQString(text);
    lines.remove(QLatin1Char('\r'));
    const int qtFlags = QtTextFlags(flags);
    const QRect box = ToQRect(rect);
    if (backgroundMode_ == BackgroundMode::Opaque) {
        QRect behind = painter_.boundingRect(box, qtFlags, lines);
        if (!(flags & textflag::kNoClip))
            behind &= box;
        painter_.fillRect(behind, ToQColor(backgroundColour_));
    }
    painter_.setPen(ToQColor(textColour_));
    QRect drawn;
    painter_.drawText(box, qtFlags, lines, &drawn);
    // Centred text reports how far down from the top it reaches.
    if ((qtFlags & Qt::AlignVCenter) != 0)
        return drawn.bottom() + 1 - rect.top;
    return drawn.height();
}

int QtCanvas::PixelsPerInch() const
{
    const QPaintDevice* device = painter_.device();
    return device ? device->logicalDpiY() : Canvas::PixelsPerInch();
}

} // namespace kal
