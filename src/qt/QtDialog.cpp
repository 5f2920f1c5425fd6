#include "qt/QtDialog.h"

#include "qt/QtConvert.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace kal {

namespace {

// Minimum sizes in characters and lines of the font the control uses.
constexpr int kEditCharacters = 24;
constexpr int kComboCharacters = 16;
constexpr int kDropDownCharacters = 10;
constexpr int kMultiLineCharacters = 32;
constexpr int kMultiLineLines = 5;
constexpr int kListCharacters = 24;
constexpr int kListRows = 8;

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

// Controls that take the room the dialog has to give across.
bool Widens(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Edit:
    case ControlKind::PasswordEdit:
    case ControlKind::MultiLineEdit:
    case ControlKind::ComboBox:
    case ControlKind::DropDownList:
    case ControlKind::ListBox:
        return true;
    default:
        return false;
    }
}

bool IsTall(ControlKind kind)
{
    return kind == ControlKind::MultiLineEdit || kind == ControlKind::ListBox || kind == ControlKind::GroupBox;
}

int CharacterWidth(const QWidget& widget, int characters)
{
    return widget.fontMetrics().averageCharWidth() * characters;
}

// Multi-line texts keep CR LF line breaks in the program; the edit wants LF alone.
QString WithLineFeeds(std::u16string_view text)
{
    QString lines = ToQString(text);
    lines.remove(QLatin1Char('\r'));
    return lines;
}

std::u16string WithCrLf(const QString& lines)
{
    QString text = lines;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQString(text);
}

} // namespace

// Changes the logic makes through the host are not reported back to it.
class QtDialog::Quiet {
public:
    explicit Quiet(QtDialog& dialog)
        : dialog_(dialog)
    {
        ++dialog_.quiet_;
    }
    ~Quiet() { --dialog_.quiet_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    QtDialog& dialog_;
};

QtDialog::QtDialog(DialogLogic& logic, QWidget* parent)
    : QDialog(parent)
    , logic_(logic)
{
    Build();
}

QtDialog::~QtDialog() = default;

void QtDialog::Build()
{
    const DialogResource& resource = logic_.Resource();
    setWindowTitle(ToQString(resource.caption));

    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);

    std::vector<const ControlResource*> body;
    std::vector<const ControlResource*> buttons;
    bool hasDefault = false;
    for (const ControlResource& control : resource.controls) {
        (IsDialogButton(control) ? buttons : body).push_back(&control);
        hasDefault = hasDefault || (control.kind == ControlKind::DefaultButton && !IsDialogButton(control));
    }
    Place(*this, *grid, body, 0, 0);
    SetLabelBuddies();

    if (!buttons.empty()) {
        outer->addSpacing(style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing));
        auto* box = new QDialogButtonBox(this);
        for (const ControlResource* control : buttons) {
            const bool ok = control->id == kIdOk;
            QPushButton* button = box->addButton(
                ToQString(control->text), ok ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
            button->setDefault(ok ? !hasDefault : control->kind == ControlKind::DefaultButton);
            controls_[control->id] = Placed { control, button };
        }
        connect(box, &QDialogButtonBox::accepted, this, &QtDialog::accept);
        connect(box, &QDialogButtonBox::rejected, this, &QtDialog::reject);
        outer->addWidget(box);
    }
}

