#include "cli/DiaryCommand.h"

#include "calendar/DTime.h"
#include "cli/FileCommands.h"
#include "cli/TerminalText.h"
#include "store/KalStore.h"
#include "views/DiaryFiles.h"

#include <cstdio>

namespace kal {

namespace {

constexpr char kUsage[] = "Usage: kalendra-cli diary FILE.klx YYYY-MM-DD\n";

} // namespace

int RunDiary(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    char rest = 0;
    if (std::sscanf(arguments[1].c_str(), "%d-%d-%d%c", &year, &month, &day, &rest) != 3 || year < 1972 || year > 2036
        || !IsValidDate(year, month, day)) {
        std::fprintf(stderr, "kalendra-cli: '%s' is not a date from 1972-01-01 to 2036-12-31 (YYYY-MM-DD)\n",
            TerminalText(arguments[1]).c_str());
        return 2;
    }
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, arguments[0]))
        return 1;
    const std::string path = DiaryPath(store.DiaryLocator(), CDTime(year, month, day));
    // The folder comes from the file or the settings, either of which may be somebody else's.
    std::printf("%s\n", TerminalText(path).c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace kal
