#include "views/KalView.h"

#include "calendar/CivilDate.h"
#include "platform/Clipboard.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/ExchangeTexts.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "store/PeriodText.h"
#include "ui/Canvas.h"
#include "ui/CommandIds.h"
#include "ui/Ui.h"
#include "ui/UpdateHints.h"
#include "views/ColourChooser.h"
#include "views/DiaryFiles.h"
#include "views/EntryDrawer.h"
#include "views/PeriodWriter.h"
#include "views/ViewDialogs.h"
#include "views/ViewTexts.h"

#include <algorithm>
#include <array>

namespace kal {

namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr int kTimerId = 302;

constexpr YearMonth kFirstMonth { kFirstYear, 1 };
constexpr YearMonth kLastMonth { kLastYear, 12 };

const char16_t* const kEnglishWeekdayLabels[7] = { u"Sun.", u"Mon.", u"Tue.", u"Wed.", u"Thu.", u"Fri.", u"Sat." };

// The selected cell in inverse mode: red inverted in place, inverted blue where green was and
// inverted green where blue was.
Colour InverseSelection(Colour c)
{
    return MakeColour(255 - RedOf(c), 255 - BlueOf(c), 255 - GreenOf(c));
}

bool IsEmpty(const Rect& rect)
{
    return rect.Width() <= 0 || rect.Height() <= 0;
}

LogFont EntryFont(const CKalSettings& settings, int textStyle)
{
    LogFont font = settings.Font(FontSetting::Entry);
    if (textStyle & 1)
        font.weight = 700;
    font.strikeOut = (textStyle & 2) != 0;
    return font;
}

} // namespace

CKalView::CKalView(ViewDocument& document)
    : document_(document)
{
    BindCommands();
}

std::u16string CKalView::HeaderText(int form, YearMonth month)
{
    std::u16string text = IntText(month.year);
    switch (form) {
    case 0:
        text += u" - ";
        AppendInt(text, month.month, 2);
        break;
    case 1:
        text += u" - ";
        text += kEnglishMonthNames[month.month - 1];
        break;
    default:
        // The form "%d年 %02月": the month, two digits, before its unit.
        text += u"年 ";
        AppendInt(text, month.month, 2);
        text += u"月";
        break;
    }
    return text;
}

CMonthCell* CKalView::SelectedCell()
{
    return selected_ >= 0 && selected_ < grid_.Count() ? &grid_.Cell(selected_) : nullptr;
}

CMonthCell* CKalView::RefillSelectedCell()
{
    Refill();
    return SelectedCell();
}

void CKalView::OnInitialUpdate()
{
    const CDTime now = CDTime::Now();
    document_.SetCurrentDate(now);
    const LocalFields f = now.Fields();
    shown_ = YearMonth { f.year, f.month };
    grid_.Create(&document_.Store(), CKalSettings::Current().Weeks());
    selected_ = grid_.Fill(DateOnly(now), shown_);
    today_ = DateOnly(now);
    layoutDirty_ = true;
    Invalidate();
}

void CKalView::Refill()
{
    const int keep = selected_;
    grid_.Fill(CDTime(shown_.year, shown_.month, 1), shown_);
    selected_ = std::clamp(keep, 0, grid_.Count() - 1);
}

void CKalView::Regrid()
{
    const LocalFields f = document_.CurrentDate().Fields();
    shown_ = YearMonth { f.year, f.month };
    selected_ = grid_.Fill(DateOnly(document_.CurrentDate()), shown_);
}

void CKalView::OnUpdate(int hint, const CKalData* entry)
{
    if (hint & (hint::kEntriesChanged | hint::kOtherMonthColours))
        Refill();
    if (hint & hint::kRegrid)
        Regrid();
    if ((hint & hint::kRemovingEntry) && entry) {
        for (int i = 0; i < grid_.Count(); ++i) {
            auto& entries = grid_.Cell(i).entries;
            std::erase(entries, entry);
        }
    }
    Invalidate();
}

void CKalView::ShowTouched(CDTime day, const CKalData* entry)
{
    day = DateOnly(day);
    // An entry may lie outside the calendar's years; the calendar then stays where it is.
    if (day < CDTime(kFirstYear, 1, 1) || day >= CDTime(kLastYear + 1, 1, 1))
        return;
    found = entry;
    MoveByDate(day, hint::kFoundOrJumped);
}

