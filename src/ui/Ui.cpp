#include "ui/Ui.h"

#include "platform/Text.h"
#include "ui/DialogResource.h"
#include "ui/PropertySheet.h"

#include <csignal>
#include <cstddef>
#include <cstdio>
#include <iterator>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace kal {

namespace {

// The terminal as it was before the password prompt turned echo off, for the signal path: a
// program stopped at the prompt must not leave the user's shell without echo.
termios gTerminalBeforePrompt {};
volatile std::sig_atomic_t gEchoIsOff = 0;

constexpr int kPromptSignals[] = { SIGINT, SIGTERM, SIGHUP, SIGQUIT };

void RestoreEchoAndDie(int signal)
{
    if (gEchoIsOff)
        ::tcsetattr(STDIN_FILENO, TCSANOW, &gTerminalBeforePrompt);
    // The handler was reset to the default on entry: the signal raised again ends the program as it
    // would have without the prompt, once this handler returns.
    ::raise(signal);
}

// While echo is off, the signals that end a program put the terminal back first; signals the
// program ignores stay ignored.
class EchoOffGuard {
public:
    explicit EchoOffGuard(const termios& saved)
    {
        gTerminalBeforePrompt = saved;
        struct sigaction action { };
        action.sa_handler = RestoreEchoAndDie;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kPromptSignals); ++i) {
            ::sigaction(kPromptSignals[i], nullptr, &previous_[i]);
            if (previous_[i].sa_handler != SIG_IGN)
                ::sigaction(kPromptSignals[i], &action, nullptr);
        }
        gEchoIsOff = 1;
    }
    ~EchoOffGuard()
    {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &gTerminalBeforePrompt);
        gEchoIsOff = 0;
        for (std::size_t i = 0; i < std::size(kPromptSignals); ++i)
            ::sigaction(kPromptSignals[i], &previous_[i], nullptr);
    }
    EchoOffGuard(const EchoOffGuard&) = delete;
    EchoOffGuard& operator=(const EchoOffGuard&) = delete;

private:
    struct sigaction previous_[std::size(kPromptSignals)] {};
};

} // namespace

Ui& Ui::Current()
{
    if (Ui* installed = Installed())
        return *installed;
    static ConsoleUi console;
    return console;
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

Ui::Answer ConsoleUi::AskChoice(std::u16string_view text, std::u16string_view first, std::u16string_view second)
{
    if (!::isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "%s (no terminal: cancelled)\n", ToUtf8(text).c_str());
        return Answer::Cancel;
    }
    std::fprintf(stderr, "%s\n1: %s  2: %s  (other: cancel) ", ToUtf8(text).c_str(), ToUtf8(first).c_str(),
        ToUtf8(second).c_str());
    std::fflush(stderr);
    char answer[64];
    if (!std::fgets(answer, sizeof answer, stdin))
        return Answer::Cancel;
    if (answer[0] == '1')
        return Answer::Yes;
    return answer[0] == '2' ? Answer::No : Answer::Cancel;
}

std::optional<std::u16string> ConsoleUi::AskPassword(std::u16string_view caption, std::u16string_view prompt)
{
    if (!::isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "%s: %s (no terminal: cancelled)\n", ToUtf8(caption).c_str(), ToUtf8(prompt).c_str());
        return std::nullopt;
    }
    // Echo goes off before the prompt shows, so nothing typed after it is ever echoed.
    termios saved {};
    std::optional<EchoOffGuard> echoOff;
    if (::tcgetattr(STDIN_FILENO, &saved) == 0) {
        echoOff.emplace(saved);
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::fprintf(stderr, "%s\n%s: ", ToUtf8(prompt).c_str(), ToUtf8(caption).c_str());
    std::fflush(stderr);
    std::string line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        line += static_cast<char>(c);
    echoOff.reset();
    std::fputc('\n', stderr);
    if (c == EOF && line.empty())
        return std::nullopt;
    return FromUtf8(line);
}

std::optional<std::u16string> ConsoleUi::AskOpenFile(const FileDialogOptions&)
{
    return std::nullopt;
}
std::optional<std::u16string> ConsoleUi::AskSaveFile(const FileDialogOptions&)
{
    return std::nullopt;
}
std::optional<Colour> ConsoleUi::AskColour(Colour, CustomColours&)
{
    return std::nullopt;
}
int ConsoleUi::RunDialog(DialogLogic&)
{
    return kIdCancel;
}

int ConsoleUi::RunPropertySheet(PropertySheet&)
{
    return kIdCancel;
}

} // namespace kal
