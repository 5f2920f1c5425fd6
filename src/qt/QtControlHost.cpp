#include "qt/QtControlHost.h"

#include "qt/KeyMapping.h"
#include "qt/QtConvert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace kal {

namespace {

bool IsDialogButton(const ControlResource& control)
{
    return (control.id == kIdOk || control.id == kIdCancel)
        && (control.kind == ControlKind::PushButton || control.kind == ControlKind::DefaultButton);
}

bool Contains(const ControlResource& group, const ControlResource& control)
{
    return &group != &control && control.row >= group.row && control.row < group.row + group.rowSpan
        && control.column >= group.column && control.column < group.column + group.columnSpan;
}

} // namespace

// Changes the logic makes through the host are not reported back to it.
class QtControlHost::Quiet {
public:
    explicit Quiet(QtControlHost& host)
        : host_(host)
    {
        ++host_.quiet_;
    }
    ~Quiet() { --host_.quiet_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    QtControlHost& host_;
};

// Sees a key before the control that has the focus, so the logic can take it first.
class QtControlHost::KeyFilter final : public QObject {
public:
    KeyFilter(QtControlHost& host, QObject* parent)
        : QObject(parent)
        , host_(host)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        // A key the focused control passes on to its parents is offered only once; keys in a combo
        // box's drop-down list belong to that list.
        const auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() != host_.body_->window() || widget->window()->focusWidget() != widget)
            return false;
        return host_.OfferKey(*static_cast<QKeyEvent*>(event));
    }

private:
    QtControlHost& host_;
};

QtControlHost::QtControlHost(DialogLogic& logic)
    : logic_(logic)
{
}

QtControlHost::~QtControlHost()
{
    // The widgets go while the host can still hear them; nothing they say reaches the logic now.
    ++quiet_;
    for (const auto& adapter : adapters_)
        adapter->Detach();
    // A focused button that loses the focus while its siblings are being deleted asks the dialog for
    // its buttons, among them the half-deleted ones, and the program crashes: the focus leaves first.
    if (QWidget* focused = QApplication::focusWidget(); body_ && focused && body_->isAncestorOf(focused))
        focused->clearFocus();
    delete body_;
}

QWidget& QtControlHost::Build(QWidget& surface)
{
    body_ = new QWidget(&surface);
    auto* outer = new QVBoxLayout(body_);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);

    std::vector<const ControlResource*> body;
    std::vector<const ControlResource*> buttons;
    for (const ControlResource& control : logic_.Resource().controls)
        (IsDialogButton(control) ? buttons : body).push_back(&control);
    Place(*body_, *grid, body, 0, 0);
    SetLabelBuddies();
    if (!buttons.empty()) {
        outer->addSpacing(body_->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing));
        BuildButtonRow(*body_, buttons);
        outer->addWidget(buttons_);
    }
    WatchKeys();
    return *body_;
}

