#include "dialogs/GenreFileDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"

namespace kal {

GenreFileDialog::GenreFileDialog(std::u16string path)
    : path_(std::move(path))
{
    using namespace genrefiledialog;
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource name { kName, ControlKind::Edit, {}, {}, 1, 0 };
    name.cells = Size { 36, 0 };
    resource_.controls = {
        { 0, ControlKind::Label, kNameLabel, {}, 0, 0 },
        name,
        { kBrowse, ControlKind::PushButton, kBrowseText, {}, 1, 1 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancelNarrow, {}, 2, 1 },
    };
}

void GenreFileDialog::OnInit(DialogHost& host)
{
    host.SetText(genrefiledialog::kName, path_);
}

void GenreFileDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    using namespace genrefiledialog;
    if (id != kBrowse || notification != Notification::Clicked)
        return;
    FileDialogOptions options;
    options.title = kChooserTitle;
    options.filter = kChooserFilter;
    options.defaultExtension = kChooserExtension;
    options.initialName = kChooserInitialName;
    if (const std::optional<std::u16string> chosen = Ui::Current().AskOpenFile(options))
        host.SetText(kName, *chosen);
}

bool GenreFileDialog::OnOk(DialogHost& host)
{
    path_ = host.Text(genrefiledialog::kName);
    return true;
}

} // namespace kal
