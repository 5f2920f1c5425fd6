#include "dialogs/MemoDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"

namespace kal {

namespace {

// Room for a memo of a few paragraphs without scrolling.
constexpr Size kMemoCells { 48, 12 };

} // namespace

MemoDialog::MemoDialog(std::u16string_view memo)
    : memo_(memo)
{
    using namespace memodialog;
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource edit { kMemo, ControlKind::MultiLineEdit, {}, {}, 0, 0, 1, 2 };
    edit.cells = kMemoCells;
    resource_.controls = {
        edit,
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 1, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 1, 1 },
    };
}

void MemoDialog::OnInit(DialogHost& host)
{
    host.SetText(memodialog::kMemo, memo_);
    host.SetFocus(memodialog::kMemo);
}

bool MemoDialog::OnOk(DialogHost& host)
{
    memo_ = WithCrLf(host.Text(memodialog::kMemo));
    return true;
}

std::u16string WithCrLf(std::u16string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            result += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}

std::optional<std::u16string> AskMemo(std::u16string_view memo)
{
    MemoDialog dialog(memo);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Memo();
}

} // namespace kal
