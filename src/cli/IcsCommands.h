#pragma once

#include <string>
#include <vector>

namespace kal {

// export-ics FILE OUT.ics [FROM TO] [--hidden] [--tz ZONE]: the file, or the days FROM to TO, as an
// iCalendar file; prints what was written. Returns the process exit code.
int RunExportIcs(const std::vector<std::string>& arguments);

} // namespace kal