void CKalView::Invalidate()
{
    if (window_)
        window_->Invalidate();
}

void CKalView::OnSize(int width, int height)
{
    client_ = Size { width, height };
    layoutDirty_ = true;
}

void CKalView::Layout(Canvas& canvas)
{
    const CKalSettings& settings = CKalSettings::Current();
    canvas.SelectFont(settings.Font(FontSetting::Title));
    titleHeight_ = canvas.Metrics().height;
    canvas.SelectFont(settings.Font(FontSetting::YearMonth));
    yearMonthHeight_ = canvas.Metrics().height;
    grid_.Layout(Rect { 0, 0, client_.width, client_.height }, titleHeight_, yearMonthHeight_);
    layoutDirty_ = false;
}

void CKalView::OnDraw(Canvas& canvas)
{
    const CKalSettings& settings = CKalSettings::Current();
    if (layoutDirty_)
        Layout(canvas);
    today_ = DateOnly(CDTime::Now());
    canvas.SetBackground(BackgroundMode::Transparent, settings.Get(ColourSetting::Back));
    canvas.FillRect(Rect { 0, 0, client_.width, client_.height }, settings.BackBrush());
    DrawHeader(canvas, settings);
    canvas.SelectFont(settings.Font(FontSetting::Entry));
    lines_.clear();
    const bool bars = settings.IsOn(IntSetting::MultiDayBars) && settings.IsOn(IntSetting::MonthSchView);
    bars_ = bars ? PlanEntryBars(grid_) : BarLayout {};
    barHeight_ = canvas.Metrics().height + 2;
    laneTops_.assign(static_cast<std::size_t>(grid_.Count()), 0);
    for (int i = 0; i < grid_.Count(); ++i)
        DrawCell(canvas, i, settings);
    DrawBars(canvas, settings);
    if (dropTarget_ >= 0 && dropTarget_ < grid_.Count()) {
        const Rect r = grid_.Cell(dropTarget_).rect;
        canvas.SetPen(settings.Get(ColourSetting::Select), 3);
        canvas.Line(Point { r.left + 1, r.top + 1 }, Point { r.right - 1, r.top + 1 });
        canvas.Line(Point { r.right - 1, r.top + 1 }, Point { r.right - 1, r.bottom - 1 });
        canvas.Line(Point { r.right - 1, r.bottom - 1 }, Point { r.left + 1, r.bottom - 1 });
        canvas.Line(Point { r.left + 1, r.bottom - 1 }, Point { r.left + 1, r.top + 1 });
        canvas.SetPen(kBlack, 1);
    }
}

void CKalView::DrawBars(Canvas& canvas, const CKalSettings& settings)
{
    if (bars_.bars.empty())
        return;
    canvas.SelectFont(settings.Font(FontSetting::Entry));
    const TimeMode mode = TimeModeFromSetting(settings.Get(IntSetting::MonthViewTime));
    const Countdown countdown
        = ReadSetting(Profile::Current(), ProfileIntSetting::TodoLeftDraw) ? Countdown::On : Countdown::Off;
    for (const EntryBar& bar : bars_.bars) {
        const CMonthCell& first = grid_.Cell(bar.firstCell);
        const CMonthCell& last = grid_.Cell(bar.lastCell);
        // A bar that goes on from the week before or into the next one runs to the row's edge; one
        // that begins or ends here keeps a gap, so that two bars side by side stay two.
        const bool fromBefore = DateOnly(bar.entry->start) < first.date;
        const bool onAfter = DateOnly(bar.entry->end) > last.date;
        const int top = laneTops_[static_cast<std::size_t>(bar.firstCell)] + bar.lane * barHeight_;
        const Rect row { first.rect.left, first.rect.top, last.rect.right, first.rect.bottom };
        const Rect rect = ClippedTo(Rect { first.rect.left + (fromBefore ? 1 : 3), top + 1,
                                        last.rect.right - (onAfter ? 0 : 2), top + barHeight_ - 1 },
            row);
        if (rect.Height() <= 0)
            continue;
        canvas.SelectFont(EntryFont(settings, bar.entry->textStyle));
        DrawEntryBar(canvas, rect, EntryDrawing { bar.entry, top, rect, false, first.date, mode, countdown }, settings);
        for (int i = bar.firstCell; i <= bar.lastCell; ++i) {
            const CMonthCell& cell = grid_.Cell(i);
            lines_.push_back(EntryLine { bar.entry, cell.date, ClippedTo(rect, cell.rect) });
        }
    }
    canvas.SelectFont(settings.Font(FontSetting::Entry));
    canvas.SetBackground(BackgroundMode::Transparent, settings.Get(ColourSetting::Back));
}

