#include "remind/Reminder.h"
#include "remind/ShownAlarms.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kalendra-remind"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    // The session's autostart entry says so: the settings may have turned reminding at login off.
    const bool atLogin = arguments.removeAll(QStringLiteral("--autostart")) > 0;
    if (arguments.size() > 1 || (!arguments.isEmpty() && arguments[0].startsWith(u'-'))) {
        std::fputs("Usage: kalendra-remind [--autostart] [FILE.klx]\n"
                   "Shows the reminders of the schedule file (the last one Kalendra used by default) as\n"
                   "desktop notifications when they are due.\n",
            arguments.contains(QStringLiteral("--help")) ? stdout : stderr);
        return arguments.contains(QStringLiteral("--help")) ? 0 : 2;
    }
    const QString statePath = kal::ShownAlarms::DefaultPath();
    QDir().mkpath(QFileInfo(statePath).absolutePath());
    // One reminder per user: a second session's start leaves the reminding to the first.
    QLockFile lock(statePath + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        std::fputs("kalendra-remind: already running\n", stderr);
        return 0;
    }
    kal::Reminder reminder(arguments.isEmpty() ? QString() : arguments[0], statePath,
        atLogin ? kal::Reminder::Started::AtLogin : kal::Reminder::Started::ByUser);
    if (!reminder.Start())
        return 0;
    return QCoreApplication::exec();
}