void QtControlHost::BuildButtonRow(QWidget& body, const std::vector<const ControlResource*>& buttons)
{
    const auto& controls = logic_.Resource().controls;
    const bool hasDefault = std::any_of(controls.begin(), controls.end(), [](const ControlResource& control) {
        return control.kind == ControlKind::DefaultButton && !IsDialogButton(control);
    });
    buttons_ = new QDialogButtonBox(&body);
    for (const ControlResource* control : buttons) {
        std::unique_ptr<ControlAdapter> adapter = MakeControlAdapter(*control, *buttons_, *this);
        auto* button = qobject_cast<QPushButton*>(&adapter->Widget());
        const bool ok = control->id == kIdOk;
        buttons_->addButton(button, ok ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
        button->setDefault(ok ? !hasDefault : control->kind == ControlKind::DefaultButton);
        byId_[control->id] = adapter.get();
        adapters_.push_back(std::move(adapter));
    }
}

void QtControlHost::Place(QWidget& parent, QGridLayout& grid, const std::vector<const ControlResource*>& controls,
    int originRow, int originColumn)
{
    const auto enclosed = [&](const ControlResource& control) {
        return std::any_of(controls.begin(), controls.end(), [&](const ControlResource* other) {
            return other->kind == ControlKind::GroupBox && Contains(*other, control);
        });
    };
    std::set<int> wideColumns;
    for (const ControlResource* control : controls) {
        if (LayoutOf(control->kind).widens && !enclosed(*control))
            wideColumns.insert(control->column + control->columnSpan - 1 - originColumn);
    }
    for (const int column : wideColumns)
        grid.setColumnStretch(column, 1);

    for (const ControlResource* control : controls) {
        if (enclosed(*control))
            continue;
        const int row = control->row - originRow;
        const int column = control->column - originColumn;
        std::unique_ptr<ControlAdapter> adapter = MakeControlAdapter(*control, parent, *this);
        QWidget& widget = adapter->Widget();
        const ControlLayout layout = LayoutOf(control->kind);
        if (control->kind == ControlKind::GroupBox) {
            std::vector<const ControlResource*> inside;
            for (const ControlResource* other : controls) {
                if (Contains(*control, *other))
                    inside.push_back(other);
            }
            auto* boxGrid = new QGridLayout(&widget);
            adapters_.push_back(std::move(adapter));
            if (control->id != 0)
                byId_[control->id] = adapters_.back().get();
            Place(widget, *boxGrid, inside, control->row, control->column);
        } else {
            adapters_.push_back(std::move(adapter));
            if (control->id != 0)
                byId_[control->id] = adapters_.back().get();
        }

        // Labels and buttons beside a tall control stand at its first line.
        const bool besideTall = std::any_of(controls.begin(), controls.end(), [&](const ControlResource* other) {
            return other->row == control->row && other != control && LayoutOf(other->kind).tall;
        });
        const Qt::Alignment vertical = besideTall ? Qt::AlignTop : Qt::AlignVCenter;
        Qt::Alignment alignment;
        if (control->kind == ControlKind::Label)
            alignment = Qt::AlignLeft | vertical;
        else if (!layout.widens && control->kind != ControlKind::GroupBox && control->kind != ControlKind::Custom) {
            // Buttons and boxes keep their own width in a column that stretches for the edits.
            bool inWideColumn = false;
            for (int c = column; c < column + control->columnSpan; ++c)
                inWideColumn = inWideColumn || wideColumns.count(c) != 0;
            // A tall control of its own (a scroll bar beside a list) takes the row's whole height.
            if (inWideColumn || besideTall)
                alignment
                    = (inWideColumn ? Qt::AlignLeft : Qt::Alignment()) | (layout.tall ? Qt::Alignment() : vertical);
        }
        grid.addWidget(&widget, row, column, control->rowSpan, control->columnSpan, alignment);
    }
}

void QtControlHost::SetLabelBuddies()
{
    // A label's mnemonic moves the focus to the control just right of it.
    for (const auto& label : adapters_) {
        auto* qlabel = qobject_cast<QLabel*>(&label->Widget());
        const ControlResource& resource = label->Resource();
        if (!qlabel || resource.text.find(u'&') == std::u16string::npos)
            continue;
        for (const auto& other : adapters_) {
            const ControlResource& next = other->Resource();
            if (next.row == resource.row && next.column == resource.column + resource.columnSpan
                && next.kind != ControlKind::Label) {
                qlabel->setBuddy(&other->Widget());
                break;
            }
        }
    }
}

void QtControlHost::WatchKeys()
{
    keyFilter_ = new KeyFilter(*this, body_);
    for (QWidget* widget : body_->findChildren<QWidget*>())
        widget->installEventFilter(keyFilter_);
}

void QtControlHost::Open()
{
    if (opened_)
        return;
    opened_ = true;
    const Quiet quiet(*this);
    logic_.OnInit(*this);
}

ControlAdapter* QtControlHost::Find(int id) const
{
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

QWidget* QtControlHost::Control(int id) const
{
    const ControlAdapter* adapter = Find(id);
    return adapter ? &adapter->Widget() : nullptr;
}

int QtControlHost::ControlAt(const QWidget* widget) const
{
    for (; widget && widget != body_; widget = widget->parentWidget()) {
        for (const auto& [id, adapter] : byId_) {
            if (&adapter->Widget() == widget)
                return id;
        }
    }
    return 0;
}

int QtControlHost::FocusedControl() const
{
    return body_ ? ControlAt(body_->window()->focusWidget()) : 0;
}

int QtControlHost::DefaultButton() const
{
    const auto& controls = logic_.Resource().controls;
    const auto found = std::find_if(controls.begin(), controls.end(),
        [](const ControlResource& control) { return control.kind == ControlKind::DefaultButton; });
    return found == controls.end() ? kIdOk : found->id;
}

bool QtControlHost::OfferKey(const QKeyEvent& event)
{
    if (HasEnded())
        return false;
    return logic_.OnKey(*this, KeyOf(event.key()), ModifiersOf(event.modifiers()));
}

void QtControlHost::Notify(int id, Notification notification)
{
    // OK and cancel act through the dialog's own accept and reject.
    const ControlAdapter* adapter = Find(id);
    if (quiet_ > 0 || id == 0 || HasEnded() || (adapter && IsDialogButton(adapter->Resource())))
        return;
    logic_.OnControl(*this, id, notification);
}

void QtControlHost::Scroll(int id, ScrollAction action, int thumb)
{
    if (quiet_ > 0 || id == 0 || HasEnded())
        return;
    logic_.OnScroll(*this, id, action, thumb);
}

QButtonGroup& QtControlHost::RadioGroup(int group)
{
    QButtonGroup*& buttons = radioGroups_[group];
    if (!buttons)
        buttons = new QButtonGroup(body_);
    return *buttons;
}

CustomControl* QtControlHost::Custom(int id)
{
    return logic_.Custom(id);
}

void QtControlHost::SetText(int id, std::u16string_view text)
{
    const Quiet quiet(*this);
    if (ControlAdapter* adapter = Find(id))
        adapter->SetText(text);
}

std::u16string QtControlHost::Text(int id) const
{
    const ControlAdapter* adapter = Find(id);
    return adapter ? adapter->Text() : std::u16string {};
}

void QtControlHost::SetChecked(int id, bool checked)
{
    const Quiet quiet(*this);
    if (ControlAdapter* adapter = Find(id))
        adapter->SetChecked(checked);
}

bool QtControlHost::IsChecked(int id) const
{
    const ControlAdapter* adapter = Find(id);
    return adapter && adapter->IsChecked();
}

void QtControlHost::Enable(int id, bool enabled)
{
    if (ControlAdapter* adapter = Find(id))
        adapter->SetEnabled(enabled);
}

bool QtControlHost::IsEnabled(int id) const
{
    const ControlAdapter* adapter = Find(id);
    return adapter && adapter->IsEnabled();
}

void QtControlHost::SetItems(int id, const std::vector<std::u16string>& items)
{
    const Quiet quiet(*this);
    if (ControlAdapter* adapter = Find(id))
        adapter->SetItems(items);
}

std::vector<std::u16string> QtControlHost::Items(int id) const
{
    const ControlAdapter* adapter = Find(id);
    return adapter ? adapter->Items() : std::vector<std::u16string> {};
}

void QtControlHost::SetSelection(int id, int index)
{
    const Quiet quiet(*this);
    if (ControlAdapter* adapter = Find(id))
        adapter->SetSelection(index);
}

int QtControlHost::Selection(int id) const
{
    const ControlAdapter* adapter = Find(id);
    return adapter ? adapter->Selection() : -1;
}

void QtControlHost::SetItemColours(int id, const std::vector<Colour>& colours)
{
    if (ControlAdapter* adapter = Find(id))
        adapter->SetItemColours(colours);
}

void QtControlHost::SetColour(int id, Colour colour)
{
    if (ControlAdapter* adapter = Find(id))
        adapter->SetColour(colour);
}

void QtControlHost::SetRange(int id, int minimum, int maximum)
{
    const Quiet quiet(*this);
    if (ControlAdapter* adapter = Find(id))
        adapter->SetRange(minimum, maximum);
}

void QtControlHost::SetPosition(int id, int position)
{
    const Quiet quiet(*this);
    if (ControlAdapter* adapter = Find(id))
        adapter->SetPosition(position);
}

int QtControlHost::Position(int id) const
{
    const ControlAdapter* adapter = Find(id);
    return adapter ? adapter->Position() : 0;
}

void QtControlHost::Invalidate(int id)
{
    if (ControlAdapter* adapter = Find(id))
        adapter->Invalidate();
}

void QtControlHost::SetFocus(int id)
{
    if (ControlAdapter* adapter = Find(id))
        adapter->Focus();
}

} // namespace kal
