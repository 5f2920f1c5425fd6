#include "support/RecordingCanvas.h"

namespace kal {
namespace {

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsWide(char16_t c)
{
    return c >= 0x0100;
}

// The code units of the character that starts at `at`: two for a surrogate pair, else one.
std::size_t CharLength(std::u16string_view text, std::size_t at)
{
    if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]))
        return 2;
    return 1;
}

int WidthOf(std::u16string_view text, int lineHeight)
{
    int width = 0;
    for (const char16_t c : text) {
        if (IsLowSurrogate(c))
            continue; // counted with its high half
        width += IsWide(c) ? lineHeight : lineHeight / 2;
    }
    return width;
}

// "&&" shows one "&"; a single "&" only underlines the next character.
std::u16string WithoutMnemonics(std::u16string_view text)
{
    std::u16string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            shown += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == u'&') {
            shown += u'&';
            ++i;
        }
    }
    return shown;
}

std::vector<std::u16string_view> HardLines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::u16string_view TrimmedRight(std::u16string_view text)
{
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    return text;
}

// Greedy wrapping of one hard line. Words are runs of narrow characters between spaces; each wide
// character is a word of its own, as Japanese text breaks between any two characters.
class Wrapper {
public:
    Wrapper(int width, int lineHeight)
        : width_(width)
        , lineHeight_(lineHeight)
    {
    }

    std::vector<std::u16string> Wrap(std::u16string_view line)
    {
        std::size_t i = 0;
        while (i < line.size()) {
            std::size_t end = i;
            if (line[i] == u' ') {
                while (end < line.size() && line[end] == u' ')
                    ++end;
                // Spaces at a break vanish; those that start the text are kept.
                if (!(wrapped_ && current_.empty()))
                    Append(line.substr(i, end - i));
            } else if (IsWide(line[i])) {
                end = i + CharLength(line, i);
                AddWord(line.substr(i, end - i));
            } else {
                while (end < line.size() && line[end] != u' ' && !IsWide(line[end]))
                    ++end;
                AddWord(line.substr(i, end - i));
            }
            i = end;
        }
        lines_.emplace_back(TrimmedRight(current_));
        return std::move(lines_);
    }

private:
    void Append(std::u16string_view text)
    {
        current_ += text;
        currentWidth_ += WidthOf(text, lineHeight_);
    }

    void Break()
    {
        lines_.emplace_back(TrimmedRight(current_));
        current_.clear();
        currentWidth_ = 0;
        wrapped_ = true;
    }

    void AddWord(std::u16string_view word)
    {
        const int wordWidth = WidthOf(word, lineHeight_);
        if (currentWidth_ + wordWidth > width_ && !TrimmedRight(current_).empty())
            Break();
        if (currentWidth_ + wordWidth <= width_) {
            Append(word);
            return;
        }
        // Too wide for any line: break it between characters.
        for (std::size_t i = 0; i < word.size();) {
            const std::u16string_view one = word.substr(i, CharLength(word, i));
            if (currentWidth_ + WidthOf(one, lineHeight_) > width_ && !TrimmedRight(current_).empty())
                Break();
            Append(one);
            i += one.size();
        }
    }

    int width_;
    int lineHeight_;
    std::vector<std::u16string> lines_;
    std::u16string current_;
    int currentWidth_ = 0;
    bool wrapped_ = false;
};

} // namespace

RecordingCanvas::RecordingCanvas(int pixelsPerInch)
    : pixelsPerInch_(pixelsPerInch)
{
}

CanvasOp& RecordingCanvas::Record(CanvasOp::Kind kind)
{
    CanvasOp& op = ops_.emplace_back();
    op.kind = kind;
    return op;
}

CanvasOp& RecordingCanvas::RecordText(CanvasOp::Kind kind, std::u16string_view text)
{
    CanvasOp& op = Record(kind);
    op.text = text;
    op.colour = textColour_;
    op.font = font_;
    op.background = background_;
    op.backgroundColour = backgroundColour_;
    return op;
}

void RecordingCanvas::FillRect(const Rect& rect, Colour colour)
{
    CanvasOp& op = Record(CanvasOp::Kind::FillRect);
    op.rect = rect;
    op.colour = colour;
}

void RecordingCanvas::SetPen(Colour colour, int width)
{
    penColour_ = colour;
    penWidth_ = width;
    CanvasOp& op = Record(CanvasOp::Kind::SetPen);
    op.colour = colour;
    op.penColour = colour;
    op.penWidth = width;
}

void RecordingCanvas::Line(Point from, Point to)
{
    CanvasOp& op = Record(CanvasOp::Kind::Line);
    op.points = { from, to };
    op.colour = penColour_;
    op.penColour = penColour_;
    op.penWidth = penWidth_;
}