std::optional<CKalView::EntryLine> CKalView::DraggableAt(Point point) const
{
    for (const EntryLine& line : lines_) {
        if (line.rect.Contains(point) && !grid_.IsGenerated(line.entry))
            return line;
    }
    return std::nullopt;
}

int CKalView::CellAt(Point point) const
{
    for (int i = 0; i < grid_.Count(); ++i) {
        if (grid_.Cell(i).rect.Contains(point))
            return i;
    }
    return -1;
}

void CKalView::SetDropTarget(int cell)
{
    if (cell == dropTarget_)
        return;
    dropTarget_ = cell;
    Invalidate();
}

bool CKalView::Drop(const EntryLine& line, Point point, DropAction action)
{
    SetDropTarget(-1);
    const int cell = CellAt(point);
    if (cell < 0)
        return false;
    const CDTime to = grid_.Cell(cell).date;
    // The line's entry may have left the store since the drag began (an undo by key, a reload).
    if (document_.Store().IndexOf(line.entry) < 0 || !document_.DropEntry(line.entry, line.day, to, action))
        return false;
    document_.UpdateAllViews(hint::kEntriesChanged);
    MoveWithinGrid(grid_.IndexOf(to) >= 0 ? grid_.IndexOf(to) : selected_);
    return true;
}

void CKalView::DrawHeader(Canvas& canvas, const CKalSettings& settings)
{
    canvas.SelectFont(settings.Font(FontSetting::YearMonth));
    canvas.SetPen(kBlack, 1);
    canvas.Line(Point { 0, yearMonthHeight_ }, Point { client_.width, yearMonthHeight_ });
    canvas.SetTextColour(kBlack);
    canvas.TextOut(Point { 0, 0 }, HeaderText(settings.Get(IntSetting::Month), shown_));

    canvas.SelectFont(settings.Font(FontSetting::Title));
    const int width = client_.width / 7;
    const int youbi = settings.Get(IntSetting::Youbi);
    for (int column = 0; column < 7; ++column) {
        const int weekday = document_.WeekOrder()[static_cast<std::size_t>(column)];
        const Rect rect { column * width, yearMonthHeight_ + 1, (column + 1) * width,
            yearMonthHeight_ + 1 + titleHeight_ + 1 };
        const char16_t* label = youbi == 0 ? kEnglishWeekdayLabels[weekday]
            : youbi == 1                   ? kJapaneseWeekdayNames[weekday]
                                           : u"";
        canvas.SetTextColour(settings.WeekColour(weekday));
        canvas.DrawText(rect, label, textflag::kCentre | textflag::kSingleLine | textflag::kNoPrefix);
    }
}

