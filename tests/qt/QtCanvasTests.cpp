#include "qt/QtCanvas.h"

#include "qt/QtConvert.h"
#include "qt/QtFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>

namespace kal {
namespace {

constexpr Colour kWhite = MakeColour(255, 255, 255);
constexpr Colour kBlack = MakeColour(0, 0, 0);
// Distinct channels, so a swap of red and blue shows.
constexpr Colour kOrange = MakeColour(230, 120, 10);
constexpr Colour kTeal = MakeColour(10, 140, 150);

constexpr int kDotsPerMeterAt96 = 3780;

QRgb Rgb(Colour colour)
{
    return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

// A white picture to paint on at 96 pixels per inch, with its canvas.
class Picture {
public:
    explicit Picture(int width = 200, int height = 120, int dotsPerMeter = kDotsPerMeterAt96)
        : image_(width, height, QImage::Format_RGB32)
    {
        image_.setDotsPerMeterX(dotsPerMeter);
        image_.setDotsPerMeterY(dotsPerMeter);
        image_.fill(Qt::white);
        painter_ = std::make_unique<QPainter>(&image_);
        canvas_ = std::make_unique<QtCanvas>(*painter_);
    }

    QtCanvas& Canvas() { return *canvas_; }
    // Ends painting and gives the picture.
    const QImage& Done()
    {
        canvas_.reset();
        painter_.reset();
        return image_;
    }
    QRgb At(int x, int y) { return Done().pixel(x, y); }

    // The smallest rectangle holding every pixel that is not white (null when there is none).
    QRect Painted()
    {
        const QImage& image = Done();
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    }

private:
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QtCanvas> canvas_;
};

TEST(QtCanvas, FillsRectanglesExactlyWithTheirColour)
{
    Picture picture;
    picture.Canvas().FillRect(Rect { 10, 10, 30, 20 }, kOrange);
    picture.Canvas().FillRect(Rect { 30, 10, 40, 20 }, kTeal);
    EXPECT_EQ(picture.At(10, 10), Rgb(kOrange));
    EXPECT_EQ(picture.At(29, 19), Rgb(kOrange));
    EXPECT_EQ(picture.At(30, 10), Rgb(kTeal)) << "the right edge is just outside";
    EXPECT_EQ(picture.At(29, 20), Rgb(kWhite)) << "the bottom edge is just outside";
    EXPECT_EQ(picture.At(9, 10), Rgb(kWhite));
    EXPECT_EQ(picture.Painted(), QRect(10, 10, 30, 10));
}

TEST(QtCanvas, DrawsLinesWithThePenWidth)
{
    {
        Picture picture;
        picture.Canvas().SetPen(kTeal, 1);
        picture.Canvas().Line(Point { 10, 50 }, Point { 60, 50 });
        picture.Canvas().Line(Point { 100, 10 }, Point { 100, 40 });
        EXPECT_EQ(picture.At(10, 50), Rgb(kTeal));
        EXPECT_EQ(picture.At(59, 50), Rgb(kTeal));
        EXPECT_EQ(picture.At(60, 50), Rgb(kWhite)) << "a line stops before its end point";
        EXPECT_EQ(picture.At(100, 39), Rgb(kTeal));
        EXPECT_EQ(picture.At(100, 40), Rgb(kWhite));
        // Nothing else: one row and one column of pixels.
        const QImage& image = picture.Done();
        int painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                painted += image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_EQ(painted, 50 + 30);
    }
    {
        Picture picture;
        picture.Canvas().SetPen(kOrange, 2);
        picture.Canvas().Line(Point { 10, 80 }, Point { 60, 80 });
        const QRect painted = picture.Painted();
        EXPECT_EQ(painted.height(), 2);
        EXPECT_GE(painted.top(), 79);
        EXPECT_LE(painted.bottom(), 81);
        EXPECT_EQ(painted.left(), 10);
        EXPECT_LE(painted.right(), 60);
        EXPECT_EQ(picture.At(30, painted.top()), Rgb(kOrange));
        EXPECT_EQ(picture.At(30, painted.bottom()), Rgb(kOrange));
    }
}

TEST(QtCanvas, FillsEllipsesAndPolygonsInsideTheirOutline)
{
    Picture picture;
    picture.Canvas().SetPen(kBlack, 1);
    picture.Canvas().Ellipse(Rect { 100, 10, 140, 50 }, kOrange);
    const std::array<Point, 3> triangle { Point { 10, 10 }, Point { 70, 10 }, Point { 10, 70 } };
    picture.Canvas().Polygon(triangle, kTeal);

    EXPECT_EQ(picture.At(120, 30), Rgb(kOrange));
    EXPECT_EQ(picture.At(101, 11), Rgb(kWhite)) << "the corners of the box stay clear";
    EXPECT_EQ(picture.At(20, 20), Rgb(kTeal));
    EXPECT_EQ(picture.At(60, 60), Rgb(kWhite));
    const QImage& image = picture.Done();
    // The outline is drawn with the pen, and the ellipse keeps within its rectangle.
    bool outlineOnTop = false;
    for (int x = 110; x < 130; ++x)
        outlineOnTop = outlineOnTop || image.pixel(x, 10) == qRgb(0, 0, 0);
    EXPECT_TRUE(outlineOnTop);
    for (int x = 95; x < 145; ++x) {
        EXPECT_EQ(image.pixel(x, 9), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(image.pixel(x, 50), qRgb(255, 255, 255)) << x;
    }
    for (int y = 5; y < 55; ++y)
        EXPECT_EQ(image.pixel(140, y), qRgb(255, 255, 255)) << y;
}

TEST(QtCanvas, FocusRectangleIsDottedAndUndoesItself)
{
    Picture picture;
    picture.Canvas().FillRect(Rect { 0, 0, 200, 120 }, kOrange);
    picture.Canvas().FocusRect(Rect { 20, 20, 60, 40 });
    const QImage once = picture.Done().copy();
    const QRgb inverted = qRgb(255 - RedOf(kOrange), 255 - GreenOf(kOrange), 255 - BlueOf(kOrange));
    EXPECT_EQ(once.pixel(20, 20), inverted);
    EXPECT_EQ(once.pixel(21, 20), Rgb(kOrange));
    EXPECT_EQ(once.pixel(22, 20), inverted);
    EXPECT_EQ(once.pixel(59, 39), inverted);
    EXPECT_EQ(once.pixel(20, 22), inverted);
    EXPECT_EQ(once.pixel(30, 30), Rgb(kOrange)) << "the inside is untouched";
    EXPECT_EQ(once.pixel(60, 40), Rgb(kOrange));

    Picture twice;
    twice.Canvas().FillRect(Rect { 0, 0, 200, 120 }, kOrange);
    twice.Canvas().FocusRect(Rect { 20, 20, 60, 40 });
    twice.Canvas().FocusRect(Rect { 20, 20, 60, 40 });
    EXPECT_EQ(twice.Painted(), QRect(0, 0, 200, 120));
    const QImage& restored = twice.Done();
    for (int x = 20; x < 60; ++x) {
        EXPECT_EQ(restored.pixel(x, 20), Rgb(kOrange)) << x;
        EXPECT_EQ(restored.pixel(x, 39), Rgb(kOrange)) << x;
    }
}

TEST(QtCanvas, DrawsTheLinkMarkWithItsTransparency)
{
    Picture picture;
    const LinkMark mark = LinkMark::PaperClip();
    picture.Canvas().DrawImage(Point { 150, 60 }, mark);
    for (int y = 0; y < mark.height; ++y) {
        for (int x = 0; x < mark.width; ++x) {
            const std::uint32_t pixel = mark.Pixel(x, y);
            const QRgb expected = (pixel >> 24) == 0xFF ? QRgb(pixel) : qRgb(255, 255, 255);
            EXPECT_EQ(picture.At(150 + x, 60 + y), expected) << x << "," << y;
        }
    }
}

LogFont Face(std::u16string_view face, int point = 9)
{
    LogFont font;
    font.faceName = face;
    font.point = point;
    font.charSet = 128;
    return font;
}

TEST(QtCanvas, TextStartsAtTheTopLeftCornerGiven)
{
    Picture picture;
    QtCanvas& canvas = picture.Canvas();
    canvas.SelectFont(Face(u"ＭＳ Ｐゴシック", 12));
    canvas.SetBackground(BackgroundMode::Opaque, kTeal);
    canvas.SetTextColour(kBlack);
    const TextMetrics metrics = canvas.Metrics();
    const Size extent = canvas.TextExtent(u"予定ABC");
    canvas.TextOut(Point { 20, 30 }, u"予定ABC");
    // The opaque background is exactly the text's cell.
    EXPECT_EQ(picture.Painted(), QRect(20, 30, extent.width, metrics.height));
    EXPECT_EQ(picture.At(20, 30), Rgb(kTeal));

    Picture clear;
    clear.Canvas().SelectFont(Face(u"ＭＳ Ｐゴシック", 12));
    clear.Canvas().SetBackground(BackgroundMode::Transparent, kTeal);
    clear.Canvas().SetTextColour(kOrange);
    clear.Canvas().TextOut(Point { 20, 30 }, u"予定ABC");
    const QRect ink = clear.Painted();
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.top(), 30);
    EXPECT_LT(ink.bottom(), 30 + metrics.height);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.right(), 20 + extent.width);
    EXPECT_EQ(clear.At(ink.center().x(), 30 + metrics.height + 2), Rgb(kWhite));
}

// How many pixels of the picture are mostly `colour`, and where they are.
struct Ink {
    int count = 0;
    QRect box;
};
Ink InkOf(const QImage& image, Colour colour)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - RedOf(colour)) < 40 && std::abs(pixel.green() - GreenOf(colour)) < 40
                && std::abs(pixel.blue() - BlueOf(colour)) < 40) {
                ++ink.count;
                ink.box |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

TEST(QtCanvas, DrawTextPlacesTextInItsRectangleByTheFlags)
{
    const Rect box { 10, 20, 190, 60 };
    const unsigned oneLine = textflag::kSingleLine | textflag::kVerticalCentre | textflag::kNoPrefix;
    int lineHeight = 0;
    QRect left;
    QRect right;
    {
        Picture picture;
        picture.Canvas().SetBackground(BackgroundMode::Transparent, kWhite);
        picture.Canvas().SetTextColour(kOrange);
        lineHeight = picture.Canvas().Metrics().height;
        const int drawn = picture.Canvas().DrawText(box, u"予定 12:00", oneLine | textflag::kLeft);
        // Centred on the height: the height drawn reaches from the top to the text's bottom.
        EXPECT_EQ(drawn, (box.Height() + lineHeight) / 2);
        left = InkOf(picture.Done(), kOrange).box;
    }
    {
        Picture picture;
        picture.Canvas().SetBackground(BackgroundMode::Transparent, kWhite);
        picture.Canvas().SetTextColour(kOrange);
        picture.Canvas().DrawText(box, u"予定 12:00", oneLine | textflag::kRight);
        right = InkOf(picture.Done(), kOrange).box;
    }
    ASSERT_FALSE(left.isNull());
    ASSERT_FALSE(right.isNull());
    EXPECT_TRUE(ToQRect(box).contains(left));
    EXPECT_TRUE(ToQRect(box).contains(right));
    EXPECT_LT(left.left(), 14);
    EXPECT_GT(right.right(), 185);
    EXPECT_EQ(left.width(), right.width());
    const int middle = (box.top + box.bottom) / 2;
    EXPECT_LT(left.top(), middle);
    EXPECT_GT(left.bottom(), middle);
}

TEST(QtCanvas, WrapsAndClipsTextByTheFlags)
{
    const std::u16string_view text = u"本日の予定は会議と打ち合わせと出張の準備です";
    const Rect narrow { 10, 10, 70, 110 };
    int lineHeight = 0;
    {
        Picture picture;
        picture.Canvas().SetBackground(BackgroundMode::Transparent, kWhite);
        picture.Canvas().SetTextColour(kTeal);
        lineHeight = picture.Canvas().Metrics().height;
        const int drawn = picture.Canvas().DrawText(narrow, text, textflag::kWordBreak | textflag::kNoPrefix);
        EXPECT_GE(drawn, 3 * lineHeight) << "the text wraps onto several lines";
        EXPECT_EQ(drawn % lineHeight, 0);
        const Ink ink = InkOf(picture.Done(), kTeal);
        EXPECT_TRUE(ToQRect(narrow).contains(ink.box));
        EXPECT_GT(ink.box.bottom(), narrow.top + 2 * lineHeight);
    }
    {
        // One line, clipped at the rectangle's right edge unless told otherwise.
        Picture clipped;
        clipped.Canvas().SetBackground(BackgroundMode::Transparent, kWhite);
        clipped.Canvas().SetTextColour(kTeal);
        const int drawn = clipped.Canvas().DrawText(narrow, text, textflag::kSingleLine | textflag::kNoPrefix);
        EXPECT_EQ(drawn, lineHeight);
        EXPECT_LE(InkOf(clipped.Done(), kTeal).box.right(), narrow.right - 1);

        Picture overflowing;
        overflowing.Canvas().SetBackground(BackgroundMode::Transparent, kWhite);
        overflowing.Canvas().SetTextColour(kTeal);
        overflowing.Canvas().DrawText(narrow, text, textflag::kSingleLine | textflag::kNoClip | textflag::kNoPrefix);
        EXPECT_GT(InkOf(overflowing.Done(), kTeal).box.right(), narrow.right + 20);
    }
    {
        // Without kNoPrefix "&&" is one ampersand, as the extent of the text drawn shows.
        Picture prefixed;
        prefixed.Canvas().SetBackground(BackgroundMode::Transparent, kWhite);
        prefixed.Canvas().SetTextColour(kTeal);
        prefixed.Canvas().DrawText(Rect { 10, 10, 190, 40 }, u"A&&B", textflag::kSingleLine);
        const int prefixedWidth = InkOf(prefixed.Done(), kTeal).box.width();
        Picture plain;
        plain.Canvas().SetBackground(BackgroundMode::Transparent, kWhite);
        plain.Canvas().SetTextColour(kTeal);
        plain.Canvas().DrawText(Rect { 10, 10, 190, 40 }, u"A&&B", textflag::kSingleLine | textflag::kNoPrefix);
        EXPECT_LT(prefixedWidth, InkOf(plain.Done(), kTeal).box.width());
    }
    {
        // An opaque background lies behind the text only, inside the rectangle.
        Picture picture;
        picture.Canvas().SetBackground(BackgroundMode::Opaque, kOrange);
        picture.Canvas().SetTextColour(kBlack);
        picture.Canvas().DrawText(Rect { 10, 10, 190, 60 }, u"予定", textflag::kCentre | textflag::kSingleLine);
        const Ink background = InkOf(picture.Done(), kOrange);
        EXPECT_GT(background.count, 0);
        EXPECT_EQ(background.box.top(), 10);
        EXPECT_GT(background.box.left(), 60);
        EXPECT_LT(background.box.right(), 140);
        EXPECT_LE(background.box.height(), lineHeight);
    }
}

bool DrawsJapanese(const QFont& font)
{
    return QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Japanese);
}

