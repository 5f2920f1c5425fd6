#pragma once

#include <span>
#include <string_view>

namespace kal {

// What the program says about a command wherever it offers it: the text of its menu item and the
// icon of its tool-bar button. Who handles it and how it looks now is the handling target's business
// (CommandMap); which keys send it is the accelerator table's.
struct CommandDefinition {
    int id = 0;
    std::u16string_view text; // empty for commands sent between windows, which no menu offers
    std::string_view icon; // empty when no tool bar shows the command
};

// Every command of the program, each once, grouped as the menus group them.
[[nodiscard]] std::span<const CommandDefinition> CommandDefinitions();
// The definition of `id`; null when no command has that id.
[[nodiscard]] const CommandDefinition* FindCommandDefinition(int id);

// The menu text of a command, the same in every menu; empty for commands no menu shows.
[[nodiscard]] std::u16string_view CommandText(int command);
// The name of a command's tool-bar icon; empty when it has none.
[[nodiscard]] std::string_view CommandIcon(int command);

} // namespace kal
