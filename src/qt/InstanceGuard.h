#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QLocalServer;

namespace kal {

// One running program per user. The first instance listens on a local socket; a later one hands it
// a message (the file it was asked to open) and is told to quit. A socket file left behind by an
// instance that crashed is noticed because nobody answers on it, and replaced.
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
    // the instance that runs. Should listening fail for another reason, the program runs unguarded
    // rather than not at all, and this is true too.
    [[nodiscard]] bool TryBecomePrimary(std::u16string_view message = {});
    [[nodiscard]] bool IsListening() const;

    // Called in the first instance with each message another instance sent.
    void SetMessageHandler(MessageHandler handler) { handler_ = std::move(handler); }

private:
    bool SendToPrimary(std::u16string_view message);
    void Accept();

    QString name_;
    QLocalServer* server_ = nullptr;
    MessageHandler handler_;
};

} // namespace kal
