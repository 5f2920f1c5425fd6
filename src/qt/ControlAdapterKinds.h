#pragma once

#include "qt/ControlAdapter.h"

#include <QIcon>

#include <vector>

namespace kal::adapters {

// One maker per kind of control; MakeControlAdapter picks by the resource's kind.
using Maker = std::unique_ptr<ControlAdapter> (*)(const ControlResource&, QWidget&, ControlEvents&);

std::unique_ptr<ControlAdapter> MakeLabel(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeEdit(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeMultiLineEdit(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakePasswordEdit(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeNumberEdit(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeSpinEdit(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeComboBox(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeDropDownList(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeListBox(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeCheckBox(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeRadioButton(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakePushButton(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeGroupBox(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeScrollBar(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeColourSample(const ControlResource&, QWidget&, ControlEvents&);
std::unique_ptr<ControlAdapter> MakeCustom(const ControlResource&, QWidget&, ControlEvents&);

// A small square of the colour with a dark rim, as high as a line of `widget`'s font: the swatch
// beside list items and on colour buttons.
[[nodiscard]] QIcon Swatch(Colour colour, const QWidget& widget);
// The swatch of the item at `index` when the list shows `colours`: a blank square for items past the
// end keeps their texts in line with the others, no icon at all when the list shows no colours.
[[nodiscard]] QIcon ItemSwatch(const std::vector<Colour>& colours, std::size_t index, const QWidget& widget);
// `count` average characters of the widget's font, in pixels.
[[nodiscard]] int CharactersWide(const QWidget& widget, int count);
// `count` lines of the widget's font, in pixels.
[[nodiscard]] int LinesHigh(const QWidget& widget, int count);
// The width the resource asks for in its cells, or `characters` when it gives none, in average
// characters of the widget's font, in pixels.
[[nodiscard]] int ResourceWidth(const QWidget& widget, const ControlResource& resource, int characters);
// The height the resource asks for in its cells, or `lines` when it gives none, in lines of the
// widget's font, in pixels.
[[nodiscard]] int ResourceHeight(const QWidget& widget, const ControlResource& resource, int lines);

} // namespace kal::adapters
