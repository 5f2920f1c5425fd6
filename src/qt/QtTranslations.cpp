#include "qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QtGlobal>

namespace kal {

namespace {

constexpr char kLanguageVariable[] = "KALENDRA_QT_LANGUAGE";

} // namespace

QString QtTextsLanguage()
{
    const QString chosen = qEnvironmentVariable(kLanguageVariable).trimmed();
    return chosen.isEmpty() ? QStringLiteral("ja") : chosen;
}

std::unique_ptr<QTranslator> InstallQtTranslations()
{
    const QString language = QtTextsLanguage();
    if (language == QLatin1String("C") || language == QLatin1String("en") || language.startsWith(QLatin1String("en_")))
        return nullptr;
    // qtbase holds every text the program's windows can show: the widgets, the choosers and the
    // standard buttons.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        qWarning("Kalendra: no Qt translation for \"%s\" in %s; Qt's own texts stay in English",
            qUtf8Printable(language), qUtf8Printable(folder));
        return nullptr;
    }
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace kal
