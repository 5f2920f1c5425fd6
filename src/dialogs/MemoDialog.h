#pragma once

#include "ui/DialogHost.h"

#include <optional>
#include <string>
#include <string_view>

namespace kal {

namespace memodialog {
inline constexpr int kResourceId = 140;
inline constexpr int kMemo = 1011;
inline constexpr char16_t kCaption[] = u"メモ";
} // namespace memodialog

// One multi-line text, edited whole.
class MemoDialog final : public DialogLogic {
public:
    explicit MemoDialog(std::u16string_view memo);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Memo() const { return memo_; }

private:
    DialogResource resource_;
    std::u16string memo_;
};

// `text` with every line break (CR LF, LF or a lone CR) written as CR LF, as memos are stored.
[[nodiscard]] std::u16string WithCrLf(std::u16string_view text);

// The memo dialog ("メモ") on `memo`; the edited text on OK (lines end in CR LF), nothing when
// cancelled.
[[nodiscard]] std::optional<std::u16string> AskMemo(std::u16string_view memo);

} // namespace kal