void CKalView::DrawCell(Canvas& canvas, int index, const CKalSettings& settings)
{
    const CMonthCell& cell = grid_.Cell(index);
    const bool selected = index == selected_;
    const Rect& r = cell.rect;
    Colour background = cell.colour;
    if (!selected) {
        canvas.FillRect(r, cell.colour);
    } else {
        switch (settings.Get(IntSetting::SelColorMode)) {
        case 1:
            background = InverseSelection(cell.colour);
            canvas.FillRect(r, background);
            break;
        case 2: {
            canvas.FillRect(r, settings.SelectBrush());
            const Rect inside = ClippedTo(r.Deflated(3), r);
            if (!IsEmpty(inside))
                canvas.FillRect(inside, cell.colour);
            break;
        }
        default:
            background = settings.Get(ColourSetting::Select);
            canvas.FillRect(r, background);
            break;
        }
    }
    canvas.SetBackground(BackgroundMode::Opaque, background);

    canvas.SetPen(kBlack, cell.date == today_ ? 2 : 1);
    canvas.Line(Point { r.left, r.top }, Point { r.right, r.top });
    canvas.Line(Point { r.right, r.top }, Point { r.right, r.bottom });
    canvas.Line(Point { r.right, r.bottom }, Point { r.left, r.bottom });
    canvas.Line(Point { r.left, r.bottom }, Point { r.left, r.top });
    canvas.SetPen(kBlack, 1);

    const int position = settings.Get(IntSetting::DayDrawPos);
    Size number;
    int y = r.top + 1;
    if (position == 0 || position == 4) {
        number = DrawDayNumber(canvas, cell, selected, settings);
        if (position == 0)
            y = r.top + number.height + number.height / 4;
    }

    if (settings.IsOn(IntSetting::MonthSchView)) {
        bool holidayOnNumberLine = position == 0;
        const TimeMode mode = TimeModeFromSetting(settings.Get(IntSetting::MonthViewTime));
        const Countdown countdown
            = ReadSetting(Profile::Current(), ProfileIntSetting::TodoLeftDraw) ? Countdown::On : Countdown::Off;
        const auto cellIndex = static_cast<std::size_t>(index);
        laneTops_[cellIndex] = y;
        if (!bars_.lanes.empty())
            y += bars_.lanes[cellIndex] * barHeight_;
        for (CKalData* entry : cell.entries) {
            if (entry->Has(flag::kHidden) || (!bars_.lanes.empty() && DrawnAsBar(*entry)))
                continue;
            canvas.SelectFont(EntryFont(settings, entry->textStyle));
            EntryDrawing drawing { entry, y, r, selected, cell.date, mode, countdown };
            if (holidayOnNumberLine && entry->IsHoliday()) {
                holidayOnNumberLine = false;
                drawing.y = r.top + 1;
                drawing.cell.left = r.left + 1 + number.width + canvas.Metrics().averageCharWidth / 2 - 1;
                const int height = DrawEntry(canvas, drawing, settings);
                lines_.push_back(
                    EntryLine { entry, cell.date, Rect { drawing.cell.left, r.top + 1, r.right, r.top + 1 + height } });
            } else {
                const bool overflowing = y > r.bottom - canvas.Metrics().height / 2;
                const int top = y;
                y += DrawEntry(canvas, drawing, settings);
                lines_.push_back(EntryLine { entry, cell.date, Rect { r.left, top, r.right, y } });
                if (overflowing)
                    break; // every further entry would only draw the same overflow mark again
            }
        }
        canvas.SelectFont(settings.Font(FontSetting::Entry));
    } else {
        const bool anyShown = std::any_of(
            cell.entries.begin(), cell.entries.end(), [](const CKalData* entry) { return !entry->Has(flag::kHidden); });
        const Rect icon = ClippedTo(Rect { r.left + 2, y + 2, r.left + 7, y + 7 }, r);
        if (anyShown && !IsEmpty(icon))
            canvas.FillRect(icon, static_cast<Colour>(settings.Get(IntSetting::SchIconColor)));
    }

    if (position >= 1 && position <= 3)
        DrawDayNumber(canvas, cell, selected, settings);
    if (selected)
        canvas.FocusRect(r);
}

