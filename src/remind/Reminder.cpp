#include "remind/Reminder.h"

#include "platform/IniProfile.h"
#include "platform/Text.h"
#include "remind/Notifier.h"
#include "remind/ReminderService.h"
#include "remind/WallClockTimer.h"
#include "settings/KalSettings.h"
#include "store/HandedAlarms.h"
#include "store/KalData.h"
#include "store/ScheduleFile.h"
#include "views/ListingOptions.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace kal {

namespace {

// How far back a reminder not yet shown is still worth showing.
constexpr std::int64_t kCatchUpSeconds = 24 * 3600;
// How far ahead one plan looks; the timer wakes at its end at the latest to look again.
constexpr std::int64_t kHorizonSeconds = 2 * 24 * 3600;
// More reminders due at once than this come as one notification.
constexpr std::size_t kMostSingly = 3;
constexpr std::size_t kMostLinesInOne = 10;
constexpr std::int64_t kSnoozeSeconds = 5 * 60;
constexpr int kSettleMilliseconds = 300;

const QString kOpenAction = QStringLiteral("open");
const QString kSnoozeAction = QStringLiteral("snooze");

QString Q(const std::u16string& text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Size, modification time and inode: a save that replaces the file changes at least one of them.
QString Stamp(const QString& path)
{
    struct stat info { };
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return QStringLiteral("%1 %2.%3 %4")
        .arg(static_cast<qlonglong>(info.st_size))
        .arg(static_cast<qlonglong>(info.st_mtim.tv_sec))
        .arg(static_cast<qlonglong>(info.st_mtim.tv_nsec))
        .arg(static_cast<qulonglong>(info.st_ino));
}

std::int64_t NowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

Reminder::Reminder(QString file, QString statePath, Started started, QObject* parent)
    : QObject(parent)
    , givenFile_(file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath())
    , started_(started)
    , shownAlarms_(std::move(statePath))
{
    notifier_ = new Notifier(this);
    service_ = new ReminderService(this);
    if (!service_->Register())
        std::fputs("kalendra-remind: the reminder's name on the session bus is taken: files with a password are not "
                   "reminded\n",
            stderr);
    connect(service_, &ReminderService::Changed, this, [this] { Plan(); });
    timer_ = new WallClockTimer(this);
    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMilliseconds);
    connect(settle_, &QTimer::timeout, this, [this] { CheckFiles(); });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { ScheduleCheck(); });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { ScheduleCheck(); });
    connect(timer_, &WallClockTimer::Fired, this, [this] { Plan(); });
    connect(timer_, &WallClockTimer::ClockChanged, this, [this] {
        std::fputs("kalendra-remind: the clock was set; looking at the reminders again\n", stderr);
        Plan();
    });
    connect(notifier_, &Notifier::ServiceAppeared, this, [this] { Plan(); });
    connect(notifier_, &Notifier::ActionInvoked, this,
        [this](unsigned id, const QString& action) { OnAction(id, action); });
}

Reminder::~Reminder()
{
    CKalSettings::Install(nullptr);
    Profile::Install(nullptr);
}

bool Reminder::Start()
{
    settingsPath_ = QString::fromStdString(IniProfile::DefaultPath());
    shownAlarms_.Read();
    CheckFiles();
    return !turnedOff_;
}

void Reminder::ReadSettings()
{
    // The settings file is read afresh: the desktop program changes it while we run.
    profile_ = std::make_unique<IniProfile>(settingsPath_.toStdString());
    Profile::Install(profile_.get());
    static CKalSettings settings;
    settings.Load(*profile_);
    CKalSettings::Install(&settings);
    options_ = AlarmOptionsFrom(settings);
    settingsStamp_ = Stamp(settingsPath_);
    if (started_ == Started::AtLogin && ReadSetting(*profile_, ProfileIntSetting::RemindAtLogin) == 0) {
        std::fputs("kalendra-remind: reminding at login is turned off in the settings\n", stderr);
        turnedOff_ = true;
        QCoreApplication::exit(0);
    }
    QString file = givenFile_;
    if (file.isEmpty())
        file = Q(ReadSetting(*profile_, ProfileTextSetting::DefaultFile, u""));
    if (file != file_) {
        file_ = file;
        loadedStamp_.clear();
        if (file_.isEmpty())
            std::fputs("kalendra-remind: the settings name no schedule file yet; waiting for one\n", stderr);
    }
}

void Reminder::Watch()
{
    // A save replaces the file by renaming a new one over it, which ends a watch on the file itself:
    // the folders are watched too and the file's watch is made again.
    QStringList wanted;
    for (const QString& path : { file_, settingsPath_ }) {
        if (path.isEmpty())
            continue;
        wanted << QFileInfo(path).absolutePath();
        if (QFileInfo::exists(path))
            wanted << path;
    }
    QStringList watched = watcher_->files() + watcher_->directories();
    for (const QString& path : watched) {
        if (!wanted.contains(path))
            watcher_->removePath(path);
    }
    for (const QString& path : wanted) {
        if (!watched.contains(path))
            watcher_->addPath(path);
    }
}

void Reminder::ScheduleCheck()
{
    settle_->start();
}

void Reminder::CheckFiles()
{
    if (settingsStamp_.isNull() || Stamp(settingsPath_) != settingsStamp_)
        ReadSettings();
    if (!file_.isEmpty() && Stamp(file_) != loadedStamp_)
        LoadFile();
    Watch();
    Plan();
}

