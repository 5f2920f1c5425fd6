#pragma once

#include "platform/Installable.h"

#include <optional>
#include <string>
#include <string_view>

namespace kal {

// The desktop clipboard's text. Without a front end it is a clipboard of this process alone.
class Clipboard : public Installable<Clipboard> {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; nothing when it holds no text.
    [[nodiscard]] virtual std::optional<std::u16string> Text() const = 0;
    // Replaces the clipboard's contents with the text.
    virtual void SetText(std::u16string_view text) = 0;

    static Clipboard& Current();
};

// The clipboard of a program without a desktop: it lives as long as the process.
class ProcessClipboard final : public Clipboard {
public:
    std::optional<std::u16string> Text() const override { return text_; }
    void SetText(std::u16string_view text) override { text_ = std::u16string(text); }
    void Clear() { text_.reset(); }

private:
    std::optional<std::u16string> text_;
};

} // namespace kal