Size CKalView::DrawDayNumber(Canvas& canvas, const CMonthCell& cell, bool selected, const CKalSettings& settings)
{
    Colour colour;
    if (cell.HasHoliday())
        colour = settings.Get(ColourSetting::Holiday);
    else if (selected && settings.Get(IntSetting::SelColorMode) != 2)
        colour = kWhite;
    else
        colour = settings.WeekColour(cell.date.DayOfWeek());

    canvas.SelectFont(settings.Font(FontSetting::DayNumber));
    canvas.SetBackground(BackgroundMode::Transparent, cell.colour);
    const std::u16string number = IntText(cell.date.Day());
    const Size size = canvas.TextExtent(number);
    const Rect& r = cell.rect;
    const int position = settings.Get(IntSetting::DayDrawPos);
    Rect box;
    switch (position) {
    case 0:
        box = Rect { r.left + 1, r.top + 1, r.left + 1 + size.width, r.top + 1 + size.height };
        break;
    case 1:
        box = Rect { r.right - size.width, r.top + 1, r.right, r.top + 1 + size.height };
        break;
    case 2:
        box = Rect { r.left + 1, r.bottom - size.height - 1, r.left + 1 + size.width, r.bottom - 1 };
        break;
    case 3:
        box = Rect { r.right - size.width, r.bottom - size.height - 1, r.right, r.bottom - 1 };
        break;
    default: {
        const int left = r.left + (r.Width() - size.width) / 2;
        const int top = r.top + (r.Height() - size.height) / 2;
        box = Rect { left, top, left + size.width, top + size.height };
        break;
    }
    }
    Colour textColour = colour;
    // A number font larger than the cell keeps its square or circle inside the cell.
    const Rect square = ClippedTo(box, r);
    const Rect circle = ClippedTo(box.Inflated(1), r);
    switch (settings.Get(IntSetting::DayDrawFrame)) {
    case 1:
        if (!IsEmpty(square))
            canvas.FillRect(square, colour);
        textColour = colour == kWhite ? kBlack : kWhite;
        break;
    case 2:
        canvas.SetPen(colour, 1);
        if (!IsEmpty(circle))
            canvas.Ellipse(circle, colour);
        canvas.SetPen(kBlack, 1);
        textColour = colour == kWhite ? kBlack : kWhite;
        break;
    default:
        break;
    }
    canvas.SetTextColour(textColour);
    canvas.TextOut(Point { box.left, box.top }, number);

    Size drawn = size;
    if (settings.IsOn(IntSetting::Diary) && DiaryExists(document_.Store().DiaryLocator(), cell.date)) {
        constexpr std::u16string_view kMark = u" [D]";
        const Size mark = canvas.TextExtent(kMark);
        canvas.SetTextColour(colour);
        // The mark is cut at the cell's edge rather than drawn over the neighbour.
        if (position == 1 || position == 3) {
            const int right = r.right - mark.width;
            canvas.DrawText(ClippedTo(Rect { right - mark.width, box.top, right, box.bottom }, r), kMark,
                textflag::kRight | textflag::kSingleLine | textflag::kNoPrefix);
        } else {
            const int right = position == 4 ? r.right : box.right + mark.width;
            canvas.DrawText(ClippedTo(Rect { box.right, box.top, right, box.bottom }, r), kMark,
                textflag::kLeft | textflag::kSingleLine | textflag::kNoPrefix);
        }
        drawn.width += mark.width;
    }
    canvas.SelectFont(settings.Font(FontSetting::Entry));
    return drawn;
}

void CKalView::MoveWithinGrid(int index)
{
    selected_ = index;
    document_.SetCurrentDate(grid_.Cell(index).date);
    if (dayView_)
        dayView_->OnCommand(ID_DAY_LIST_REFILL);
    Invalidate();
}

void CKalView::MoveByDate(CDTime date, int hint)
{
    document_.SetCurrentDate(date);
    Regrid();
    document_.UpdateAllViews(hint);
}

bool CKalView::AtFirstMonth() const
{
    return shown_ == kFirstMonth;
}
bool CKalView::AtLastMonth() const
{
    return shown_ == kLastMonth;
}

void CKalView::MoveDays(int days)
{
    const int index = selected_ + days;
    const bool forward = days > 0;
    const bool inside = forward ? index < grid_.Count() : (days == -1 ? index > 0 : index >= 0);
    if (inside) {
        MoveWithinGrid(index);
        return;
    }
    if (forward ? AtLastMonth() : AtFirstMonth()) {
        Ui::Current().ShowMessage(texts::kCannotGoFurther);
        return;
    }
    const LocalFields f = grid_.Cell(selected_).date.Fields();
    MoveByDate(CDTime(f.year, f.month, f.day + days), hint::kDateMoved);
}

void CKalView::StepMonth(int direction)
{
    if (direction > 0 ? AtLastMonth() : AtFirstMonth()) {
        Ui::Current().ShowMessage(texts::kCannotGoFurther);
        return;
    }
    const CDTime selectedDay = grid_.Cell(selected_).date;
    const CDTime date = direction > 0 ? NextMonth(selectedDay) : PreviousMonth(selectedDay);
    const LocalFields f = date.Fields();
    shown_ = YearMonth { f.year, f.month };
    selected_ = grid_.Fill(date, shown_);
    document_.SetCurrentDate(grid_.Cell(selected_).date);
    document_.UpdateAllViews(hint::kDateMoved);
}

void CKalView::Today()
{
    document_.SetCurrentDate(DateOnly(CDTime::Now()));
    Regrid();
    document_.UpdateAllViews(hint::kDateMoved);
}

void CKalView::ShowDate(CDTime date)
{
    MoveByDate(DateOnly(date), hint::kDateMoved);
}

