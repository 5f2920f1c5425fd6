#include "qt/KeyMapping.h"

#include <QKeyEvent>

namespace kal {

namespace {

struct KeyPair {
    Key key;
    int qtKey;
};

constexpr KeyPair kKeys[] = {
    { Key::Insert, Qt::Key_Insert },
    { Key::Delete, Qt::Key_Delete },
    { Key::Backspace, Qt::Key_Backspace },
    { Key::Home, Qt::Key_Home },
    { Key::End, Qt::Key_End },
    { Key::PageUp, Qt::Key_PageUp },
    { Key::PageDown, Qt::Key_PageDown },
    { Key::Enter, Qt::Key_Return },
    { Key::Escape, Qt::Key_Escape },
    { Key::Space, Qt::Key_Space },
    { Key::Tab, Qt::Key_Tab },
    { Key::Left, Qt::Key_Left },
    { Key::Up, Qt::Key_Up },
    { Key::Right, Qt::Key_Right },
    { Key::Down, Qt::Key_Down },
};

} // namespace

Key KeyOf(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<Key>(static_cast<int>(Key::A) + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return static_cast<Key>(static_cast<int>(Key::F1) + (qtKey - Qt::Key_F1));
    if (qtKey == Qt::Key_Enter)
        return Key::Enter;
    for (const KeyPair& pair : kKeys) {
        if (pair.qtKey == qtKey)
            return pair.key;
    }
    return Key::Other;
}

unsigned ModifiersOf(Qt::KeyboardModifiers modifiers)
{
    unsigned result = modifier::kNone;
    if (modifiers & Qt::ShiftModifier)
        result |= modifier::kShift;
    if (modifiers & Qt::ControlModifier)
        result |= modifier::kControl;
    if (modifiers & Qt::AltModifier)
        result |= modifier::kAlt;
    return result;
}

bool IsContextMenuKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers held
        = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return event.key() == Qt::Key_F10 && held == Qt::ShiftModifier;
}

QKeySequence SequenceOf(const Accelerator& accelerator)
{
    int qtKey = 0;
    const int index = static_cast<int>(accelerator.key);
    if (accelerator.key >= Key::A && accelerator.key <= Key::Z)
        qtKey = Qt::Key_A + (index - static_cast<int>(Key::A));
    else if (accelerator.key >= Key::F1 && accelerator.key <= Key::F12)
        qtKey = Qt::Key_F1 + (index - static_cast<int>(Key::F1));
    for (const KeyPair& pair : kKeys) {
        if (pair.key == accelerator.key)
            qtKey = pair.qtKey;
    }
    int modifiers = 0;
    if (accelerator.modifiers & modifier::kShift)
        modifiers |= Qt::SHIFT;
    if (accelerator.modifiers & modifier::kControl)
        modifiers |= Qt::CTRL;
    if (accelerator.modifiers & modifier::kAlt)
        modifiers |= Qt::ALT;
    return QKeySequence(qtKey | modifiers);
}

} // namespace kal
