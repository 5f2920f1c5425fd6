#include "qt/MonthViewWidget.h"

#include "qt/KeyMapping.h"
#include "qt/QtCanvas.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kal {

MonthViewWidget::MonthViewWidget(CKalView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(280, 220);
    view_.SetWindow(this);
}

void MonthViewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QtCanvas canvas(painter);
    view_.OnDraw(canvas);
}

void MonthViewWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    view_.OnSize(width(), height());
}

void MonthViewWidget::keyPressEvent(QKeyEvent* event)
{
    const Key key = KeyOf(event->key());
    const unsigned modifiers = ModifiersOf(event->modifiers());
    if (key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down) {
        if (modifiers == modifier::kNone) {
            view_.OnKeyDown(key, modifiers);
            if (onChanged)
                onChanged();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void MonthViewWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        view_.OnLButtonDown(Point { event->position().toPoint().x(), event->position().toPoint().y() });
    setFocus(Qt::MouseFocusReason);
    if (onChanged)
        onChanged();
}

void MonthViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        view_.OnLButtonDblClk(Point { event->position().toPoint().x(), event->position().toPoint().y() });
}

void MonthViewWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // A day's menu works on that day, so the day is selected first, as a tap would.
    const Point point { event->pos().x(), event->pos().y() };
    const CMonthGrid& grid = view_.Grid();
    std::size_t popup = kHeadingPopup;
    for (int i = 0; i < grid.Count(); ++i) {
        if (grid.Cell(i).rect.Contains(point)) {
            view_.OnLButtonDown(point);
            popup = kMonthPopup;
            break;
        }
    }
    setFocus(Qt::MouseFocusReason);
    if (onChanged)
        onChanged();
    if (onContextMenu)
        onContextMenu(popup, event->globalPos());
}

void MonthViewWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (onFocus)
        onFocus();
    update();
}

} // namespace kal