void QtDialog::Place(QWidget& parent, QGridLayout& grid, const std::vector<const ControlResource*>& controls,
    int originRow, int originColumn)
{
    const auto enclosed = [&](const ControlResource& control) {
        return std::any_of(controls.begin(), controls.end(), [&](const ControlResource* other) {
            return other->kind == ControlKind::GroupBox && Contains(*other, control);
        });
    };
    std::set<int> wideColumns;
    for (const ControlResource* control : controls) {
        if (Widens(control->kind) && !enclosed(*control))
            wideColumns.insert(control->column + control->columnSpan - 1 - originColumn);
    }
    for (const int column : wideColumns)
        grid.setColumnStretch(column, 1);

    for (const ControlResource* control : controls) {
        if (enclosed(*control))
            continue;
        const int row = control->row - originRow;
        const int column = control->column - originColumn;
        QWidget* widget = Create(*control, parent);
        if (control->kind == ControlKind::GroupBox) {
            std::vector<const ControlResource*> inside;
            for (const ControlResource* other : controls) {
                if (Contains(*control, *other))
                    inside.push_back(other);
            }
            auto* boxGrid = new QGridLayout(widget);
            Place(*widget, *boxGrid, inside, control->row, control->column);
        }

        // Labels and buttons beside a list or a multi-line edit stand at its first line.
        const bool besideTall = std::any_of(controls.begin(), controls.end(), [&](const ControlResource* other) {
            return other->row == control->row && other != control && IsTall(other->kind);
        });
        const Qt::Alignment vertical = besideTall ? Qt::AlignTop : Qt::AlignVCenter;
        Qt::Alignment alignment;
        if (control->kind == ControlKind::Label)
            alignment = Qt::AlignLeft | vertical;
        else if (!Widens(control->kind) && control->kind != ControlKind::GroupBox) {
            // Buttons and boxes keep their own width in a column that stretches for the edits.
            bool inWideColumn = false;
            for (int c = column; c < column + control->columnSpan; ++c)
                inWideColumn = inWideColumn || wideColumns.count(c) != 0;
            if (inWideColumn || besideTall)
                alignment = (inWideColumn ? Qt::AlignLeft : Qt::Alignment()) | vertical;
        }
        grid.addWidget(widget, row, column, control->rowSpan, control->columnSpan, alignment);
        all_.push_back(Placed { control, widget });
        if (control->id != 0)
            controls_[control->id] = Placed { control, widget };
        Connect(*control, *widget);
    }
}

QWidget* QtDialog::Create(const ControlResource& control, QWidget& parent)
{
    const QString text = ToQString(control.text);
    QStringList items;
    for (const std::u16string& item : control.items)
        items.append(ToQString(item));

    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, &parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::Edit:
    case ControlKind::PasswordEdit: {
        auto* edit = new QLineEdit(text, &parent);
        if (control.kind == ControlKind::PasswordEdit)
            edit->setEchoMode(QLineEdit::Password);
        edit->setMinimumWidth(CharacterWidth(*edit, kEditCharacters));
        return edit;
    }
    case ControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(&parent);
        edit->setPlainText(WithLineFeeds(control.text));
        edit->setTabChangesFocus(true);
        edit->setMinimumWidth(CharacterWidth(*edit, kMultiLineCharacters));
        edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * kMultiLineLines + 2 * edit->frameWidth()
            + static_cast<int>(2 * edit->document()->documentMargin()));
        return edit;
    }
    case ControlKind::ComboBox:
    case ControlKind::DropDownList: {
        auto* combo = new QComboBox(&parent);
        const bool editable = control.kind == ControlKind::ComboBox;
        combo->setEditable(editable);
        combo->addItems(items);
        // Nothing is chosen until the logic or the user chooses.
        combo->setCurrentIndex(combo->findText(text));
        if (editable) {
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setEditText(text);
            combo->setMinimumWidth(CharacterWidth(*combo, kComboCharacters));
        } else {
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            combo->setMinimumWidth(CharacterWidth(*combo, kDropDownCharacters));
        }
        return combo;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, &parent);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, &parent);
        QButtonGroup*& group = radioGroups_[control.group];
        if (!group)
            group = new QButtonGroup(this);
        group->addButton(radio);
        return radio;
    }
    case ControlKind::PushButton:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, &parent);
        button->setDefault(control.kind == ControlKind::DefaultButton);
        return button;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(&parent);
        list->addItems(items);
        list->setMinimumWidth(CharacterWidth(*list, kListCharacters));
        list->setMinimumHeight(list->fontMetrics().height() * kListRows + 2 * list->frameWidth());
        return list;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(text, &parent);
    case ControlKind::NumberEdit:
    case ControlKind::SpinEdit:
        return new QLineEdit(text, &parent);
    case ControlKind::ScrollBar:
    case ControlKind::ColourSample:
    case ControlKind::Custom:
        break; // the adapters per control kind bring these
    }
    return new QWidget(&parent);
}

