#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kal {
namespace {

using Lines = std::vector<std::u16string>;
using textflag::kNoPrefix;
using textflag::kSingleLine;
using textflag::kWordBreak;

LogFont Font(int point, const char16_t* face = u"IPAGothic")
{
    LogFont font;
    font.faceName = face;
    font.point = point;
    return font;
}

// Nine points at 96 pixels per inch: lines 12 pixels high, narrow characters 6 wide, wide ones 12.
class RecordingCanvasTest : public ::testing::Test {
protected:
    RecordingCanvasTest() { canvas_.SelectFont(Font(9)); }

    Lines Wrapped(std::u16string_view text, int width, unsigned flags = kWordBreak | kNoPrefix)
    {
        canvas_.DrawText(Rect { 10, 20, 10 + width, 400 }, text, flags);
        return canvas_.Ops().back().lines;
    }

    RecordingCanvas canvas_;
};

TEST_F(RecordingCanvasTest, MetricsFollowThePointSizeAndResolution)
{
    const TextMetrics metrics = canvas_.Metrics();
    EXPECT_EQ(metrics.height, 12);
    EXPECT_EQ(metrics.ascent, 10);
    EXPECT_EQ(metrics.averageCharWidth, 6);

    canvas_.SelectFont(Font(10));
    EXPECT_EQ(canvas_.Metrics().height, 13) << "10 * 96 / 72 truncates";

    RecordingCanvas sharp(192);
    sharp.SelectFont(Font(9));
    EXPECT_EQ(sharp.PixelsPerInch(), 192);
    EXPECT_EQ(sharp.Metrics().height, 24);
}

TEST_F(RecordingCanvasTest, NarrowCharactersAreHalfAsWideAsOthers)
{
    EXPECT_EQ(canvas_.TextExtent(u"ab"), (Size { 12, 12 }));
    EXPECT_EQ(canvas_.TextExtent(u"日本"), (Size { 24, 12 }));
    EXPECT_EQ(canvas_.TextExtent(u"10:00 会議"), (Size { 6 * 6 + 2 * 12, 12 }));
    EXPECT_EQ(canvas_.TextExtent(u"é×"), (Size { 12, 12 })) << "below U+0100 is narrow";
    EXPECT_EQ(canvas_.TextExtent(u"●"), (Size { 12, 12 }));
    EXPECT_EQ(canvas_.TextExtent(u"\U00020BB7"), (Size { 12, 12 })) << "a surrogate pair is one character";
    EXPECT_EQ(canvas_.TextExtent(u""), (Size { 0, 12 }));
    EXPECT_EQ(canvas_.TextExtent(u"ｽｹｼﾞｭｰﾙ"), (Size { 7 * 12, 12 })) << "half-width kana are above U+0100";
}

TEST_F(RecordingCanvasTest, SingleLineTextTakesOneLineWhateverItHolds)
{
    EXPECT_EQ(canvas_.DrawText(Rect { 0, 0, 30, 100 }, u"とても長い一行のテキスト", kSingleLine), 12);
    EXPECT_EQ(canvas_.Ops().back().lines, Lines { u"とても長い一行のテキスト" });
    EXPECT_EQ(canvas_.DrawText(Rect { 0, 0, 30, 100 }, u"a\nb", kSingleLine | kWordBreak), 12);
    EXPECT_EQ(canvas_.DrawText(Rect { 0, 0, 30, 100 }, u"", kSingleLine), 12);
}

TEST_F(RecordingCanvasTest, LineBreaksInTheTextStartNewLines)
{
    EXPECT_EQ(canvas_.DrawText(Rect { 0, 0, 200, 100 }, u"一\n二\r\n三\r四", 0), 48);
    EXPECT_EQ(canvas_.Ops().back().lines, (Lines { u"一", u"二", u"三", u"四" }));
    EXPECT_EQ(canvas_.DrawText(Rect { 0, 0, 200, 100 }, u"a\n", 0), 24) << "a final break opens an empty line";
    EXPECT_EQ(canvas_.DrawText(Rect { 0, 0, 200, 100 }, u"", kWordBreak), 12) << "an empty text takes one line";
    // Without word breaking a long line is not wrapped.
    EXPECT_EQ(Wrapped(u"a long line of words", 30, 0), Lines { u"a long line of words" });
}

TEST_F(RecordingCanvasTest, WordBreakWrapsAtSpaces)
{
    // 60 pixels hold ten narrow characters.
    EXPECT_EQ(Wrapped(u"hello world again", 60), (Lines { u"hello", u"world", u"again" }));
    EXPECT_EQ(Wrapped(u"hello world again", 66), (Lines { u"hello world", u"again" }));
    EXPECT_EQ(Wrapped(u"hello world again", 102), Lines { u"hello world again" });
    EXPECT_EQ(Wrapped(u"ab   cd", 18), (Lines { u"ab", u"cd" })) << "spaces at a break vanish";
    EXPECT_EQ(Wrapped(u"  ab", 60), Lines { u"  ab" }) << "leading spaces stay";
    EXPECT_EQ(canvas_.Ops().back().height, 12);
}

TEST_F(RecordingCanvasTest, WordBreakWrapsBetweenWideCharacters)
{
    // 50 pixels hold four wide characters.
    EXPECT_EQ(Wrapped(u"今日は晴れです", 50), (Lines { u"今日は晴", u"れです" }));
    EXPECT_EQ(Wrapped(u"09:00 会議室A", 60), (Lines { u"09:00 会議", u"室A" }));
    EXPECT_EQ(Wrapped(u"会議room", 36), (Lines { u"会議", u"room" })) << "a narrow word stays whole";
}

TEST_F(RecordingCanvasTest, AWordWiderThanTheLineIsBrokenBetweenCharacters)
{
    EXPECT_EQ(Wrapped(u"abcdefghijklmnop", 60), (Lines { u"abcdefghij", u"klmnop" }));
    EXPECT_EQ(Wrapped(u"x abcdefghijkl", 60), (Lines { u"x", u"abcdefghij", u"kl" }));
    // However narrow the rectangle, each line holds one character.
    EXPECT_EQ(Wrapped(u"日本a", 0), (Lines { u"日", u"本", u"a" }));
    EXPECT_EQ(canvas_.Ops().back().height, 36);
}

TEST_F(RecordingCanvasTest, WrappingWorksPerLineAndInTheReturnedHeight)
{
    const int height = canvas_.DrawText(Rect { 0, 0, 60, 300 }, u"hello world\n今日は晴れです", kWordBreak);
    EXPECT_EQ(canvas_.Ops().back().lines, (Lines { u"hello", u"world", u"今日は晴れ", u"です" }));
    EXPECT_EQ(height, 48);
}

TEST_F(RecordingCanvasTest, MnemonicMarksAreLaidOutUnlessNoPrefix)
{
    EXPECT_EQ(Wrapped(u"&File", 200, 0), Lines { u"File" });
    EXPECT_EQ(Wrapped(u"a&&b", 200, 0), Lines { u"a&b" });
    EXPECT_EQ(Wrapped(u"a&&b", 200, kNoPrefix), Lines { u"a&&b" });
    // "&" takes no room once it is a mark: six characters fit in 36 pixels.
    EXPECT_EQ(Wrapped(u"&abcdef", 36, kWordBreak), Lines { u"abcdef" });
    EXPECT_EQ(canvas_.Ops().back().text, u"&abcdef") << "the call keeps the text as given";
}

TEST_F(RecordingCanvasTest, TextCallsCarryTheColourFontAndBackgroundInForce)
{
    canvas_.SetTextColour(MakeColour(255, 0, 0));
    canvas_.SetBackground(BackgroundMode::Transparent, MakeColour(1, 2, 3));
    canvas_.TextOut(Point { 5, 7 }, u"休日");
    canvas_.SelectFont(Font(12, u"Noto Sans CJK JP"));
    canvas_.SetTextColour(MakeColour(0, 0, 255));
    canvas_.DrawText(Rect { 0, 0, 100, 50 }, u"会議", kSingleLine);

    const CanvasOp* holiday = canvas_.FindText(u"休日");
    ASSERT_NE(holiday, nullptr);
    EXPECT_EQ(holiday->kind, CanvasOp::Kind::TextOut);
    EXPECT_EQ(holiday->colour, MakeColour(255, 0, 0));
    EXPECT_EQ(holiday->font, Font(9));
    EXPECT_EQ(holiday->background, BackgroundMode::Transparent);
    EXPECT_EQ(holiday->backgroundColour, MakeColour(1, 2, 3));
    EXPECT_EQ(holiday->rect, (Rect { 5, 7, 29, 19 })) << "the box the text covers";

    const CanvasOp* meeting = canvas_.FindTextContaining(u"会");
    ASSERT_NE(meeting, nullptr);
    EXPECT_EQ(meeting->kind, CanvasOp::Kind::DrawText);
    EXPECT_EQ(meeting->colour, MakeColour(0, 0, 255));
    EXPECT_EQ(meeting->font.point, 12);
    EXPECT_EQ(meeting->height, 16);
    EXPECT_EQ(meeting->flags, kSingleLine);

    EXPECT_EQ(canvas_.TextOps().size(), 2U);
    EXPECT_EQ(canvas_.FindText(u"会"), nullptr) << "FindText wants the whole text";
}

TEST_F(RecordingCanvasTest, ShapesCarryThePenAndTheFill)
{
    canvas_.FillRect(Rect { 0, 0, 10, 10 }, MakeColour(9, 9, 9));
    canvas_.SetPen(MakeColour(0, 128, 0), 2);
    canvas_.Line(Point { 0, 0 }, Point { 10, 0 });
    canvas_.Ellipse(Rect { 1, 1, 9, 9 }, MakeColour(255, 255, 0));
    const Point corners[] = { { 0, 0 }, { 4, 8 }, { 8, 0 } };
    canvas_.Polygon(corners, MakeColour(0, 0, 0));
    canvas_.FocusRect(Rect { 2, 2, 8, 8 });
    canvas_.DrawImage(Point { 3, 4 }, LinkMark::PaperClip());

    const auto lines = canvas_.OpsOf(CanvasOp::Kind::Line);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0]->points, (std::vector<Point> { { 0, 0 }, { 10, 0 } }));
    EXPECT_EQ(lines[0]->penColour, MakeColour(0, 128, 0));
    EXPECT_EQ(lines[0]->penWidth, 2);

    const CanvasOp* ellipse = canvas_.OpsOf(CanvasOp::Kind::Ellipse).at(0);
    EXPECT_EQ(ellipse->colour, MakeColour(255, 255, 0));
    EXPECT_EQ(ellipse->penColour, MakeColour(0, 128, 0));
    EXPECT_EQ(canvas_.OpsOf(CanvasOp::Kind::Polygon).at(0)->points.size(), 3U);
    EXPECT_EQ(canvas_.OpsOf(CanvasOp::Kind::FillRect).at(0)->colour, MakeColour(9, 9, 9));

    const LinkMark clip = LinkMark::PaperClip();
    EXPECT_EQ(canvas_.OpsOf(CanvasOp::Kind::DrawImage).at(0)->rect, (Rect { 3, 4, 3 + clip.width, 4 + clip.height }));
    EXPECT_EQ(canvas_.CountOf(CanvasOp::Kind::FocusRect), 1U);
    EXPECT_EQ(canvas_.CountOf(CanvasOp::Kind::TextOut), 0U);
}

TEST_F(RecordingCanvasTest, ClearForgetsCallsButKeepsTheState)
{
    canvas_.SetPen(MakeColour(10, 20, 30), 3);
    canvas_.SetTextColour(MakeColour(40, 50, 60));
    canvas_.Clear();
    EXPECT_TRUE(canvas_.Ops().empty());

    canvas_.Line(Point { 0, 0 }, Point { 1, 1 });
    canvas_.TextOut(Point {}, u"x");
    EXPECT_EQ(canvas_.Ops()[0].penWidth, 3);
    EXPECT_EQ(canvas_.Ops()[1].colour, MakeColour(40, 50, 60));
    EXPECT_EQ(canvas_.Font(), Font(9));
}

} // namespace
} // namespace kal
