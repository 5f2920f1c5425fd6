#include "qt/CanvasWidget.h"

#include "qt/QtCanvas.h"

#include <QPainter>

namespace kal {

CanvasWidget::CanvasWidget(Painter painter, QWidget* parent)
    : QWidget(parent)
    , painter_(std::move(painter))
{
    // The painter covers every pixel: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QtCanvas canvas(painter);
    if (painter_)
        painter_(canvas, Size { width(), height() });
}

} // namespace kal
