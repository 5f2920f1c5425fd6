#pragma once

#include "ui/Ui.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kal {

class MemoryDialogHost;
class MemoryPropertySheet;

// Keeps what was shown and answers questions from a script, for tests. Questions beyond the
// script are answered No.
class RecordingUi final : public Ui {
public:
    void ShowMessage(std::u16string_view text) override;
    bool AskYesNo(std::u16string_view text) override;
    // Answers with the queued choices in turn, then Cancel; the question counts among Questions().
    Answer AskChoice(std::u16string_view text, std::u16string_view first, std::u16string_view second) override;
    // Answers with the queued passwords in turn, then cancels.
    std::optional<std::u16string> AskPassword(std::u16string_view caption, std::u16string_view prompt) override;

    std::optional<std::u16string> AskOpenFile(const FileDialogOptions& options) override;
    std::optional<std::u16string> AskSaveFile(const FileDialogOptions& options) override;
    std::optional<Colour> AskColour(Colour initial, CustomColours& custom) override;
    // Runs the dialog on an in-memory host: its init, then the queued script (which sets controls
    // and presses buttons), and gives the result the dialog ended with (cancel when it did not end).
    int RunDialog(DialogLogic& dialog) override;
    // The same for a property sheet, with the queued sheet scripts.
    int RunPropertySheet(PropertySheet& sheet) override;
    Size ScreenSize() const override { return screen_; }
    void BeginWait() override { ++waits_; }

    using DialogScript = std::function<void(DialogLogic& dialog, MemoryDialogHost& host)>;
    void QueueDialog(DialogScript script) { dialogs_.push_back(std::move(script)); }
    using SheetScript = std::function<void(MemoryPropertySheet& sheet)>;
    void QueueSheet(SheetScript script) { sheets_.push_back(std::move(script)); }
    void QueueFile(std::optional<std::u16string> path) { files_.push_back(std::move(path)); }
    void QueueColour(std::optional<Colour> colour) { colours_.push_back(colour); }
    void SetScreenSize(Size size) { screen_ = size; }
    std::vector<std::u16string> FontFamilies() const override { return fontFamilies_; }
    void SetFontFamilies(std::vector<std::u16string> families) { fontFamilies_ = std::move(families); }
    [[nodiscard]] int DialogsRun() const { return dialogsRun_; }
    [[nodiscard]] const std::vector<FileDialogOptions>& FileDialogs() const { return fileDialogs_; }
    [[nodiscard]] int Waits() const { return waits_; }

    void QueueAnswer(bool yes) { answers_.push_back(yes); }
    void QueueChoice(Answer answer) { choices_.push_back(answer); }
    void QueuePassword(std::optional<std::u16string> password) { passwords_.push_back(std::move(password)); }
    [[nodiscard]] int PasswordRequests() const { return passwordRequests_; }

    [[nodiscard]] const std::vector<std::u16string>& Messages() const { return messages_; }
    [[nodiscard]] const std::vector<std::u16string>& Questions() const { return questions_; }
    void Clear();

private:
    std::vector<std::u16string> messages_;
    std::vector<std::u16string> questions_;
    std::deque<bool> answers_;
    std::deque<Answer> choices_;
    std::deque<std::optional<std::u16string>> passwords_;
    int passwordRequests_ = 0;
    std::deque<DialogScript> dialogs_;
    std::deque<SheetScript> sheets_;
    std::deque<std::optional<std::u16string>> files_;
    std::deque<std::optional<Colour>> colours_;
    std::vector<FileDialogOptions> fileDialogs_;
    Size screen_ { 1280, 800 };
    std::vector<std::u16string> fontFamilies_;
    int dialogsRun_ = 0;
    int waits_ = 0;
};

} // namespace kal
