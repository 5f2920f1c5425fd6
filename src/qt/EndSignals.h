#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace kal {

// Turns the stop signals the system sends (SIGTERM, SIGHUP, SIGINT) into a call on the window thread:
// the handler only writes a byte to a pipe, which the event loop reads.
class EndSignals : public QObject {
public:
    explicit EndSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~EndSignals() override;

private:
    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kal
