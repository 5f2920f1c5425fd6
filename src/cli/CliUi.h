#pragma once

#include "ui/Ui.h"

#include <optional>
#include <string>

namespace kal {

// The terminal as the command-line program's user interface: messages on standard error (their
// line breaks kept, any other control character in them escaped, as file names can carry them), the
// password given to the program (option, standard input or environment) when there is one, else
// asked on the terminal.
class CliUi final : public ConsoleUi {
public:
    explicit CliUi(std::optional<std::u16string> password)
        : password_(std::move(password))
    {
    }
    void ShowMessage(std::u16string_view text) override;
    std::optional<std::u16string> AskPassword(std::u16string_view caption, std::u16string_view prompt) override;

private:
    std::optional<std::u16string> password_;
};

} // namespace kal
