#pragma once

#include <string>
#include <vector>

namespace kal {

// `alarms FILE.klx FROM TO [--json]`: the reminders whose time falls on the days FROM to TO, in the
// order they are due, as the reminder program shows them. The exit code.
int RunAlarms(const std::vector<std::string>& arguments);

} // namespace kal
