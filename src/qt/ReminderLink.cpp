#include "qt/ReminderLink.h"

#include "app/KalDoc.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/HandedAlarms.h"
#include "store/KalStore.h"
#include "views/ListingOptions.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDateTime>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>

namespace kal {

namespace {

const QString kService = QStringLiteral("io.github.kalendra.Reminder");
const QString kPath = QStringLiteral("/io/github/kalendra/Reminder");
// What the reminder looks at: the last day (for what it missed) and the two ahead.
constexpr std::int64_t kBackSeconds = 24 * 3600;
constexpr std::int64_t kAheadSeconds = 2 * 24 * 3600;
constexpr int kRefreshMilliseconds = 12 * 3600 * 1000;

void Hand(const QString& file, const QStringList& lines)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("SetAlarms"));
    call << file << lines;
    // Without a reminder on the bus nothing is lost: it asks again when it comes.
    QDBusConnection::sessionBus().send(call);
}

} // namespace

ReminderLink::ReminderLink(CKalDoc& document, QObject* parent)
    : QObject(parent)
    , document_(document)
{
    soon_ = new QTimer(this);
    soon_->setSingleShot(true);
    soon_->setInterval(500);
    connect(soon_, &QTimer::timeout, this, [this] { Send(); });
    refresh_ = new QTimer(this);
    refresh_->setInterval(kRefreshMilliseconds);
    connect(refresh_, &QTimer::timeout, this, [this] { Send(); });
    auto* watcher = new QDBusServiceWatcher(
        kService, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { Send(); });
    document_.AddView(this);
}

ReminderLink::~ReminderLink()
{
    document_.RemoveView(this);
    if (!handedFile_.isEmpty())
        Hand(handedFile_, {});
}

void ReminderLink::OnUpdate(int, const CKalData*)
{
    soon_->start();
}

void ReminderLink::OnInitialUpdate()
{
    soon_->start();
}

void ReminderLink::Send()
{
    CKalStore& store = document_.Store();
    const QString file = document_.PathName().empty()
        ? QString()
        : QFileInfo(QString::fromStdString(document_.PathName())).absoluteFilePath();
    if (store.password.empty() || file.isEmpty()) {
        if (!handedFile_.isEmpty())
            Hand(handedFile_, {});
        handedFile_.clear();
        refresh_->stop();
        return;
    }
    if (!handedFile_.isEmpty() && handedFile_ != file)
        Hand(handedFile_, {});
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    QStringList lines;
    for (const Alarm& alarm :
        AlarmsBetween(store, AlarmOptionsFrom(CKalSettings::Current()), now - kBackSeconds, now + kAheadSeconds)) {
        const std::u16string line = HandedAlarmLine(Handed(alarm));
        lines << QString::fromStdU16String(line);
    }
    Hand(file, lines);
    handedFile_ = file;
    if (!refresh_->isActive())
        refresh_->start();
}

} // namespace kal
