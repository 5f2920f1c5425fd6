#include "qt/InstanceGuard.h"

#include "qt/QtConvert.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

namespace kal {

namespace {

constexpr int kConnectMilliseconds = 1000;
constexpr int kRetryMilliseconds = 50;
constexpr int kModalPollMilliseconds = 100;

} // namespace

QString InstanceGuard::DefaultName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/kalendra.socket");
    return QStringLiteral("kalendra-") + QString::number(::getuid());
}

QString InstanceGuard::LockPath(const QString& name)
{
    // A bare name is a socket in the temporary folder, where Qt puts it.
    const QString socket = name.startsWith(QLatin1Char('/')) ? name : QDir::tempPath() + QLatin1Char('/') + name;
    return socket + QStringLiteral(".lock");
}

InstanceGuard::InstanceGuard(QString name, QObject* parent)
    : QObject(parent)
    , name_(std::move(name))
{
}

InstanceGuard::~InstanceGuard()
{
    // The lock file stays: removing it would let a third start lock a new file while a second
    // still waits on the old one.
    if (lock_ >= 0)
        ::close(lock_);
}

bool InstanceGuard::IsListening() const
{
    return server_ && server_->isListening();
}

bool InstanceGuard::TryBecomePrimary(std::u16string_view message)
{
    if (IsListening() || lock_ >= 0)
        return true;
    const QByteArray lockPath = QFile::encodeName(LockPath(name_));
    // Without O_NONBLOCK a device node in the lock file's place could hold the start up for ever.
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lock_ = fd;
        // Whoever holds the lock is the only instance, so a socket file there is a crashed one's.
        QLocalServer::removeServer(name_);
        Listen();
        return true;
    }
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (fd >= 0 && error == EWOULDBLOCK) {
        // The running instance may have taken the lock a moment ago and not be listening yet.
        const QDeadlineTimer deadline(kAnswerMilliseconds);
        do {
            if (SendToPrimary(message))
                return false;
            QThread::msleep(kRetryMilliseconds);
        } while (!deadline.hasExpired());
        qWarning("Kalendra: the running program does not answer");
        return false;
    }
    qWarning("Kalendra: cannot lock %s: %s", lockPath.constData(), std::strerror(error));
    if (SendToPrimary(message))
        return false;
    Listen();
    return true;
}

bool InstanceGuard::Listen()
{
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
    return false;
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
            pending_.push_back(FromQString(QString::fromUtf8(incoming->bytes)));
            Deliver();
        };
        connect(socket, &QLocalSocket::disconnected, this, finish);
        if (socket->state() == QLocalSocket::UnconnectedState)
            finish();
    }
}

void InstanceGuard::Deliver()
{
    if (!handler_) {
        pending_.clear();
        return;
    }
    // The handler can open dialogs of its own; a message arriving meanwhile waits for the next turn.
    if (!delivering_) {
        delivering_ = true;
        while (!pending_.empty() && !QApplication::activeModalWidget()) {
            const std::u16string message = std::move(pending_.front());
            pending_.erase(pending_.begin());
            handler_(message);
        }
        delivering_ = false;
    }
    if (pending_.empty()) {
        if (retry_)
            retry_->stop();
        return;
    }
    if (!retry_) {
        retry_ = new QTimer(this);
        retry_->setInterval(kModalPollMilliseconds);
        connect(retry_, &QTimer::timeout, this, &InstanceGuard::Deliver);
    }
    retry_->start();
}

} // namespace kal