void RecordingCanvas::Ellipse(const Rect& rect, Colour fill)
{
    CanvasOp& op = Record(CanvasOp::Kind::Ellipse);
    op.rect = rect;
    op.colour = fill;
    op.penColour = penColour_;
    op.penWidth = penWidth_;
}

void RecordingCanvas::Polygon(std::span<const Point> corners, Colour fill)
{
    CanvasOp& op = Record(CanvasOp::Kind::Polygon);
    op.points.assign(corners.begin(), corners.end());
    op.colour = fill;
    op.penColour = penColour_;
    op.penWidth = penWidth_;
}

void RecordingCanvas::FocusRect(const Rect& rect)
{
    Record(CanvasOp::Kind::FocusRect).rect = rect;
}

void RecordingCanvas::DrawImage(Point at, const LinkMark& image)
{
    CanvasOp& op = Record(CanvasOp::Kind::DrawImage);
    op.points = { at };
    op.rect = Rect { at.x, at.y, at.x + image.width, at.y + image.height };
}

void RecordingCanvas::SelectFont(const LogFont& font)
{
    font_ = font;
    Record(CanvasOp::Kind::SelectFont).font = font;
}

int RecordingCanvas::LineHeight() const
{
    return FontPixelHeight(font_, pixelsPerInch_);
}

int RecordingCanvas::TextWidth(std::u16string_view text) const
{
    return WidthOf(text, LineHeight());
}

TextMetrics RecordingCanvas::Metrics()
{
    const int height = LineHeight();
    return TextMetrics { height, height - height / 5, height / 2 };
}

Size RecordingCanvas::TextExtent(std::u16string_view text)
{
    return Size { TextWidth(text), LineHeight() };
}

void RecordingCanvas::SetTextColour(Colour colour)
{
    textColour_ = colour;
    Record(CanvasOp::Kind::SetTextColour).colour = colour;
}

void RecordingCanvas::SetBackground(BackgroundMode mode, Colour colour)
{
    background_ = mode;
    backgroundColour_ = colour;
    CanvasOp& op = Record(CanvasOp::Kind::SetBackground);
    op.colour = colour;
    op.background = mode;
    op.backgroundColour = colour;
}

void RecordingCanvas::TextOut(Point at, std::u16string_view text)
{
    const Size extent = TextExtent(text);
    CanvasOp& op = RecordText(CanvasOp::Kind::TextOut, text);
    op.points = { at };
    op.rect = Rect { at.x, at.y, at.x + extent.width, at.y + extent.height };
}

std::vector<std::u16string> RecordingCanvas::LayOut(std::u16string_view text, int width, unsigned flags) const
{
    const std::u16string shown = (flags & textflag::kNoPrefix) != 0 ? std::u16string(text) : WithoutMnemonics(text);
    if ((flags & textflag::kSingleLine) != 0)
        return { shown };
    std::vector<std::u16string> lines;
    for (const std::u16string_view hardLine : HardLines(shown)) {
        if ((flags & textflag::kWordBreak) == 0) {
            lines.emplace_back(hardLine);
            continue;
        }
        for (std::u16string& line : Wrapper(width, LineHeight()).Wrap(hardLine))
            lines.push_back(std::move(line));
    }
    return lines;
}

int RecordingCanvas::DrawText(const Rect& rect, std::u16string_view text, unsigned flags)
{
    std::vector<std::u16string> lines = LayOut(text, rect.Width(), flags);
    const int height = static_cast<int>(lines.size()) * LineHeight();
    CanvasOp& op = RecordText(CanvasOp::Kind::DrawText, text);
    op.rect = rect;
    op.flags = flags;
    op.lines = std::move(lines);
    op.height = height;
    return height;
}

std::vector<const CanvasOp*> RecordingCanvas::OpsOf(CanvasOp::Kind kind) const
{
    std::vector<const CanvasOp*> found;
    for (const CanvasOp& op : ops_) {
        if (op.kind == kind)
            found.push_back(&op);
    }
    return found;
}

std::size_t RecordingCanvas::CountOf(CanvasOp::Kind kind) const
{
    return OpsOf(kind).size();
}

std::vector<const CanvasOp*> RecordingCanvas::TextOps() const
{
    std::vector<const CanvasOp*> found;
    for (const CanvasOp& op : ops_) {
        if (op.IsText())
            found.push_back(&op);
    }
    return found;
}

const CanvasOp* RecordingCanvas::FindText(std::u16string_view text) const
{
    for (const CanvasOp& op : ops_) {
        if (op.IsText() && op.text == text)
            return &op;
    }
    return nullptr;
}

const CanvasOp* RecordingCanvas::FindTextContaining(std::u16string_view part) const
{
    for (const CanvasOp& op : ops_) {
        if (op.IsText() && op.text.find(part) != std::u16string::npos)
            return &op;
    }
    return nullptr;
}

} // namespace kal
