#include "qt/MonthViewWidget.h"

#include "qt/KeyMapping.h"
#include "qt/PressAndHold.h"
#include "qt/QtCanvas.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <utility>

namespace kal {

MonthViewWidget::MonthViewWidget(CKalView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(280, 220);
    view_.SetWindow(this);
    new PressAndHold(this, this);
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
    if (dragging_ && event->key() == Qt::Key_Escape) {
        CancelDrag();
        return;
    }
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
    if (IsContextMenuKey(*event)) {
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(), QPoint(), event->modifiers());
        contextMenuEvent(&menuEvent);
        return;
    }
    QWidget::keyPressEvent(event);
}

void MonthViewWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // Picked up from what was drawn before the click moves the selection and redraws.
        picked_ = view_.DraggableAt(Point { at.x(), at.y() });
        pressedAt_ = at;
        dragging_ = false;
        view_.OnLButtonDown(Point { at.x(), at.y() });
    }
    TakeFocus();
    if (onChanged)
        onChanged();
}

void MonthViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!picked_ || !(event->buttons() & Qt::LeftButton))
        return;
    // A press that stays put is a click (or, held, the pop-up menu); only a pointer that moves drags.
    if (!dragging_ && (at - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    dragging_ = true;
    setCursor(event->modifiers() & Qt::ControlModifier ? Qt::DragCopyCursor : Qt::DragMoveCursor);
    view_.SetDropTarget(view_.CellAt(Point { at.x(), at.y() }));
}

void MonthViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !picked_)
        return;
    const std::optional<CKalView::EntryLine> picked = std::exchange(picked_, std::nullopt);
    if (!std::exchange(dragging_, false))
        return;
    unsetCursor();
    const QPoint at = event->position().toPoint();
    const DropAction action = event->modifiers() & Qt::ControlModifier ? DropAction::Copy : DropAction::Move;
    view_.Drop(*picked, Point { at.x(), at.y() }, action);
    if (onChanged)
        onChanged();
}

void MonthViewWidget::DragOver(const QPoint& globalPosition)
{
    const QPoint at = mapFromGlobal(globalPosition);
    view_.SetDropTarget(rect().contains(at) ? view_.CellAt(Point { at.x(), at.y() }) : -1);
    update();
}

void MonthViewWidget::DropFrom(const CKalView::EntryLine& line, const QPoint& globalPosition, DropAction action)
{
    const QPoint at = mapFromGlobal(globalPosition);
    if (rect().contains(at))
        view_.Drop(line, Point { at.x(), at.y() }, action);
    EndOutsideDrag();
}

void MonthViewWidget::EndOutsideDrag()
{
    view_.SetDropTarget(-1);
    update();
    if (onChanged)
        onChanged();
}

void MonthViewWidget::CancelDrag()
{
    picked_.reset();
    if (std::exchange(dragging_, false)) {
        unsetCursor();
        view_.SetDropTarget(-1);
    }
}

void MonthViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        view_.OnLButtonDblClk(Point { event->position().toPoint().x(), event->position().toPoint().y() });
}

void MonthViewWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // From the keyboard the menu belongs to the selected day and opens over it, wherever the pointer is.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        if (view_.Grid().Count() == 0)
            return;
        const Rect cell = view_.Grid().Cell(view_.Selected()).rect;
        const QPoint centre((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        if (onContextMenu)
            onContextMenu(kMonthPopup, mapToGlobal(centre));
        return;
    }
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
    TakeFocus();
    if (onChanged)
        onChanged();
    if (onContextMenu)
        onContextMenu(popup, event->globalPos());
}

void MonthViewWidget::wheelEvent(QWheelEvent* event)
{
    const int travel = event->angleDelta().y();
    if (travel == 0) {
        event->ignore();
        return;
    }
    // Turning back starts afresh: what was left over belonged to the other direction.
    if ((travel > 0) != (wheelRest_ > 0))
        wheelRest_ = 0;
    wheelRest_ += travel;
    const int steps = wheelRest_ / kWheelStep; // truncated toward zero, so the rest keeps its sign
    wheelRest_ -= steps * kWheelStep;
    event->accept();
    // Rolling the wheel away from oneself goes back in time, as it scrolls a page up.
    if (steps != 0 && onWheelMonths)
        onWheelMonths(-steps);
}

void MonthViewWidget::TakeFocus()
{
    setFocus(Qt::MouseFocusReason);
    // A click in a window that is not yet active gets the focus only once the window is activated,
    // but the commands it leads to (the pop-up's above all) are the month view's at once.
    if (!hasFocus() && onFocus)
        onFocus();
}

void MonthViewWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (onFocus)
        onFocus();
    update();
}

} // namespace kal
