#include "dialogs/WeekdayColourDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"
#include "views/ColourChooser.h"

namespace kal {

namespace {

using namespace weekdaycolourdialog;

} // namespace

WeekdayColourDialog::WeekdayColourDialog(const WeekdayColours& colours)
    : colours_(colours)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    for (int day = 0; day < 7; ++day) {
        resource_.controls.push_back({ kLabels[day], ControlKind::Label, kNames[day], {}, day, 0 });
        resource_.controls.push_back({ kChangeButtons[day], ControlKind::PushButton, kChangeLabel, {}, day, 1 });
    }
    // The dialog's only button closes it and keeps the colours, as OK would.
    resource_.controls.push_back({ kIdOk, ControlKind::DefaultButton, buttontext::kClose, {}, 7, 0 });
}

void WeekdayColourDialog::OnInit(DialogHost& host)
{
    for (int day = 0; day < 7; ++day)
        host.SetColour(kLabels[day], colours_[static_cast<std::size_t>(day)]);
}

void WeekdayColourDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification != Notification::Clicked)
        return;
    for (int day = 0; day < 7; ++day) {
        if (kChangeButtons[day] != id)
            continue;
        Colour& colour = colours_[static_cast<std::size_t>(day)];
        if (const std::optional<Colour> chosen = ChooseColour(colour)) {
            colour = *chosen;
            host.SetColour(kLabels[day], colour);
        }
        return;
    }
}

std::optional<WeekdayColours> AskWeekdayColours(const WeekdayColours& colours)
{
    WeekdayColourDialog dialog(colours);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Colours();
}

} // namespace kal
