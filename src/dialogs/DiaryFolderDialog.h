#pragma once

#include "ui/DialogHost.h"

#include <optional>
#include <string>

namespace kal {

namespace diaryfolderdialog {
inline constexpr int kResourceId = 161;
inline constexpr int kFolder = 210;
inline constexpr int kBrowse = 139;
inline constexpr char16_t kCaption[] = u"日記フォルダ";
inline constexpr char16_t kFolderLabel[] = u"日記を置くフォルダ(&D)";
inline constexpr char16_t kBrowseLabel[] = u"参照(&R)...";
} // namespace diaryfolderdialog

// The folder the diaries of the open file go to. The text is taken as typed: an empty one leaves the
// choice to the settings.
class DiaryFolderDialog final : public DialogLogic {
public:
    explicit DiaryFolderDialog(std::u16string_view folder);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Folder() const { return folder_; }

private:
    DialogResource resource_;
    std::u16string folder_;
};

// The diary-folder dialog on `folder`; the text on OK.
[[nodiscard]] std::optional<std::u16string> AskDiaryFolder(std::u16string_view folder);

} // namespace kal
