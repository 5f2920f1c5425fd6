#include "qt/QtUi.h"

#include "qt/FileChooser.h"
#include "qt/QtConvert.h"
#include "qt/QtDialog.h"
#include "qt/QtPropertySheet.h"
#include "qt/QtTexts.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>

#include <chrono>
#include <exception>
#include <future>
#include <limits>
#include <thread>

namespace kal {

namespace {

// Gives the keyboard back to the window a modal one belonged to once it has closed. A window manager
// does that by itself; without one (a kiosk session, a test's X server) the keys would otherwise reach
// the main window without its menu shortcuts.
class FocusReturn {
public:
    explicit FocusReturn(QWidget* owner)
        : owner_(owner)
    {
    }
    ~FocusReturn()
    {
        if (owner_ && owner_->isVisible())
            owner_->activateWindow();
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> owner_;
};

constexpr int kPasswordEditId = 1000;

// One masked edit under a prompt; the typed text is kept on OK.
class PasswordDialog final : public DialogLogic {
public:
    PasswordDialog(std::u16string_view caption, std::u16string_view prompt)
    {
        resource_.caption = caption;
        resource_.controls.push_back(Control(0, ControlKind::Label, prompt, 0));
        resource_.controls.push_back(Control(kPasswordEditId, ControlKind::PasswordEdit, u"", 1));
        resource_.controls.push_back(Control(kIdOk, ControlKind::DefaultButton, qttext::kOk, 2));
        resource_.controls.push_back(Control(kIdCancel, ControlKind::PushButton, qttext::kCancel, 2));
    }

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override { host.SetFocus(kPasswordEditId); }
    bool OnOk(DialogHost& host) override
    {
        password_ = host.Text(kPasswordEditId);
        return true;
    }

    [[nodiscard]] const std::u16string& Password() const { return password_; }

private:
    static ControlResource Control(int id, ControlKind kind, std::u16string_view text, int row)
    {
        ControlResource control;
        control.id = id;
        control.kind = kind;
        control.text = text;
        control.row = row;
        return control;
    }

