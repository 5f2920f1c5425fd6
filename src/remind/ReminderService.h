#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>

class QDBusServiceWatcher;

namespace kal {

// The reminder on the session bus, where the desktop program hands it the reminders of a file with a
// password, which the reminder itself never reads. What was handed is dropped when the program that
// handed it leaves the bus.
class ReminderService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.kalendra.Reminder")

public:
    static constexpr const char* kServiceName = "io.github.kalendra.Reminder";
    static constexpr const char* kObjectPath = "/io/github/kalendra/Reminder";

    explicit ReminderService(QObject* parent = nullptr);
    // False when another process holds the name.
    bool Register();

    [[nodiscard]] const QString& File() const { return file_; }
    [[nodiscard]] const QStringList& Lines() const { return lines_; }

public Q_SLOTS:
    // The reminders of `file` (absolute path), one HandedAlarmLine each; none when it was closed.
    void SetAlarms(const QString& file, const QStringList& lines);

Q_SIGNALS:
    void Changed();

private:
    QString file_;
    QStringList lines_;
    QDBusServiceWatcher* sender_ = nullptr;
};

} // namespace kal