void QtDialog::Connect(const ControlResource& control, QWidget& widget)
{
    const int id = control.id;
    if (id == 0)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { Notify(id, Notification::Clicked); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        connect(edit, &QLineEdit::textChanged, this, [this, id] { Notify(id, Notification::TextChanged); });
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(&widget)) {
        connect(lines, &QPlainTextEdit::textChanged, this, [this, id] { Notify(id, Notification::TextChanged); });
    } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        connect(
            combo, &QComboBox::currentIndexChanged, this, [this, id] { Notify(id, Notification::SelectionChanged); });
        // Typing reports a text change; choosing an item from the list reports only the choice.
        if (combo->isEditable())
            connect(
                combo->lineEdit(), &QLineEdit::textEdited, this, [this, id] { Notify(id, Notification::TextChanged); });
    } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
        connect(
            list, &QListWidget::currentRowChanged, this, [this, id] { Notify(id, Notification::SelectionChanged); });
        connect(list, &QListWidget::itemDoubleClicked, this, [this, id] { Notify(id, Notification::DoubleClicked); });
    }
}

void QtDialog::SetLabelBuddies()
{
    // A label's mnemonic moves the focus to the control just right of it.
    for (const Placed& label : all_) {
        auto* qlabel = qobject_cast<QLabel*>(label.widget);
        if (!qlabel || label.resource->text.find(u'&') == std::u16string::npos)
            continue;
        for (const Placed& other : all_) {
            if (other.resource->row == label.resource->row
                && other.resource->column == label.resource->column + label.resource->columnSpan
                && other.resource->kind != ControlKind::Label) {
                qlabel->setBuddy(other.widget);
                break;
            }
        }
    }
}

void QtDialog::Notify(int id, Notification notification)
{
    if (quiet_ > 0 || HasEnded())
        return;
    logic_.OnControl(*this, id, notification);
}

const QtDialog::Placed* QtDialog::Find(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

QWidget* QtDialog::Control(int id) const
{
    const Placed* placed = Find(id);
    return placed ? placed->widget : nullptr;
}

void QtDialog::Open()
{
    if (opened_)
        return;
    opened_ = true;
    const Quiet quiet(*this);
    logic_.OnInit(*this);
}

int QtDialog::Run()
{
    Open();
    if (!HasEnded())
        exec();
    return Result();
}

void QtDialog::accept()
{
    if (HasEnded())
        return;
    if (const QWidget* ok = Control(kIdOk); ok && !ok->isEnabled())
        return;
    if (logic_.OnOk(*this) && !HasEnded())
        End(kIdOk);
}

void QtDialog::reject()
{
    if (HasEnded())
        return;
    logic_.OnCancel(*this);
    if (!HasEnded())
        End(kIdCancel);
}

void QtDialog::End(int result)
{
    result_ = result;
    done(result);
}

void QtDialog::SetCaption(std::u16string_view caption)
{
    setWindowTitle(ToQString(caption));
}

void QtDialog::SetText(int id, std::u16string_view text)
{
    QWidget* widget = Control(id);
    if (!widget)
        return;
    const Quiet quiet(*this);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(ToQString(text));
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(ToQString(text));
    else if (auto* lines = qobject_cast<QPlainTextEdit*>(widget))
        lines->setPlainText(WithLineFeeds(text));
    else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable())
            combo->setEditText(ToQString(text));
        else
            combo->setCurrentIndex(combo->findText(ToQString(text)));
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const QList<QListWidgetItem*> found = list->findItems(ToQString(text), Qt::MatchExactly);
        if (!found.isEmpty())
            list->setCurrentItem(found.front());
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(ToQString(text));
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        box->setTitle(ToQString(text));
}

