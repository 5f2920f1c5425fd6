#pragma once

#include "remind/ShownAlarms.h"
#include "store/AlarmList.h"
#include "store/KalStore.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class QFileSystemWatcher;
class QTimer;

namespace kal {

class IniProfile;
class Notifier;
class ReminderService;
class WallClockTimer;

// Shows each reminder of one schedule file when it is due. It reads the file (never writes it) and
// reads it again when it changes on disk, follows the settings' last used file unless given one, and
// sleeps until the next reminder is due. Whatever came due while it could not show it (the machine
// slept, the session began late, the clock was set) is shown on the next occasion when it is at most
// a day old, as one notification when there are many.
class Reminder final : public QObject {
    Q_OBJECT

public:
    // Whether the reminder was started with the session: it then ends as soon as the settings turn
    // reminding at login off.
    enum class Started { ByUser, AtLogin };

    // `file` empty: the file the settings name as the last one used.
    Reminder(QString file, QString statePath, Started started, QObject* parent = nullptr);
    ~Reminder() override;

    // False when it is not to run: started at login with reminding at login turned off.
    [[nodiscard]] bool Start();

private:
    // A reminder shown again later at the user's asking.
    struct Snoozed {
        std::int64_t dueMs;
        QString summary;
        QString body;
        QString day; // YYYY-MM-DD
    };
    // A reminder to show: from the file, or handed over for a file with a password.
    struct Due {
        std::int64_t due;
        std::uint64_t key;
        QString summary;
        QString body;
        QString day; // YYYY-MM-DD
    };
    // What a notification on screen stands for, for its actions.
    struct Shown {
        QString summary;
        QString body;
        QString day;
    };

    void ReadSettings();
    void Watch();
    void ScheduleCheck();
    void CheckFiles();
    void LoadFile();
    void Plan();
    [[nodiscard]] std::vector<Due> Reminders(std::int64_t from, std::int64_t to);
    void ShowDue(const std::vector<Due>& due, std::int64_t now);
    void OnAction(unsigned id, const QString& action);

    QString givenFile_;
    Started started_;
    bool turnedOff_ = false;
    QString file_;
    std::unique_ptr<IniProfile> profile_;
    QString settingsPath_;
    CKalStore store_;
    bool loaded_ = false;
    QString loadedStamp_; // what the file looked like when read: size, time, inode
    QString settingsStamp_;
    AlarmListOptions options_;
    ShownAlarms shownAlarms_;
    std::vector<Snoozed> snoozed_;
    std::map<unsigned, Shown> onScreen_;
    Notifier* notifier_ = nullptr;
    ReminderService* service_ = nullptr;
    WallClockTimer* timer_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr; // a change is read once the writer is done
};

} // namespace kal
