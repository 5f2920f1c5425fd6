#include "qt/QtTranslations.h"
#include "qt/QtUi.h"

#include "WhenModal.h"

#include "app/AppTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace kal {
namespace {

// The texts of the buttons of every button box in `window`, mnemonics left in.
QStringList ButtonTexts(const QWidget& window)
{
    QStringList texts;
    for (const QDialogButtonBox* box : window.findChildren<QDialogButtonBox*>()) {
        for (const QAbstractButton* button : box->buttons())
            texts << button->text();
    }
    return texts;
}

// Reads the buttons of the next modal window once it is up, then closes it.
void ReadButtonsOfNextModal(QStringList& texts)
{
    WhenModal([&texts](QWidget& window) {
        texts = ButtonTexts(window);
        window.close();
    });
}

// Qt's English for the buttons the program's windows can show.
const QStringList kEnglish { QStringLiteral("&Open"), QStringLiteral("Open"), QStringLiteral("&Save"),
    QStringLiteral("Save"), QStringLiteral("Cancel"), QStringLiteral("&Cancel"), QStringLiteral("&Yes"),
    QStringLiteral("&No") };

void ExpectJapanese(const QStringList& texts, const char* where)
{
    SCOPED_TRACE(where);
    SCOPED_TRACE(texts.join(u'|').toStdString());
    ASSERT_FALSE(texts.isEmpty());
    for (const QString& text : texts) {
        EXPECT_FALSE(kEnglish.contains(text)) << text.toStdString();
        if (text == QStringLiteral("OK"))
            continue; // Japanese says OK too
        // Every other Japanese button text holds a character beyond ASCII ("キャンセル", "開く(&O)").
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x7F; }))
            << text.toStdString();
    }
}

TEST(JapaneseTexts, QtsOwnChoosersAndButtonsSpeakJapanese)
{
    const std::unique_ptr<QTranslator> translations = InstallQtTranslations();
    ASSERT_NE(translations, nullptr) << "Qt's Japanese translations are not installed";
    QtUi ui;

    QStringList open;
    ReadButtonsOfNextModal(open);
    EXPECT_FALSE(ui.AskOpenFile(FileDialogOptions { texts::kOpenTitle, texts::kFileFilter, u"klx", {}, {} }));
    ExpectJapanese(open, "file chooser, open");

    QStringList save;
    ReadButtonsOfNextModal(save);
    EXPECT_FALSE(ui.AskSaveFile(FileDialogOptions { texts::kSaveAsTitle, texts::kSaveFilter, u"klx", {}, {} }));
    ExpectJapanese(save, "file chooser, save");

    CustomColours custom {};
    QStringList colour;
    ReadButtonsOfNextModal(colour);
    EXPECT_FALSE(ui.AskColour(0x0000FF, custom));
    ExpectJapanese(colour, "colour chooser");

    // Qt's own questions, such as the file chooser's before it replaces a file.
    QMessageBox question(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    ExpectJapanese(ButtonTexts(question), "message box");
}

TEST(JapaneseTexts, EnglishCanBeAskedFor)
{
    qputenv("KALENDRA_QT_LANGUAGE", "C");
    const std::unique_ptr<QTranslator> translations = InstallQtTranslations();
    qunsetenv("KALENDRA_QT_LANGUAGE");
    EXPECT_EQ(translations, nullptr);
    EXPECT_EQ(QtTextsLanguage(), QStringLiteral("ja"));
}

} // namespace
} // namespace kal
