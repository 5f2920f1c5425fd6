#include "dialogs/GenreEditDialog.h"

#include "dialogs/ButtonTexts.h"
#include "views/ColourChooser.h"

namespace kal {

GenreEditDialog::GenreEditDialog(CKalField genre)
    : genre_(std::move(genre))
    , colour_(genre_.colour)
{
    using namespace genreeditdialog;
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource name { kName, ControlKind::Edit, {}, {}, 0, 1, 1, 2 };
    name.cells = Size { 20, 0 };
    resource_.controls = {
        { 0, ControlKind::Label, kNameLabel, {}, 0, 0 },
        name,
        { kVisible, ControlKind::CheckBox, kVisibleText, {}, 1, 0 },
        { kColour, ControlKind::PushButton, kColourText, {}, 1, 1 },
        { kSample, ControlKind::ColourSample, {}, {}, 1, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancelNarrow, {}, 2, 1 },
    };
}

void GenreEditDialog::OnInit(DialogHost& host)
{
    using namespace genreeditdialog;
    host.SetText(kName, genre_.name);
    host.SetChecked(kVisible, genre_.visible != 0);
    host.SetColour(kColour, colour_);
    host.SetColour(kSample, colour_);
}

void GenreEditDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    using namespace genreeditdialog;
    if (id != kColour || notification != Notification::Clicked)
        return;
    if (const std::optional<Colour> chosen = ChooseColour(colour_)) {
        colour_ = *chosen;
        host.SetColour(kColour, colour_);
        host.SetColour(kSample, colour_);
        host.Invalidate(kSample);
    }
}

bool GenreEditDialog::OnOk(DialogHost& host)
{
    using namespace genreeditdialog;
    genre_.name = host.Text(kName);
    genre_.colour = colour_;
    genre_.visible = host.IsChecked(kVisible) ? 1 : 0;
    return true;
}

} // namespace kal
