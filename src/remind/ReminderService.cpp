#include "remind/ReminderService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>

namespace kal {

ReminderService::ReminderService(QObject* parent)
    : QObject(parent)
{
    sender_ = new QDBusServiceWatcher(this);
    sender_->setConnection(QDBusConnection::sessionBus());
    sender_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(sender_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        file_.clear();
        lines_.clear();
        Q_EMIT Changed();
    });
}

bool ReminderService::Register()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.registerService(QString::fromLatin1(kServiceName))
        && bus.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportAllSlots);
}

void ReminderService::SetAlarms(const QString& file, const QStringList& lines)
{
    file_ = file;
    lines_ = lines;
    if (calledFromDBus())
        sender_->setWatchedServices({ message().service() });
    Q_EMIT Changed();
}

} // namespace kal
