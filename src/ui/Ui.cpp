#include "ui/Ui.h"

#include "platform/Text.h"
#include "ui/MemoryDialogHost.h"
#include "ui/PropertySheet.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace kal {

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
    std::fprintf(stderr, "%s\n%s: ", ToUtf8(prompt).c_str(), ToUtf8(caption).c_str());
    std::fflush(stderr);
    termios saved {};
    const bool canHideEcho = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (canHideEcho) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (canHideEcho)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
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

Ui::Answer RecordingUi::AskChoice(std::u16string_view text, std::u16string_view, std::u16string_view)
{
    questions_.emplace_back(text);
    if (choices_.empty())
        return Answer::Cancel;
    const Answer answer = choices_.front();
    choices_.pop_front();
    return answer;
}

std::optional<std::u16string> RecordingUi::AskPassword(std::u16string_view, std::u16string_view)
{
    ++passwordRequests_;
    if (passwords_.empty())
        return std::nullopt;
    std::optional<std::u16string> password = std::move(passwords_.front());
    passwords_.pop_front();
    return password;
}

std::optional<std::u16string> RecordingUi::AskOpenFile(const FileDialogOptions& options)
{
    fileDialogs_.push_back(options);
    if (files_.empty())
        return std::nullopt;
    std::optional<std::u16string> path = std::move(files_.front());
    files_.pop_front();
    return path;
}

std::optional<std::u16string> RecordingUi::AskSaveFile(const FileDialogOptions& options)
{
    return AskOpenFile(options);
}

std::optional<Colour> RecordingUi::AskColour(Colour, CustomColours&)
{
    if (colours_.empty())
        return std::nullopt;
    const std::optional<Colour> colour = colours_.front();
    colours_.pop_front();
    return colour;
}

int RecordingUi::RunDialog(DialogLogic& dialog)
{
    ++dialogsRun_;
    MemoryDialogHost host(dialog);
    host.Open();
    if (!dialogs_.empty()) {
        const DialogScript script = std::move(dialogs_.front());
        dialogs_.pop_front();
        script(dialog, host);
    }
    return host.Result();
}

int RecordingUi::RunPropertySheet(PropertySheet& sheet)
{
    ++dialogsRun_;
    MemoryPropertySheet memory(sheet);
    memory.Open();
    if (!sheets_.empty()) {
        const SheetScript script = std::move(sheets_.front());
        sheets_.pop_front();
        script(memory);
    }
    return memory.Result();
}

void RecordingUi::Clear()
{
    dialogs_.clear();
    sheets_.clear();
    files_.clear();
    colours_.clear();
    fileDialogs_.clear();
    passwords_.clear();
    passwordRequests_ = 0;
    messages_.clear();
    questions_.clear();
    answers_.clear();
    choices_.clear();
}

} // namespace kal
