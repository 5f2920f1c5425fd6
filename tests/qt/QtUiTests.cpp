#include "qt/QtUi.h"

#include "WhenModal.h"

#include "qt/QtDialog.h"
#include "qt/QtPropertySheet.h"
#include "ui/PropertySheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace kal {
namespace {

class QtUiTest : public ::testing::Test {
protected:
    QtUi ui_;
};

TEST_F(QtUiTest, MessagesAndQuestionsCarryTheProgramsCaption)
{
    QString caption;
    QString text;
    WhenModal([&](QWidget& window) {
        auto& box = dynamic_cast<QMessageBox&>(window);
        caption = box.windowTitle();
        text = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    ui_.ShowMessage(u"スケジュールがありません");
    EXPECT_EQ(caption, QStringLiteral("Zentrik Kalendra"));
    EXPECT_EQ(text, QStringLiteral("スケジュールがありません"));

    QString yesText;
    WhenModal([&](QWidget& window) {
        auto& box = dynamic_cast<QMessageBox&>(window);
        caption = box.windowTitle();
        yesText = box.button(QMessageBox::Yes)->text();
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(ui_.AskYesNo(u"保存しますか？"));
    EXPECT_EQ(caption, QStringLiteral("Zentrik Kalendra"));
    EXPECT_EQ(yesText, QStringLiteral("はい(&Y)"));

    WhenModal([](QWidget& window) { dynamic_cast<QMessageBox&>(window).button(QMessageBox::No)->click(); });
    EXPECT_FALSE(ui_.AskYesNo(u"保存しますか？"));
    WhenModal([](QWidget& window) { window.close(); });
    EXPECT_FALSE(ui_.AskYesNo(u"保存しますか？")) << "closing the question is No";

    QString cancelText;
    WhenModal([&](QWidget& window) {
        auto& box = dynamic_cast<QMessageBox&>(window);
        cancelText = box.button(QMessageBox::Cancel)->text();
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ui_.AskYesNoCancel(u"変更を保存しますか？"), Ui::Answer::No);
    EXPECT_EQ(cancelText, QStringLiteral("キャンセル"));
    WhenModal([](QWidget& window) { dynamic_cast<QMessageBox&>(window).button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(ui_.AskYesNoCancel(u"変更を保存しますか？"), Ui::Answer::Yes);
    WhenModal([](QWidget& window) { window.close(); });
    EXPECT_EQ(ui_.AskYesNoCancel(u"変更を保存しますか？"), Ui::Answer::Cancel) << "closing it is Cancel";
}

TEST_F(QtUiTest, TheSaveChooserTakesNoNameInAFolderThatDoesNotExist)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QString told;
    int chooserShown = 0;
    WhenModal([&](QWidget& window) {
        auto& chooser = dynamic_cast<QFileDialog&>(window);
        ++chooserShown;
        chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(home.path() + QStringLiteral("/missing/plan.klx"));
        WhenModal([&](QWidget& message) {
            auto& box = dynamic_cast<QMessageBox&>(message);
            told = box.text();
            WhenModal([&](QWidget& again) {
                ++chooserShown;
                dynamic_cast<QFileDialog&>(again).reject();
            });
            box.button(QMessageBox::Ok)->click();
        });
        QMetaObject::invokeMethod(&chooser, "accept"); // the chooser's Save button
    });
    FileDialogOptions options;
    options.title = u"名前を付けて保存";
    options.filter = u"Kalendraﾌｧｲﾙ(*.klx) |*.klx||";
    options.defaultExtension = u"klx";
    options.initialFolder = home.path().toStdU16String();
    EXPECT_EQ(ui_.AskSaveFile(options), std::nullopt);
    EXPECT_EQ(told,
        QStringLiteral("フォルダーが見つかりません。フォルダー名を確認してください。\n") + home.path()
            + QStringLiteral("/missing"));
    EXPECT_EQ(chooserShown, 2) << "the chooser comes back after the message";
}

TEST_F(QtUiTest, LongWorkRunsOffTheWindowThreadAndStopsWhenCancelled)
{
    const std::thread::id windowThread = std::this_thread::get_id();
    // Quick work: done on another thread, and no dialog comes up.
    std::thread::id workThread;
    ui_.RunCancellable(
        u"追加しています", [&](const Ui::WorkProgress&) { workThread = std::this_thread::get_id(); },
        [] { ADD_FAILURE() << "nothing to cancel"; });
    EXPECT_NE(workThread, windowThread);

    // Slow work: a dialog shows how far it came; its Cancel stops the work, which ends on its own.
    std::atomic<bool> stop { false };
    int shownMaximum = -1;
    QString buttonText;
    WhenModal([&](QWidget& window) {
        auto& dialog = dynamic_cast<QProgressDialog&>(window);
        QTimer::singleShot(200, &dialog, [&] {
            shownMaximum = dialog.maximum();
            auto* button = dialog.findChild<QPushButton*>();
            buttonText = button->text();
            button->click();
        });
    });
    int stepsDone = 0;
    ui_.RunCancellable(
        u"追加しています",
        [&](const Ui::WorkProgress& progress) {
            for (int step = 1; step <= 1000 && !stop; ++step) {
                progress(step, 1000);
                stepsDone = step;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        },
        [&] { stop = true; });
    EXPECT_TRUE(stop);
    EXPECT_LT(stepsDone, 1000);
    EXPECT_EQ(shownMaximum, 1000);
    EXPECT_EQ(buttonText, QStringLiteral("キャンセル"));
}

TEST_F(QtUiTest, PasswordPromptGivesTheTypedTextOnlyOnOk)
{
    QString caption;
    bool masked = false;
    bool promptShown = false;
    WhenModal([&](QWidget& window) {
        caption = window.windowTitle();
        for (const QLabel* label : window.findChildren<QLabel*>())
            promptShown = promptShown || label->text() == QStringLiteral("パスワードを入力してください。");
        const QList<QLineEdit*> edits = window.findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 1);
        masked = edits[0]->echoMode() == QLineEdit::Password;
        EXPECT_TRUE(edits[0]->text().isEmpty());
        edits[0]->setText(QStringLiteral("ひみつ"));
        dynamic_cast<QDialog&>(window).accept();
    });
    EXPECT_EQ(ui_.AskPassword(u"パスワード", u"パスワードを入力してください。"), std::u16string(u"ひみつ"));
    EXPECT_EQ(caption, QStringLiteral("パスワード"));
    EXPECT_TRUE(masked);
    EXPECT_TRUE(promptShown);

    QString cancelText;
    WhenModal([&](QWidget& window) {
        window.findChildren<QLineEdit*>().front()->setText(QStringLiteral("途中"));
        auto& dialog = dynamic_cast<QtDialog&>(window);
        auto* cancel = qobject_cast<QPushButton*>(dialog.Control(kIdCancel));
        ASSERT_NE(cancel, nullptr);
        cancelText = cancel->text();
        cancel->click();
    });
    EXPECT_EQ(ui_.AskPassword(u"パスワード", u"?"), std::nullopt);
    EXPECT_EQ(cancelText, QStringLiteral("キャンセル"));
}

TEST_F(QtUiTest, ColourChooserStartsOnTheColourAndKeepsCustomColours)
{
    CustomColours custom {};
    custom.fill(MakeColour(255, 255, 255));
    custom[2] = MakeColour(10, 20, 30);
    QColor opened;
    QColor customSeen;
    WhenModal([&](QWidget& window) {
        auto& chooser = dynamic_cast<QColorDialog&>(window);
        opened = chooser.currentColor();
        customSeen = QColorDialog::customColor(2);
        // The user adds a custom colour and picks another one.
        QColorDialog::setCustomColor(5, QColor(9, 8, 7));
        chooser.setCurrentColor(QColor(200, 100, 50));
        chooser.accept();
    });
    EXPECT_EQ(ui_.AskColour(MakeColour(1, 2, 3), custom), MakeColour(200, 100, 50));
    EXPECT_EQ(opened, QColor(1, 2, 3));
    EXPECT_EQ(customSeen, QColor(10, 20, 30)) << "red stays in the low byte";
    EXPECT_EQ(custom[5], MakeColour(9, 8, 7));
    EXPECT_EQ(custom[2], MakeColour(10, 20, 30));
    EXPECT_EQ(custom[0], MakeColour(255, 255, 255));

    WhenModal([](QWidget& window) { dynamic_cast<QDialog&>(window).reject(); });
    EXPECT_EQ(ui_.AskColour(MakeColour(1, 2, 3), custom), std::nullopt);
}

// A dialog of one edit; OK keeps its text.
class NameDialog final : public DialogLogic {
public:
    NameDialog()
    {
        ControlResource edit;
        edit.id = 100;
        edit.kind = ControlKind::Edit;
        ControlResource ok;
        ok.id = kIdOk;
        ok.kind = ControlKind::DefaultButton;
        ok.text = u"OK";
        resource_.caption = u"名前";
        resource_.controls = { edit, ok };
    }
    const DialogResource& Resource() const override { return resource_; }
    bool OnOk(DialogHost& host) override
    {
        name = host.Text(100);
        return true;
    }
    std::u16string name;

private:
    DialogResource resource_;
};

TEST_F(QtUiTest, RunsResourceDialogsModally)
{
    NameDialog logic;
    WhenModal([](QWidget& window) {
        auto& dialog = dynamic_cast<QtDialog&>(window);
        dialog.SetText(100, u"山田");
        dialog.Control(kIdOk)->setFocus();
        qobject_cast<QPushButton*>(dialog.Control(kIdOk))->click();
    });
    EXPECT_EQ(ui_.RunDialog(logic), kIdOk);
    EXPECT_EQ(logic.name, u"山田");
}

// A dialog whose button opens a message and then a dialog of its own through the installed Ui.
class OpenerDialog final : public DialogLogic {
public:
    static constexpr int kOpen = 200;
    OpenerDialog()
    {
        ControlResource open;
        open.id = kOpen;
        open.kind = ControlKind::PushButton;
        open.text = u"開く";
        ControlResource cancel;
        cancel.id = kIdCancel;
        cancel.kind = ControlKind::PushButton;
        cancel.text = u"閉じる";
        resource_.caption = u"外側";
        resource_.controls = { open, cancel };
    }
    const DialogResource& Resource() const override { return resource_; }
    void OnControl(DialogHost&, int id, Notification) override
    {
        if (id != kOpen)
            return;
        Ui::Current().ShowMessage(u"内側のメッセージ");
        NameDialog inner;
        innerResult = Ui::Current().RunDialog(inner);
    }
    int innerResult = 0;

private:
    DialogResource resource_;
};

TEST_F(QtUiTest, WhatADialogOpensBelongsToIt)
{
    Ui* previous = Ui::Install(&ui_);
    QWidget mainWindow;
    ui_.SetMainWindow(&mainWindow);
    OpenerDialog opener;
    QWidget* outer = nullptr;
    QWidget* messageParent = nullptr;
    QWidget* innerParent = nullptr;
    WhenModal([&](QWidget& window) {
        outer = &window;
        // The message comes up while the button's click runs; then the inner dialog.
        WhenModal([&](QWidget& message) {
            messageParent = message.parentWidget();
            WhenModal([&](QWidget& inner) {
                innerParent = inner.parentWidget();
                dynamic_cast<QDialog&>(inner).reject();
            });
            dynamic_cast<QMessageBox&>(message).button(QMessageBox::Ok)->click();
        });
        auto& dialog = dynamic_cast<QtDialog&>(window);
        qobject_cast<QPushButton*>(dialog.Control(OpenerDialog::kOpen))->click();
        qobject_cast<QPushButton*>(dialog.Control(kIdCancel))->click();
    });
    EXPECT_EQ(ui_.RunDialog(opener), kIdCancel);
    Ui::Install(previous);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(messageParent, outer);
    EXPECT_EQ(innerParent, outer);
    EXPECT_EQ(opener.innerResult, kIdCancel);
}

TEST_F(QtUiTest, RunsPropertySheetsModally)
{
    NameDialog first;
    NameDialog second;
    PropertySheet sheet { u"設定", { &first, &second }, 0 };
    int tabs = 0;
    WhenModal([&](QWidget& window) {
        auto& shown = dynamic_cast<QtPropertySheet&>(window);
        tabs = shown.findChild<QTabWidget*>()->count();
        shown.Page(1).SetText(100, u"二枚目");
        shown.accept();
    });
    EXPECT_EQ(ui_.RunPropertySheet(sheet), kIdOk);
    EXPECT_EQ(tabs, 2);
    EXPECT_EQ(second.name, u"二枚目");
    EXPECT_EQ(first.name, u"") << "every page's OK ran";

    WhenModal([](QWidget& window) { window.close(); });
    EXPECT_EQ(ui_.RunPropertySheet(sheet), kIdCancel);
}

TEST_F(QtUiTest, WaitCursorNests)
{
    ui_.BeginWait();
    ui_.BeginWait();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui_.EndWait();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    ui_.EndWait();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui_.EndWait();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "an extra end is harmless";
}

} // namespace
} // namespace kal
