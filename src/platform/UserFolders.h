#pragma once

#include <string>

namespace kal {

// The user's home: $HOME, else the home the user database gives, else "/".
[[nodiscard]] std::string HomeFolder();

// The folder of per-user settings: $XDG_CONFIG_HOME, else the home's ".config".
[[nodiscard]] std::string ConfigHomeFolder();

// The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR in user-dirs.dirs), else
// $HOME/Documents. No trailing "/".
[[nodiscard]] std::string DocumentsFolder();

// The folder of per-user program data: $XDG_DATA_HOME, else the home's ".local/share".
[[nodiscard]] std::string DataHomeFolder();

// The folder of per-user cached data: $XDG_CACHE_HOME, else the home's ".cache".
[[nodiscard]] std::string CacheHomeFolder();

} // namespace kal
