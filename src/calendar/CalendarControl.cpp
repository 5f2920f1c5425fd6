#include "calendar/CalendarControl.h"

#include "calendar/Holidays.h"
#include "ui/Canvas.h"

#include <algorithm>
#include <string>

namespace kal {

namespace {

// The face the month view's texts use by default; the front end maps it to the desktop's Japanese
// proportional gothic.
constexpr char16_t kFaceName[] = u"ＭＳ Ｐゴシック";
constexpr int kPointSize = 9;
constexpr int kJapaneseCharSet = 128;
constexpr int kBoldWeight = 700;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kSelectedFill = 0xFF0000;
constexpr Colour kTodayFrame = 0x0000FF;
constexpr Colour kRuleColour = 0x000000;
constexpr Colour kButtonFace = 0xC0C0C0;
constexpr Colour kButtonPressedFace = 0x808080;
constexpr Colour kButtonBorder = 0x000000;

constexpr char16_t kTitleFormat[] = u"%d年%d月";
constexpr char16_t kPreviousLabel[] = u"<";
constexpr char16_t kNextLabel[] = u">";
constexpr char16_t kDigitSample[] = u"55";
constexpr const char16_t* kWeekdayNames[7] = { u"日", u"月", u"火", u"水", u"木", u"金", u"土" };

std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string TitleText(int year, int month)
{
    std::u16string text = kTitleFormat;
    text.replace(text.find(u"%d"), 2, Ascii(std::to_string(year)));
    text.replace(text.find(u"%d"), 2, Ascii(std::to_string(month)));
    return text;
}

// "%2d": single days keep the tens column blank so the numbers line up on the right.
std::u16string DayText(int day)
{
    return Ascii((day < 10 ? " " : "") + std::to_string(day));
}

bool IsWorkingYear(int year)
{
    return year >= kFirstYear && year <= kLastYear;
}

// The box a day number is highlighted, framed and hit in.
Rect DayBox(int x, int y, Size text)
{
    return Rect { x - 2, y - 2, x + text.width + 4, y + text.height + 4 };
}

} // namespace

CalendarControl::CalendarControl()
    : date_(CDTime::Now())
    // National holidays are what anyone looks for first in a Japanese calendar, printed or on
    // screen, and the month view beside the picker shows them in red too: a picker without them
    // would make the user cross-check. Colouring them costs one holiday test per day per paint.
    , colourHolidays_(true)
{
    SetFont(LogFont { kFaceName, kPointSize, 400, 0, 0, kJapaneseCharSet, 0 });
}

void CalendarControl::SetFont(const LogFont& font)
{
    font_ = font;
    boldFont_ = font;
    boldFont_.weight = kBoldWeight;
    measures_ = {};
}

void CalendarControl::SetDayBold(int day, bool bold)
{
    if (day >= 1 && day <= static_cast<int>(dayStates_.size()))
        dayStates_[static_cast<std::size_t>(day - 1)].bold = bold;
}

int CalendarControl::FirstWeekday() const
{
    return weekStartCode_ == 6 ? 0 : (weekStartCode_ + 1) % 7;
}

void CalendarControl::Notify(int code) const
{
    if (notify_)
        notify_(code);
}

void CalendarControl::SetDate(CDTime date)
{
    const LocalFields before = date_.Fields();
    date_ = date;
    Invalidate();
    const LocalFields after = date_.Fields();
    if (before.year != after.year || before.month != after.month) {
        dayStates_ = {};
        Notify(kMonthChanged);
    }
    Notify(kSelectionChanged);
}

void CalendarControl::MoveTo(int year, int month, int day)
{
    if (!IsWorkingYear(year))
        return;
    const LocalFields now = date_.Fields();
    SetDate(CDTime(year, month, day, now.hour, now.minute, now.second));
}

void CalendarControl::MoveDays(int days)
{
    const LocalFields f = date_.Fields();
    const CivilDate target = CivilFromDays(DaysFromCivil(f.year, f.month, f.day) + days);
    MoveTo(target.year, target.month, target.day);
}

void CalendarControl::NextMonth()
{
    const CDTime next = kal::NextMonth(date_);
    if (IsWorkingYear(next.Year()))
        SetDate(next);
}

void CalendarControl::PreviousMonth()
{
    const CDTime previous = kal::PreviousMonth(date_);
    if (IsWorkingYear(previous.Year()))
        SetDate(previous);
}

void CalendarControl::NextYear()
{
    const LocalFields f = date_.Fields();
    if (IsWorkingYear(f.year + 1))
        SetDate(CDTime(f.year + 1, f.month, std::min(f.day, DaysInMonth(f.year + 1, f.month))));
}

void CalendarControl::PreviousYear()
{
    const LocalFields f = date_.Fields();
    if (IsWorkingYear(f.year - 1))
        SetDate(CDTime(f.year - 1, f.month, std::min(f.day, DaysInMonth(f.year - 1, f.month))));
}

CivilDate CalendarControl::CellDate(int row, int column) const
{
    const LocalFields f = date_.Fields();
    // Days from the first column back to the 1st: [0, 6]. A month starting on the first column's
    // weekday shows its 1st in the top-left cell.
    const int lead = (WeekdayOf(f.year, f.month, 1) - FirstWeekday() + 7) % 7;
    return CivilFromDays(DaysFromCivil(f.year, f.month, 1) - lead + 7 * row + column);
}

CalendarControl::Geometry CalendarControl::Layout(Size size) const
{
    Geometry g;
    g.client = Rect { 0, 0, size.width, size.height };
    const int h = measures_.lineHeight > 0 ? measures_.lineHeight : font_.PixelHeight(96);
    const int a = measures_.averageCharWidth > 0 ? measures_.averageCharWidth : std::max(1, h / 2);
    g.titleHeight = titleShown_ ? 2 * h : 0;
    g.top = g.client.top + g.titleHeight;
    g.columnWidth = g.client.Width() / 7;
    g.rowHeight = (g.client.bottom - g.top) / (kRows + 1);
    if (titleShown_) {
        const int buttonTop = g.client.top + h / 4;
        const int buttonBottom = g.client.top + 2 * h - h / 4;
        g.previousButton = Rect { g.client.left + a, buttonTop, g.client.left + 5 * a, buttonBottom };
        g.nextButton = Rect { g.client.right - 5 * a, buttonTop, g.client.right - a, buttonBottom };
    }
    return g;
}

void CalendarControl::OnDraw(Canvas& canvas, Size size)
{
    canvas.SelectFont(font_);
    const TextMetrics metrics = canvas.Metrics();
    measures_ = FontMeasures { metrics.height, metrics.averageCharWidth, canvas.TextExtent(kDigitSample) };
    const Geometry geometry = Layout(size);

    canvas.FillRect(geometry.client, colours_.background);
    canvas.SetBackground(BackgroundMode::Transparent, colours_.background);
    if (titleShown_)
        DrawTitle(canvas, geometry);
    // Flags from a paint made while holidays were coloured must not outlive the switch.
    const LocalFields f = date_.Fields();
    for (int day = 1; day <= DaysInMonth(f.year, f.month); ++day)
        dayStates_[static_cast<std::size_t>(day - 1)].holiday
            = colourHolidays_ && IsHolidayOrSubstitute(f.year, f.month, day, SundayCounts::No);
    DrawWeekdayNames(canvas, geometry);
    DrawDays(canvas, geometry);
}

void CalendarControl::DrawTitle(Canvas& canvas, const Geometry& geometry)
{
    const Rect bar { geometry.client.left, geometry.client.top, geometry.client.right,
        geometry.client.top + geometry.titleHeight };
    canvas.FillRect(bar, colours_.title);
    DrawButton(canvas, geometry.previousButton, kPreviousButton);
    DrawButton(canvas, geometry.nextButton, kNextButton);

    const LocalFields f = date_.Fields();
    canvas.SelectFont(boldFont_);
    canvas.SetTextColour(kWhite);
    const Rect textBox { bar.left, bar.top + measures_.lineHeight / 2, bar.right, bar.bottom };
    canvas.DrawText(textBox, TitleText(f.year, f.month), textflag::kCentre | textflag::kSingleLine);
    canvas.SelectFont(font_);
}

void CalendarControl::DrawButton(Canvas& canvas, const Rect& rect, int id)
{
    canvas.SetPen(kButtonBorder, 1);
    const Point corners[] = { { rect.left, rect.top }, { rect.right - 1, rect.top },
        { rect.right - 1, rect.bottom - 1 }, { rect.left, rect.bottom - 1 } };
    canvas.Polygon(corners, pressedButton_ == id ? kButtonPressedFace : kButtonFace);
    canvas.SetTextColour(0);
    canvas.DrawText(rect, id == kNextButton ? kNextLabel : kPreviousLabel,
        textflag::kCentre | textflag::kVerticalCentre | textflag::kSingleLine | textflag::kNoPrefix);
}

void CalendarControl::DrawWeekdayNames(Canvas& canvas, const Geometry& geometry)
{
    const int first = FirstWeekday();
    for (int column = 0; column < 7; ++column) {
        const int weekday = (first + column) % 7;
        canvas.SetTextColour(colours_.weekdays[static_cast<std::size_t>(weekday)]);
        canvas.TextOut(Point { geometry.ColumnX(column), geometry.RowY(0) }, kWeekdayNames[weekday]);
    }
    canvas.SetPen(kRuleColour, 1);
    const int ruleY = geometry.top + geometry.rowHeight - 1;
    canvas.Line(Point { geometry.client.left, ruleY }, Point { geometry.client.right, ruleY });
}

void CalendarControl::DrawDays(Canvas& canvas, const Geometry& geometry)
{
    const LocalFields shown = date_.Fields();
    const LocalFields today = CDTime::Now().Fields();
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < 7; ++column) {
            const CivilDate date = CellDate(row, column);
            const Point at { geometry.ColumnX(column), geometry.RowY(row + 1) };
            const bool inMonth = date.year == shown.year && date.month == shown.month;
            const DayState state = inMonth ? dayStates_[static_cast<std::size_t>(date.day - 1)] : DayState {};
            canvas.SelectFont(state.bold ? boldFont_ : font_);
            const std::u16string text = DayText(date.day);
            const Rect box = DayBox(at.x, at.y, canvas.TextExtent(text));

            const int weekday = (FirstWeekday() + column) % 7;
            Colour colour = colours_.otherMonth;
            if (inMonth)
                colour = state.holiday ? colours_.holiday : colours_.weekdays[static_cast<std::size_t>(weekday)];
            if (inMonth && date.day == shown.day) {
                canvas.FillRect(box, kSelectedFill);
                colour = kWhite;
            }
            if (date.year == today.year && date.month == today.month && date.day == today.day) {
                canvas.SetPen(kTodayFrame, 1);
                const Point corners[] = { { box.left, box.top }, { box.right - 1, box.top },
                    { box.right - 1, box.bottom - 1 }, { box.left, box.bottom - 1 }, { box.left, box.top } };
                for (int i = 0; i < 4; ++i)
                    canvas.Line(corners[i], corners[i + 1]);
            }
            canvas.SetTextColour(colour);
            canvas.TextOut(at, text);
        }
    }
    canvas.SelectFont(font_);
}

