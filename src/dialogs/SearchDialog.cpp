#include "dialogs/SearchDialog.h"

#include "dialogs/ButtonTexts.h"
#include "ui/Ui.h"

#include <iterator>
#include <vector>

namespace kal {

namespace {

using namespace searchdialog;

constexpr int kConditionCount = static_cast<int>(std::size(kConditions));

struct Target {
    int id;
    unsigned bit;
};
constexpr Target kTargets[] = {
    { kContent, SearchConditions::kContent },
    { kPlace, SearchConditions::kPlace },
    { kMemo, SearchConditions::kMemo },
};

} // namespace

SearchDialog::SearchDialog(SearchConditions conditions)
    : conditions_(std::move(conditions))
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource word { kWord, ControlKind::Edit, {}, {}, 0, 1, 1, 3 };
    word.cells = Size { 30, 0 };
    resource_.controls = {
        { 0, ControlKind::Label, kWordLabel, {}, 0, 0 },
        word,
        { 0, ControlKind::Label, kConditionLabel, {}, 1, 0 },
        { kCondition, ControlKind::DropDownList, {},
            std::vector<std::u16string>(std::begin(kConditions), std::end(kConditions)), 1, 1, 1, 3 },
        { kMatchCase, ControlKind::CheckBox, kMatchCaseLabel, {}, 2, 1, 1, 3 },
        { 0, ControlKind::GroupBox, kTargetLabel, {}, 3, 0, 1, 4 },
        { kContent, ControlKind::CheckBox, kContentLabel, {}, 3, 0 },
        { kPlace, ControlKind::CheckBox, kPlaceLabel, {}, 3, 1 },
        { kMemo, ControlKind::CheckBox, kMemoLabel, {}, 3, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 4, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 4, 1 },
    };
}

void SearchDialog::OnInit(DialogHost& host)
{
    host.SetText(kWord, conditions_.word);
    host.SetSelection(kCondition, static_cast<int>(conditions_.condition));
    host.SetChecked(kMatchCase, conditions_.matchCase);
    for (const Target& target : kTargets)
        host.SetChecked(target.id, (conditions_.targets & target.bit) != 0);
    ShowCaseChoice(host);
    host.SetFocus(kWord);
}

void SearchDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id == kCondition && notification == Notification::SelectionChanged)
        ShowCaseChoice(host);
}

void SearchDialog::ShowCaseChoice(DialogHost& host)
{
    // An equal text is found whatever its case: the box would promise what the search does not do.
    host.Enable(kMatchCase, host.Selection(kCondition) != static_cast<int>(SearchConditions::Match::Equals));
}

bool SearchDialog::OnOk(DialogHost& host)
{
    conditions_.word = host.Text(kWord);
    conditions_.matchCase = host.IsChecked(kMatchCase);
    const int condition = host.Selection(kCondition);
    conditions_.condition
        = static_cast<SearchConditions::Match>(condition >= 0 && condition < kConditionCount ? condition : 0);
    conditions_.targets = 0;
    for (const Target& target : kTargets) {
        if (host.IsChecked(target.id))
            conditions_.targets |= target.bit;
    }
    // A search through nothing would always come back empty: the text is what people mean.
    if (conditions_.targets == 0)
        conditions_.targets = SearchConditions::kContent;
    return true;
}

std::optional<SearchConditions> AskSearchConditions(const SearchConditions& conditions)
{
    SearchDialog dialog(conditions);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Conditions();
}

} // namespace kal
