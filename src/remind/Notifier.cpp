#include "remind/Notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QVariantMap>

#include <cstdio>

namespace kal {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kCallMilliseconds = 5000;

} // namespace

Notifier::Notifier(QObject* parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "kalendra-remind: no session bus: %s\n", qPrintable(bus.lastError().message()));
        return;
    }
    bus.connect(
        kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this, SLOT(OnActionInvoked(uint, QString)));
    auto* watcher = new QDBusServiceWatcher(kService, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        failureLogged_ = false;
        Q_EMIT ServiceAppeared();
    });
}

unsigned Notifier::Show(const QString& summary, const QString& body, const QStringList& actions)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("kalendra"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1)));
    call << QStringLiteral("Kalendra") << uint(0) << QStringLiteral("kalendra") << summary << body << actions << hints
         << int(-1);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kCallMilliseconds);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        return reply.arguments().constFirst().toUInt();
    if (!failureLogged_) {
        std::fprintf(stderr, "kalendra-remind: no notification shown (%s); reminders wait for a notification service\n",
            qPrintable(reply.errorMessage()));
        failureLogged_ = true;
    }
    return 0;
}

void Notifier::OnActionInvoked(uint id, const QString& action)
{
    Q_EMIT ActionInvoked(id, action);
}

} // namespace kal
