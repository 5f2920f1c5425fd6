// The dialog scripts every host must pass, on the Qt dialogs, acting on the widgets as a user does.
#include "../ui/DialogConformance.h"

#include "qt/KeyMapping.h"
#include "qt/QtConvert.h"
#include "qt/QtDialog.h"
#include "qt/QtPropertySheet.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include <memory>

namespace kal::conformance {
namespace {

Colour CentreOf(const QImage& image)
{
    return FromQColor(image.pixelColor(image.width() / 2, image.height() / 2));
}

std::optional<Colour> SwatchOf(const QIcon& icon)
{
    if (icon.isNull())
        return std::nullopt;
    const QImage image = icon.pixmap(icon.availableSizes().value(0, QSize(16, 16))).toImage();
    if (image.pixelColor(image.width() / 2, image.height() / 2).alpha() == 0)
        return std::nullopt; // the blank that keeps an item without a colour in line
    return CentreOf(image);
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void SendClicks(QWidget& widget, QPoint at, int clicks)
{
    SendMouse(widget, QEvent::MouseButtonPress, at);
    SendMouse(widget, QEvent::MouseButtonRelease, at);
    if (clicks == 2) {
        SendMouse(widget, QEvent::MouseButtonDblClick, at);
        SendMouse(widget, QEvent::MouseButtonRelease, at);
    }
}

class QtDriver final : public DialogDriver {
public:
    DialogHost& Open(DialogLogic& logic) override
    {
        dialog_ = std::make_unique<QtDialog>(logic);
        dialog_->Open();
        Show(*dialog_);
        return *dialog_;
    }
    void Press(int id) override
    {
        if (!Front().Control(id) && (id == kIdOk || id == kIdCancel))
            return id == kIdOk ? Window().accept() : Window().reject();
        auto* button = qobject_cast<QAbstractButton*>(Front().Control(id));
        if (!button || !button->isEnabled())
            return;
        button->setFocus(Qt::MouseFocusReason);
        button->click();
    }
    void Type(int id, std::u16string_view text) override
    {
        QWidget* widget = Front().Control(id);
        if (!widget || !widget->isEnabled())
            return;
        if (auto* lines = qobject_cast<QPlainTextEdit*>(widget))
            return lines->setPlainText(ToQString(text));
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (!edit)
            edit = widget->findChild<QLineEdit*>();
        if (edit) {
            edit->selectAll();
            edit->insert(ToQString(text));
        }
    }
    void Choose(int id, int index) override
    {
        QWidget* widget = Front().Control(id);
        if (!widget || !widget->isEnabled())
            return;
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            combo->setCurrentIndex(index);
        else if (auto* list = qobject_cast<QListWidget*>(widget))
            ClickRow(*list, index, 1);
    }
    void DoubleClick(int id, int index) override
    {
        if (auto* list = qobject_cast<QListWidget*>(Front().Control(id)))
            ClickRow(*list, index, 2);
    }
    void Scroll(int id, ScrollAction action, int thumb) override
    {
        auto* bar = qobject_cast<QScrollBar*>(Front().Control(id));
        if (!bar || !bar->isEnabled())
            return;
        switch (action) {
        case ScrollAction::LineUp:
            return bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        case ScrollAction::LineDown:
            return bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        case ScrollAction::PageUp:
            return bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        case ScrollAction::PageDown:
            return bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        case ScrollAction::Top:
            return bar->triggerAction(QAbstractSlider::SliderToMinimum);
        case ScrollAction::Bottom:
            return bar->triggerAction(QAbstractSlider::SliderToMaximum);
        case ScrollAction::Thumb:
            return bar->setSliderPosition(thumb); // what dragging the thumb does
        }
    }
    void Step(int id, int direction) override
    {
        QWidget* widget = Front().Control(id);
        if (!widget)
            return;
        for (QToolButton* arrow : widget->findChildren<QToolButton*>()) {
            if (arrow->arrowType() == (direction > 0 ? Qt::UpArrow : Qt::DownArrow))
                arrow->click();
        }
    }
    void Key(kal::Key key) override
    {
        const QKeyCombination combination = SequenceOf(Accelerator { key, modifier::kNone, 0 })[0];
        QWidget* target = Window().focusWidget() ? Window().focusWidget() : &Window();
        QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
        QApplication::sendEvent(target, &press);
    }
    void Tap(int id, Point point) override
    {
        if (QWidget* widget = Front().Control(id))
            SendClicks(*widget, ToQPoint(point), 1);
    }
    void DoubleTap(int id, Point point) override
    {
        if (QWidget* widget = Front().Control(id))
            SendClicks(*widget, ToQPoint(point), 2);
    }
    void Settle() override { QApplication::processEvents(); }

    bool HasEnded() const override { return sheet_ ? sheet_->HasEnded() : dialog_->HasEnded(); }
    int Result() const override { return sheet_ ? sheet_->Result() : dialog_->Result(); }
    int Focus() const override { return Front().FocusedControl(); }
    Size ControlSize(int id) const override
    {
        const QWidget* widget = dialog_->Control(id);
        return widget ? Size { widget->width(), widget->height() } : Size {};
    }
    std::vector<Colour> ItemColours(int id) const override
    {
        std::vector<Colour> colours;
        if (const auto* combo = qobject_cast<const QComboBox*>(dialog_->Control(id))) {
            for (int i = 0; i < combo->count(); ++i) {
                if (const std::optional<Colour> colour = SwatchOf(combo->itemIcon(i)))
                    colours.push_back(*colour);
            }
        } else if (const auto* list = qobject_cast<const QListWidget*>(dialog_->Control(id))) {
            for (int i = 0; i < list->count(); ++i) {
                if (const std::optional<Colour> colour = SwatchOf(list->item(i)->icon()))
                    colours.push_back(*colour);
            }
        }
        return colours;
    }
    std::optional<Colour> ColourOf(int id) const override
    {
        QWidget* widget = dialog_->Control(id);
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            return FromQColor(label->palette().color(QPalette::WindowText));
        if (const auto* button = qobject_cast<const QPushButton*>(widget))
            return SwatchOf(button->icon());
        if (widget)
            return CentreOf(widget->grab().toImage());
        return std::nullopt;
    }

    void OpenSheet(PropertySheet& sheet) override
    {
        sheet_ = std::make_unique<QtPropertySheet>(sheet);
        sheet_->Open();
        Show(*sheet_);
    }
    DialogHost& Page(int index) override { return sheet_->Page(index); }
    void PressSheetOk() override { SheetButton(QDialogButtonBox::Ok).click(); }
    void PressSheetCancel() override { SheetButton(QDialogButtonBox::Cancel).click(); }
    int ActivePage() const override { return sheet_->ActivePage(); }

private:
    static void Show(QDialog& window)
    {
        window.show();
        QApplication::processEvents();
    }
    QDialog& Window() const
    {
        if (sheet_)
            return *sheet_;
        return *dialog_;
    }
    QtControlHost& Front() const
    {
        if (sheet_)
            return sheet_->Page(sheet_->ActivePage());
        return *dialog_;
    }
    QPushButton& SheetButton(QDialogButtonBox::StandardButton which) const
    {
        return *sheet_->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)->button(which);
    }
    static void ClickRow(QListWidget& list, int row, int clicks)
    {
        list.scrollToItem(list.item(row));
        SendClicks(*list.viewport(), list.visualItemRect(list.item(row)).center(), clicks);
    }

    std::unique_ptr<QtDialog> dialog_;
    std::unique_ptr<QtPropertySheet> sheet_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, DialogConformance, ::testing::Types<QtDriver>);

} // namespace kal::conformance
