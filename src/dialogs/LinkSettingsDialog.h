#pragma once

#include "ui/DialogHost.h"

#include <optional>
#include <string>

namespace kal {

namespace linksettingsdialog {
inline constexpr int kResourceId = 134;
inline constexpr int kLink = 104;
inline constexpr int kBrowse = 139;
inline constexpr char16_t kCaption[] = u"リンクファイルの設定";
inline constexpr char16_t kLinkLabel[] = u"リンクファイル名(&L):";
inline constexpr char16_t kBrowseLabel[] = u"参照(&R)...";
} // namespace linksettingsdialog

// Names the link of an entry that has none yet, before it is opened.
class LinkSettingsDialog final : public DialogLogic {
public:
    LinkSettingsDialog(std::u16string_view link, std::string schedulePath);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Link() const { return link_; }

private:
    DialogResource resource_;
    std::u16string link_;
    std::string schedulePath_;
};

// The link-settings dialog on `link`; the link text on OK.
[[nodiscard]] std::optional<std::u16string> AskLinkSettings(std::u16string_view link, const std::string& schedulePath);

} // namespace kal