TEST(QtCanvas, MapsFacesToInstalledFontsThatDrawJapanese)
{
    Picture picture;
    QtCanvas& canvas = picture.Canvas();
    for (const std::u16string_view face : { u"ＭＳ Ｐゴシック", u"ＭＳ ゴシック", u"存在しない書体", u"" }) {
        canvas.SelectFont(Face(face));
        EXPECT_TRUE(DrawsJapanese(canvas.CurrentFont())) << QFontInfo(canvas.CurrentFont()).family().toStdString();
        EXPECT_GT(canvas.TextExtent(u"日本語の予定").width, 0);
        EXPECT_EQ(canvas.Font().faceName, face);
    }
    canvas.SelectFont(Face(u"Arial"));
    EXPECT_TRUE(QFontDatabase::hasFamily(QFontInfo(canvas.CurrentFont()).family()));
    EXPECT_GT(canvas.TextExtent(u"日本語").width, 0) << "Japanese still draws in a Latin font";

    // The fixed-pitch face stays fixed-pitch: every character the same advance.
    canvas.SelectFont(Face(u"ＭＳ ゴシック", 12));
    const int narrow = canvas.TextExtent(u"iiii").width;
    EXPECT_EQ(narrow, canvas.TextExtent(u"WWWW").width);
    EXPECT_EQ(canvas.TextExtent(u"日本").width, narrow) << "a Japanese character is two narrow ones wide";
    canvas.SelectFont(Face(u"ＭＳ Ｐゴシック", 12));
    EXPECT_LT(canvas.TextExtent(u"iiii").width, canvas.TextExtent(u"WWWW").width);
}

