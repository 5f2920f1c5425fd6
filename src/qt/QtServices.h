#pragma once

#include "platform/Clipboard.h"
#include "platform/Shell.h"

namespace kal {

// The desktop's clipboard.
class QtClipboard final : public Clipboard {
public:
    std::optional<std::u16string> Text() const override;
    void SetText(std::u16string_view text) override;
};

// Files and addresses opened with the desktop's programs.
class QtShell final : public Shell {
protected:
    bool Start(const std::string& target) override;
};

} // namespace kal
