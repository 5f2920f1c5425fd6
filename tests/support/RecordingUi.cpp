#include "support/RecordingUi.h"

#include "support/MemoryDialogHost.h"
#include "ui/PropertySheet.h"

namespace kal {

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
