#include "dialogs/TodoDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "dialogs/NumberText.h"
#include "settings/KalSettings.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "ui/Ui.h"

namespace kal {

using namespace tododialog;

namespace {

constexpr NumberRule kDayCountRule { NumberRule::Sign::Unsigned };

std::vector<std::u16string> PriorityItems()
{
    return { std::begin(kPriorityItems), std::end(kPriorityItems) };
}

struct LayoutTexts {
    const char16_t* done;
    const char16_t* hidden;
    const char16_t* link;
};

// The wide and the small landscape layouts: six columns.
void BuildLandscape(DialogResource& resource, const LayoutTexts& texts)
{
    LayoutBuilder add(resource);
    add.Label(kDeadlineLabel, 0, 0);
    add.Control(kDeadline, ControlKind::Edit, 0, 1);
    add.Button(kDeadlineButton, kCalendarButton, 0, 2);
    add.Check(kShowBefore, kShowBeforeLabel, 0, 3);
    add.Number(kDaysBefore, kDayCountRule, 0, 4);
    add.Label(kDaysBeforeSuffix, 0, 5);
    add.Label(kCompletionLabel, 1, 0);
    add.Control(kCompletion, ControlKind::Edit, 1, 1);
    add.Button(kCompletionButton, kCalendarButton, 1, 2);
    add.Check(kDone, texts.done, 1, 3, 3);
    add.Label(kPriorityLabel, 2, 0);
    add.Control(kPriority, ControlKind::DropDownList, 2, 1, 1, PriorityItems());
    add.Check(kHidden, texts.hidden, 2, 3, 3);
    add.Label(kContentLabel, 3, 0);
    add.Control(kContent, ControlKind::Edit, 3, 1, 5);
    add.Label(kPlaceLabel, 4, 0);
    add.Control(kPlace, ControlKind::Edit, 4, 1, 5);
    add.Label(kGenreLabel, 5, 0);
    add.Control(kGenre, ControlKind::DropDownList, 5, 1);
    add.Button(kColour, kColourLabel, 5, 2);
    add.Button(kLink, texts.link, 5, 3);
    add.Button(kMemo, kMemoLabel, 5, 4, 2);
    add.OkCancel(6, buttontext::kOk, buttontext::kCancel);
}

// The portrait layout: three columns.
void BuildPortrait(DialogResource& resource)
{
    LayoutBuilder add(resource);
    add.Check(kDone, kDoneLabelPortrait, 0, 0);
    add.Check(kHidden, kHiddenLabelPortrait, 0, 1, 2);
    add.Label(kDeadlineLabel, 1, 0);
    add.Control(kDeadline, ControlKind::Edit, 1, 1);
    add.Button(kDeadlineButton, kCalendarButton, 1, 2);
    add.Check(kShowBefore, kShowBeforeLabel, 2, 0);
    add.Number(kDaysBefore, kDayCountRule, 2, 1);
    add.Label(kDaysBeforeSuffix, 2, 2);
    add.Label(kCompletionLabel, 3, 0);
    add.Control(kCompletion, ControlKind::Edit, 3, 1);
    add.Button(kCompletionButton, kCalendarButton, 3, 2);
    add.Label(kPriorityLabel, 4, 0);
    add.Control(kPriority, ControlKind::DropDownList, 4, 1, 2, PriorityItems());
    add.Label(kContentLabel, 5, 0);
    add.Control(kContent, ControlKind::Edit, 5, 1, 2);
    add.Label(kPlaceLabel, 6, 0);
    add.Control(kPlace, ControlKind::Edit, 6, 1, 2);
    add.Label(kGenreLabel, 7, 0);
    add.Control(kGenre, ControlKind::DropDownList, 7, 1);
    add.Button(kColour, kColourLabel, 7, 2);
    add.Button(kLink, kLinkLabel, 8, 0);
    add.Button(kMemo, kMemoLabel, 8, 1);
    add.OkCancel(9, buttontext::kOk, buttontext::kCancel);
    NarrowFields(resource);
}

} // namespace

DialogResource TodoDialogResource(EntryLayout layout)
{
    const auto wide = [](DialogResource& resource) {
        BuildLandscape(resource, { kDoneLabelWide, kHiddenLabelWide, kLinkLabel });
    };
    const auto small = [](DialogResource& resource) {
        BuildLandscape(resource, { kDoneLabelSmall, kHiddenLabelSmall, kLinkLabelSmall });
    };
    return EntryDialogResource(
        layout, kCaption, { kWideResource, wide }, { kPortraitResource, BuildPortrait }, { kSmallResource, small });
}

TodoDialog::TodoDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, EntryLayout layout,
    LinkFileEditor linkEditor, WrittenAtOnce writtenAtOnce)
    : EntryDialog(TodoDialogResource(layout), { kContent, kGenre, kColour, kLink, kMemo }, store, entry, day, mode,
        std::move(linkEditor), std::move(writtenAtOnce))
{
}

