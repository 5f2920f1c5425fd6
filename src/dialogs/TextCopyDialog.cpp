#include "dialogs/TextCopyDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "settings/KalSettings.h"
#include "store/PeriodText.h"
#include "ui/Ui.h"

namespace kal {

using namespace textcopydialog;

namespace {

constexpr PeriodFields kPeriod { kStart, kEnd, kStartCalendar, kEndCalendar, kCalendarLabel };

} // namespace

TextCopyDialog::TextCopyDialog(CDTime start, CDTime end)
    : request_ { { start, end }, StoredTextCopyOptions() }
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = kPeriod.Rows();
    resource_.controls.insert(resource_.controls.end(),
        {
            { kYear, ControlKind::CheckBox, kYearLabel, {}, 2, 1, 1, 2 },
            { kWeekday, ControlKind::CheckBox, kWeekdayLabel, {}, 3, 1, 1, 2 },
            { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 4, 0 },
            { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 4, 1 },
        });
}

void TextCopyDialog::OnInit(DialogHost& host)
{
    kPeriod.Show(host, request_.period);
    host.SetChecked(kYear, (request_.options & textcopy::kYear) != 0);
    host.SetChecked(kWeekday, (request_.options & textcopy::kWeekday) != 0);
    host.SetFocus(kStart);
}

void TextCopyDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification == Notification::Clicked)
        (void)kPeriod.OnClicked(host, id);
}

bool TextCopyDialog::OnOk(DialogHost& host)
{
    const std::optional<DateRange> period = kPeriod.Read(host);
    if (!period)
        return false;
    request_.period = *period;
    const bool year = host.IsChecked(kYear);
    const bool weekday = host.IsChecked(kWeekday);
    request_.options = (year ? textcopy::kYear : 0) | (weekday ? textcopy::kWeekday : 0);
    CKalSettings& settings = CKalSettings::Current();
    settings.Set(IntSetting::TextCopyYear, year ? 1 : 0);
    settings.Set(IntSetting::TextCopyYoubi, weekday ? 1 : 0);
    return true;
}

std::optional<TextCopyRequest> AskTextCopy(CDTime start, CDTime end)
{
    TextCopyDialog dialog(start, end);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Request();
}

} // namespace kal
