#pragma once

#include <QIcon>

#include <string_view>

namespace kal {

// The tool bar's icons, drawn by the program itself: "save", "paste", "previous-month", "today",
// "next-month", "add-schedule", "add-todo", "edit", "find", "find-next", "find-previous", "help".
// A null icon for any other name.
[[nodiscard]] QIcon ToolIcon(std::string_view name);

} // namespace kal
