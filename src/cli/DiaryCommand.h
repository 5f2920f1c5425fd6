#pragma once

#include <string>
#include <vector>

namespace kal {

// `diary FILE.klx YYYY-MM-DD`: prints the path of that day's diary as the desktop program would open
// it (the file's own diary folder, else the settings'), creating nothing. The exit code.
int RunDiary(const std::vector<std::string>& arguments);

} // namespace kal
