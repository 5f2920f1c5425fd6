#include "dialogs/ExportDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "platform/Profile.h"
#include "ui/Ui.h"

namespace kal {

using namespace exportdialog;

namespace {

constexpr char kSection[] = "System";
constexpr char kFileValue[] = "ExportFile";
constexpr char kHiddenValue[] = "ExportNoView";

// Room for a full path without scrolling.
constexpr Size kFileCells { 40, 0 };

constexpr PeriodFields kPeriod { kStart, kEnd, kStartCalendar, kEndCalendar, kCalendarLabel };

} // namespace

ExportDialog::ExportDialog(CDTime start, CDTime end)
    : request_ { { start, end }, {}, false }
{
    const Profile& profile = Profile::Current();
    request_.file = profile.GetString(kSection, kFileValue, u"");
    request_.hidden = profile.GetInt(kSection, kHiddenValue, 0) != 0;

    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource file { kFile, ControlKind::Edit, {}, {}, 2, 1 };
    file.cells = kFileCells;
    resource_.controls = kPeriod.Rows();
    resource_.controls.insert(resource_.controls.end(),
        {
            { 0, ControlKind::Label, kFileLabel, {}, 2, 0 },
            file,
            { kBrowse, ControlKind::PushButton, kBrowseLabel, {}, 2, 2 },
            { kHidden, ControlKind::CheckBox, kHiddenLabel, {}, 3, 1, 1, 2 },
            { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 4, 0 },
            { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 4, 1 },
        });
}

void ExportDialog::OnInit(DialogHost& host)
{
    kPeriod.Show(host, request_.period);
    host.SetText(kFile, request_.file);
    host.SetChecked(kHidden, request_.hidden);
    host.SetFocus(kStart);
}

void ExportDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification != Notification::Clicked)
        return;
    if (kPeriod.OnClicked(host, id))
        return;
    if (id == kBrowse) {
        FileDialogOptions options;
        options.title = kFileTitle;
        options.filter = kFileFilter;
        options.defaultExtension = kFileExtension;
        options.initialName = host.Text(kFile);
        if (const auto chosen = Ui::Current().AskSaveFile(options))
            host.SetText(kFile, *chosen);
    }
}

bool ExportDialog::OnOk(DialogHost& host)
{
    const std::optional<DateRange> period = kPeriod.Read(host);
    if (!period)
        return false;
    request_.period = *period;
    std::u16string file = host.Text(kFile);
    if (file.empty())
        return RefuseField(host, kFile, kNoFileName);
    request_.file = std::move(file);
    request_.hidden = host.IsChecked(kHidden);
    Profile& profile = Profile::Current();
    profile.SetString(kSection, kFileValue, request_.file);
    profile.SetInt(kSection, kHiddenValue, request_.hidden ? 1 : 0);
    return true;
}

std::optional<ExportRequest> AskExport(CDTime start, CDTime end)
{
    ExportDialog dialog(start, end);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Request();
}

} // namespace kal
