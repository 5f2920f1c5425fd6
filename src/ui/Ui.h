#pragma once

#include "platform/Installable.h"
#include "ui/Geometry.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class DialogLogic;
class DialogHost;
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

} // namespace kal
