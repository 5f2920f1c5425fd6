#include "cli/CliUi.h"

#include "cli/TerminalText.h"
#include "platform/Text.h"

#include <cstdio>

namespace kal {

void CliUi::ShowMessage(std::u16string_view text)
{
    std::fprintf(stderr, "kalendra-cli: %s\n", TerminalText(ToUtf8(text), LineBreaks::Keep).c_str());
}

std::optional<std::u16string> CliUi::AskPassword(std::u16string_view caption, std::u16string_view prompt)
{
    if (password_)
        return password_;
    return ConsoleUi::AskPassword(caption, prompt);
}

} // namespace kal
