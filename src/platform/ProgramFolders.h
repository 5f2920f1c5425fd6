#pragma once

#include <string>

namespace kal {

// The folder of the program's own data (the template schedule file, the genre file, the manual):
// $KALENDRA_DATA_DIR when set; else the installed data folder beside the installed program
// (<prefix>/share/kalendra from <prefix>/bin, found through the program's real path, so a link to it
// elsewhere finds it too); else share/kalendra in the build tree the program runs from. Empty when
// none exists.
[[nodiscard]] std::string ProgramDataFolder();

// The folder of the running program.
[[nodiscard]] std::string ProgramFolder();

} // namespace kal
