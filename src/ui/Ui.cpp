#include "ui/Ui.h"

#include "platform/Text.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace kal {

namespace {

Ui* gInstalled = nullptr;

} // namespace

Ui& Ui::Current()
{
    if (gInstalled)
        return *gInstalled;
    static ConsoleUi console;
    return console;
}

Ui* Ui::Install(Ui* ui)
{
    Ui* previous = gInstalled;
    gInstalled = ui;
    return previous;
}

void ConsoleUi::ShowMessage(std::u16string_view text)
{
    std::fprintf(stderr, "%s\n", ToUtf8(text).c_str());
}

bool ConsoleUi::AskYesNo(std::u16string_view text)
{
    if (!::isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "%s (no terminal: answered No)\n", ToUtf8(text).c_str());
        return false;
    }
    std::fprintf(stderr, "%s [y/N] ", ToUtf8(text).c_str());
    std::fflush(stderr);
    char answer[64];
    if (!std::fgets(answer, sizeof answer, stdin))
        return false;
    return answer[0] == 'y' || answer[0] == 'Y';
}

void RecordingUi::ShowMessage(std::u16string_view text)
{
    messages_.emplace_back(text);
}

bool RecordingUi::AskYesNo(std::u16string_view text)
{
    questions_.emplace_back(text);
    if (answers_.empty())
        return false;
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void RecordingUi::Clear()
{
    messages_.clear();
    questions_.clear();
    answers_.clear();
}

} // namespace kal
