#pragma once

#include "views/KalView.h"

#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>

namespace kal {

// The month view's window: paints through the view and hands it sizes, keys and clicks.
class MonthViewWidget final : public QWidget, public ViewWindow {
    Q_OBJECT

public:
    MonthViewWidget(CKalView& view, QWidget* parent = nullptr);

    void Invalidate() override { update(); }
    bool HasFocus() const override { return hasFocus(); }

    // Called when the widget takes the keyboard, so the frame knows the active view.
    std::function<void()> onFocus;
    // The selection moved, and with it what the view's commands can do.
    std::function<void()> onChanged;
    // A pop-up menu of the context menu resource (kMonthPopup on a day, kHeadingPopup above the days)
    // is asked for at a point on the screen.
    std::function<void(std::size_t popup, const QPoint& globalPosition)> onContextMenu;
    // The wheel asks to step this many months, later when positive; a notch is one month.
    std::function<void(int months)> onWheelMonths;

    // Wheel travel for one month: a notch of a common wheel. Finer wheels send parts of it.
    static constexpr int kWheelStep = 120;

    // A drag that began in another widget (the day list), at a point on the screen: frames the cell
    // under it, drops on it, or ends with nothing dropped.
    void DragOver(const QPoint& globalPosition);
    void DropFrom(const CKalView::EntryLine& line, const QPoint& globalPosition, DropAction action);
    void EndOutsideDrag();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void TakeFocus();
    void CancelDrag();

    CKalView& view_;
    // Wheel travel not yet turned into months, below one step either way.
    int wheelRest_ = 0;
    // The entry line a left press picked up, and whether the pointer has since moved far enough to drag it.
    std::optional<CKalView::EntryLine> picked_;
    QPoint pressedAt_;
    bool dragging_ = false;
};

} // namespace kal
