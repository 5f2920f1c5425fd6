#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

namespace kal {

// The language Qt's own texts (the file and colour choosers, standard buttons, context menus of text
// fields) are shown in. Every text of the program itself is Japanese whatever the locale, so Qt's are
// Japanese too, for every locale: a Japanese menu leading to an English "Open"/"Cancel" chooser reads
// as a broken program. KALENDRA_QT_LANGUAGE overrides it with another language code ("de", "fr", ...);
// "C" or "en" keeps Qt's built-in English.
[[nodiscard]] QString QtTextsLanguage();

// Loads Qt's translations for QtTextsLanguage() from Qt's translations folder and installs them in the
// running application. Null when English was asked for or no translation file is there: the program
// then runs with Qt's English and a line on the log says why. The translator leaves the application
// when it is destroyed, so it must live as long as the windows do.
[[nodiscard]] std::unique_ptr<QTranslator> InstallQtTranslations();

} // namespace kal