void Reminder::LoadFile()
{
    loadedStamp_ = Stamp(file_);
    // No password is ever asked here: a protected file is refused, as it should be.
    const Result<LoadedSchedule> loaded = LoadScheduleFile(store_, file_.toStdString(), LoadOptions {});
    loaded_ = loaded.HasValue();
    if (!loaded_) {
        store_.Clear();
        std::fprintf(stderr, "kalendra-remind: %s: %s; read again when it changes\n", qPrintable(file_),
            ToUtf8(loaded.Error().message).c_str());
    }
}

std::vector<Reminder::Due> Reminder::Reminders(std::int64_t from, std::int64_t to)
{
    std::vector<Due> reminders;
    if (loaded_) {
        for (const Alarm& alarm : AlarmsBetween(store_, options_, from, to))
            reminders.push_back(Due {
                alarm.due, AlarmKey(alarm), Q(AlarmSummary(alarm)), Q(alarm.entry->place), Q(Handed(alarm).day) });
        return reminders;
    }
    // A file we cannot read is reminded from what the desktop program has handed over while it has it
    // open.
    if (file_.isEmpty() || QFileInfo(service_->File()).canonicalFilePath() != QFileInfo(file_).canonicalFilePath())
        return reminders;
    for (const QString& line : service_->Lines()) {
        const auto handed = ParseHandedAlarmLine(line.toStdU16String());
        if (handed && handed->due >= from && handed->due < to)
            reminders.push_back(Due { handed->due, handed->key, Q(handed->summary), Q(handed->place), Q(handed->day) });
    }
    std::stable_sort(reminders.begin(), reminders.end(), [](const Due& a, const Due& b) { return a.due < b.due; });
    return reminders;
}

void Reminder::Plan()
{
    if (turnedOff_)
        return;
    const std::int64_t nowMs = NowMs();
    const std::int64_t now = nowMs / 1000;
    shownAlarms_.Read();
    std::vector<Due> due;
    std::int64_t nextMs = (now + kHorizonSeconds) * 1000;
    for (Due& reminder : Reminders(now - kCatchUpSeconds, now + kHorizonSeconds)) {
        if (shownAlarms_.Has(reminder.key))
            continue;
        if (reminder.due * 1000 <= nowMs) {
            due.push_back(std::move(reminder));
        } else {
            nextMs = std::min(nextMs, reminder.due * 1000);
            break; // in the order due
        }
    }
    ShowDue(due, now);
    std::vector<Snoozed> waiting;
    for (const Snoozed& snoozed : snoozed_) {
        if (snoozed.dueMs <= nowMs) {
            const unsigned id = notifier_->Show(snoozed.summary, snoozed.body,
                { kOpenAction, QStringLiteral("開く"), kSnoozeAction, QStringLiteral("5分後") });
            if (id != 0) {
                onScreen_[id] = Shown { snoozed.summary, snoozed.body, snoozed.day };
                continue;
            }
        }
        waiting.push_back(snoozed);
        nextMs = std::min(nextMs, std::max(snoozed.dueMs, nowMs + kSnoozeSeconds * 1000));
    }
    snoozed_ = std::move(waiting);
    timer_->Arm(nextMs);
}

void Reminder::ShowDue(const std::vector<Due>& due, std::int64_t now)
{
    if (due.empty())
        return;
    const QStringList actions { kOpenAction, QStringLiteral("開く"), kSnoozeAction, QStringLiteral("5分後") };
    // What is not shown stays due and is tried again at the next occasion.
    if (due.size() <= kMostSingly) {
        for (const Due& reminder : due) {
            const unsigned id = notifier_->Show(reminder.summary, reminder.body, actions);
            if (id == 0)
                break;
            onScreen_[id] = Shown { reminder.summary, reminder.body, reminder.day };
            shownAlarms_.Add(reminder.key, reminder.due);
        }
    } else {
        // After a sleep or a late start: one notification, the earliest first.
        QString body;
        for (std::size_t i = 0; i < due.size() && i < kMostLinesInOne; ++i)
            body += due[i].day.mid(5).replace(u'-', u'/') + u' ' + due[i].summary + u'\n';
        if (due.size() > kMostLinesInOne)
            body += QStringLiteral("ほか%1件").arg(due.size() - kMostLinesInOne);
        const QString summary = QStringLiteral("リマインダー %1件").arg(due.size());
        const unsigned id = notifier_->Show(summary, body.trimmed(), { kOpenAction, QStringLiteral("開く") });
        if (id != 0) {
            onScreen_[id] = Shown { summary, body, due.back().day };
            for (const Due& reminder : due)
                shownAlarms_.Add(reminder.key, reminder.due);
        }
    }
    if (!shownAlarms_.Write(now))
        std::fputs("kalendra-remind: the list of reminders shown could not be written\n", stderr);
}

void Reminder::OnAction(unsigned id, const QString& action)
{
    const auto found = onScreen_.find(id);
    if (found == onScreen_.end())
        return;
    const Shown shown = found->second;
    onScreen_.erase(found);
    if (action == kSnoozeAction) {
        snoozed_.push_back(Snoozed { NowMs() + kSnoozeSeconds * 1000, shown.summary, shown.body, shown.day });
        Plan();
    } else if (action == kOpenAction || action == QStringLiteral("default")) {
        // The desktop program beside us, else the one on the path; a running one takes the day over.
        QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kalendra");
        if (!QFileInfo(program).isExecutable())
            program = QStringLiteral("kalendra");
        QStringList arguments { QStringLiteral("--date"), shown.day };
        if (!file_.isEmpty())
            arguments << file_;
        if (!QProcess::startDetached(program, arguments))
            std::fprintf(stderr, "kalendra-remind: %s could not be started\n", qPrintable(program));
    }
}

} // namespace kal
