#pragma once

#include <QObject>
#include <QPoint>

class QTimer;
class QWidget;

namespace kal {

// Turns a press held still for a while into a context-menu event on the widget that got the press,
// as a long touch asks for a pop-up menu where there is no second button. Touches reach widgets as
// mouse presses, so one watcher serves both.
class PressAndHold final : public QObject {
    Q_OBJECT

public:
    static constexpr int kMilliseconds = 600;
    // How far the pointer may wander, in pixels, before the press counts as a drag instead.
    static constexpr int kSlack = 8;

    // Watches `target`, the widget that receives the pointer's events (a list's viewport).
    PressAndHold(QWidget* target, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fire();

    QWidget* target_;
    QTimer* timer_;
    QPoint pressed_;
};

} // namespace kal
