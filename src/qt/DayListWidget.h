#pragma once

#include "views/DayView.h"

#include <QListWidget>

#include <QPoint>

#include <functional>
#include <optional>

namespace kal {

class MonthViewWidget;

// The list of the selected day's entries, filled by the day view.
class DayListWidget final : public QListWidget, public ListWindow {
    Q_OBJECT

public:
    DayListWidget(CDayView& view, QWidget* parent = nullptr);

    void ShowRows(const std::vector<std::u16string>& rows, int selected) override;
    // The month view a row can be dragged onto.
    void SetDropArea(MonthViewWidget* area) { dropArea_ = area; }

    void FocusList() override { setFocus(Qt::OtherFocusReason); }
    void ApplyLook(const LogFont& font, Colour background) override;

    std::function<void()> onFocus;
    std::function<void(int command)> onCommand;
    // The rows or the selected row changed, and with them what the list's commands can do.
    std::function<void()> onChanged;
    // The list's pop-up menu is asked for at a point on the screen.
    std::function<void(const QPoint& globalPosition)> onContextMenu;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CancelDrag();

    CDayView& view_;
    bool filling_ = false;
    MonthViewWidget* dropArea_ = nullptr;
    // The row a left press picked up, and whether the pointer has since moved far enough to drag it.
    std::optional<CKalView::EntryLine> picked_;
    QPoint pressedAt_;
    bool dragging_ = false;
};

} // namespace kal
