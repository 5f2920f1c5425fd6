#pragma once

#include "calendar/DTime.h"

#include <optional>
#include <string>
#include <vector>

namespace kal {

// The commands that exchange entries with text: the agenda of a period, the CSV export and import of
// the desktop calendar's Japanese layout, and the search. Each returns the process exit code.
// "YYYY-MM-DD" at 00:00 of that day, for a date the calendar holds; otherwise nothing, after saying
// so on standard error.
[[nodiscard]] std::optional<CDTime> ParseDateArgument(const std::string& text);

int RunAgenda(const std::vector<std::string>& arguments);
int RunExportCsv(const std::vector<std::string>& arguments);
int RunImportCsv(const std::vector<std::string>& arguments);
int RunFind(const std::vector<std::string>& arguments);

} // namespace kal
