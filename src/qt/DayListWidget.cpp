#include "qt/DayListWidget.h"

#include "qt/QtConvert.h"
#include "qt/QtFonts.h"
#include "ui/CommandIds.h"

#include <QContextMenuEvent>
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

void DayListWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // The row under the pointer is the one the menu's commands work on.
    if (QListWidgetItem* item = itemAt(event->pos()))
        setCurrentItem(item);
    if (onContextMenu)
        onContextMenu(event->globalPos());
}

void DayListWidget::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    if (onFocus)
        onFocus();
}

} // namespace kal
