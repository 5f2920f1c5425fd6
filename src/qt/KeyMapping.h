#pragma once

#include "ui/MenuResource.h"

#include <QKeySequence>

class QKeyEvent;

namespace kal {

// The program's key for a key event, and the modifiers held.
[[nodiscard]] Key KeyOf(int qtKey);
[[nodiscard]] unsigned ModifiersOf(Qt::KeyboardModifiers modifiers);

// Shift+F10, the key that asks for the focused pane's pop-up menu besides the menu key; the menu
// key itself arrives from the platform as a context-menu event.
[[nodiscard]] bool IsContextMenuKey(const QKeyEvent& event);

// The key sequence of an accelerator.
[[nodiscard]] QKeySequence SequenceOf(const Accelerator& accelerator);

} // namespace kal
