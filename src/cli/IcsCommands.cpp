#include "cli/IcsCommands.h"

#include "app/IcalCommands.h"
#include "calstore/IcalExport.h"
#include "cli/ExchangeCommands.h"
#include "cli/ExitCodes.h"
#include "cli/FileCommands.h"
#include "cli/TerminalText.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/KalStore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace kal {

namespace {

constexpr char kExportUsage[] = "Usage: kalendra-cli export-ics FILE.klx OUT.ics [FROM TO] [--hidden] [--tz ZONE]\n";

// Relative links resolve against the schedule file's folder, wherever the command was started.
std::string AbsolutePath(const std::string& path)
{
    char folder[4096];
    if (path.empty() || path.front() == '/' || !getcwd(folder, sizeof folder))
        return path;
    return std::string(folder) + "/" + path;
}

} // namespace

int RunExportIcs(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    if (arguments.empty())
        return UsageError(kExportUsage);
    IcalExportOptions options = IcalExportOptionsFor(CKalSettings::Current(), AbsolutePath(arguments[0]));
    options.includeHidden = TakeFlag(arguments, "--hidden");
    std::optional<std::string> zone;
    if (!TakeValue(arguments, "--tz", zone) || (arguments.size() != 2 && arguments.size() != 4) || HasOption(arguments))
        return UsageError(kExportUsage);
    if (arguments.size() == 4) {
        const auto first = ParseDateArgument(arguments[2]);
        const auto last = ParseDateArgument(arguments[3]);
        if (!first || !last)
            return kUsageError;
        if (*last < *first)
            return UsageError(kExportUsage);
        options.period = DateRange { *first, *last };
    }
    options.zone = zone.value_or("");
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, arguments[0]))
        return kFailed;
    const auto exported = ExportIcal(store, options);
    if (!exported) {
        std::fprintf(stderr, "kalendra-cli: %s\n", ToUtf8(exported.Error().message).c_str());
        return kFailed;
    }
    if (const FileStatus written = WriteFileAtomically(arguments[1], exported->text); !written) {
        std::fprintf(
            stderr, "kalendra-cli: %s: %s\n", TerminalText(arguments[1]).c_str(), std::strerror(written.Error().code));
        return kFailed;
    }
    std::printf("%s\n", ToUtf8(ExportSummaryText(exported->summary)).c_str());
    return 0;
}

} // namespace kal