void TodoDialog::OnInit(DialogHost& host)
{
    int daysBefore = -1;
    if (mode_ == EntryDialogMode::New) {
        const CKalSettings& settings = CKalSettings::Current();
        if (settings.IsOn(IntSetting::DefaultKigen)) {
            const LocalFields d = day_.Fields();
            host.SetText(kDeadline, DateText(CDTime(d.year, d.month, d.day + settings.Get(IntSetting::DefaultDays))));
        }
        host.SetSelection(kPriority, kNewPriority);
    } else {
        host.SetChecked(kDone, entry_.Has(flag::kDone));
        host.SetChecked(kHidden, entry_.Has(flag::kHidden));
        if (!entry_.Has(flag::kNoDeadline))
            host.SetText(kDeadline, DateText(entry_.start));
        if (entry_.Has(flag::kDone))
            host.SetText(kCompletion, DateText(entry_.end));
        host.SetText(kContent, entry_.text);
        host.SetText(kPlace, entry_.place);
        host.SetSelection(kPriority, entry_.priority);
        daysBefore = entry_.showDaysBefore;
    }
    ShowGenreColourLink(host, store_.DefaultTodoGenre());
    const bool showBefore = daysBefore != -1;
    host.SetChecked(kShowBefore, showBefore);
    host.SetText(kDaysBefore, NumberText(showBefore ? daysBefore : 0));
    host.Enable(kDaysBefore, showBefore);
    const bool done = host.IsChecked(kDone);
    host.Enable(kCompletion, done);
    host.Enable(kCompletionButton, done);
    EnableLinkAndFocusContent(host);
}

void TodoDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (OnSharedControl(host, id, notification) || notification != Notification::Clicked)
        return;
    switch (id) {
    case kDone:
        OnDoneClicked(host);
        break;
    case kShowBefore:
        host.Enable(kDaysBefore, host.IsChecked(kShowBefore));
        break;
    case kDeadlineButton:
        PickDateInto(host, kDeadline);
        break;
    case kCompletionButton:
        PickDateInto(host, kCompletion);
        break;
    default:
        break;
    }
}

void TodoDialog::OnDoneClicked(DialogHost& host)
{
    const bool done = host.IsChecked(kDone);
    host.Enable(kCompletion, done);
    host.Enable(kCompletionButton, done);
    // Unticking keeps the text: ticking again brings the same date back.
    if (done && host.Text(kCompletion).empty())
        host.SetText(kCompletion, DateText(CDTime::Now()));
}

bool TodoDialog::OnOk(DialogHost& host)
{
    return WriteIfAccepted([&](CKalData& edited) { return ReadInto(host, edited); });
}

bool TodoDialog::ReadInto(DialogHost& host, CKalData& edited) const
{
    const std::u16string deadline = host.Text(kDeadline);
    std::u16string completion = host.Text(kCompletion);
    if (completion.empty())
        completion = deadline;

    if (deadline.empty()) {
        edited.Set(flag::kNoDeadline, true);
        edited.start = CDTime::Now();
    } else {
        const std::optional<CDTime> start = ReadDateField(host, kDeadline, kBadDate);
        if (!start)
            return false;
        edited.Set(flag::kNoDeadline, false);
        edited.start = *start;
    }
    const bool done = host.IsChecked(kDone);
    if (done) {
        const std::optional<CDTime> end = ParseDate(completion, YearClamp::Off);
        if (!end)
            return RefuseField(host, kCompletion, kBadDate);
        edited.end = *end;
    }

    edited.showDaysBefore = host.IsChecked(kShowBefore) ? host.Number(kDaysBefore).value_or(-1) : -1;
    edited.text = host.Text(kContent);
    edited.priority = SelectionOr(host, kPriority, edited.priority);
    edited.Set(flag::kHidden, host.IsChecked(kHidden));
    edited.Set(flag::kDone, done);
    edited.Set(flag::kIsTodo, true);
    WriteGenreColourLink(host, edited);
    edited.place = host.Text(kPlace);
    return true;
}

bool RunTodoDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, LinkFileEditor linkEditor,
    WrittenAtOnce writtenAtOnce)
{
    return RunEntryDialog<TodoDialog>(store, entry, day, mode, std::move(linkEditor), std::move(writtenAtOnce));
}

} // namespace kal
