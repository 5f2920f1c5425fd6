#include "dialogs/DateFormatDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"

#include <iterator>
#include <string>
#include <vector>

namespace kal {

namespace {

using namespace dateformatdialog;

template <std::size_t N> std::vector<std::u16string> Items(const char16_t* const (&texts)[N])
{
    return std::vector<std::u16string>(std::begin(texts), std::end(texts));
}

// A list left without a choice keeps what the dialog opened with.
int Chosen(const DialogHost& host, int id, int count, int previous)
{
    const int index = host.Selection(id);
    return index >= 0 && index < count ? index : previous;
}

} // namespace

DateFormatDialog::DateFormatDialog(DateDisplayFormat format)
    : format_(format)
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kPositionLabel, {}, 0, 0 },
        { kPosition, ControlKind::DropDownList, {}, Items(kPositions), 0, 1 },
        { 0, ControlKind::Label, kFrameLabel, {}, 1, 0 },
        { kFrame, ControlKind::DropDownList, {}, Items(kFrames), 1, 1 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
}

void DateFormatDialog::OnInit(DialogHost& host)
{
    host.SetSelection(kPosition, format_.position);
    host.SetSelection(kFrame, format_.frame);
}

bool DateFormatDialog::OnOk(DialogHost& host)
{
    format_.position = Chosen(host, kPosition, static_cast<int>(std::size(kPositions)), format_.position);
    format_.frame = Chosen(host, kFrame, static_cast<int>(std::size(kFrames)), format_.frame);
    return true;
}

std::optional<DateDisplayFormat> AskDateFormat(DateDisplayFormat format)
{
    DateFormatDialog dialog(format);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Format();
}

} // namespace kal
