#pragma once

#include <span>
#include <string>
#include <vector>

namespace kal {

// A menu item: a command (id and text), a pop-up (text and children) or a separator (neither).
// Texts keep their "&" mnemonics.
struct MenuItem {
    int id = 0;
    std::u16string text;
    std::vector<MenuItem> children;

    [[nodiscard]] bool IsSeparator() const { return id == 0 && text.empty(); }
    [[nodiscard]] bool IsPopup() const { return !children.empty(); }
};

struct MenuResource {
    int id = 0;
    std::vector<MenuItem> items; // the bar's pop-ups, or one pop-up for context menus
};

// The program's menus by resource id: 128 (landscape), 129 (portrait), 136 (context pop-ups), 137
// (small landscape screens), 138 (soft-key menu). Null for an unknown id.
[[nodiscard]] const MenuResource* FindMenu(int id);

// The resource chosen for a screen: 138 with the soft-key menu, else 129 when the screen is narrower
// than high, 137 when it is less than 321 pixels wide, else 128.
[[nodiscard]] int MenuForScreen(int width, int height, bool softKeyMenu);

// Keys the program binds to commands.
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

struct Accelerator {
    Key key;
    unsigned modifiers;
    int command;
};

// Accelerator table 128.
[[nodiscard]] std::span<const Accelerator> MainAccelerators();
// The command bound to a key, or 0.
[[nodiscard]] int CommandForKey(Key key, unsigned modifiers);

// A tool-bar button: its command and the name of its icon; a command of 0 is a separator.
struct ToolButton {
    int command;
    const char* icon;
};

[[nodiscard]] std::span<const ToolButton> PortraitToolBar();
[[nodiscard]] std::span<const ToolButton> LandscapeToolBar();

} // namespace kal