void CKalView::OnKeyDown(Key key, unsigned modifiers)
{
    if (modifiers != modifier::kNone)
        return;
    switch (key) {
    case Key::Left:
        MoveDays(-1);
        break;
    case Key::Right:
        MoveDays(1);
        break;
    case Key::Up:
        MoveDays(-7);
        break;
    case Key::Down:
        MoveDays(7);
        break;
    default:
        break;
    }
}

void CKalView::OnLButtonDown(Point point)
{
    for (int i = 0; i < grid_.Count(); ++i) {
        if (grid_.Cell(i).rect.Contains(point)) {
            MoveWithinGrid(i);
            return;
        }
    }
}

void CKalView::OnLButtonDblClk(Point point)
{
    for (int i = 0; i < grid_.Count(); ++i) {
        if (grid_.Cell(i).rect.Contains(point)) {
            MoveWithinGrid(i);
            ShowDay();
            return;
        }
    }
}

void CKalView::GoToDate()
{
    const LocalFields selected = grid_.Cell(selected_).date.Fields();
    const std::optional<CivilDate> date
        = document_.Dialogs().AskDate(CivilDate { shown_.year, shown_.month, selected.day });
    if (date)
        MoveByDate(CDTime(date->year, date->month, date->day), hint::kFoundOrJumped);
}

void CKalView::DaysAfter()
{
    const std::optional<int> days = document_.Dialogs().AskDaysAfter();
    if (!days)
        return;
    // Counted in day numbers: however many days were typed, the calendar ends where its years do, and
    // no count may wrap a date round into them.
    const LocalFields f = grid_.Cell(selected_).date.Fields();
    const long long target = DaysFromCivil(f.year, f.month, f.day) + *days;
    if (target < DaysFromCivil(kFirstYear, 1, 1) || target > DaysFromCivil(kLastYear, 12, 31)) {
        Ui::Current().ShowMessage(texts::kCannotGoFurther);
        return;
    }
    const CivilDate date = CivilFromDays(target);
    MoveByDate(CDTime(date.year, date.month, date.day), hint::kDateMoved);
}

void CKalView::ChooseWeekdayColours()
{
    CKalSettings& settings = CKalSettings::Current();
    std::array<Colour, 7> colours {};
    for (int day = 0; day < 7; ++day)
        colours[static_cast<std::size_t>(day)] = settings.WeekColour(day);
    if (const auto chosen = document_.Dialogs().AskWeekdayColours(colours)) {
        for (int day = 0; day < 7; ++day)
            settings.Set(static_cast<ColourSetting>(static_cast<int>(ColourSetting::Week0) + day),
                (*chosen)[static_cast<std::size_t>(day)]);
    }
    document_.UpdateAllViews(hint::kRepaint);
}

// Genre changes renumber and recolour entries, so the grid is built again from the store.
void CKalView::EditGenres()
{
    if (!document_.Dialogs().EditGenres(document_.Store(), document_))
        return;
    document_.UpdateAllViews(hint::kEntriesChanged);
}

void CKalView::ChooseFont(FontSetting font)
{
    CKalSettings& settings = CKalSettings::Current();
    const std::optional<LogFont> chosen = document_.Dialogs().AskFont(settings.Font(font));
    if (!chosen)
        return;
    settings.SetFont(font, *chosen);
    layoutDirty_ = true;
    document_.UpdateAllViews(hint::kRepaint);
}

void CKalView::Search(SearchStep step)
{
    const SearchOutcome outcome = document_.Search(step);
    if (!outcome.ran)
        return;
    if (!outcome.found) {
        Ui::Current().ShowMessage(texts::kNotFound);
        return;
    }
    found = outcome.found;
    // The month shown is the found day's own, even where stepping by days would have moved on to the
    // next month's grid: the title then names the month the day belongs to.
    document_.SetCurrentDate(outcome.day);
    selected_ = grid_.FillHolding(outcome.day, shown_);
    document_.UpdateAllViews(hint::kDateMoved);
}

void CKalView::CopyDayAsText()
{
    const int options = StoredTextCopyOptions();
    const CDTime day = grid_.Cell(selected_).date;
    const std::u16string text = PeriodTextCopy(document_.Store(), day, day, options);
    if (text.empty()) {
        Ui::Current().ShowMessage(exchange::kNoSchedules);
        return;
    }
    Clipboard::Current().SetText(text);
}

