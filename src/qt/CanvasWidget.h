#pragma once

#include "ui/Canvas.h"

#include <QWidget>

#include <functional>

namespace kal {

// A widget whose picture is drawn by core code on a Canvas, given the widget's size.
class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    using Painter = std::function<void(Canvas& canvas, Size size)>;

    explicit CanvasWidget(Painter painter, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter painter_;
};

} // namespace kal
