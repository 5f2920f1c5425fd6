#include "qt/FocusFrame.h"

#include <QApplication>
#include <QPainter>
#include <QVBoxLayout>

namespace kal {

FocusFrame::FocusFrame(QWidget* pane, QWidget* parent)
    : QWidget(parent)
    , pane_(pane)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kWidth, kWidth, kWidth, kWidth);
    layout->setSpacing(0);
    layout->addWidget(pane_);
    // Window activation moves the focus too, so the mark goes when another program takes the keys.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });
}

void FocusFrame::FollowFocus(QWidget* now)
{
    const bool marked = now && (now == pane_ || pane_->isAncestorOf(now));
    if (marked == marked_)
        return;
    marked_ = marked;
    update();
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor colour
        = marked_ ? palette().color(QPalette::Active, QPalette::Highlight) : palette().color(QPalette::Window);
    const QRect all = rect();
    painter.fillRect(QRect(all.left(), all.top(), all.width(), kWidth), colour);
    painter.fillRect(QRect(all.left(), all.bottom() - kWidth + 1, all.width(), kWidth), colour);
    painter.fillRect(QRect(all.left(), all.top(), kWidth, all.height()), colour);
    painter.fillRect(QRect(all.right() - kWidth + 1, all.top(), kWidth, all.height()), colour);
}

} // namespace kal
