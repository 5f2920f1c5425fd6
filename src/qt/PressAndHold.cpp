#include "qt/PressAndHold.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace kal {

PressAndHold::PressAndHold(QWidget* target, QObject* parent)
    : QObject(parent)
    , target_(target)
    , timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setInterval(kMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] { Fire(); });
    target_->installEventFilter(this);
}

bool PressAndHold::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != target_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            pressed_ = mouse->position().toPoint();
            timer_->start();
        } else {
            timer_->stop();
        }
        break;
    }
    case QEvent::MouseMove:
        if ((static_cast<QMouseEvent*>(event)->position().toPoint() - pressed_).manhattanLength() > kSlack)
            timer_->stop();
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Hide:
    case QEvent::FocusOut:
        timer_->stop();
        break;
    default:
        break;
    }
    return false; // the widget still sees every event: the press selects before the menu opens
}

void PressAndHold::Fire()
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pressed_, target_->mapToGlobal(pressed_));
    QCoreApplication::sendEvent(target_, &event);
}

} // namespace kal
