#include "app/DocumentViews.h"
#include "app/KalApp.h"
#include "app/MainFrame.h"
#include "app/StartRequest.h"
#include "platform/Text.h"
#include "qt/EndSignals.h"
#include "qt/InstanceGuard.h"
#include "qt/MainWindow.h"
#include "qt/QtConvert.h"
#include "qt/QtFonts.h"
#include "qt/QtServices.h"
#include "qt/QtTranslations.h"
#include "qt/QtUi.h"
#include "qt/ReminderLink.h"
#include "ui/UpdateHints.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

int main(int argc, char* argv[])
{
    using namespace kal;
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zentrik"));
    QApplication::setApplicationName(QStringLiteral("Kalendra"));
    QApplication::setFont(InterfaceFont(QApplication::font().pointSize()));
    // Before any window, so that every chooser and button Qt makes for us reads Japanese.
    const std::unique_ptr<QTranslator> qtTexts = InstallQtTranslations();

    // A second start hands its file name to the running program, which comes to the front and
    // checks its file, and ends here.
    // The file is kept by its absolute path: the recent-file list and a running program started
    // from another folder must find it again.
    std::vector<std::u16string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1))
        arguments.push_back(FromQString(argument));
    std::optional<StartRequest> request = ParseStartArguments(arguments);
    if (!request) {
        std::fputs("Usage: kalendra [--date YYYY-MM-DD] [FILE.klx]\n", stderr);
        return 2;
    }
    std::optional<std::string> file;
    if (!request->file.empty()) {
        request->file = FromQString(QFileInfo(ToQString(request->file)).absoluteFilePath());
        file = ToUtf8(request->file);
    }
    InstanceGuard guard;
    if (!guard.TryBecomePrimary(HandOverMessage(*request)))
        return 0;

    QtUi ui;
    Ui::Install(&ui);
    QtClipboard clipboard;
    Clipboard::Install(&clipboard);
    QtShell shell;
    Shell::Install(&shell);

    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1280, 800);
    CKalApp app;
    const int menu = app.Start(Size { screen.width(), screen.height() });
    DocumentViews views(app.Genres(), &app.Recent());
    CKalDoc& document = views.document;
    CMainFrame frame(document, views.month, views.day);

    MainWindow window(app, document, views.month, views.day, frame, menu, screen.width() < screen.height());
    window.resize(std::min(1100, screen.width()), std::min(760, screen.height() - 40));
    ui.SetMainWindow(&window);
    app.SetDocument(&document);
    // A file with a password is reminded of only while it is open here.
    ReminderLink reminderLink(document);
    // A second start with a file (a double-click in a file manager) opens it here as File > Open
    // would, asking to save changes first; without one it only brings the window forward.
    // With a day (a reminder's "open"), the month view moves to it once the file is open.
    guard.SetMessageHandler([&window, &document, &app, &views](const std::u16string& message) {
        const StartRequest handed = FromHandOverMessage(message);
        window.showNormal();
        window.raise();
        window.activateWindow();
        if (handed.file.empty())
            document.CheckChangedOnDisk();
        else
            app.OpenFile(ToUtf8(handed.file));
        if (handed.date)
            views.month.ShowDate(*handed.date);
        window.RefreshCommands();
    });

    // The system ending the program or the session is a close that nobody can answer.
    const EndSignals endSignals([&document](int) {
        document.EndWithoutQuestions();
        QCoreApplication::exit(0);
    });
    QObject::connect(
        &application, &QGuiApplication::commitDataRequest, &application,
        [&document](QSessionManager&) { document.EndWithoutQuestions(); }, Qt::DirectConnection);

    window.show();
    frame.CreateClient(window, Size { screen.width(), screen.height() });
    app.OpenFirstDocument(document, file);
    window.ActivateMonthView(true);
    if (request->date)
        views.month.ShowDate(*request->date);

    const int result = QApplication::exec();
    Shell::Install(nullptr);
    Clipboard::Install(nullptr);
    Ui::Install(nullptr);
    return result;
}
