#pragma once

namespace kal {

// Keys as the program sees them: the commands bound to keys, and keys that dialogs and views handle.
enum class Key {
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    Insert,
    Delete,
    Backspace,
    Home,
    End,
    PageUp,
    PageDown,
    Enter,
    Escape,
    Space,
    Tab,
    Left,
    Up,
    Right,
    Down,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    Other,
};

namespace modifier {
inline constexpr unsigned kNone = 0;
inline constexpr unsigned kShift = 1;
inline constexpr unsigned kControl = 2;
inline constexpr unsigned kAlt = 4;
} // namespace modifier

} // namespace kal