std::u16string QtDialog::Text(int id) const
{
    const QWidget* widget = Control(id);
    if (!widget)
        return {};
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return FromQString(label->text());
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return FromQString(edit->text());
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(widget))
        return WithCrLf(lines->toPlainText());
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return FromQString(combo->currentText());
    if (const auto* list = qobject_cast<const QListWidget*>(widget))
        return list->currentItem() ? FromQString(list->currentItem()->text()) : std::u16string {};
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return FromQString(button->text());
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        return FromQString(box->title());
    return {};
}

void QtDialog::SetChecked(int id, bool checked)
{
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (!button || !button->isCheckable())
        return;
    const Quiet quiet(*this);
    QButtonGroup* group = button->group();
    // An exclusive group keeps one button checked; clearing the last one needs it lifted for a moment.
    const bool lift = !checked && group && group->exclusive();
    if (lift)
        group->setExclusive(false);
    button->setChecked(checked);
    if (lift)
        group->setExclusive(true);
}

bool QtDialog::IsChecked(int id) const
{
    const auto* button = qobject_cast<const QAbstractButton*>(Control(id));
    return button && button->isChecked();
}

void QtDialog::Enable(int id, bool enabled)
{
    if (QWidget* widget = Control(id))
        widget->setEnabled(enabled);
}

bool QtDialog::IsEnabled(int id) const
{
    const QWidget* widget = Control(id);
    return !widget || widget->isEnabled();
}

void QtDialog::SetItems(int id, const std::vector<std::u16string>& items)
{
    QStringList texts;
    for (const std::u16string& item : items)
        texts.append(ToQString(item));
    const Quiet quiet(*this);
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        // The typed text of an editable combo box stays; nothing is chosen.
        const QString typed = combo->currentText();
        combo->clear();
        combo->addItems(texts);
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(typed);
    } else if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        list->clear();
        list->addItems(texts);
        list->setCurrentRow(-1);
    }
}

std::vector<std::u16string> QtDialog::Items(int id) const
{
    std::vector<std::u16string> items;
    if (const auto* combo = qobject_cast<const QComboBox*>(Control(id))) {
        for (int i = 0; i < combo->count(); ++i)
            items.push_back(FromQString(combo->itemText(i)));
    } else if (const auto* list = qobject_cast<const QListWidget*>(Control(id))) {
        for (int i = 0; i < list->count(); ++i)
            items.push_back(FromQString(list->item(i)->text()));
    }
    return items;
}

void QtDialog::SetSelection(int id, int index)
{
    const Quiet quiet(*this);
    if (auto* combo = qobject_cast<QComboBox*>(Control(id)))
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    else if (auto* list = qobject_cast<QListWidget*>(Control(id)))
        list->setCurrentRow(index >= 0 && index < list->count() ? index : -1);
}

int QtDialog::Selection(int id) const
{
    if (const auto* combo = qobject_cast<const QComboBox*>(Control(id)))
        return combo->currentIndex();
    if (const auto* list = qobject_cast<const QListWidget*>(Control(id)))
        return list->currentRow();
    return -1;
}

void QtDialog::SetFocus(int id)
{
    QWidget* widget = Control(id);
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
}

// Not yet carried by the Qt host: the adapters per control kind bring them.
void QtDialog::SetItemColours(int, const std::vector<Colour>&) { }
void QtDialog::SetColour(int, Colour) { }
void QtDialog::SetRange(int, int, int) { }
void QtDialog::SetPosition(int, int) { }
int QtDialog::Position(int) const
{
    return 0;
}
void QtDialog::Invalidate(int) { }

} // namespace kal
