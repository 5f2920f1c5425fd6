// Adapters for the controls the user chooses with: lists, combo boxes and buttons, and the group box.
#include "qt/ControlAdapterKinds.h"
#include "qt/QtConvert.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace kal::adapters {

namespace {

constexpr int kComboCharacters = 16;
constexpr int kDropDownCharacters = 10;
constexpr int kListCharacters = 24;
constexpr int kListRows = 8;

QStringList ToQStrings(const std::vector<std::u16string>& texts)
{
    QStringList list;
    for (const std::u16string& text : texts)
        list.append(ToQString(text));
    return list;
}

// Combo boxes with an edit (any text) and without (one of the items or nothing).
class ComboAdapter final : public ControlAdapter {
public:
    ComboAdapter(const ControlResource& resource, QWidget& parent, ControlEvents& events)
        : ControlAdapter(resource)
        , combo_(new QComboBox(&parent))
    {
        const bool editable = resource.kind == ControlKind::ComboBox;
        combo_->setEditable(editable);
        combo_->addItems(ToQStrings(resource.items));
        // Nothing is chosen until the logic or the user chooses.
        combo_->setCurrentIndex(combo_->findText(ToQString(resource.text)));
        const int id = resource.id;
        QObject::connect(combo_, &QComboBox::currentIndexChanged, combo_,
            [&events, id] { events.Notify(id, Notification::SelectionChanged); });
        if (editable) {
            combo_->setInsertPolicy(QComboBox::NoInsert);
            combo_->setEditText(ToQString(resource.text));
            combo_->setMinimumWidth(
                CharactersWide(*combo_, resource.cells.width > 0 ? resource.cells.width : kComboCharacters));
            // A typed text is no longer the chosen item; typing reports only the text.
            QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this, &events, id] {
                DropChoiceKeepingText();
                events.Notify(id, Notification::TextChanged);
            });
        } else {
            // A list given a width keeps it; otherwise it grows to its longest item.
            if (resource.cells.width > 0) {
                combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                combo_->setMinimumContentsLength(resource.cells.width);
            } else {
                combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
                combo_->setMinimumWidth(CharactersWide(*combo_, kDropDownCharacters));
            }
        }
    }

    QWidget& Widget() const override { return *combo_; }
    void SetText(std::u16string_view text) override
    {
        if (combo_->isEditable())
            combo_->setEditText(ToQString(text));
        else
            combo_->setCurrentIndex(combo_->findText(ToQString(text)));
    }
    std::u16string Text() const override { return FromQString(combo_->currentText()); }
    void SetItems(const std::vector<std::u16string>& items) override
    {
        // The typed text of a combo box with an edit stays; nothing is chosen.
        const QString typed = combo_->currentText();
        combo_->clear();
        combo_->addItems(ToQStrings(items));
        combo_->setCurrentIndex(-1);
        if (combo_->isEditable())
            combo_->setEditText(typed);
        ShowColours();
    }
    std::vector<std::u16string> Items() const override
    {
        std::vector<std::u16string> items;
        for (int i = 0; i < combo_->count(); ++i)
            items.push_back(FromQString(combo_->itemText(i)));
        return items;
    }
    void SetSelection(int index) override
    {
        combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
    }
    int Selection() const override { return combo_->currentIndex(); }
    void SetItemColours(const std::vector<Colour>& colours) override
    {
        colours_ = colours;
        ShowColours();
    }

private:
    void DropChoiceKeepingText()
    {
        if (combo_->currentIndex() < 0)
            return;
        QLineEdit* line = combo_->lineEdit();
        const QString typed = line->text();
        const int cursor = line->cursorPosition();
        {
            const QSignalBlocker quiet(combo_);
            combo_->setCurrentIndex(-1);
        }
        line->setText(typed);
        line->setCursorPosition(cursor);
    }
    void ShowColours()
    {
        for (int i = 0; i < combo_->count(); ++i) {
            const auto index = static_cast<std::size_t>(i);
            combo_->setItemIcon(i, ItemSwatch(colours_, index, *combo_));
        }
    }

    QComboBox* combo_;
    std::vector<Colour> colours_; // kept for the items of the next refill
};

class ListBoxAdapter final : public ControlAdapter {
public:
    ListBoxAdapter(const ControlResource& resource, QWidget& parent, ControlEvents& events)
        : ControlAdapter(resource)
        , list_(new QListWidget(&parent))
    {
        list_->addItems(ToQStrings(resource.items));
        list_->setMinimumWidth(
            CharactersWide(*list_, resource.cells.width > 0 ? resource.cells.width : kListCharacters));
        list_->setMinimumHeight(
            list_->fontMetrics().height() * (resource.cells.height > 0 ? resource.cells.height : kListRows)
            + 2 * list_->frameWidth());
        const int id = resource.id;
        QObject::connect(list_, &QListWidget::currentRowChanged, list_,
            [&events, id] { events.Notify(id, Notification::SelectionChanged); });
        QObject::connect(list_, &QListWidget::itemDoubleClicked, list_,
            [&events, id] { events.Notify(id, Notification::DoubleClicked); });
    }

