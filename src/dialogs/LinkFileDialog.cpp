#include "dialogs/LinkFileDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/TextInputDialog.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "ui/Ui.h"
#include "views/LinkFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kal {

using namespace linkfiledialog;

namespace {

bool Exists(const std::u16string& path)
{
    struct stat info { };
    return ::stat(ToUtf8(path).c_str(), &info) == 0;
}

} // namespace

std::optional<std::u16string> ResolveLinkOrTell(std::u16string_view link, const std::string& schedulePath)
{
    std::optional<std::u16string> resolved = ResolveLink(link, schedulePath);
    if (!resolved)
        Ui::Current().ShowMessage(linktext::kRelativeUnsaved);
    return resolved;
}

LinkFileDialog::LinkFileDialog(std::u16string_view content, std::u16string_view link, std::string schedulePath)
    : content_(content)
    , link_(link)
    , schedulePath_(std::move(schedulePath))
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    ControlResource edit { kLink, ControlKind::Edit, {}, {}, 1, 0, 1, 4 };
    edit.cells.width = 40;
    const auto button = [](int id, const char16_t* text, int column) {
        return ControlResource { id, ControlKind::PushButton, text, {}, 2, column };
    };
    resource_.controls = {
        { 0, ControlKind::Label, kLinkLabel, {}, 0, 0, 1, 4 },
        edit,
        button(kOpen, kOpenLabel, 0),
        button(kDelete, kDeleteLabel, 1),
        button(kBrowse, kBrowseLabel, 2),
        button(kNew, kNewLabel, 3),
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 3, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 3, 1 },
    };
}

void LinkFileDialog::OnInit(DialogHost& host)
{
    host.SetText(kLink, link_);
    host.SetFocus(kLink);
}

void LinkFileDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification != Notification::Clicked)
        return;
    switch (id) {
    case kOpen:
        Open(host);
        break;
    case kDelete:
        Delete(host);
        break;
    case kBrowse:
        Browse(host);
        break;
    case kNew:
        MakeNew(host);
        break;
    default:
        break;
    }
}

void LinkFileDialog::Open(DialogHost& host)
{
    const std::u16string text = host.Text(kLink);
    if (text.empty()) {
        Ui::Current().ShowMessage(kSetFile);
        return;
    }
    const std::optional<std::u16string> target = ResolveLinkOrTell(text, schedulePath_);
    if (!target)
        return;
    if (IsUrl(*target) || Exists(*target))
        HandToDesktop(*target);
    else
        Ui::Current().ShowMessage(kNoFile);
}

void LinkFileDialog::Delete(DialogHost& host)
{
    const std::u16string text = host.Text(kLink);
    if (text.empty()) {
        Ui::Current().ShowMessage(kSetFile);
        return;
    }
    if (IsUrl(text)) {
        // An address names nothing of ours to delete: only the link goes.
        if (Ui::Current().AskYesNo(kAskClearUrl))
            host.SetText(kLink, u"");
        return;
    }
    const std::optional<std::u16string> target = ResolveLinkOrTell(text, schedulePath_);
    if (!target || !Ui::Current().AskYesNo(kAskDeleteBefore + text + kAskDeleteAfter))
        return;
    if (::unlink(ToUtf8(*target).c_str()) == 0)
        host.SetText(kLink, u"");
    else
        Ui::Current().ShowMessage(kCannotDelete);
}

void LinkFileDialog::Browse(DialogHost& host)
{
    const std::optional<std::u16string> chosen
        = Ui::Current().AskOpenFile(LinkBrowseOptions(LinkBrowseFolder(host.Text(kLink), schedulePath_)));
    if (chosen)
        host.SetText(kLink, LinkForBrowsedFile(*chosen, schedulePath_));
}

void LinkFileDialog::MakeNew(DialogHost& host)
{
    const std::optional<std::u16string> name = AskText(kNewCaption, kNewPrompt, ProposedFileName(content_));
    if (!name || name->empty())
        return;
    const std::optional<std::u16string> path = ResolveLinkOrTell(*name, schedulePath_);
    if (!path)
        return;
    if (IsUrl(*path)) {
        Ui::Current().ShowMessage(kSetFile);
        return;
    }
    if (Exists(*path)) {
        Ui::Current().ShowMessage(kAlreadyExists);
    } else if (!CreateLinkTextFile(ToUtf8(*path), content_)) {
        Ui::Current().ShowMessage(linktext::kCannotCreate + *path);
        return;
    }
    host.SetText(kLink, *name);
    HandToDesktop(*path);
}

bool LinkFileDialog::OnOk(DialogHost& host)
{
    link_ = host.Text(kLink);
    return true;
}

std::optional<std::u16string> AskLinkFile(
    std::u16string_view content, std::u16string_view link, const std::string& schedulePath)
{
    LinkFileDialog dialog(content, link, schedulePath);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Link();
}

} // namespace kal
