#pragma once

#include <string>
#include <vector>

namespace kal {

// The commands that add one entry to a schedule file or delete entries from one day of it, as the
// desktop's entry dialogs and day list do, each saving the file as the desktop saves it. Each returns
// the process exit code.
int RunAdd(const std::vector<std::string>& arguments);
int RunDelete(const std::vector<std::string>& arguments);

} // namespace kal