    QWidget& Widget() const override { return *list_; }
    // A list shows one of its items: a text chooses the item, an unknown text leaves the choice.
    void SetText(std::u16string_view text) override
    {
        const QList<QListWidgetItem*> found = list_->findItems(ToQString(text), Qt::MatchExactly);
        if (!found.isEmpty())
            list_->setCurrentItem(found.front());
    }
    std::u16string Text() const override
    {
        const QListWidgetItem* item = list_->currentItem();
        return item ? FromQString(item->text()) : std::u16string {};
    }
    void SetItems(const std::vector<std::u16string>& items) override
    {
        // A list refilled in place (the same rows updated) should not jump back to its top.
        QScrollBar* bar = list_->verticalScrollBar();
        const int top = bar->value();
        list_->clear();
        list_->addItems(ToQStrings(items));
        list_->setCurrentRow(-1);
        list_->doItemsLayout();
        bar->setValue(std::min(top, bar->maximum()));
        ShowColours();
    }
    std::vector<std::u16string> Items() const override
    {
        std::vector<std::u16string> items;
        for (int i = 0; i < list_->count(); ++i)
            items.push_back(FromQString(list_->item(i)->text()));
        return items;
    }
    void SetSelection(int index) override { list_->setCurrentRow(index >= 0 && index < list_->count() ? index : -1); }
    int Selection() const override { return list_->currentRow(); }
    void SetItemColours(const std::vector<Colour>& colours) override
    {
        colours_ = colours;
        ShowColours();
    }

private:
    void ShowColours()
    {
        for (int i = 0; i < list_->count(); ++i) {
            const auto index = static_cast<std::size_t>(i);
            list_->item(i)->setIcon(ItemSwatch(colours_, index, *list_));
        }
    }

    QListWidget* list_;
    std::vector<Colour> colours_;
};

// Check boxes, radio buttons and push buttons: a text, a click, and for the first two a tick.
class ButtonAdapter final : public ControlAdapter {
public:
    ButtonAdapter(const ControlResource& resource, QAbstractButton* button, ControlEvents& events)
        : ControlAdapter(resource)
        , button_(button)
    {
        const int id = resource.id;
        QObject::connect(
            button_, &QAbstractButton::clicked, button_, [&events, id] { events.Notify(id, Notification::Clicked); });
    }

    QWidget& Widget() const override { return *button_; }
    void SetText(std::u16string_view text) override { button_->setText(ToQString(text)); }
    std::u16string Text() const override { return FromQString(button_->text()); }
    void SetChecked(bool checked) override
    {
        if (!button_->isCheckable())
            return;
        QButtonGroup* group = button_->group();
        // An exclusive group keeps one button checked; clearing the last one needs it lifted for a moment.
        const bool lift = !checked && group && group->exclusive();
        if (lift)
            group->setExclusive(false);
        button_->setChecked(checked);
        if (lift)
            group->setExclusive(true);
    }
    bool IsChecked() const override { return button_->isChecked(); }
    void SetColour(Colour colour) override
    {
        if (!button_->isCheckable())
            button_->setIcon(Swatch(colour, *button_));
    }

private:
    QAbstractButton* button_;
};

// A frame with a title. Disabling it greys the title only: the controls inside keep their own state.
class GroupBoxAdapter final : public ControlAdapter {
public:
    GroupBoxAdapter(const ControlResource& resource, QWidget& parent)
        : ControlAdapter(resource)
        , box_(new QGroupBox(ToQString(resource.text), &parent))
        , palette_(box_->palette())
    {
    }

    QWidget& Widget() const override { return *box_; }
    void SetText(std::u16string_view text) override { box_->setTitle(ToQString(text)); }
    std::u16string Text() const override { return FromQString(box_->title()); }
    void SetEnabled(bool enabled) override
    {
        enabled_ = enabled;
        QPalette palette = palette_;
        if (!enabled) {
            for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text }) {
                const QColor grey = palette.color(QPalette::Disabled, role);
                palette.setColor(QPalette::Active, role, grey);
                palette.setColor(QPalette::Inactive, role, grey);
            }
        }
        box_->setPalette(palette);
    }
    bool IsEnabled() const override { return enabled_; }

private:
    QGroupBox* box_;
    QPalette palette_;
    bool enabled_ = true;
};

} // namespace

std::unique_ptr<ControlAdapter> MakeComboBox(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<ComboAdapter>(resource, parent, events);
}

std::unique_ptr<ControlAdapter> MakeDropDownList(
    const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<ComboAdapter>(resource, parent, events);
}

std::unique_ptr<ControlAdapter> MakeListBox(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<ListBoxAdapter>(resource, parent, events);
}

std::unique_ptr<ControlAdapter> MakeCheckBox(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return std::make_unique<ButtonAdapter>(resource, new QCheckBox(ToQString(resource.text), &parent), events);
}

std::unique_ptr<ControlAdapter> MakeRadioButton(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    auto* radio = new QRadioButton(ToQString(resource.text), &parent);
    events.RadioGroup(resource.group).addButton(radio);
    return std::make_unique<ButtonAdapter>(resource, radio, events);
}

std::unique_ptr<ControlAdapter> MakePushButton(const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    auto* button = new QPushButton(ToQString(resource.text), &parent);
    button->setDefault(resource.kind == ControlKind::DefaultButton);
    return std::make_unique<ButtonAdapter>(resource, button, events);
}

std::unique_ptr<ControlAdapter> MakeGroupBox(const ControlResource& resource, QWidget& parent, ControlEvents&)
{
    return std::make_unique<GroupBoxAdapter>(resource, parent);
}

} // namespace kal::adapters
