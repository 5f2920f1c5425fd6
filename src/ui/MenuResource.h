#pragma once

#include "ui/Commands.h"
#include "ui/Keys.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
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

namespace menuid {
inline constexpr int kLandscape = 128;
inline constexpr int kPortrait = 129;
inline constexpr int kContext = 136;
inline constexpr int kSmallLandscape = 137;
inline constexpr int kSoftKeys = 138;
} // namespace menuid

// The pop-ups of the context menu resource, by place: the day list's, the month heading's and the
// month grid's.
inline constexpr std::size_t kListPopup = 0;
inline constexpr std::size_t kHeadingPopup = 1;
inline constexpr std::size_t kMonthPopup = 2;

// The program's menus by resource id: 128 (landscape), 129 (portrait), 136 (context pop-ups), 137
// (small landscape screens), 138 (soft-key menu). Null for an unknown id.
//
// The file pop-up of every bar holds one item ID_FILE_MRU_FILE1 "最近使ったファイル" where the front
// end lists the recent files (ID_FILE_MRU_FILE1 + i for the file at place i); with no recent file the
// item stays, disabled. Portrait and soft-key bars open their first pop-up from the left soft key.
[[nodiscard]] const MenuResource* FindMenu(int id);

// The item of `command` anywhere in `menu`, searching pop-ups depth first; null when absent.
[[nodiscard]] const MenuItem* FindCommand(const MenuResource& menu, int command);

// The resource chosen for a screen: 138 with the soft-key menu, else 129 when the screen is narrower
// than high, 137 when it is less than 321 pixels wide, else 128.
[[nodiscard]] int MenuForScreen(int width, int height, bool softKeyMenu);

struct Accelerator {
    Key key;
    unsigned modifiers;
    int command;
};

// Accelerator table 128.
[[nodiscard]] std::span<const Accelerator> MainAccelerators();
// The keys of `command` in table order; empty when no key sends it.
[[nodiscard]] std::vector<Accelerator> CommandKeys(int command);
// The command bound to a key, or 0.
[[nodiscard]] int CommandForKey(Key key, unsigned modifiers);

// The tool bars' buttons by command, each showing its command's icon (CommandIcon); 0 is a separator.
[[nodiscard]] std::span<const int> PortraitToolBar();
[[nodiscard]] std::span<const int> LandscapeToolBar();

} // namespace kal