    DialogResource resource_;
    std::u16string password_;
};

} // namespace

QWidget* QtUi::DialogParent() const
{
    // A dialog open on screen owns what it opens, so that it stays behind it and waits for it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return mainWindow_ ? mainWindow_.data() : QApplication::activeWindow();
}

void QtUi::ShowMessage(std::u16string_view text)
{
    const FocusReturn focus(DialogParent());
    QMessageBox box(
        QMessageBox::Information, ToQString(qttext::kProgramCaption), ToQString(text), QMessageBox::Ok, DialogParent());
    box.button(QMessageBox::Ok)->setText(ToQString(qttext::kOk));
    box.exec();
}

Ui::Answer QtUi::Ask(std::u16string_view text, bool withCancel, std::u16string_view yesText, std::u16string_view noText)
{
    const FocusReturn focus(DialogParent());
    QMessageBox box(QMessageBox::Question, ToQString(qttext::kProgramCaption), ToQString(text),
        QMessageBox::Yes | QMessageBox::No, DialogParent());
    QAbstractButton* yes = box.button(QMessageBox::Yes);
    QAbstractButton* no = box.button(QMessageBox::No);
    yes->setText(ToQString(yesText.empty() ? qttext::kYes : yesText));
    no->setText(ToQString(noText.empty() ? qttext::kNo : noText));
    box.setDefaultButton(QMessageBox::Yes);
    if (withCancel) {
        box.addButton(QMessageBox::Cancel)->setText(ToQString(qttext::kCancel));
        box.setEscapeButton(QMessageBox::Cancel);
    } else
        box.setEscapeButton(QMessageBox::No);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no || !withCancel)
        return Answer::No;
    return Answer::Cancel;
}

bool QtUi::AskYesNo(std::u16string_view text)
{
    return Ask(text, false) == Answer::Yes;
}

Ui::Answer QtUi::AskYesNoCancel(std::u16string_view text)
{
    return Ask(text, true);
}

Ui::Answer QtUi::AskChoice(std::u16string_view text, std::u16string_view first, std::u16string_view second)
{
    return Ask(text, true, first, second);
}

std::optional<std::u16string> QtUi::AskPassword(std::u16string_view caption, std::u16string_view prompt)
{
    PasswordDialog logic(caption, prompt);
    const FocusReturn focus(DialogParent());
    QtDialog dialog(logic, DialogParent());
    if (dialog.Run() != kIdOk)
        return std::nullopt;
    return logic.Password();
}

std::optional<std::u16string> QtUi::AskFile(const FileDialogOptions& options, FileMode mode)
{
    const FocusReturn focus(DialogParent());
    QFileDialog dialog(DialogParent(), ToQString(options.title));
    const QStringList filters = QtNameFilters(options.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(ToQString(options.defaultExtension));
    const ChooserStart start = ChooserStartFor(options);
    dialog.setDirectory(start.folder);
    if (!start.name.isEmpty())
        dialog.selectFile(start.name);
    if (mode == FileMode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        // Qt asks before replacing an existing file.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString chosen = dialog.selectedFiles().front();
        // Qt's chooser takes a name in a folder that does not exist, and the save could only fail.
        const QDir folder = QFileInfo(chosen).absoluteDir();
        if (mode == FileMode::Save && !folder.exists()) {
            ShowMessage(std::u16string(qttext::kFolderMissing) + FromQString(QDir::toNativeSeparators(folder.path())));
            continue;
        }
        return FromQString(chosen);
    }
    return std::nullopt;
}

std::optional<std::u16string> QtUi::AskOpenFile(const FileDialogOptions& options)
{
    return AskFile(options, FileMode::Open);
}

std::optional<std::u16string> QtUi::AskSaveFile(const FileDialogOptions& options)
{
    return AskFile(options, FileMode::Save);
}

std::optional<Colour> QtUi::AskColour(Colour initial, CustomColours& custom)
{
    for (int i = 0; i < kCustomColours; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[static_cast<std::size_t>(i)]));
    const FocusReturn focus(DialogParent());
    QColorDialog dialog(ToQColor(initial), DialogParent());
    const bool chosen = dialog.exec() == QDialog::Accepted;
    // Custom colours the user added count even when the chooser was then cancelled.
    for (int i = 0; i < kCustomColours; ++i)
        custom[static_cast<std::size_t>(i)] = FromQColor(QColorDialog::customColor(i));
    if (!chosen)
        return std::nullopt;
    return FromQColor(dialog.selectedColor());
}

int QtUi::RunDialog(DialogLogic& dialog)
{
    const FocusReturn focus(DialogParent());
    QtDialog window(dialog, DialogParent());
    return window.Run();
}

int QtUi::RunPropertySheet(PropertySheet& sheet)
{
    const FocusReturn focus(DialogParent());
    QtPropertySheet window(sheet, DialogParent());
    return window.Run();
}

void QtUi::RunCancellable(
    std::u16string_view text, const std::function<void(const WorkProgress&)>& work, const std::function<void()>& cancel)
{
    const FocusReturn focus(DialogParent());
    QProgressDialog dialog(ToQString(text), ToQString(qttext::kCancel), 0, 0, DialogParent());
    dialog.setWindowTitle(ToQString(qttext::kProgramCaption));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    // Shown when this function says so, not by the dialog's own timer.
    dialog.setMinimumDuration(std::numeric_limits<int>::max());
    // Cancel asks the work to stop; the dialog stays until it has, so nothing else can start meanwhile.
    QObject::disconnect(&dialog, &QProgressDialog::canceled, &dialog, &QProgressDialog::cancel);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&dialog, &cancel] {
        dialog.setLabelText(ToQString(qttext::kStopping));
        if (QPushButton* button = dialog.findChild<QPushButton*>())
            button->setEnabled(false);
        cancel();
    });

    QEventLoop loop;
    std::exception_ptr failure;
    std::promise<void> finished;
    std::future<void> done = finished.get_future();
    std::thread worker([&] {
        try {
            work([&dialog](int step, int total) {
                QMetaObject::invokeMethod(
                    &dialog,
                    [&dialog, step, total] {
                        dialog.setMaximum(total);
                        dialog.setValue(step);
                    },
                    Qt::QueuedConnection);
            });
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
        finished.set_value();
    });
    // Most work (a file, a near server) is done at once: the window just waits a moment for it. What
    // takes longer gets the dialog, and the window stays drawn and the work can be stopped.
    constexpr auto kMoment = std::chrono::milliseconds(300);
    if (done.wait_for(kMoment) != std::future_status::ready) {
        dialog.show();
        loop.exec();
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void QtUi::BeginWait()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtUi::EndWait()
{
    if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

Size QtUi::ScreenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return Size { 1280, 800 };
    return Size { screen->size().width(), screen->size().height() };
}

std::vector<std::u16string> QtUi::FontFamilies() const
{
    std::vector<std::u16string> families;
    const QStringList names = QFontDatabase::families();
    families.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names)
        families.push_back(FromQString(name));
    return families;
}

} // namespace kal
