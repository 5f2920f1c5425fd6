#pragma once

#include <string>
#include <vector>

namespace kal {

// The commands that exchange entries with text: the agenda of a period, the CSV export and import of
// the desktop calendar's Japanese layout, and the search. Each returns the process exit code.
int RunAgenda(const std::vector<std::string>& arguments);
int RunExportCsv(const std::vector<std::string>& arguments);
int RunImportCsv(const std::vector<std::string>& arguments);
int RunFind(const std::vector<std::string>& arguments);

} // namespace kal
