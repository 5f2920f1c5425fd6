#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace kal {

// Acts on the next modal window as a user would, once it is up. Should nothing act, the window is
// closed after a few seconds so that a failing test does not hang.
inline void WhenModal(std::function<void(QWidget& window)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act), triesLeft = 300]() mutable {
        QWidget* window = QApplication::activeModalWidget();
        if (!window && --triesLeft > 0)
            return;
        poll->stop();
        poll->deleteLater();
        if (!window) {
            ADD_FAILURE() << "no modal window came up";
            return;
        }
        QTimer::singleShot(5000, window, [window] {
            ADD_FAILURE() << "the window was not closed";
            window->close();
        });
        act(*window);
    });
    poll->start();
}

} // namespace kal
