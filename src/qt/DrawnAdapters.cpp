// Adapters for the controls that draw themselves: the scroll bar, the colour sample and the custom
// control that core code paints.
#include "qt/ControlAdapterKinds.h"
#include "qt/KeyMapping.h"
#include "qt/QtCanvas.h"
#include "qt/QtConvert.h"
#include "ui/CustomControl.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <optional>

namespace kal::adapters {

namespace {

constexpr int kScrollBarLines = 8;
constexpr int kSampleCharacters = 4;
constexpr int kSampleLines = 1;
constexpr int kCustomCharacters = 30;
constexpr int kCustomLines = 10;
constexpr int kScrollDefaultMaximum = 100;

std::optional<ScrollAction> ScrollActionOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return ScrollAction::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return ScrollAction::LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return ScrollAction::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return ScrollAction::PageDown;
    case QAbstractSlider::SliderToMinimum:
        return ScrollAction::Top;
    case QAbstractSlider::SliderToMaximum:
        return ScrollAction::Bottom;
    case QAbstractSlider::SliderMove:
        return ScrollAction::Thumb;
    default:
        return std::nullopt;
    }
}

// The bar reports what the user did and stays where it is: only the logic moves the thumb.
class ScrollBarAdapter final : public ControlAdapter {
public:
    ScrollBarAdapter(const ControlResource& resource, QWidget& parent, ControlEvents& events)
        : ControlAdapter(resource)
        , bar_(new QScrollBar(Qt::Vertical, &parent))
    {
        bar_->setRange(0, kScrollDefaultMaximum);
        bar_->setMinimumHeight(ResourceHeight(*bar_, resource, kScrollBarLines));
        const int id = resource.id;
        QObject::connect(bar_, &QAbstractSlider::actionTriggered, bar_, [this, &events, id](int action) {
            const std::optional<ScrollAction> scroll = ScrollActionOf(action);
            if (!scroll)
                return;
            // Qt has already moved the slider for the action; put it back before the logic decides.
            const int thumb = bar_->sliderPosition();
            bar_->setSliderPosition(bar_->value());
            events.Scroll(id, *scroll, thumb);
        });
    }

    QWidget& Widget() const override { return *bar_; }
    void SetRange(int minimum, int maximum) override { bar_->setRange(minimum, std::max(minimum, maximum)); }
    void SetPosition(int position) override { bar_->setValue(position); }
    int Position() const override { return bar_->value(); }

private:
    QScrollBar* bar_;
};

class SampleBox final : public QFrame {
public:
    SampleBox(const ControlResource& resource, QWidget& parent)
        : QFrame(&parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFixedSize(ResourceWidth(*this, resource, kSampleCharacters) + 2 * frameWidth(),
            ResourceHeight(*this, resource, kSampleLines) + 2 * frameWidth());
    }
    void SetColour(Colour colour)
    {
        colour_ = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        if (colour_) {
            QPainter painter(this);
            painter.fillRect(contentsRect(), ToQColor(*colour_));
        }
    }

private:
    std::optional<Colour> colour_;
};

class ColourSampleAdapter final : public ControlAdapter {
public:
    ColourSampleAdapter(const ControlResource& resource, QWidget& parent)
        : ControlAdapter(resource)
        , box_(new SampleBox(resource, parent))
    {
    }
    QWidget& Widget() const override { return *box_; }
    void SetColour(Colour colour) override { box_->SetColour(colour); }

private:
    SampleBox* box_;
};

Point PointOf(const QMouseEvent& event)
{
    const QPoint point = event.position().toPoint();
    return Point { point.x(), point.y() };
}

// The logic's core-drawn control: painted on a QtCanvas, fed the mouse and keys with its size. It
// takes the focus by click and by Tab; keys it does not use go on to the dialog.
class CustomWidget final : public QWidget, public ControlSurface {
public:
    CustomWidget(CustomControl* control, const ControlResource& resource, QWidget& parent)
        : QWidget(&parent)
        , control_(control)
    {
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(
            ResourceWidth(*this, resource, kCustomCharacters), ResourceHeight(*this, resource, kCustomLines));
        if (control_) {
            // The control paints every pixel: Qt need not clear the background first.
            setAttribute(Qt::WA_OpaquePaintEvent);
            control_->Attach(this);
        }
    }
    void Detach()
    {
        if (control_)
            control_->Attach(nullptr);
        control_ = nullptr;
    }
    void Invalidate() override { update(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!control_)
            return;
        QPainter painter(this);
        QtCanvas canvas(painter);
        control_->OnDraw(canvas, OwnSize());
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        setFocus(Qt::MouseFocusReason);
        if (control_ && event->button() == Qt::LeftButton)
            control_->OnMouseDown(PointOf(*event), OwnSize());
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (control_ && event->button() == Qt::LeftButton)
            control_->OnMouseUp(PointOf(*event), OwnSize());
    }
    // Qt would treat the second press as a plain press; the control wants it as a double click.
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (control_ && event->button() == Qt::LeftButton)
            control_->OnDoubleClick(PointOf(*event), OwnSize());
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (control_ && control_->OnKey(KeyOf(event->key()), ModifiersOf(event->modifiers())))
            event->accept();
        else
            event->ignore();
    }

private:
    Size OwnSize() const { return Size { width(), height() }; }

    CustomControl* control_;
};

class CustomAdapter final : public ControlAdapter {
public:
    CustomAdapter(const ControlResource& resource, QWidget& parent, ControlEvents& events)
        : ControlAdapter(resource)
        , widget_(new CustomWidget(events.Custom(resource.id), resource, parent))
    {
    }
    QWidget& Widget() const override { return *widget_; }
    void Invalidate() override { widget_->update(); }
    void Detach() override { widget_->Detach(); }

private:
    CustomWidget* widget_;
};

} // namespace

std::unique_ptr<ControlAdapter> MakeScrollBar(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<ScrollBarAdapter>(resource, parent, events);
}

std::unique_ptr<ControlAdapter> MakeColourSample(const ControlResource& resource, QWidget& parent, ControlEvents&)
{
    return std::make_unique<ColourSampleAdapter>(resource, parent);
}

std::unique_ptr<ControlAdapter> MakeCustom(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<CustomAdapter>(resource, parent, events);
}

} // namespace kal::adapters
