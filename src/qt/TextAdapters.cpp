// Adapters for the controls that show a text: labels, edits and number fields.
#include "qt/ControlAdapterKinds.h"
#include "qt/KeyMapping.h"
#include "qt/QtConvert.h"

#include <QBoxLayout>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

namespace kal::adapters {

namespace {

constexpr int kEditCharacters = 24;
constexpr int kNumberCharacters = 8;
constexpr int kSpinCharacters = 6;
constexpr int kMultiLineCharacters = 32;
constexpr int kMultiLineLines = 5;
constexpr int kSpinDefaultMaximum = 100;

class LabelAdapter final : public ControlAdapter {
public:
    LabelAdapter(const ControlResource& resource, QWidget& parent)
        : ControlAdapter(resource)
        , label_(new QLabel(ToQString(resource.text), &parent))
    {
        label_->setTextFormat(Qt::PlainText);
    }
    QWidget& Widget() const override { return *label_; }
    void SetText(std::u16string_view text) override { label_->setText(ToQString(text)); }
    std::u16string Text() const override { return FromQString(label_->text()); }
    void SetColour(Colour colour) override
    {
        QPalette palette = label_->palette();
        palette.setColor(QPalette::WindowText, ToQColor(colour));
        label_->setPalette(palette);
    }

private:
    QLabel* label_;
};

// Edits of one line: plain, masked and whole numbers.
class LineEditAdapter final : public ControlAdapter {
public:
    LineEditAdapter(const ControlResource& resource, QWidget& parent, ControlEvents& events, int characters)
        : ControlAdapter(resource)
        , edit_(new QLineEdit(ToQString(resource.text), &parent))
    {
        if (resource.kind == ControlKind::PasswordEdit)
            edit_->setEchoMode(QLineEdit::Password);
        const int wide = ResourceWidth(*edit_, resource, characters);
        if (LayoutOf(resource.kind).widens)
            edit_->setMinimumWidth(wide);
        else
            edit_->setFixedWidth(wide);
        const int id = resource.id;
        QObject::connect(
            edit_, &QLineEdit::textChanged, edit_, [&events, id] { events.Notify(id, Notification::TextChanged); });
    }
    QWidget& Widget() const override { return *edit_; }
    void SetText(std::u16string_view text) override { edit_->setText(ToQString(text)); }
    std::u16string Text() const override { return FromQString(edit_->text()); }
    void Focus() override
    {
        edit_->setFocus(Qt::OtherFocusReason);
        edit_->selectAll();
    }

private:
    QLineEdit* edit_;
};

// Multi-line texts keep CR LF line breaks in the program; the edit wants LF alone.
QString WithLineFeeds(std::u16string_view text)
{
    QString lines = ToQString(text);
    lines.remove(QLatin1Char('\r'));
    return lines;
}

class MultiLineEditAdapter final : public ControlAdapter {
public:
    MultiLineEditAdapter(const ControlResource& resource, QWidget& parent, ControlEvents& events)
        : ControlAdapter(resource)
        , edit_(new QPlainTextEdit(&parent))
    {
        edit_->setPlainText(WithLineFeeds(resource.text));
        edit_->setTabChangesFocus(true);
        edit_->setMinimumWidth(ResourceWidth(*edit_, resource, kMultiLineCharacters));
        edit_->setMinimumHeight(ResourceHeight(*edit_, resource, kMultiLineLines) + 2 * edit_->frameWidth()
            + static_cast<int>(2 * edit_->document()->documentMargin()));
        const int id = resource.id;
        QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_,
            [&events, id] { events.Notify(id, Notification::TextChanged); });
    }
    QWidget& Widget() const override { return *edit_; }
    void SetText(std::u16string_view text) override { edit_->setPlainText(WithLineFeeds(text)); }
    std::u16string Text() const override
    {
        QString text = edit_->toPlainText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return FromQString(text);
    }

private:
    QPlainTextEdit* edit_;
};

// A number edit with a pair of arrows beside it. The arrows and the Up and Down keys step the number
// within the range; the new text is reported as if typed.
class SpinField final : public QWidget {
public:
    SpinField(const ControlResource& resource, QWidget& parent)
        : QWidget(&parent)
        , edit_(new QLineEdit(ToQString(resource.text), this))
    {
        if (resource.number.ranged) {
            minimum_ = resource.number.minimum;
            maximum_ = resource.number.maximum;
        }
        edit_->setFixedWidth(ResourceWidth(*edit_, resource, kSpinCharacters));
        edit_->installEventFilter(this);
        setFocusProxy(edit_);

        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        row->addWidget(edit_);
        auto* arrows = new QVBoxLayout;
        arrows->setSpacing(0);
        const int arrowHeight = std::max(8, edit_->sizeHint().height() / 2);
        for (const int direction : { +1, -1 }) {
            auto* arrow = new QToolButton(this);
            arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
            arrow->setAutoRepeat(true);
            arrow->setFocusPolicy(Qt::NoFocus);
            arrow->setFixedSize(arrowHeight + 4, arrowHeight);
            connect(arrow, &QToolButton::clicked, this, [this, direction] { Step(direction); });
            arrows->addWidget(arrow);
        }
        row->addLayout(arrows);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QLineEdit& Edit() const { return *edit_; }
    void SetRange(int minimum, int maximum)
    {
        minimum_ = minimum;
        maximum_ = maximum;
    }
    void Step(int direction)
    {
        if (isEnabled())
            edit_->setText(ToQString(SteppedNumber(FromQString(edit_->text()), minimum_, maximum_, direction)));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == edit_ && event->type() == QEvent::KeyPress) {
            const auto* press = static_cast<QKeyEvent*>(event);
            const Key key = KeyOf(press->key());
            if ((key == Key::Up || key == Key::Down) && press->modifiers() == Qt::NoModifier) {
                Step(key == Key::Up ? +1 : -1);
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    QLineEdit* edit_;
    int minimum_ = 0;
    int maximum_ = kSpinDefaultMaximum;
};

class SpinEditAdapter final : public ControlAdapter {
public:
    SpinEditAdapter(const ControlResource& resource, QWidget& parent, ControlEvents& events)
        : ControlAdapter(resource)
        , field_(new SpinField(resource, parent))
    {
        const int id = resource.id;
        QObject::connect(&field_->Edit(), &QLineEdit::textChanged, field_,
            [&events, id] { events.Notify(id, Notification::TextChanged); });
    }
    QWidget& Widget() const override { return *field_; }
    void SetText(std::u16string_view text) override { field_->Edit().setText(ToQString(text)); }
    std::u16string Text() const override { return FromQString(field_->Edit().text()); }
    void SetRange(int minimum, int maximum) override { field_->SetRange(minimum, maximum); }
    void Focus() override
    {
        field_->Edit().setFocus(Qt::OtherFocusReason);
        field_->Edit().selectAll();
    }

private:
    SpinField* field_;
};

} // namespace

std::unique_ptr<ControlAdapter> MakeLabel(const ControlResource& resource, QWidget& parent, ControlEvents&)
{
    return std::make_unique<LabelAdapter>(resource, parent);
}

std::unique_ptr<ControlAdapter> MakeEdit(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<LineEditAdapter>(resource, parent, events, kEditCharacters);
}

std::unique_ptr<ControlAdapter> MakePasswordEdit(
    const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<LineEditAdapter>(resource, parent, events, kEditCharacters);
}

std::unique_ptr<ControlAdapter> MakeNumberEdit(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<LineEditAdapter>(resource, parent, events, kNumberCharacters);
}

std::unique_ptr<ControlAdapter> MakeMultiLineEdit(
    const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<MultiLineEditAdapter>(resource, parent, events);
}

std::unique_ptr<ControlAdapter> MakeSpinEdit(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<SpinEditAdapter>(resource, parent, events);
}

} // namespace kal::adapters