void CKalView::ShowDay()
{
    if (!SelectedCell() || !document_.ShowDay(*this))
        return;
    Refill();
    document_.UpdateAllViews(hint::kEntriesChanged);
}

void CKalView::OnTimer(int id)
{
    // The day may have changed while the program ran: today's outline moves with it.
    if (id == kTimerId && DateOnly(CDTime::Now()) != today_)
        Invalidate();
}

void CKalView::ChooseDayColour()
{
    const std::u16string key = DateText(grid_.Cell(selected_).date);
    CKalStore& store = document_.Store();
    const DayColour* current = store.FindDayColour(key);
    const std::optional<Colour> chosen
        = ChooseColour(current ? current->colour : CKalSettings::Current().Get(ColourSetting::Back));
    if (!chosen)
        return;
    DayColour colour { *chosen, current ? current->note : std::u16string() };
    if (current && *current == colour)
        return;
    document_.Apply(StoreOperation(opname::kDayColour).SetDayColour(key, std::move(colour)));
}

void CKalView::ResetDayColour()
{
    if (!Ui::Current().AskYesNo(texts::kAskResetDayColour))
        return;
    const std::u16string key = DateText(grid_.Cell(selected_).date);
    if (!document_.Store().FindDayColour(key))
        return;
    document_.Apply(StoreOperation(opname::kDayColourClear).SetDayColour(key, std::nullopt));
}

void CKalView::ChooseSelectColour()
{
    if (const std::optional<Colour> chosen = ChooseColour(CKalSettings::Current().Get(ColourSetting::Select)))
        CKalSettings::Current().Set(ColourSetting::Select, *chosen);
    document_.UpdateAllViews(hint::kRepaint);
}

namespace {

CKalSettings& Settings()
{
    return CKalSettings::Current();
}

void Toggle(IntSetting setting)
{
    Settings().Set(setting, Settings().IsOn(setting) ? 0 : 1);
}

} // namespace

void CKalView::ToggleSixWeeks()
{
    CKalSettings& settings = CKalSettings::Current();
    settings.Set(IntSetting::MonthWeeks, settings.Weeks() == 6 ? 5 : 6);
    // A new cell array; the fill finds the selected day's place in it again.
    const CDTime selectedDay = grid_.Cell(selected_).date;
    grid_.Create(&document_.Store(), settings.Weeks());
    selected_ = grid_.Fill(selectedDay, shown_);
    layoutDirty_ = true;
    document_.UpdateAllViews(hint::kEntriesChanged);
}

