#pragma once

#include "ui/DialogHost.h"

#include <optional>
#include <string>

namespace kal {

namespace linkfiledialog {
inline constexpr int kResourceId = 131;
inline constexpr int kLink = 104;
inline constexpr int kOpen = 1005;
inline constexpr int kDelete = 113;
inline constexpr int kBrowse = 139;
inline constexpr int kNew = 140;
inline constexpr char16_t kCaption[] = u"リンクファイル";
inline constexpr char16_t kLinkLabel[] = u"リンクファイル名(&L):";
inline constexpr char16_t kOpenLabel[] = u"開く(&O)...";
inline constexpr char16_t kDeleteLabel[] = u"削除(&D)...";
inline constexpr char16_t kBrowseLabel[] = u"参照(&R)...";
inline constexpr char16_t kNewLabel[] = u"新規作成(&N)...";
inline constexpr char16_t kSetFile[] = u"ファイルを設定してください";
inline constexpr char16_t kNoFile[] = u"ファイルがありません";
inline constexpr char16_t kAskDeleteBefore[] = u"リンク先のファイル ";
inline constexpr char16_t kAskDeleteAfter[] = u"を削除しますか？\n注：削除したファイルは復活できません";
inline constexpr char16_t kCannotDelete[] = u"ファイルを削除できません";
inline constexpr char16_t kAskClearUrl[] = u"URLを消去します";
inline constexpr char16_t kNewCaption[] = u"新規作成";
inline constexpr char16_t kNewPrompt[] = u"新規作成するテキストファイル名を入力してください";
inline constexpr char16_t kAlreadyExists[] = u"既にファイルは存在します";
} // namespace linkfiledialog

// The link of one entry: its file or address typed, browsed for, opened, made new or deleted. Paths
// are resolved against the folder of the schedule file at `schedulePath` ("" for an unsaved file).
class LinkFileDialog final : public DialogLogic {
public:
    LinkFileDialog(std::u16string_view content, std::u16string_view link, std::string schedulePath);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Link() const { return link_; }

private:
    void Open(DialogHost& host);
    void Delete(DialogHost& host);
    void Browse(DialogHost& host);
    void MakeNew(DialogHost& host);

    DialogResource resource_;
    std::u16string content_;
    std::u16string link_;
    std::string schedulePath_;
};

// The link-file dialog for an entry with `content` and `link`; the new link text on OK.
[[nodiscard]] std::optional<std::u16string> AskLinkFile(
    std::u16string_view content, std::u16string_view link, const std::string& schedulePath);

// Where a link leads, for the operations on it: the path or address, or nothing after telling the
// user that a relative link needs a saved schedule file.
[[nodiscard]] std::optional<std::u16string> ResolveLinkOrTell(
    std::u16string_view link, const std::string& schedulePath);

} // namespace kal
