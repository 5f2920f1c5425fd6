#pragma once

#include "calendar/DTime.h"

#include <string>

namespace kal {

// The local path of a folder written in a schedule file: "\" separators become "/", and the
// device's "\My Documents" becomes the user's documents folder.
[[nodiscard]] std::string LocalFolder(std::u16string_view folder);

// The diary file of a day: "YYYYMMDD.TXT" in the diary folder.
[[nodiscard]] std::string DiaryPath(std::u16string_view folder, CDTime day);
[[nodiscard]] bool DiaryExists(std::u16string_view folder, CDTime day);

} // namespace kal
