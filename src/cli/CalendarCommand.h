#pragma once

#include <string>
#include <vector>

namespace kal {

// add-to-calendar FILE.klx FROM TO [--store PATH-or-URL] [--user NAME]: the period's schedules added to
// a calendar store, those already there left out; prints the number added. Returns the exit code.
int RunAddToCalendar(const std::vector<std::string>& arguments);

} // namespace kal
