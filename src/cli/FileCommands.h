#pragma once

#include <string>
#include <vector>

namespace kal {

// The commands that work on schedule files. Each returns the process exit code.
int RunNew(const std::vector<std::string>& arguments);
int RunConvert(const std::vector<std::string>& arguments);
int RunCheck(const std::vector<std::string>& arguments);

} // namespace kal
