#include "dialogs/ScheduleDialog.h"

#include "dialogs/AlarmDialog.h"
#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "dialogs/TimeInputDialog.h"
#include "settings/KalSettings.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "ui/Ui.h"

#include <array>
#include <cstdio>

namespace kal {

using namespace scheduledialog;

namespace {

std::vector<std::u16string> TimeDisplayItems()
{
    return { std::begin(kTimeDisplayItems), std::end(kTimeDisplayItems) };
}

struct LandscapeTexts {
    const char16_t* startDate;
    const char16_t* endDate;
    const char16_t* startTime;
    const char16_t* endTime;
    const char16_t* dateButton;
    const char16_t* timeButton;
    const char16_t* link;
};

// The wide and the small landscape layouts: dates and times side by side, six columns.
void BuildLandscape(DialogResource& resource, const LandscapeTexts& texts)
{
    LayoutBuilder add(resource);
    add.Label(texts.startDate, 0, 0);
    add.Control(kStartDate, ControlKind::Edit, 0, 1);
    add.Button(kStartDateButton, texts.dateButton, 0, 2);
    add.Label(texts.startTime, 0, 3);
    add.Control(kStartTime, ControlKind::ComboBox, 0, 4, 1, HalfHourTimes());
    add.Button(kStartTimeButton, texts.timeButton, 0, 5);
    add.Label(texts.endDate, 1, 0);
    add.Control(kEndDate, ControlKind::Edit, 1, 1);
    add.Button(kEndDateButton, texts.dateButton, 1, 2);
    add.Label(texts.endTime, 1, 3);
    add.Control(kEndTime, ControlKind::ComboBox, 1, 4, 1, HalfHourTimes());
    add.Button(kEndTimeButton, texts.timeButton, 1, 5);
    add.Label(kContentLabel, 2, 0);
    add.Control(kContent, ControlKind::Edit, 2, 1, 4);
    add.Button(kLink, texts.link, 2, 5);
    add.Label(kPlaceLabel, 3, 0);
    add.Control(kPlace, ControlKind::Edit, 3, 1, 5);
    add.Label(kTimeDisplayLabel, 4, 0);
    add.Control(kTimeDisplay, ControlKind::DropDownList, 4, 1, 1, TimeDisplayItems());
    add.Label(kGenreLabel, 4, 3);
    add.Control(kGenre, ControlKind::DropDownList, 4, 4);
    add.Button(kColour, kColourLabel, 4, 5);
    add.Check(kHidden, kHiddenLabel, 5, 1);
    add.Check(kHoliday, kHolidayLabel, 5, 2);
    add.Check(kBold, kBoldLabel, 5, 4);
    add.Check(kStrikeOut, kStrikeOutLabel, 5, 5);
    add.Button(kRepeat, kRepeatLabel, 6, 0);
    add.Button(kExclusions, kExclusionsLabel, 6, 1);
    add.Button(kAvoidDays, kAvoidDaysLabel, 6, 2, 2);
    add.Button(kAlarm, kAlarmLabel, 6, 4);
    add.Button(kMemo, kMemoLabel, 6, 5);
    add.OkCancel(7, buttontext::kOk, buttontext::kCancel);
}

// The portrait layout: one field a row. A desktop window has no OK in its title bar, so this
// layout carries the dialog's OK and cancel like the others.
void BuildPortrait(DialogResource& resource)
{
    LayoutBuilder add(resource);
    add.Label(kStartDateLabelPortrait, 0, 0);
    add.Control(kStartDate, ControlKind::Edit, 0, 1);
    add.Button(kStartDateButton, kMoreButton, 0, 2);
    add.Label(kTimeLabel, 1, 0);
    add.Control(kStartTime, ControlKind::ComboBox, 1, 1, 1, HalfHourTimes());
    add.Button(kStartTimeButton, kMoreButton, 1, 2);
    add.Label(kEndDateLabelPortrait, 2, 0);
    add.Control(kEndDate, ControlKind::Edit, 2, 1);
    add.Button(kEndDateButton, kMoreButton, 2, 2);
    add.Label(kTimeLabel, 3, 0);
    add.Control(kEndTime, ControlKind::ComboBox, 3, 1, 1, HalfHourTimes());
    add.Button(kEndTimeButton, kMoreButton, 3, 2);
    add.Label(kContentLabel, 4, 0);
    add.Control(kContent, ControlKind::Edit, 4, 1);
    add.Button(kLink, kLinkLabelShort, 4, 2);
    add.Label(kPlaceLabel, 5, 0);
    add.Control(kPlace, ControlKind::Edit, 5, 1, 2);
    add.Label(kTimeDisplayLabel, 6, 0);
    add.Control(kTimeDisplay, ControlKind::DropDownList, 6, 1, 2, TimeDisplayItems());
    add.Label(kGenreLabel, 7, 0);
    add.Control(kGenre, ControlKind::DropDownList, 7, 1);
    add.Button(kColour, kColourLabel, 7, 2);
    add.Check(kHidden, kHiddenLabel, 8, 0);
    add.Check(kHoliday, kHolidayLabel, 8, 1);
    add.Check(kBold, kBoldLabel, 9, 0);
    add.Check(kStrikeOut, kStrikeOutLabel, 9, 1);
    add.Button(kRepeat, kRepeatLabel, 10, 0);
    add.Button(kExclusions, kExclusionsLabel, 10, 1);
    add.Button(kAvoidDays, kAvoidDaysLabel, 10, 2);
    add.Button(kAlarm, kAlarmLabel, 11, 0);
    add.Button(kMemo, kMemoLabel, 11, 1);
    add.OkCancel(12, buttontext::kOk, buttontext::kCancel);
    NarrowFields(resource);
}

std::u16string HourMinuteText(HourMinute time)
{
    std::array<char, 8> buffer {};
    std::snprintf(buffer.data(), buffer.size(), "%02d:%02d", time.hour % 100, time.minute % 100);
    return { buffer.data(), buffer.data() + std::char_traits<char>::length(buffer.data()) };
}

// A date text with its time text, or the date alone when the time text is empty.
std::optional<CDTime> Moment(std::u16string_view date, std::u16string_view time)
{
    if (time.empty())
        return ParseDate(date, YearClamp::Off);
    return ParseDateTime(date, time, YearClamp::Off);
}

struct TypedPeriod {
    std::u16string startDate;
    std::u16string startTime;
    std::u16string endDate;
    std::u16string endTime;

