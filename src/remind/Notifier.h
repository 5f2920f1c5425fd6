#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace kal {

// The desktop's notification service (org.freedesktop.Notifications on the session bus).
class Notifier final : public QObject {
    Q_OBJECT

public:
    explicit Notifier(QObject* parent = nullptr);

    // Shows a notification with the given actions (pairs of key and label); its id, or 0 when no
    // service took it. The first failure is logged; the program keeps running without.
    unsigned Show(const QString& summary, const QString& body, const QStringList& actions);

Q_SIGNALS:
    void ActionInvoked(unsigned id, const QString& action);
    // A notification service came on the bus: what could not be shown may be shown now.
    void ServiceAppeared();

private Q_SLOTS:
    void OnActionInvoked(uint id, const QString& action);

private:
    bool failureLogged_ = false;
};

} // namespace kal
