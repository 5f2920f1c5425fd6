#pragma once

#include "ui/Ui.h"

#include <QPointer>

class QWidget;

namespace kal {

// The user interface services on Qt: message boxes, questions, the password prompt, the file and
// colour choosers, resource dialogs and property sheets, the wait cursor and the screen. What opens
// while a dialog is open belongs to that dialog; else it opens over the main window when one is set,
// else over the active window.
class QtUi final : public Ui {
public:
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

    void ShowMessage(std::u16string_view text) override;
    bool AskYesNo(std::u16string_view text) override;
    // Escape and the window's close button are Cancel.
    Answer AskYesNoCancel(std::u16string_view text) override;
    Answer AskChoice(std::u16string_view text, std::u16string_view first, std::u16string_view second) override;
    std::optional<std::u16string> AskPassword(std::u16string_view caption, std::u16string_view prompt) override;
    std::optional<std::u16string> AskOpenFile(const FileDialogOptions& options) override;
    std::optional<std::u16string> AskSaveFile(const FileDialogOptions& options) override;
    std::optional<Colour> AskColour(Colour initial, CustomColours& custom) override;
    int RunDialog(DialogLogic& dialog) override;
    int RunPropertySheet(PropertySheet& sheet) override;
    // The work runs on a thread of its own; a progress dialog with a Cancel button comes up only when
    // it takes longer than a moment.
    void RunCancellable(std::u16string_view text, const std::function<void(const WorkProgress&)>& work,
        const std::function<void()>& cancel) override;
    void BeginWait() override;
    void EndWait() override;
    Size ScreenSize() const override;
    std::vector<std::u16string> FontFamilies() const override;

private:
    enum class FileMode { Open, Save };
    Answer Ask(
        std::u16string_view text, bool withCancel, std::u16string_view yesText = {}, std::u16string_view noText = {});
    std::optional<std::u16string> AskFile(const FileDialogOptions& options, FileMode mode);
    QWidget* DialogParent() const;

    QPointer<QWidget> mainWindow_;
};

} // namespace kal
