#include "dialogs/TextInputDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"

namespace kal {

using namespace textinputdialog;

TextInputDialog::TextInputDialog(std::u16string_view caption, std::u16string_view prompt, std::u16string_view initial)
    : text_(initial)
{
    resource_.id = kResourceId;
    resource_.caption = caption;
    ControlResource edit { kText, ControlKind::Edit, {}, {}, 1, 0, 1, 2 };
    edit.cells.width = 36;
    resource_.controls = {
        { kPrompt, ControlKind::Label, std::u16string(prompt), {}, 0, 0, 1, 2 },
        edit,
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
}

void TextInputDialog::OnInit(DialogHost& host)
{
    host.SetText(kText, text_);
    host.SetFocus(kText);
}

bool TextInputDialog::OnOk(DialogHost& host)
{
    text_ = host.Text(kText);
    return true;
}

std::optional<std::u16string> AskText(
    std::u16string_view caption, std::u16string_view prompt, std::u16string_view initial)
{
    TextInputDialog dialog(caption, prompt, initial);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Text();
}

} // namespace kal
