#include "remind/WallClockTimer.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <sys/timerfd.h>
#include <unistd.h>

namespace kal {

WallClockTimer::WallClockTimer(QObject* parent)
    : QObject(parent)
{
    fd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0) {
        std::perror("kalendra-remind: timerfd_create");
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { OnReadable(); });
}

WallClockTimer::~WallClockTimer()
{
    if (fd_ >= 0)
        close(fd_);
}

void WallClockTimer::Arm(std::int64_t instantMs)
{
    if (fd_ < 0)
        return;
    itimerspec expiry {};
    // Zero would disarm: a moment at or before the epoch is simply one that has passed.
    instantMs = instantMs < 1 ? 1 : instantMs;
    expiry.it_value.tv_sec = static_cast<time_t>(instantMs / 1000);
    expiry.it_value.tv_nsec = static_cast<long>(instantMs % 1000) * 1000000L;
    // CANCEL_ON_SET: a read fails with ECANCELED once the clock is set, which is how a change is told.
    if (timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) != 0)
        std::perror("kalendra-remind: timerfd_settime");
}

void WallClockTimer::OnReadable()
{
    std::uint64_t expirations = 0;
    const ssize_t got = read(fd_, &expirations, sizeof expirations);
    if (got == sizeof expirations) {
        Q_EMIT Fired();
    } else if (got < 0 && errno == ECANCELED) {
        Q_EMIT ClockChanged();
    }
}

} // namespace kal
