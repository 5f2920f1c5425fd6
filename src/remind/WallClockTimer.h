#pragma once

#include <QObject>

#include <cstdint>

class QSocketNotifier;

namespace kal {

// A timer set to a moment of the real clock rather than to a length of time: it fires at that moment
// also when the machine slept in between (at once on waking when the moment passed during the sleep),
// and it says when somebody sets the clock, so that what is due can be worked out afresh. Without it
// a timer that counts time would fire late after a sleep and at the wrong moment after a clock change.
class WallClockTimer final : public QObject {
    Q_OBJECT

public:
    explicit WallClockTimer(QObject* parent = nullptr);
    ~WallClockTimer() override;

    // Fires once at `instantMs` (milliseconds since 1970-01-01 00:00:00 UTC); a moment passed fires at
    // once. Replaces the moment set before.
    void Arm(std::int64_t instantMs);

Q_SIGNALS:
    void Fired();
    // The clock was set, moving the real time of every moment; the timer is no longer armed.
    void ClockChanged();

private:
    void OnReadable();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kal
