#include "dialogs/TimeInputDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/NumberText.h"
#include "ui/Ui.h"

namespace kal {

namespace {

using namespace timeinputdialog;

constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kHourPage = 4;
constexpr int kMinutePage = 10;

struct Field {
    int edit;
    int bar;
    int last;
    int page;
};

constexpr Field kFields[] = {
    { kHour, kHourBar, kLastHour, kHourPage },
    { kMinute, kMinuteBar, kLastMinute, kMinutePage },
};

const Field* FieldOf(int id)
{
    for (const Field& field : kFields) {
        if (field.edit == id || field.bar == id)
            return &field;
    }
    return nullptr;
}

ControlResource NumberField(int id, int last, int column)
{
    ControlResource control { id, ControlKind::NumberEdit, {}, {}, 0, column };
    control.number = NumberRule { NumberRule::Sign::Signed, true, 0, last };
    return control;
}

// The value the field shows: what was typed when it is in range, else where its bar stands.
int CurrentValue(const DialogHost& host, const Field& field)
{
    const std::optional<int> typed = host.Number(field.edit);
    if (typed && *typed >= 0 && *typed <= field.last)
        return *typed;
    return host.Position(field.bar);
}

void Show(DialogHost& host, const Field& field, int value)
{
    host.SetText(field.edit, NumberText(value));
    host.SetPosition(field.bar, value);
}

} // namespace

TimeInputDialog::TimeInputDialog(HourMinute initial)
    : time_(initial)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        NumberField(kHour, kLastHour, 0),
        { kHourBar, ControlKind::ScrollBar, {}, {}, 0, 1 },
        { 0, ControlKind::Label, kHourLabel, {}, 0, 2 },
        NumberField(kMinute, kLastMinute, 3),
        { kMinuteBar, ControlKind::ScrollBar, {}, {}, 0, 4 },
        { 0, ControlKind::Label, kMinuteLabel, {}, 0, 5 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 1, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 1, 1 },
    };
}

void TimeInputDialog::OnInit(DialogHost& host)
{
    const int values[] = { time_.hour, time_.minute };
    for (int i = 0; i < 2; ++i) {
        const Field& field = kFields[i];
        host.SetRange(field.bar, 0, field.last);
        Show(host, field, values[i]);
    }
}

void TimeInputDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    // A number typed in range moves the bar with it, so the next scroll starts from it.
    const Field* field = FieldOf(id);
    if (!field || id != field->edit || notification != Notification::TextChanged)
        return;
    const std::optional<int> typed = host.Number(field->edit);
    if (typed && *typed >= 0 && *typed <= field->last)
        host.SetPosition(field->bar, *typed);
}

void TimeInputDialog::OnScroll(DialogHost& host, int id, ScrollAction action, int thumb)
{
    const Field* field = FieldOf(id);
    if (!field || id != field->bar)
        return;
    int value = CurrentValue(host, *field);
    switch (action) {
    case ScrollAction::LineUp:
        value -= 1;
        break;
    case ScrollAction::LineDown:
        value += 1;
        break;
    case ScrollAction::PageUp:
        value -= field->page;
        break;
    case ScrollAction::PageDown:
        value += field->page;
        break;
    case ScrollAction::Thumb:
        value = thumb;
        break;
    case ScrollAction::Top:
        value = 0;
        break;
    case ScrollAction::Bottom:
        value = field->last;
        break;
    }
    // Both ends land on the last value: stepping back from 0 wraps to it, stepping on past it stays.
    if (value < 0 || value > field->last)
        value = field->last;
    Show(host, *field, value);
}

bool TimeInputDialog::OnOk(DialogHost& host)
{
    time_ = HourMinute { host.Number(kHour).value_or(0), host.Number(kMinute).value_or(0) };
    return true;
}

std::optional<HourMinute> AskTime(HourMinute initial)
{
    TimeInputDialog dialog(initial);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Time();
}

} // namespace kal
