#include "qt/DayListWidget.h"

#include "qt/KeyMapping.h"
#include "qt/MonthViewWidget.h"
#include "qt/PressAndHold.h"
#include "qt/QtConvert.h"
#include "qt/QtFonts.h"
#include "ui/CommandIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>

#include <utility>

namespace kal {

DayListWidget::DayListWidget(CDayView& view, QWidget* parent)
    : QListWidget(parent)
    , view_(view)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setMinimumSize(160, 80);
    view_.SetWindow(this);
    new PressAndHold(viewport(), this);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_)
            return;
        view_.OnSelectionChanged(row);
        if (onChanged)
            onChanged();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        if (onCommand)
            onCommand(ID_SCHEDULE_EDIT);
    });
}

void DayListWidget::ApplyLook(const LogFont& font, Colour background)
{
    setFont(ToQFont(font, logicalDpiY()));
    // Only the background: the text and the selection keep the desktop's colours.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ToQColor(background));
    setPalette(colours);
}

void DayListWidget::ShowRows(const std::vector<std::u16string>& rows, int selected)
{
    filling_ = true;
    const int top = verticalScrollBar()->value();
    clear();
    for (const std::u16string& row : rows)
        addItem(ToQString(row));
    verticalScrollBar()->setValue(top);
    setCurrentRow(selected);
    filling_ = false;
    if (onChanged)
        onChanged();
}

void DayListWidget::keyPressEvent(QKeyEvent* event)
{
    if (dragging_ && event->key() == Qt::Key_Escape) {
        CancelDrag();
        return;
    }
    if (IsContextMenuKey(*event)) {
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(), QPoint(), event->modifiers());
        contextMenuEvent(&menuEvent);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DayListWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard the menu opens over the selected row, or at the top of an empty list.
        const QRect row = currentItem() ? visualItemRect(currentItem()) : QRect();
        at = viewport()->mapToGlobal(row.isValid() ? row.center() : QPoint(0, 0));
    } else if (QListWidgetItem* item = itemAt(event->pos())) {
        // The row under the pointer is the one the menu's commands work on.
        setCurrentItem(item);
    }
    if (onContextMenu)
        onContextMenu(at);
}

void DayListWidget::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    picked_ = index.isValid() ? view_.DraggableRow(index.row()) : std::nullopt;
    pressedAt_ = event->position().toPoint();
    dragging_ = false;
}

void DayListWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!picked_ || !dropArea_ || !(event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    // A press that stays put selects the row (or, held, opens the pop-up menu); only a pointer that
    // moves drags, and then the row under it no longer follows.
    if (!dragging_ && (at - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    dragging_ = true;
    setCursor(event->modifiers() & Qt::ControlModifier ? Qt::DragCopyCursor : Qt::DragMoveCursor);
    dropArea_->DragOver(event->globalPosition().toPoint());
}

void DayListWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_) {
        picked_.reset();
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    const CKalView::EntryLine line = *std::exchange(picked_, std::nullopt);
    dragging_ = false;
    unsetCursor();
    const DropAction action = event->modifiers() & Qt::ControlModifier ? DropAction::Copy : DropAction::Move;
    dropArea_->DropFrom(line, event->globalPosition().toPoint(), action);
}

void DayListWidget::CancelDrag()
{
    picked_.reset();
    if (std::exchange(dragging_, false)) {
        unsetCursor();
        dropArea_->EndOutsideDrag();
    }
}

void DayListWidget::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    if (onFocus)
        onFocus();
}

} // namespace kal
