#include "qt/InstanceGuard.h"

#include "qt/QtConvert.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>
#include <unistd.h>

namespace kal {

namespace {

constexpr int kConnectMilliseconds = 1000;

} // namespace

QString InstanceGuard::DefaultName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/kalendra.socket");
    return QStringLiteral("kalendra-") + QString::number(::getuid());
}

InstanceGuard::InstanceGuard(QString name, QObject* parent)
    : QObject(parent)
    , name_(std::move(name))
{
}

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::IsListening() const
{
    return server_ && server_->isListening();
}

bool InstanceGuard::TryBecomePrimary(std::u16string_view message)
{
    if (IsListening())
        return true;
    if (SendToPrimary(message))
        return false;

    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceGuard::Accept);
    if (server_->listen(name_))
        return true;
    // Nobody answered, so a socket file still there was left by an instance that ended abruptly.
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name_);
        if (server_->listen(name_))
            return true;
    }
    qWarning("Kalendra: cannot watch for a second start: %s", qPrintable(server_->errorString()));
    return true;
}

bool InstanceGuard::SendToPrimary(std::u16string_view message)
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectMilliseconds))
        return false;
    socket.write(ToQString(message).toUtf8());
    socket.flush();
    socket.waitForBytesWritten(kConnectMilliseconds);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectMilliseconds);
    return true;
}

void InstanceGuard::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // The sender writes its message and hangs up; the message is complete when it has gone.
        struct Incoming {
            QByteArray bytes;
            bool finished = false;
        };
        auto incoming = std::make_shared<Incoming>();
        connect(socket, &QLocalSocket::readyRead, this, [socket, incoming] { incoming->bytes += socket->readAll(); });
        const auto finish = [this, socket, incoming] {
            if (incoming->finished)
                return;
            incoming->finished = true;
            incoming->bytes += socket->readAll();
            socket->deleteLater();
            if (handler_)
                handler_(FromQString(QString::fromUtf8(incoming->bytes)));
        };
        connect(socket, &QLocalSocket::disconnected, this, finish);
        if (socket->state() == QLocalSocket::UnconnectedState)
            finish();
    }
}

} // namespace kal
