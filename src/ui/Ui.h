#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// The user-facing services dialogs and documents call on: message boxes and Yes/No questions. The
// desktop program installs its own; without one, messages go to the terminal.
class Ui {
public:
    virtual ~Ui() = default;

    // A message box with an OK button.
    virtual void ShowMessage(std::u16string_view text) = 0;
    // A question with Yes and No; true only for Yes.
    [[nodiscard]] virtual bool AskYesNo(std::u16string_view text) = 0;
    // A dialog with `caption`, the `prompt` and one masked edit that starts empty; the typed text on
    // OK, nothing on cancel.
    [[nodiscard]] virtual std::optional<std::u16string> AskPassword(
        std::u16string_view caption, std::u16string_view prompt)
        = 0;

    static Ui& Current();
    // Makes `ui` the current one (nullptr returns to the terminal); gives the previous one.
    static Ui* Install(Ui* ui);
};

// Messages on standard error; questions answered on the terminal, or No when there is none.
class ConsoleUi : public Ui {
public:
    void ShowMessage(std::u16string_view text) override;
    bool AskYesNo(std::u16string_view text) override;
    // Reads the password without echo; cancelled when there is no terminal.
    std::optional<std::u16string> AskPassword(std::u16string_view caption, std::u16string_view prompt) override;
};

// Keeps what was shown and answers questions from a script, for tests. Questions beyond the
// script are answered No.
class RecordingUi final : public Ui {
public:
    void ShowMessage(std::u16string_view text) override;
    bool AskYesNo(std::u16string_view text) override;
    // Answers with the queued passwords in turn, then cancels.
    std::optional<std::u16string> AskPassword(std::u16string_view caption, std::u16string_view prompt) override;

    void QueueAnswer(bool yes) { answers_.push_back(yes); }
    void QueuePassword(std::optional<std::u16string> password) { passwords_.push_back(std::move(password)); }
    [[nodiscard]] int PasswordRequests() const { return passwordRequests_; }

    [[nodiscard]] const std::vector<std::u16string>& Messages() const { return messages_; }
    [[nodiscard]] const std::vector<std::u16string>& Questions() const { return questions_; }
    void Clear();

private:
    std::vector<std::u16string> messages_;
    std::vector<std::u16string> questions_;
    std::deque<bool> answers_;
    std::deque<std::optional<std::u16string>> passwords_;
    int passwordRequests_ = 0;
};

} // namespace kal
