#pragma once

#include <string>

namespace kal {

// The folder of the program's own data (the template schedule file, the genre file, the manual):
// $KALENDRA_DATA_DIR when set; else <prefix>/share/kalendra beside the installed program; else
// share/kalendra in the build tree the program runs from. Empty when none exists.
[[nodiscard]] std::string ProgramDataFolder();

// The folder of the running program.
[[nodiscard]] std::string ProgramFolder();

} // namespace kal
