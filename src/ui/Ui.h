#pragma once

#include "platform/Installable.h"
#include "ui/Geometry.h"

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class DialogLogic;
class DialogHost;
class MemoryDialogHost;
class MemoryPropertySheet;
struct PropertySheet;

struct FileDialogOptions {
    std::u16string title;
    std::u16string filter; // "Name (*.klx) |*.klx|All (*.*) |*.*||" as the program writes filters
    std::u16string defaultExtension; // without the dot
    std::u16string initialName;
    std::u16string initialFolder;
};

inline constexpr int kCustomColours = 16;
using CustomColours = std::array<Colour, kCustomColours>;

// The user-facing services dialogs and documents call on: message boxes and Yes/No questions. The
// desktop program installs its own; without one, messages go to the terminal.
class Ui : public Installable<Ui> {
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
    enum class Answer { Yes, No, Cancel };
    // A question with Yes, No and Cancel. Without a front end of its own, it is the Yes/No question.
    [[nodiscard]] virtual Answer AskYesNoCancel(std::u16string_view text)
    {
        return AskYesNo(text) ? Answer::Yes : Answer::No;
    }
    // The same question with `first` on the Yes button and `second` on the No button, for a choice
    // that is not a plain yes or no.
    [[nodiscard]] virtual Answer AskChoice(
        std::u16string_view text, std::u16string_view first, std::u16string_view second)
    {
        static_cast<void>(first);
        static_cast<void>(second);
        return AskYesNoCancel(text);
    }
    // File choosers: the chosen path, nothing when cancelled. Saving asks before replacing a file.
    [[nodiscard]] virtual std::optional<std::u16string> AskOpenFile(const FileDialogOptions& options) = 0;
    [[nodiscard]] virtual std::optional<std::u16string> AskSaveFile(const FileDialogOptions& options) = 0;
    // The colour chooser, opened on `initial` with the user's sixteen custom colours, which it may change.
    [[nodiscard]] virtual std::optional<Colour> AskColour(Colour initial, CustomColours& custom) = 0;
    // Runs a dialog until it ends; gives the result it ended with (kIdOk, kIdCancel, ...). A dialog
    // opened while another is open belongs to that one.
    virtual int RunDialog(DialogLogic& dialog) = 0;
    // Runs a property sheet until it ends: kIdOk or kIdCancel.
    virtual int RunPropertySheet(PropertySheet& sheet) = 0;
    // Told by long work how far it has come: `done` of `total` steps. Called on the thread doing it.
    using WorkProgress = std::function<void(int done, int total)>;
    // Runs `work`, which talks to nothing but its own objects, while the user sees `text`, how far it
    // has come and a way to stop it: `cancel` is called when the user asks, and `work` then ends soon
    // on its own. The desktop runs it on a thread of its own behind a progress dialog, so the window
    // stays responsive; without a front end of its own it runs here and now.
    virtual void RunCancellable(std::u16string_view text, const std::function<void(const WorkProgress&)>& work,
        const std::function<void()>& cancel)
    {
        static_cast<void>(text);
        static_cast<void>(cancel);
        work([](int, int) {});
    }
    // Shows that a long operation runs; calls nest.
    virtual void BeginWait() { }
    virtual void EndWait() { }
    [[nodiscard]] virtual Size ScreenSize() const = 0;
    // The font families the display offers, one name each, for the font chooser.
    [[nodiscard]] virtual std::vector<std::u16string> FontFamilies() const { return {}; }

    // The installed user interface, else the terminal.
    static Ui& Current();
};

// Messages on standard error; questions answered on the terminal, or No when there is none.
class ConsoleUi : public Ui {
public:
    void ShowMessage(std::u16string_view text) override;
    bool AskYesNo(std::u16string_view text) override;
    // Offers the two choices by number; anything else, or no terminal, is Cancel.
    Answer AskChoice(std::u16string_view text, std::u16string_view first, std::u16string_view second) override;
    // Reads the password without echo; cancelled when there is no terminal.
    std::optional<std::u16string> AskPassword(std::u16string_view caption, std::u16string_view prompt) override;
    // No choosers or dialogs on a terminal: they are cancelled.
    std::optional<std::u16string> AskOpenFile(const FileDialogOptions& options) override;
    std::optional<std::u16string> AskSaveFile(const FileDialogOptions& options) override;
    std::optional<Colour> AskColour(Colour initial, CustomColours& custom) override;
    int RunDialog(DialogLogic& dialog) override;
    int RunPropertySheet(PropertySheet& sheet) override;
    Size ScreenSize() const override { return Size { 1280, 800 }; }
};

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