void CKalView::BindCommands()
{
    commands_.Add(ID_GO_NEXT_DAY, [this] { MoveDays(1); });
    commands_.Add(ID_GO_PREVIOUS_DAY, [this] { MoveDays(-1); });
    commands_.Add(ID_GO_NEXT_WEEK, [this] { MoveDays(7); });
    commands_.Add(ID_GO_PREVIOUS_WEEK, [this] { MoveDays(-7); });
    commands_.Add(ID_GO_NEXT_MONTH, [this] { StepMonth(1); });
    commands_.Add(ID_GO_PREVIOUS_MONTH, [this] { StepMonth(-1); });
    commands_.Add(ID_GO_TODAY, [this] { Today(); });
    commands_.Add(ID_VIEW_INITIALISE, [this] { OnInitialUpdate(); });
    commands_.Add(ID_EDIT_PASTE, [this] {
        if (document_.Paste(grid_.Cell(selected_).date))
            document_.UpdateAllViews(hint::kEntriesChanged);
    });
    commands_.Add(ID_SCHEDULE_ADD, [this] {
        if (document_.AddSchedule(grid_.Cell(selected_).date))
            document_.UpdateAllViews(hint::kEntriesChanged);
    });
    commands_.Add(ID_TODO_ADD, [this] {
        if (document_.AddTodo(grid_.Cell(selected_).date))
            document_.UpdateAllViews(hint::kEntriesChanged);
    });
    commands_.Add(ID_SCHEDULE_EDIT, [this] { ShowDay(); });
    commands_.Add(ID_GO_DATE, [this] { GoToDate(); });
    commands_.Add(ID_DAY_TEXT_COPY, [this] { CopyDayAsText(); });
    commands_.Add(ID_DIARY_EDIT, [this] {
        // A new diary gets its mark on the day.
        if (OpenDiary(document_.Store().DiaryLocator(), grid_.Cell(selected_).date))
            Invalidate();
    });
    commands_.Add(ID_EDIT_FIND, [this] { Search(SearchStep::First); });
    commands_.Add(ID_FIND_NEXT, [this] { Search(SearchStep::Next); });
    commands_.Add(ID_FIND_PREVIOUS, [this] { Search(SearchStep::Previous); });
    commands_.Add(ID_GO_DAYS_AFTER, [this] { DaysAfter(); });
    commands_.Add(ID_WEEKDAY_COLOURS, [this] { ChooseWeekdayColours(); });
    commands_.Add(ID_GENRE_SETTINGS, [this] { EditGenres(); });
    for (const auto& [id, font] :
        { std::pair { ID_FONT_YEAR_MONTH, FontSetting::YearMonth }, std::pair { ID_FONT_WEEKDAY, FontSetting::Title },
            std::pair { ID_FONT_DAY_NUMBER, FontSetting::DayNumber },
            std::pair { ID_FONT_SCHEDULE, FontSetting::Entry } })
        commands_.Add(id, [this, font = font] { ChooseFont(font); });
    // The commands that act on one entry act on the day list's selected entry, so that Delete, Ctrl+C
    // and Ctrl+X work wherever the focus is; they are as available as the list makes them.
    for (const int id : { ID_EDIT_CUT, ID_EDIT_COPY, ID_SCHEDULE_DELETE, ID_SCHEDULE_UP, ID_SCHEDULE_DOWN,
             ID_SCHEDULE_COPY_SERIES, ID_SCHEDULE_DETAILS, ID_LINK_FILE_OPEN }) {
        commands_.Add(
            id,
            [this, id] {
                if (dayView_)
                    dayView_->OnCommand(id);
            },
            [this, id] { return dayView_ ? dayView_->StateOf(id) : EnabledIf(false); });
    }
    commands_.Add(ID_DAY_COLOUR, [this] { ChooseDayColour(); });
    commands_.Add(ID_DAY_COLOUR_CLEAR, [this] { ResetDayColour(); });
    commands_.Add(ID_SELECT_COLOUR, [this] { ChooseSelectColour(); });

    for (const int id : { ID_MONTH_NUMBERS, ID_MONTH_ENGLISH }) {
        const int form = id == ID_MONTH_ENGLISH ? 1 : 0;
        commands_.Add(
            id,
            [this, form] {
                Settings().Set(IntSetting::Month, form);
                document_.UpdateAllViews(hint::kRepaint);
            },
            [form] { return CheckedIf(Settings().Get(IntSetting::Month) == form); });
    }
    commands_.Add(
        ID_START_MONDAY,
        [this] {
            Toggle(IntSetting::StartMonday);
            document_.UpdateWeekOrder();
            // The columns move under the selection: the selected day stays selected, in its new cell.
            selected_ = grid_.Fill(grid_.Cell(selected_).date, shown_);
            document_.UpdateAllViews(hint::kDateMoved);
        },
        [] { return CheckedIf(Settings().IsOn(IntSetting::StartMonday)); });
    commands_.Add(
        ID_SIX_WEEKS, [this] { ToggleSixWeeks(); }, [] { return CheckedIf(Settings().Weeks() == 6); });
    commands_.Add(
        ID_MONTH_SCHEDULES,
        [this] {
            Toggle(IntSetting::MonthSchView);
            Invalidate();
        },
        [] { return CheckedIf(Settings().IsOn(IntSetting::MonthSchView)); });
    commands_.Add(
        ID_OTHER_MONTH_COLOUR,
        [this] {
            Toggle(IntSetting::OtherMonthDayColor);
            document_.UpdateAllViews(hint::kOtherMonthColours);
        },
        [] { return CheckedIf(Settings().IsOn(IntSetting::OtherMonthDayColor)); });
    for (int id = ID_TIME_PER_ENTRY; id <= ID_TIME_NONE; ++id) {
        const int mode = id - ID_TIME_PER_ENTRY;
        commands_.Add(
            id,
            [this, mode] {
                Settings().Set(IntSetting::MonthViewTime, mode);
                document_.UpdateAllViews(hint::kEntriesChanged);
            },
            [mode] { return CheckedIf(Settings().Get(IntSetting::MonthViewTime) == mode); });
    }
}

} // namespace kal
