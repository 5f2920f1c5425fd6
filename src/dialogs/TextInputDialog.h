#pragma once

#include "ui/DialogHost.h"

#include <optional>
#include <string>

namespace kal {

namespace textinputdialog {
inline constexpr int kResourceId = 163;
inline constexpr int kText = 104;
inline constexpr int kPrompt = 105;
} // namespace textinputdialog

// One line of text asked for under a prompt.
class TextInputDialog final : public DialogLogic {
public:
    TextInputDialog(std::u16string_view caption, std::u16string_view prompt, std::u16string_view initial);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Text() const { return text_; }

private:
    DialogResource resource_;
    std::u16string text_;
};

// The text typed on OK (possibly empty), nothing when cancelled.
[[nodiscard]] std::optional<std::u16string> AskText(
    std::u16string_view caption, std::u16string_view prompt, std::u16string_view initial = {});

} // namespace kal
