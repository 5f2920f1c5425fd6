#include "qt/QtUi.h"

#include "qt/QtDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kal {
namespace {

// Acts on the next modal window as a user would, once it is up. Should nothing act, the window is
// closed after a few seconds so that a failing test does not hang.
void WhenModal(std::function<void(QWidget& window)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act), triesLeft = 200]() mutable {
        QWidget* window = QApplication::activeModalWidget();
        if (!window && --triesLeft > 0)
            return;
        poll->stop();
        poll->deleteLater();
        if (!window) {
            ADD_FAILURE() << "no modal window came up";
            return;
        }
        QTimer::singleShot(5000, window, [window] {
            ADD_FAILURE() << "the window was not closed";
            window->close();
        });
        act(*window);
    });
    poll->start();
}

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
