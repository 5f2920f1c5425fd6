#pragma once

#include "calendar/DTime.h"
#include "ui/CustomControl.h"
#include "ui/Geometry.h"
#include "ui/LogFont.h"

#include <array>
#include <functional>

namespace kal {

// A month calendar drawn by the program itself: a title bar with the year and month between a "<"
// and a ">" button, a row of weekday names and six rows of day numbers. The user picks a day by
// tapping it or with the cursor keys.
class CalendarControl final : public CustomControl {
public:
    // What the control tells its owner, as codes.
    static constexpr int kSelectionChanged = 1;
    static constexpr int kMonthChanged = 2; // sent after the day states were cleared
    static constexpr int kDoubleClicked = -3;

    static constexpr int kNextButton = 300; // ">"
    static constexpr int kPreviousButton = 301; // "<"

    struct Colours {
        Colour background = 0xFFFFFF;
        Colour title = 0xFF0000;
        Colour otherMonth = 0x808080;
        std::array<Colour, 7> weekdays { 0x0000FF, 0, 0, 0, 0, 0, 0xFF0000 }; // Sunday first
        Colour holiday = 0x0000FF;
    };

    // Starts on now, the week on Sunday, with the title shown.
    CalendarControl();

    // The selected day; its month is the month shown. Any date is taken as given.
    void SetDate(CDTime date);
    [[nodiscard]] CDTime GetDate() const { return date_; }

    // Month steps keep the day where the other month has it, else take its last day; year steps
    // keep the month and go to 00:00. Moves that would leave the years the program works with
    // (1972 to 2036) are ignored.
    void NextMonth();
    void PreviousMonth();
    void NextYear();
    void PreviousYear();
    // `days` calendar days on (back when negative), at the same time of day.
    void MoveDays(int days);

    // 6 shows Sunday in the first column; any other code c shows weekday c + 1 (0 = Monday).
    void SetWeekStartCode(int code) { weekStartCode_ = code; }
    // The weekday of the first column, 0 = Sunday.
    [[nodiscard]] int FirstWeekday() const;

    void SetColours(const Colours& colours) { colours_ = colours; }
    [[nodiscard]] const Colours& GetColours() const { return colours_; }
    void SetTitleShown(bool shown) { titleShown_ = shown; }
    void SetColourHolidays(bool on) { colourHolidays_ = on; }
    [[nodiscard]] bool ColoursHolidays() const { return colourHolidays_; }
    // The normal font; day numbers marked bold use it at weight 700.
    void SetFont(const LogFont& font);
    // Marks a day of the shown month [1, 31] to be drawn bold; a change of month clears the marks.
    void SetDayBold(int day, bool bold);

    // Called with kSelectionChanged, kMonthChanged or kDoubleClicked.
    void SetNotify(std::function<void(int code)> notify) { notify_ = std::move(notify); }

    // Pixel layout for a control of `size`, given the normal font's line height and average
    // character width and the extent of two digits.
    struct Geometry {
        Rect client;
        int titleHeight = 0; // 2 lines when the title shows, else 0
        int top = 0; // where the weekday row starts
        int columnWidth = 0;
        int rowHeight = 0;
        Rect previousButton;
        Rect nextButton;

        [[nodiscard]] int ColumnX(int column) const { return client.left + 3 + column * columnWidth; }
        // Row 0 is the weekday names; day rows are 1 to 6.
        [[nodiscard]] int RowY(int row) const { return top + row * rowHeight; }
    };
    [[nodiscard]] Geometry Layout(Size size) const;

    // The date in `row` [0, 5] and `column` [0, 6] of the day rows.
    [[nodiscard]] CivilDate CellDate(int row, int column) const;

    void OnDraw(Canvas& canvas, Size size) override;
    void OnMouseDown(Point point, Size size) override;
    void OnMouseUp(Point point, Size size) override;
    void OnDoubleClick(Point point, Size size) override;
    bool OnKey(Key key, unsigned modifiers) override;

    static constexpr int kRows = 6;

private:
    struct FontMeasures {
        int lineHeight = 0;
        int averageCharWidth = 0;
        Size digits; // the extent of "55"
    };
    struct DayState {
        bool bold = false;
        bool holiday = false;
    };

    void MoveTo(int year, int month, int day);
    void Notify(int code) const;
    int ButtonAt(Point point, const Geometry& geometry) const;
    void DrawTitle(Canvas& canvas, const Geometry& geometry);
    void DrawButton(Canvas& canvas, const Rect& rect, int id);
    void DrawWeekdayNames(Canvas& canvas, const Geometry& geometry);
    void DrawDays(Canvas& canvas, const Geometry& geometry);

    CDTime date_;
    Colours colours_;
    int weekStartCode_ = 6;
    bool titleShown_ = true;
    bool colourHolidays_;
    std::array<DayState, 31> dayStates_ {};
    LogFont font_;
    LogFont boldFont_;
    // From the last paint: taps between paints are hit-tested with what was drawn.
    FontMeasures measures_;
    int pressedButton_ = 0;
    std::function<void(int)> notify_;
};

} // namespace kal
