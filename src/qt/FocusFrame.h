#pragma once

#include <QWidget>

namespace kal {

// Holds one pane of the main window and draws a frame in the highlight colour around it while the
// keyboard is anywhere inside it: with two panes side by side, where the keys go must be visible.
class FocusFrame final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 2; // pixels on each side

    // Takes `pane` as its only child.
    explicit FocusFrame(QWidget* pane, QWidget* parent = nullptr);

    // True while the keyboard is in the pane, which is when the frame is drawn.
    [[nodiscard]] bool Marked() const { return marked_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FollowFocus(QWidget* now);

    QWidget* pane_;
    bool marked_ = false;
};

} // namespace kal