    static TypedPeriod Of(const DialogHost& host)
    {
        return { host.Text(kStartDate), host.Text(kStartTime), host.Text(kEndDate), host.Text(kEndTime) };
    }
    // True when both ends read and the end is earlier than the start. An end without a time is
    // compared at the start's time, so a timed start and an untimed end on the same day pass.
    [[nodiscard]] bool EndsBeforeStart() const
    {
        const std::optional<CDTime> start = Moment(startDate, startTime);
        const std::optional<CDTime> end = Moment(endDate, endTime.empty() ? startTime : endTime);
        return start && end && *end < *start;
    }
};

} // namespace

std::vector<std::u16string> HalfHourTimes()
{
    std::vector<std::u16string> times;
    times.reserve(kTimeItemCount);
    for (int hour = 0; hour < 24; ++hour) {
        times.push_back(HourMinuteText({ hour, 0 }));
        times.push_back(HourMinuteText({ hour, 30 }));
    }
    return times;
}

DialogResource ScheduleDialogResource(EntryLayout layout)
{
    const auto wide = [](DialogResource& resource) {
        BuildLandscape(resource,
            { kStartDateLabelWide, kEndDateLabelWide, kStartTimeLabelWide, kEndTimeLabelWide, kCalendarButton,
                kTimeButton, kLinkLabelWide });
    };
    const auto small = [](DialogResource& resource) {
        BuildLandscape(resource,
            { kStartDateLabelSmall, kEndDateLabelSmall, kTimeLabel, kTimeLabel, kMoreButton, kMoreButton,
                kLinkLabelShort });
    };
    return EntryDialogResource(
        layout, kCaption, { kWideResource, wide }, { kPortraitResource, BuildPortrait }, { kSmallResource, small });
}

ScheduleDialog::ScheduleDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, EntryLayout layout,
    LinkFileEditor linkEditor, WrittenAtOnce writtenAtOnce)
    : EntryDialog(ScheduleDialogResource(layout), { kContent, kGenre, kColour, kLink, kMemo }, store, entry, day, mode,
        std::move(linkEditor), std::move(writtenAtOnce))
{
}

void ScheduleDialog::OnInit(DialogHost& host)
{
    if (mode_ == EntryDialogMode::New) {
        host.SetText(kStartDate, DateText(day_));
        host.SetText(kEndDate, DateText(day_));
        host.SetSelection(kTimeDisplay, CKalSettings::Current().Get(IntSetting::ViewTime));
        repeat_ = RepeatSettings {};
        repeat_.repeatDayFrom = day_.Day();
        repeat_.repeatDayTo = day_.Day();
        exclusions_.clear();
    } else {
        host.SetText(kStartDate, DateText(entry_.start));
        host.SetText(kEndDate, DateText(entry_.end));
        if (entry_.Has(flag::kStartTimeSet))
            host.SetText(kStartTime, TimeText(entry_.start));
        if (entry_.Has(flag::kEndTimeSet))
            host.SetText(kEndTime, TimeText(entry_.end));
        host.SetText(kContent, entry_.text);
        host.SetText(kPlace, entry_.place);
        host.SetChecked(kHidden, entry_.Has(flag::kHidden));
        host.SetChecked(kHoliday, entry_.Has(flag::kHoliday));
        host.SetSelection(kTimeDisplay, entry_.timeDisplay);
        host.SetChecked(kBold, (entry_.textStyle & textstyle::kBold) != 0);
        host.SetChecked(kStrikeOut, (entry_.textStyle & textstyle::kStrikeOut) != 0);
        repeat_ = RepeatSettings::Of(entry_);
        exclusions_ = entry_.exclusions;
    }
    ShowGenreColourLink(host, store_.DefaultScheduleGenre());
    EnableLinkAndFocusContent(host);
}

void ScheduleDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (OnSharedControl(host, id, notification) || notification != Notification::Clicked)
        return;
    switch (id) {
    case kStartDateButton:
        PickDate(host, kStartDate, kEndDate);
        break;
    case kEndDateButton:
        PickDate(host, kEndDate, kStartDate);
        break;
    case kStartTimeButton:
        PickTime(host, kStartTime, kEndTime);
        break;
    case kEndTimeButton:
        PickTime(host, kEndTime, kStartTime);
        break;
    case kRepeat:
        EditRepetition(host);
        break;
    case kExclusions:
        if (std::optional<std::vector<ExclusionPeriod>> edited = EditExclusions(exclusions_))
            exclusions_ = std::move(*edited);
        break;
    case kAvoidDays:
        if (const std::optional<std::uint32_t> avoidDays = EditAvoidDays(entry_.avoidDays)) {
            entry_.avoidDays = *avoidDays;
            TellWrittenAtOnce(opname::kAvoidDays);
        }
        break;
    case kAlarm:
        if (const std::optional<int> minutes = AskAlarm(entry_.alarmMinutes)) {
            entry_.alarmMinutes = *minutes;
            TellWrittenAtOnce(opname::kAlarm);
        }
        break;
    default:
        break;
    }
}

void ScheduleDialog::PickDate(DialogHost& host, int editId, int otherEditId)
{
    if (!PickDateInto(host, editId))
        return;
    // The picked date wins: the other end follows it rather than leaving an inverted period.
    if (TypedPeriod::Of(host).EndsBeforeStart())
        host.SetText(otherEditId, host.Text(editId));
}

void ScheduleDialog::PickTime(DialogHost& host, int editId, int otherEditId)
{
    const LocalFields now = CDTime::Now().Fields();
    HourMinute initial { now.hour, now.minute };
    if (const std::optional<HourMinute> own = ParseHourMinute(host.Text(editId)))
        initial = *own;
    else if (const std::optional<HourMinute> other = ParseHourMinute(host.Text(otherEditId)))
        initial = *other;
    if (const std::optional<HourMinute> chosen = AskTime(initial))
        host.SetText(editId, HourMinuteText(*chosen));
}

void ScheduleDialog::EditRepetition(DialogHost& host)
{
    const CDTime fallback = DateOnly(day_);
    const RepeatPeriod period { ParseDate(host.Text(kStartDate), YearClamp::Off).value_or(fallback),
        ParseDate(host.Text(kEndDate), YearClamp::Off).value_or(fallback) };
    const std::optional<RepeatChange> change = EditRepeat(repeat_, period);
    if (!change)
        return;
    repeat_ = change->settings;
    host.SetText(kStartDate, DateText(change->period.first));
    host.SetText(kEndDate, DateText(change->period.last));
}

bool ScheduleDialog::OnOk(DialogHost& host)
{
    return WriteIfAccepted([&](CKalData& edited) { return ReadInto(host, edited); });
}

bool ScheduleDialog::ReadInto(DialogHost& host, CKalData& edited) const
{
    TypedPeriod typed = TypedPeriod::Of(host);
    if (typed.endDate.empty())
        typed.endDate = typed.startDate;

    const std::optional<CDTime> start = Moment(typed.startDate, typed.startTime);
    if (!start)
        return RefuseField(host, kStartDate, kBadStart);
    edited.start = *start;
    edited.Set(flag::kStartTimeSet, !typed.startTime.empty());
    const std::optional<CDTime> end = Moment(typed.endDate, typed.endTime);
    if (!end)
        return RefuseField(host, kEndDate, kBadEnd);
    edited.end = *end;
    edited.Set(flag::kEndTimeSet, !typed.endTime.empty());
    if (typed.EndsBeforeStart())
        return RefuseField(host, kEndDate, kEndBeforeStart);

    edited.text = host.Text(kContent);
    edited.place = host.Text(kPlace);
    edited.Set(flag::kHidden, host.IsChecked(kHidden));
    edited.Set(flag::kHoliday, host.IsChecked(kHoliday));
    WriteGenreColourLink(host, edited);
    edited.timeDisplay = SelectionOr(host, kTimeDisplay, edited.timeDisplay);
    int style = edited.textStyle & ~(textstyle::kBold | textstyle::kStrikeOut);
    if (host.IsChecked(kBold))
        style |= textstyle::kBold;
    if (host.IsChecked(kStrikeOut))
        style |= textstyle::kStrikeOut;
    edited.textStyle = style;
    repeat_.WriteTo(edited);
    edited.exclusions = exclusions_;
    return true;
}

bool RunScheduleDialog(CKalStore& store, CKalData& entry, CDTime day, EntryDialogMode mode, LinkFileEditor linkEditor,
    WrittenAtOnce writtenAtOnce)
{
    return RunEntryDialog<ScheduleDialog>(store, entry, day, mode, std::move(linkEditor), std::move(writtenAtOnce));
}

} // namespace kal
