#include "qt/ControlAdapter.h"

#include "qt/ControlAdapterKinds.h"
#include "qt/QtConvert.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <array>

namespace kal {

namespace {

struct KindEntry {
    ControlKind kind;
    adapters::Maker make;
    ControlLayout layout;
};

// Every kind once: a new kind of control is one line here and its adapter class.
constexpr std::array kKinds {
    KindEntry { ControlKind::Label, adapters::MakeLabel, {} },
    KindEntry { ControlKind::Edit, adapters::MakeEdit, { true, false } },
    KindEntry { ControlKind::MultiLineEdit, adapters::MakeMultiLineEdit, { true, true } },
    KindEntry { ControlKind::PasswordEdit, adapters::MakePasswordEdit, { true, false } },
    KindEntry { ControlKind::ComboBox, adapters::MakeComboBox, { true, false } },
    KindEntry { ControlKind::DropDownList, adapters::MakeDropDownList, { true, false } },
    KindEntry { ControlKind::CheckBox, adapters::MakeCheckBox, {} },
    KindEntry { ControlKind::RadioButton, adapters::MakeRadioButton, {} },
    KindEntry { ControlKind::PushButton, adapters::MakePushButton, {} },
    KindEntry { ControlKind::DefaultButton, adapters::MakePushButton, {} },
    KindEntry { ControlKind::ListBox, adapters::MakeListBox, { true, true } },
    KindEntry { ControlKind::GroupBox, adapters::MakeGroupBox, { false, true } },
    KindEntry { ControlKind::NumberEdit, adapters::MakeNumberEdit, {} },
    KindEntry { ControlKind::SpinEdit, adapters::MakeSpinEdit, {} },
    KindEntry { ControlKind::ScrollBar, adapters::MakeScrollBar, { false, true } },
    KindEntry { ControlKind::ColourSample, adapters::MakeColourSample, {} },
    KindEntry { ControlKind::Custom, adapters::MakeCustom, { false, true } },
};

const KindEntry& EntryOf(ControlKind kind)
{
    for (const KindEntry& entry : kKinds) {
        if (entry.kind == kind)
            return entry;
    }
    return kKinds.front();
}

} // namespace

void ControlAdapter::SetEnabled(bool enabled)
{
    Widget().setEnabled(enabled);
}

bool ControlAdapter::IsEnabled() const
{
    const QWidget& widget = Widget();
    return widget.isEnabledTo(widget.parentWidget());
}

void ControlAdapter::Focus()
{
    Widget().setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<ControlAdapter> MakeControlAdapter(
    const ControlResource& resource, QWidget& parent, ControlEvents& events)
{
    return EntryOf(resource.kind).make(resource, parent, events);
}

ControlLayout LayoutOf(ControlKind kind)
{
    return EntryOf(kind).layout;
}

namespace adapters {

QIcon Swatch(Colour colour, const QWidget& widget)
{
    const int side = std::max(8, widget.fontMetrics().height() - 4);
    QPixmap pixmap(side, side);
    pixmap.fill(ToQColor(colour));
    QPainter painter(&pixmap);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(0, 0, side - 1, side - 1);
    return QIcon(pixmap);
}

QIcon ItemSwatch(const std::vector<Colour>& colours, std::size_t index, const QWidget& widget)
{
    if (colours.empty())
        return QIcon();
    if (index < colours.size())
        return Swatch(colours[index], widget);
    const QSize size = Swatch(0, widget).availableSizes().value(0);
    QPixmap blank(size);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

int CharactersWide(const QWidget& widget, int count)
{
    return widget.fontMetrics().averageCharWidth() * count;
}

int LinesHigh(const QWidget& widget, int count)
{
    return widget.fontMetrics().lineSpacing() * count;
}

int ResourceWidth(const QWidget& widget, const ControlResource& resource, int characters)
{
    return CharactersWide(widget, resource.cells.width > 0 ? resource.cells.width : characters);
}

int ResourceHeight(const QWidget& widget, const ControlResource& resource, int lines)
{
    return LinesHigh(widget, resource.cells.height > 0 ? resource.cells.height : lines);
}

} // namespace adapters

} // namespace kal