TEST(QtCanvas, FontSizeAndStyleFollowTheLogicalFont)
{
    Picture picture;
    QtCanvas& canvas = picture.Canvas();
    EXPECT_EQ(canvas.PixelsPerInch(), 96);
    LogFont font = Face(u"ＭＳ Ｐゴシック", 9);
    canvas.SelectFont(font);
    EXPECT_EQ(QFontInfo(canvas.CurrentFont()).pixelSize(), 12);
    const TextMetrics regular = canvas.Metrics();
    EXPECT_GT(regular.ascent, 0);
    EXPECT_LT(regular.ascent, regular.height);
    EXPECT_GE(regular.height, 12);
    EXPECT_GT(regular.averageCharWidth, 0);
    EXPECT_EQ(canvas.TextExtent(u"予定").height, regular.height);

    font.weight = 700;
    font.italic = 1;
    font.underline = 1;
    font.strikeOut = true;
    canvas.SelectFont(font);
    const QFontInfo styled(canvas.CurrentFont());
    EXPECT_TRUE(styled.bold());
    EXPECT_TRUE(canvas.CurrentFont().italic());
    EXPECT_TRUE(canvas.CurrentFont().underline());
    EXPECT_TRUE(canvas.CurrentFont().strikeOut());

    // Sizes in points follow the device's resolution.
    Picture fine(100, 50, 4724);
    EXPECT_EQ(fine.Canvas().PixelsPerInch(), 120);
    fine.Canvas().SelectFont(Face(u"ＭＳ Ｐゴシック", 9));
    EXPECT_EQ(QFontInfo(fine.Canvas().CurrentFont()).pixelSize(), 15);
}

} // namespace
} // namespace kal
