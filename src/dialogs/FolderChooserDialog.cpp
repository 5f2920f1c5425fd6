#include "dialogs/FolderChooserDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/TextInputDialog.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "ui/Ui.h"

#include <algorithm>
#include <sys/stat.h>

namespace kal {

using namespace folderchooserdialog;

namespace {

constexpr Size kTreeCells { 40, 16 };

// A name that makes exactly one new folder inside the selected one.
bool IsFolderName(std::u16string_view name)
{
    return !name.empty() && name != u"." && name != u".." && name.find(u'/') == std::u16string_view::npos
        && name.find(u'\0') == std::u16string_view::npos;
}

} // namespace

FolderChooserDialog::FolderChooserDialog(std::string start, std::string root)
    : tree_(kRootName, std::move(root))
    , start_(std::move(start))
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource tree { kTree, ControlKind::Custom, {}, {}, 0, 0, 1, 3 };
    tree.cells = kTreeCells;
    resource_.controls = {
        tree,
        { kScroll, ControlKind::ScrollBar, {}, {}, 0, 3 },
        { kMakeFolder, ControlKind::PushButton, kMakeFolderLabel, {}, 1, 0 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 2, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 2, 1 },
    };
    tree_.onChosen = [this] {
        if (host_)
            PressOk(*this, *host_);
    };
    tree_.onScrolled = [this] {
        if (!host_)
            return;
        host_->SetRange(kScroll, 0, std::max(0, tree_.RowCount() - tree_.RowsShown()));
        host_->SetPosition(kScroll, tree_.TopRow());
    };
}

void FolderChooserDialog::OnInit(DialogHost& host)
{
    host_ = &host;
    tree_.Reset();
    if (!start_.empty())
        (void)tree_.SelectPath(start_);
    host.SetFocus(kTree);
}

CustomControl* FolderChooserDialog::Custom(int id)
{
    return id == kTree ? &tree_ : nullptr;
}

void FolderChooserDialog::OnScroll(DialogHost& host, int id, ScrollAction action, int thumb)
{
    if (id != kScroll)
        return;
    const int top = tree_.TopRow();
    const int page = std::max(1, tree_.RowsShown() - 1);
    switch (action) {
    case ScrollAction::LineUp:
        tree_.ScrollTo(top - 1);
        break;
    case ScrollAction::LineDown:
        tree_.ScrollTo(top + 1);
        break;
    case ScrollAction::PageUp:
        tree_.ScrollTo(top - page);
        break;
    case ScrollAction::PageDown:
        tree_.ScrollTo(top + page);
        break;
    case ScrollAction::Thumb:
        tree_.ScrollTo(thumb);
        break;
    case ScrollAction::Top:
        tree_.ScrollTo(0);
        break;
    case ScrollAction::Bottom:
        tree_.ScrollTo(tree_.RowCount());
        break;
    }
    host.SetPosition(kScroll, tree_.TopRow());
    host.Invalidate(kTree);
}

void FolderChooserDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (id == kMakeFolder && notification == Notification::Clicked) {
        MakeFolder();
        host.Invalidate(kTree);
        host.SetFocus(kTree);
    }
}

void FolderChooserDialog::MakeFolder()
{
    const std::optional<std::u16string> name = AskText(kMakeFolderCaption, kFolderNamePrompt);
    if (!name || name->empty())
        return;
    const int parent = tree_.Selected();
    const std::string path = JoinPath(tree_.PathOf(parent), ToUtf8(*name));
    if (!IsFolderName(*name) || ::mkdir(path.c_str(), 0777) != 0) {
        Ui::Current().ShowMessage(kCannotMakeFolder + FromUtf8(path));
        return;
    }
    tree_.Relist(parent);
    if (const int made = tree_.ChildNamed(parent, *name); made != FolderTree::kNone)
        tree_.Select(made);
}

bool FolderChooserDialog::OnOk(DialogHost& host)
{
    (void)host;
    folder_ = tree_.PathOf(tree_.Selected());
    return true;
}

std::optional<std::string> AskFolder(const std::string& start)
{
    FolderChooserDialog dialog(start);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Folder();
}

} // namespace kal
