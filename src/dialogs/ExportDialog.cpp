#include "dialogs/ExportDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "platform/Profile.h"
#include "ui/Ui.h"

namespace kal {

using namespace exportdialog;

namespace {

constexpr char kSection[] = "System";

// Room for a full path without scrolling.
constexpr Size kFileCells { 40, 0 };

constexpr PeriodFields kPeriod { kStart, kEnd, kStartCalendar, kEndCalendar, kCalendarLabel };

} // namespace

ExportDialog::ExportDialog(CDTime start, CDTime end, const ExportKind& kind)
    : kind_(kind)
    , request_ { { start, end }, {}, false }
{
    const Profile& profile = Profile::Current();
    request_.file = profile.GetString(kSection, kind.fileValue, u"");
    request_.hidden = profile.GetInt(kSection, kind.hiddenValue, 0) != 0;

    resource_.id = kind.resourceId;
    resource_.caption = kind.caption;
    int row = 0;
    if (kind.wholeFileValue) {
        request_.wholeFile = profile.GetInt(kSection, kind.wholeFileValue, 0) != 0;
        request_.withZone = profile.GetInt(kSection, kind.withZoneValue, 0) != 0;
        resource_.controls.push_back({ kWholeFile, ControlKind::CheckBox, kWholeFileLabel, {}, row++, 1, 1, 2 });
    }
    ControlResource file { kFile, ControlKind::Edit, {}, {}, row + 2, 1 };
    file.cells = kFileCells;
    const std::vector<ControlResource> period = kPeriod.Rows(row);
    resource_.controls.insert(resource_.controls.end(), period.begin(), period.end());
    row += 2;
    resource_.controls.insert(resource_.controls.end(),
        {
            { 0, ControlKind::Label, kFileLabel, {}, row, 0 },
            file,
            { kBrowse, ControlKind::PushButton, kBrowseLabel, {}, row, 2 },
            { kHidden, ControlKind::CheckBox, kHiddenLabel, {}, row + 1, 1, 1, 2 },
        });
    row += 2;
    if (kind.withZoneValue)
        resource_.controls.push_back({ kWithZone, ControlKind::CheckBox, kWithZoneLabel, {}, row++, 1, 1, 2 });
    resource_.controls.insert(resource_.controls.end(),
        {
            { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, row, 0 },
            { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, row, 1 },
        });
}

void ExportDialog::OnInit(DialogHost& host)
{
    kPeriod.Show(host, request_.period);
    host.SetText(kFile, request_.file);
    host.SetChecked(kHidden, request_.hidden);
    if (kind_.wholeFileValue) {
        host.SetChecked(kWholeFile, request_.wholeFile);
        host.SetChecked(kWithZone, request_.withZone);
        ShowWholeFile(host, request_.wholeFile);
    }
    host.SetFocus(request_.wholeFile ? kFile : kStart);
}

// The period's fields mean nothing while the whole file goes.
void ExportDialog::ShowWholeFile(DialogHost& host, bool wholeFile) const
{
    for (const int id : { kStart, kEnd, kStartCalendar, kEndCalendar })
        host.Enable(id, !wholeFile);
}

void ExportDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification != Notification::Clicked)
        return;
    if (kPeriod.OnClicked(host, id))
        return;
    if (id == kWholeFile && kind_.wholeFileValue)
        ShowWholeFile(host, host.IsChecked(kWholeFile));
    if (id == kBrowse) {
        FileDialogOptions options;
        options.title = std::u16string(kind_.fileTitle);
        options.filter = std::u16string(kind_.fileFilter);
        options.defaultExtension = std::u16string(kind_.fileExtension);
        options.initialName = host.Text(kFile);
        if (const auto chosen = Ui::Current().AskSaveFile(options))
            host.SetText(kFile, *chosen);
    }
}

bool ExportDialog::OnOk(DialogHost& host)
{
    const bool wholeFile = kind_.wholeFileValue && host.IsChecked(kWholeFile);
    if (!wholeFile) {
        const std::optional<DateRange> period = kPeriod.Read(host);
        if (!period)
            return false;
        request_.period = *period;
    }
    std::u16string file = host.Text(kFile);
    if (file.empty())
        return RefuseField(host, kFile, kNoFileName);
    request_.file = std::move(file);
    request_.hidden = host.IsChecked(kHidden);
    request_.wholeFile = wholeFile;
    Profile& profile = Profile::Current();
    profile.SetString(kSection, kind_.fileValue, request_.file);
    profile.SetInt(kSection, kind_.hiddenValue, request_.hidden ? 1 : 0);
    if (kind_.wholeFileValue) {
        request_.withZone = host.IsChecked(kWithZone);
        profile.SetInt(kSection, kind_.wholeFileValue, wholeFile ? 1 : 0);
        profile.SetInt(kSection, kind_.withZoneValue, request_.withZone ? 1 : 0);
    }
    return true;
}

std::optional<ExportRequest> AskExport(CDTime start, CDTime end, const ExportKind& kind)
{
    ExportDialog dialog(start, end, kind);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Request();
}

} // namespace kal
