#include "dialogs/LinkSettingsDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"
#include "views/LinkFiles.h"

namespace kal {

using namespace linksettingsdialog;

LinkSettingsDialog::LinkSettingsDialog(std::u16string_view link, std::string schedulePath)
    : link_(link)
    , schedulePath_(std::move(schedulePath))
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource edit { kLink, ControlKind::Edit, {}, {}, 1, 0, 1, 2 };
    edit.cells.width = 36;
    resource_.controls = {
        { 0, ControlKind::Label, kLinkLabel, {}, 0, 0, 1, 2 },
        edit,
        { kBrowse, ControlKind::PushButton, kBrowseLabel, {}, 1, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
}

void LinkSettingsDialog::OnInit(DialogHost& host)
{
    host.SetText(kLink, link_);
    host.SetFocus(kLink);
}

void LinkSettingsDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id != kBrowse || notification != Notification::Clicked)
        return;
    const std::optional<std::u16string> chosen
        = Ui::Current().AskOpenFile(LinkBrowseOptions(LinkBrowseFolder(u"", schedulePath_)));
    if (chosen)
        host.SetText(kLink, LinkForBrowsedFile(*chosen, schedulePath_));
}

bool LinkSettingsDialog::OnOk(DialogHost& host)
{
    link_ = host.Text(kLink);
    return true;
}

std::optional<std::u16string> AskLinkSettings(std::u16string_view link, const std::string& schedulePath)
{
    LinkSettingsDialog dialog(link, schedulePath);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Link();
}

} // namespace kal
