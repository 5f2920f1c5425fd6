#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QLocalServer;
class QTimer;

namespace kal {

// One running program per user. Who runs is decided by a lock on a file next to the socket, held for
// the life of the process, so two programs started at the same moment cannot both win; the winner
// then listens on a local socket, and a later start hands it a message (the file it was asked to
// open) and is told to quit. A socket file left behind by an instance that crashed holds no lock and
// is replaced.
class InstanceGuard final : public QObject {
    Q_OBJECT

public:
    using MessageHandler = std::function<void(const std::u16string& message)>;

    // The socket of this user: in $XDG_RUNTIME_DIR when the session has one, else in the temporary
    // folder under a name with the user id.
    [[nodiscard]] static QString DefaultName();

    explicit InstanceGuard(QString name = DefaultName(), QObject* parent = nullptr);
    ~InstanceGuard() override;

    // True when this is the first instance, which then listens; false after `message` was handed to
    // the instance that runs, and also when that one holds the lock but does not answer in time: two
    // programs on one file would each save over the other. Should the lock or listening fail for
    // another reason, the program runs unguarded rather than not at all, and this is true too.
    [[nodiscard]] bool TryBecomePrimary(std::u16string_view message = {});
    [[nodiscard]] bool IsListening() const;

    // Called in the first instance with each message another instance sent. A message that comes
    // while a modal dialog is open waits until none is: the handler may reload the document the
    // dialog still works on.
    void SetMessageHandler(MessageHandler handler) { handler_ = std::move(handler); }

    // The lock file beside the socket `name`.
    [[nodiscard]] static QString LockPath(const QString& name);

private:
    bool SendToPrimary(std::u16string_view message);
    bool Listen();
    void Accept();
    void Deliver();

    static constexpr int kAnswerMilliseconds = 5000;

    QString name_;
    int lock_ = -1;
    QLocalServer* server_ = nullptr;
    QTimer* retry_ = nullptr;
    std::vector<std::u16string> pending_;
    bool delivering_ = false;
    MessageHandler handler_;
};

} // namespace kal
