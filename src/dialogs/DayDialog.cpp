#include "dialogs/DayDialog.h"

#include "platform/Clipboard.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/EntryClipboard.h"
#include "store/EntryText.h"
#include "store/KalStore.h"
#include "ui/Ui.h"
#include "views/DayEntryMove.h"
#include "views/DiaryFiles.h"
#include "views/EntryDrawer.h"
#include "views/KalView.h"
#include "views/ViewDocument.h"

#include <algorithm>
#include <limits>

namespace kal {

namespace {

// Wide enough for a timed entry with a place, tall enough for a busy day.
constexpr Size kListCells { 40, 14 };

// A row past any list: the selection clamps it to the last row.
constexpr int kLastRow = std::numeric_limits<int>::max();

// `format` with each "%d" replaced by the next of `values`.
std::u16string FormatNumbers(std::u16string_view format, std::initializer_list<int> values)
{
    std::u16string text;
    auto value = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'd' && value != values.end()) {
            AppendInt(text, *value++);
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

} // namespace

DayDialog::DayDialog(ViewDocument& document, CKalView& monthView)
    : document_(document)
    , monthView_(monthView)
{
    using namespace daydialog;
    resource_.id = kResourceId;
    resource_.caption = kTitle;
    ControlResource list { kList, ControlKind::ListBox, {}, {}, 0, 0, 11, 1 };
    list.cells = kListCells;
    const auto button = [](int id, const char16_t* text, int row) {
        return ControlResource { id, ControlKind::PushButton, text, {}, row, 1 };
    };
    resource_.controls = {
        list,
        button(kAdd, kAddText, 0),
        button(kTodo, kTodoText, 1),
        button(kEdit, kEditText, 2),
        button(kDelete, kDeleteText, 3),
        button(kCopy, kCopyText, 4),
        button(kCut, kCutText, 5),
        button(kDiary, kDiaryText, 6),
        button(kLink, kLinkText, 7),
        button(kDetails, kDetailsText, 8),
        button(kUp, kUpText, 9),
        button(kDown, kDownText, 10),
        { kClose, ControlKind::DefaultButton, kCloseText, {}, 11, 0 },
    };
}

std::u16string DayDialog::RowText(const CKalData& entry, CDTime day)
{
    std::u16string row;
    if (entry.IsTodo())
        row += daydialog::kTodoPrefix;
    const int mode = CKalSettings::Current().Get(IntSetting::DayViewTime);
    const bool countdown = ReadSetting(Profile::Current(), ProfileIntSetting::TodoLeftDraw) != 0;
    row += EntryLine(entry, day, TimeModeFromSetting(mode), countdown ? Countdown::On : Countdown::Off);
    return std::u16string(ListRowPart(row));
}

void DayDialog::OnInit(DialogHost& host)
{
    cell_ = monthView_.SelectedCell();
    if (cell_) {
        const LocalFields f = cell_->date.Fields();
        host.SetCaption(FormatNumbers(daydialog::kCaptionFormat, { f.year, f.month, f.day }));
    }
    Fill(host, 0);
    host.SetFocus(daydialog::kList);
}

void DayDialog::Fill(DialogHost& host, int row)
{
    std::vector<std::u16string> rows;
    if (cell_) {
        for (const CKalData* entry : cell_->entries)
            rows.push_back(RowText(*entry, cell_->date));
    }
    host.SetItems(daydialog::kList, rows);
    const int last = static_cast<int>(rows.size()) - 1;
    host.SetSelection(daydialog::kList, rows.empty() ? -1 : std::clamp(row, 0, last));
}

void DayDialog::Refill(DialogHost& host, int row)
{
    changed_ = true;
    cell_ = monthView_.RefillSelectedCell();
    Fill(host, row);
    host.SetFocus(daydialog::kList);
}

CKalData* DayDialog::SelectedEntry(const DialogHost& host) const
{
    const int row = host.Selection(daydialog::kList);
    if (!cell_ || row < 0 || row >= static_cast<int>(cell_->entries.size()))
        return nullptr;
    return cell_->entries[static_cast<std::size_t>(row)];
}

void DayDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    using namespace daydialog;
    if (id == kList) {
        if (notification == Notification::DoubleClicked)
            Edit(host);
        return;
    }
    if (notification != Notification::Clicked)
        return;
    switch (id) {
    case kAdd:
        Add(host, EntryKind::Schedule);
        break;
    case kTodo:
        Add(host, EntryKind::Todo);
        break;
    case kEdit:
        Edit(host);
        break;
    case kDelete:
        Delete(host);
        break;
    case kCopy:
        Copy(host);
        break;
    case kCut:
        Cut(host);
        break;
    case kDetails:
        EditMemo(host);
        break;
    case kDiary:
        // The month view marks the day once the diary exists.
        if (cell_ && OpenDiary(document_.Store().DiaryLocator(), cell_->date))
            changed_ = true;
        break;
    case kLink:
        if (CKalData* entry = SelectedEntry(host); entry && document_.OpenLinkFile(entry))
            changed_ = true;
        break;
    case kUp:
        Move(host, -1);
        break;
    case kDown:
        Move(host, 1);
        break;
    default:
        break;
    }
}

bool DayDialog::OnKey(DialogHost& host, Key key, unsigned modifiers)
{
    if (modifiers != modifier::kNone)
        return false;
    // F2 stands in for the handheld's soft key, which opened the entry whatever the option said.
    const bool opens = key == Key::F2 || (key == Key::Enter && CKalSettings::Current().IsOn(IntSetting::EnterSch));
    if (!opens)
        return false;
    Edit(host);
    return true;
}

void DayDialog::Add(DialogHost& host, EntryKind kind)
{
    if (!cell_)
        return;
    const CDTime day = cell_->date;
    const bool added = kind == EntryKind::Todo ? document_.AddTodo(day) != nullptr : document_.AddSchedule(day);
    if (!added)
        return;
    Refill(host, kLastRow);
}

void DayDialog::Edit(DialogHost& host)
{
    CKalData* entry = SelectedEntry(host);
    if (!entry)
        return;
    const int row = host.Selection(daydialog::kList);
    if (document_.EditEntry(entry, cell_->date))
        Refill(host, row);
}

void DayDialog::Delete(DialogHost& host)
{
    CKalData* entry = SelectedEntry(host);
    if (!entry)
        return;
    const int row = host.Selection(daydialog::kList);
    if (document_.DeleteEntry(entry, cell_->date))
        Refill(host, row);
}

void DayDialog::Copy(const DialogHost& host)
{
    if (const CKalData* entry = SelectedEntry(host))
        Clipboard::Current().SetText(EntryClipboardText(*entry));
}

void DayDialog::Cut(DialogHost& host)
{
    CKalData* entry = SelectedEntry(host);
    if (!entry)
        return;
    const int row = host.Selection(daydialog::kList);
    if (document_.CutEntry(entry, cell_->date))
        Refill(host, row);
}

void DayDialog::EditMemo(DialogHost& host)
{
    if (CKalData* entry = SelectedEntry(host); entry && document_.EditMemo(entry))
        changed_ = true;
    host.SetFocus(daydialog::kList);
}

void DayDialog::Move(DialogHost& host, int direction)
{
    const int row = host.Selection(daydialog::kList);
    if (cell_ && MoveDayEntry(document_, *cell_, row, direction))
        Refill(host, row + direction);
}

bool RunDayDialog(ViewDocument& document, CKalView& monthView)
{
    DayDialog dialog(document, monthView);
    (void)Ui::Current().RunDialog(dialog);
    return dialog.Changed();
}

} // namespace kal
