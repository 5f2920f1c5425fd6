#include "dialogs/DiaryFolderDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/FolderChooserDialog.h"
#include "platform/Text.h"
#include "ui/Ui.h"
#include "views/DiaryFiles.h"

namespace kal {

using namespace diaryfolderdialog;

DiaryFolderDialog::DiaryFolderDialog(std::u16string_view folder)
    : folder_(folder)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource edit { kFolder, ControlKind::Edit, {}, {}, 1, 0, 1, 2 };
    edit.cells.width = 36;
    resource_.controls = {
        { 0, ControlKind::Label, kFolderLabel, {}, 0, 0, 1, 2 },
        edit,
        { kBrowse, ControlKind::PushButton, kBrowseLabel, {}, 1, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
}

void DiaryFolderDialog::OnInit(DialogHost& host)
{
    host.SetText(kFolder, folder_);
    host.SetFocus(kFolder);
}

void DiaryFolderDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id != kBrowse || notification != Notification::Clicked)
        return;
    if (const std::optional<std::string> chosen = AskFolder(LocalFolder(host.Text(kFolder))))
        host.SetText(kFolder, FromUtf8(*chosen));
}

bool DiaryFolderDialog::OnOk(DialogHost& host)
{
    folder_ = host.Text(kFolder);
    return true;
}

std::optional<std::u16string> AskDiaryFolder(std::u16string_view folder)
{
    DiaryFolderDialog dialog(folder);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Folder();
}

} // namespace kal
