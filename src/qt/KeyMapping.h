#pragma once

#include "ui/MenuResource.h"

#include <QKeySequence>

class QKeyEvent;

namespace kal {

// The program's key for a key event, and the modifiers held.
[[nodiscard]] Key KeyOf(int qtKey);
[[nodiscard]] unsigned ModifiersOf(Qt::KeyboardModifiers modifiers);

// The key sequence of an accelerator.
[[nodiscard]] QKeySequence SequenceOf(const Accelerator& accelerator);

} // namespace kal
