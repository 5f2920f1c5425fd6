#pragma once

#include <QIcon>

namespace kal {

// The tool bar's icons, drawn by the program itself: "save", "paste", "previous-month", "today",
// "next-month", "add-schedule", "add-todo", "edit", "find", "find-next", "find-previous", "help".
[[nodiscard]] QIcon ToolIcon(const char* name);

} // namespace kal
