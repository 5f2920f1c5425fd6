#pragma once

#include <string>
#include <vector>

namespace kal {

// import-ics FILE.klx IN.ics: adds the events and to-dos of an iCalendar file to the schedule file,
// saves it and prints what was added on one line. Returns the process exit code.
int RunImportIcs(const std::vector<std::string>& arguments);

} // namespace kal
