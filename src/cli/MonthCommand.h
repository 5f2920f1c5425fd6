#pragma once

#include <string>
#include <vector>

namespace kal {

// kalendra-cli month FILE [YYYY-MM] [--json]: the month as the month view fills it.
int RunMonth(const std::vector<std::string>& arguments);

} // namespace kal