int CalendarControl::ButtonAt(Point point, const Geometry& geometry) const
{
    if (!titleShown_)
        return 0;
    if (geometry.previousButton.Contains(point))
        return kPreviousButton;
    if (geometry.nextButton.Contains(point))
        return kNextButton;
    return 0;
}

void CalendarControl::OnMouseDown(Point point, Size size)
{
    pressedButton_ = ButtonAt(point, Layout(size));
    if (pressedButton_ != 0)
        Invalidate();
}

void CalendarControl::OnMouseUp(Point point, Size size)
{
    const Geometry geometry = Layout(size);
    const int pressed = pressedButton_;
    if (pressed != 0) {
        pressedButton_ = 0;
        Invalidate();
        // A button acts when released over itself, so a press can still be slid off and abandoned.
        if (ButtonAt(point, geometry) == pressed) {
            if (pressed == kNextButton)
                NextMonth();
            else
                PreviousMonth();
        }
        return;
    }
    const Size digits
        = measures_.digits.width > 0 ? measures_.digits : Size { font_.PixelHeight(96), font_.PixelHeight(96) };
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < 7; ++column) {
            if (DayBox(geometry.ColumnX(column), geometry.RowY(row + 1), digits).Contains(point)) {
                const CivilDate date = CellDate(row, column);
                MoveTo(date.year, date.month, date.day);
                return;
            }
        }
    }
}

void CalendarControl::OnDoubleClick(Point point, Size size)
{
    // The second click of a quick pair on a title button counts as a click of its own, so clicking
    // fast through the months does not lose every other one.
    if (const int button = ButtonAt(point, Layout(size)); button == kNextButton)
        NextMonth();
    else if (button == kPreviousButton)
        PreviousMonth();
    Notify(kDoubleClicked);
}

bool CalendarControl::OnKey(Key key, unsigned modifiers)
{
    const bool shift = (modifiers & modifier::kShift) != 0;
    switch (key) {
    case Key::PageUp:
        shift ? PreviousYear() : PreviousMonth();
        return true;
    case Key::PageDown:
        shift ? NextYear() : NextMonth();
        return true;
    case Key::Left:
        MoveDays(-1);
        return true;
    case Key::Right:
        MoveDays(1);
        return true;
    case Key::Up:
        MoveDays(-7);
        return true;
    case Key::Down:
        MoveDays(7);
        return true;
    default:
        return false;
    }
}

} // namespace kal
