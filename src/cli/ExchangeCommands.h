#pragma once

#include "calendar/DTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// The commands that exchange entries with text: the agenda of a period, the CSV export and import of
// the desktop calendar's Japanese layout, and the search. Each returns the process exit code.
// "YYYY-MM-DD" at 00:00 of that day, for a date the calendar holds; otherwise nothing, after saying
// so on standard error.
[[nodiscard]] std::optional<CDTime> ParseDateArgument(const std::string& text);
// Removes `option VALUE` from the arguments; false when the option lacks its value or comes twice.
[[nodiscard]] bool TakeValue(
    std::vector<std::string>& arguments, std::string_view option, std::optional<std::string>& value);

// Removes `flag` from the arguments; true when it was there.
[[nodiscard]] bool TakeFlag(std::vector<std::string>& arguments, std::string_view flag);
// Whether an argument is left that looks like an option ("--..."): one the command does not know.
[[nodiscard]] bool HasOption(const std::vector<std::string>& arguments);

int RunAgenda(const std::vector<std::string>& arguments);
int RunExportCsv(const std::vector<std::string>& arguments);
int RunImportCsv(const std::vector<std::string>& arguments);
int RunFind(const std::vector<std::string>& arguments);

} // namespace kal
