#include "qt/DayListWidget.h"

#include "qt/KeyMapping.h"
#include "qt/PressAndHold.h"
#include "qt/QtConvert.h"
#include "qt/QtFonts.h"
#include "ui/CommandIds.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QScrollBar>

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

void DayListWidget::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    if (onFocus)
        onFocus();
}

} // namespace kal
