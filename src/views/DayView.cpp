#include "views/DayView.h"

#include "platform/Clipboard.h"
#include "platform/Profile.h"
#include "settings/KalSettings.h"
#include "store/EntryClipboard.h"
#include "store/EntryText.h"
#include "store/KalStore.h"
#include "ui/CommandIds.h"
#include "ui/UpdateHints.h"
#include "views/ColourChooser.h"
#include "views/DayEntryMove.h"
#include "views/EntryDrawer.h"
#include "views/KalView.h"
#include "views/ViewDialogs.h"

#include <algorithm>

namespace kal {

namespace {

// Calendar commands the list hands to the month view as if chosen there.
constexpr int kPassedToMonthView[] = { ID_GO_NEXT_MONTH, ID_GO_PREVIOUS_MONTH, ID_GO_DATE, ID_GO_NEXT_WEEK,
    ID_GO_PREVIOUS_WEEK, ID_GO_DAYS_AFTER, ID_GO_TODAY, ID_GO_NEXT_DAY, ID_GO_PREVIOUS_DAY, ID_DIARY_EDIT,
    ID_GENRE_SETTINGS, ID_DAY_COLOUR, ID_DAY_COLOUR_CLEAR, ID_EDIT_FIND, ID_FIND_NEXT, ID_FIND_PREVIOUS,
    ID_WEEKDAY_COLOURS, ID_START_MONDAY, ID_SIX_WEEKS, ID_MONTH_NUMBERS, ID_MONTH_ENGLISH, ID_EDIT_PASTE };

} // namespace

CDayView::CDayView(ViewDocument& document, CKalView& monthView)
    : document_(document)
    , monthView_(monthView)
{
    BindCommands();
}

void CDayView::SetWindow(ListWindow* window)
{
    window_ = window;
    ApplyLook();
}

void CDayView::ApplyLook()
{
    if (window_) {
        const CKalSettings& settings = CKalSettings::Current();
        window_->ApplyLook(settings.Font(FontSetting::DayList), settings.Get(ColourSetting::DayBack));
    }
}

std::u16string CDayView::RowText(const CKalData& entry, CDTime day, int timeMode, bool countdown)
{
    std::u16string row;
    constexpr std::size_t kMarksAndTimes = 32; // "[Todo]", the style marks, the times, "@", a countdown
    row.reserve(kMarksAndTimes + entry.text.size() + entry.place.size());
    if (entry.IsTodo())
        row += u"[Todo]";
    if (entry.textStyle & textstyle::kStrikeOut)
        row += u"×";
    if (entry.textStyle & textstyle::kBold)
        row += u"●";
    AppendEntryLineOn(row, entry, day, TimeModeFromSetting(timeMode), countdown ? Countdown::On : Countdown::Off);
    return row;
}

CKalData* CDayView::SelectedEntry() const
{
    if (!cell_ || selection_ < 0 || selection_ >= static_cast<int>(cell_->entries.size()))
        return nullptr;
    return cell_->entries[static_cast<std::size_t>(selection_)];
}

std::optional<CKalView::EntryLine> CDayView::DraggableRow(int row) const
{
    if (!cell_ || row < 0 || row >= static_cast<int>(cell_->entries.size()))
        return std::nullopt;
    CKalData* entry = cell_->entries[static_cast<std::size_t>(row)];
    if (monthView_.Grid().IsGenerated(entry))
        return std::nullopt;
    return CKalView::EntryLine { entry, cell_->date, Rect {} };
}

void CDayView::Fill(int selectRow)
{
    rows_.clear();
    cell_ = monthView_.SelectedCell();
    if (cell_) {
        const int mode = CKalSettings::Current().Get(IntSetting::DayViewTime);
        const bool countdown = ReadSetting(Profile::Current(), ProfileIntSetting::TodoLeftDraw) != 0;
        rows_.reserve(cell_->entries.size());
        for (const CKalData* entry : cell_->entries) {
            std::u16string row = RowText(*entry, cell_->date, mode, countdown);
            const std::u16string_view shown = ListRowPart(row);
            if (shown.size() == row.size())
                rows_.push_back(std::move(row));
            else
                rows_.emplace_back(shown);
        }
    }
    const int last = static_cast<int>(rows_.size()) - 1;
    selection_ = rows_.empty() ? -1 : std::clamp(selectRow, 0, last);
    if (window_)
        window_->ShowRows(rows_, selection_);
}

void CDayView::OnUpdate(int hint, const CKalData* entry)
{
    if ((hint & hint::kRemovingEntry) && cell_ && entry)
        std::erase(cell_->entries, entry);
    if (hint & hint::kEntriesChanged)
        Fill(0);
    if (hint & hint::kDateMoved) {
        Fill(0);
        if (monthView_.found && cell_) {
            const auto found = std::find(cell_->entries.begin(), cell_->entries.end(), monthView_.found);
            if (found != cell_->entries.end()) {
                selection_ = static_cast<int>(found - cell_->entries.begin());
                if (window_)
                    window_->ShowRows(rows_, selection_);
            }
            monthView_.found = nullptr;
        }
    }
}

void CDayView::ChangedSoRefill()
{
    if (window_)
        window_->FocusList();
    document_.UpdateAllViews(hint::kEntriesChanged);
}

void CDayView::MoveSelected(int direction)
{
    const int row = selection_;
    if (!cell_ || !MoveDayEntry(document_, *cell_, row, direction))
        return;
    // The update refills the list on its first row; the moved entry's row is selected after it.
    document_.UpdateAllViews(hint::kEntriesChanged);
    Fill(row + direction);
    if (window_)
        window_->FocusList();
}

void CDayView::CopySelected()
{
    if (const CKalData* entry = SelectedEntry())
        Clipboard::Current().SetText(EntryClipboardText(*entry));
}

void CDayView::CutSelected()
{
    CKalData* entry = SelectedEntry();
    if (!entry)
        return;
    const int row = selection_;
    if (!document_.CutEntry(entry, cell_->date))
        return;
    if (window_)
        window_->FocusList();
    Fill(row);
}

void CDayView::CopySelectedContinuously()
{
    const CKalData* entry = SelectedEntry();
    if (!entry || !document_.CopyContinuously(*entry))
        return;
    if (window_)
        window_->FocusList();
    document_.UpdateAllViews(hint::kEntriesChanged);
}

void CDayView::ChooseFont()
{
    CKalSettings& settings = CKalSettings::Current();
    const std::optional<LogFont> chosen = document_.Dialogs().AskFont(settings.Font(FontSetting::DayList));
    if (!chosen)
        return;
    settings.SetFont(FontSetting::DayList, *chosen);
    ApplyLook();
    Fill(0);
    document_.UpdateAllViews(hint::kRepaint);
}

void CDayView::ChooseBackColour()
{
    CKalSettings& settings = CKalSettings::Current();
    const std::optional<Colour> chosen = ChooseColour(settings.Get(ColourSetting::DayBack));
    if (!chosen)
        return;
    settings.Set(ColourSetting::DayBack, *chosen);
    ApplyLook();
    document_.UpdateAllViews(hint::kRepaint);
}

void CDayView::ChooseSelectColour()
{
    CKalSettings& settings = CKalSettings::Current();
    if (const std::optional<Colour> chosen = ChooseColour(settings.Get(ColourSetting::DaySelect)))
        settings.Set(ColourSetting::DaySelect, *chosen);
    document_.UpdateAllViews(hint::kRepaint);
}

void CDayView::EditSelected()
{
    CKalData* entry = SelectedEntry();
    if (entry && document_.EditEntry(entry, cell_->date))
        ChangedSoRefill();
}

void CDayView::AddOnDay(EntryKind kind)
{
    if (!cell_)
        return;
    const CDTime day = cell_->date;
    const bool added = kind == EntryKind::Todo ? document_.AddTodo(day) != nullptr : document_.AddSchedule(day);
    if (added)
        ChangedSoRefill();
}

void CDayView::EditSelectedMemo()
{
    if (CKalData* entry = SelectedEntry())
        (void)document_.EditMemo(entry);
    if (window_)
        window_->FocusList();
}

void CDayView::DeleteSelected()
{
    CKalData* entry = SelectedEntry();
    if (entry && document_.DeleteEntry(entry, cell_->date))
        ChangedSoRefill();
}

void CDayView::BindCommands()
{
    const auto selected = [this] { return EnabledIf(SelectedEntry() != nullptr); };
    commands_.Add(ID_DAY_LIST_REFILL, [this] { Fill(0); });
    commands_.Add(ID_VIEW_INITIALISE, [this] { Fill(0); });
    commands_.Add(
        ID_SCHEDULE_UP, [this] { MoveSelected(-1); }, [this] { return EnabledIf(selection_ >= 1); });
    commands_.Add(
        ID_SCHEDULE_DOWN, [this] { MoveSelected(1); },
        [this] { return EnabledIf(selection_ >= 0 && selection_ + 1 < static_cast<int>(rows_.size())); });
    commands_.Add(
        ID_SCHEDULE_DELETE, [this] { DeleteSelected(); }, selected);
    commands_.Add(
        ID_SCHEDULE_EDIT, [this] { EditSelected(); }, selected);
    commands_.Add(
        ID_SCHEDULE_ADD, [this] { AddOnDay(EntryKind::Schedule); }, [this] { return EnabledIf(cell_ != nullptr); });
    commands_.Add(
        ID_TODO_ADD, [this] { AddOnDay(EntryKind::Todo); }, [this] { return EnabledIf(cell_ != nullptr); });
    commands_.Add(
        ID_SCHEDULE_DETAILS, [this] { EditSelectedMemo(); }, selected);
    commands_.Add(
        ID_EDIT_COPY, [this] { CopySelected(); }, selected);
    commands_.Add(
        ID_EDIT_CUT, [this] { CutSelected(); }, selected);
    commands_.Add(
        ID_SCHEDULE_COPY_SERIES, [this] { CopySelectedContinuously(); }, selected);
    // A to-do is no appointment: the command is off for it rather than claiming an add.
    commands_.Add(
        ID_OUTLOOK_ADD,
        [this] {
            if (const CKalData* entry = SelectedEntry(); entry && cell_)
                document_.AddToCalendar(*entry, cell_->date);
        },
        [this] { return EnabledIf(SelectedEntry() != nullptr && !SelectedEntry()->IsTodo()); });
    commands_.Add(
        ID_LINK_FILE_OPEN,
        [this] {
            // A new link shows its mark on the entry at once.
            if (document_.OpenLinkFile(SelectedEntry()))
                document_.UpdateAllViews(hint::kEntriesChanged);
        },
        selected);
    commands_.Add(ID_FONT_LIST, [this] { ChooseFont(); });
    commands_.Add(ID_BACK_COLOUR, [this] { ChooseBackColour(); });
    commands_.Add(ID_SELECT_COLOUR, [this] { ChooseSelectColour(); });
    for (int id = ID_TIME_PER_ENTRY; id <= ID_TIME_NONE; ++id) {
        const int mode = id - ID_TIME_PER_ENTRY;
        commands_.Add(
            id,
            [this, mode] {
                CKalSettings::Current().Set(IntSetting::DayViewTime, mode);
                document_.UpdateAllViews(hint::kEntriesChanged);
            },
            [mode] { return CheckedIf(CKalSettings::Current().Get(IntSetting::DayViewTime) == mode); });
    }
    BindPassedOn();
}

void CDayView::BindPassedOn()
{
    for (const int id : kPassedToMonthView) {
        // A command the month view does not handle stays unbound here, so that it still reaches the
        // document or the frame behind the active view.
        CommandState ignored;
        if (!monthView_.OnUpdateCommand(id, ignored))
            continue;
        // The list keeps the keyboard, and the commands look here as they look there.
        commands_.Add(
            id,
            [this, id] {
                monthView_.OnCommand(id);
                if (window_)
                    window_->FocusList();
            },
            [this, id] { return monthView_.StateOf(id); });
    }
}

} // namespace kal
