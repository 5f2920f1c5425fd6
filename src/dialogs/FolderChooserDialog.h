#pragma once

#include "dialogs/FolderTree.h"
#include "ui/DialogHost.h"

#include <optional>
#include <string>

namespace kal {

namespace folderchooserdialog {
inline constexpr int kResourceId = 145;
inline constexpr int kTree = 1026;
inline constexpr int kMakeFolder = 1027;
inline constexpr int kScroll = 1028; // the tree's scroll bar, which the tree draws none of
inline constexpr char16_t kCaption[] = u"フォルダ指定";
inline constexpr char16_t kRootName[] = u"ルート";
inline constexpr char16_t kMakeFolderLabel[] = u"フォルダ作成(&K)...";
inline constexpr char16_t kMakeFolderCaption[] = u"フォルダ作成";
inline constexpr char16_t kFolderNamePrompt[] = u"フォルダ名を入力してください";
inline constexpr char16_t kCannotMakeFolder[] = u"フォルダを作成できません：";
} // namespace folderchooserdialog

// Chooses a folder from the tree of the file system's folders, and can make a new one.
class FolderChooserDialog final : public DialogLogic {
public:
    // `start` is selected when the dialog opens, when it names a folder; `root` is the folder the
    // tree starts from.
    explicit FolderChooserDialog(std::string start, std::string root = "/");

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    CustomControl* Custom(int id) override;
    void OnScroll(DialogHost& host, int id, ScrollAction action, int thumb) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::string& Folder() const { return folder_; }
    [[nodiscard]] FolderTree& Tree() { return tree_; }

private:
    void MakeFolder();

    DialogResource resource_;
    FolderTree tree_;
    std::string start_;
    std::string folder_;
    DialogHost* host_ = nullptr;
};

// The folder chosen on OK, nothing when cancelled.
[[nodiscard]] std::optional<std::string> AskFolder(const std::string& start);

} // namespace kal
