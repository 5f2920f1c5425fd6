#include "cli/CalendarCommand.h"
#include "cli/ExitCodes.h"

#include "app/CalendarCommands.h"
#include "calstore/CalendarStore.h"
#include "calstore/CalendarTexts.h"
#include "calstore/StoreLocation.h"
#include "cli/ExchangeCommands.h"
#include "cli/FileCommands.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/KalStore.h"
#include "ui/Ui.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace kal {

namespace {

constexpr char kUsage[] = "Usage: kalendra-cli add-to-calendar FILE.klx FROM TO [--store PATH-or-URL] [--user NAME]"
                          " [--timeout SECONDS]\n";
// A time limit in seconds, not a step between dates: a day of it is more than any server of use needs.
constexpr long kMaxTimeoutSeconds = 24L * 60 * 60;

} // namespace

int RunAddToCalendar(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    std::optional<std::string> location;
    std::optional<std::string> user;
    std::optional<std::string> timeout;
    if (!TakeValue(arguments, "--store", location) || !TakeValue(arguments, "--user", user)
        || !TakeValue(arguments, "--timeout", timeout) || arguments.size() != 3) {
        std::fputs(kUsage, stderr);
        return kUsageError;
    }
    ServerTimeouts timeouts;
    if (timeout) {
        char* end = nullptr;
        const long seconds = std::strtol(timeout->c_str(), &end, 10);
        if (timeout->empty() || *end != '\0' || seconds < 1 || seconds > kMaxTimeoutSeconds) {
            std::fprintf(stderr, "kalendra-cli: --timeout takes whole seconds from 1 to %ld\n", kMaxTimeoutSeconds);
            return kUsageError;
        }
        timeouts.operation = seconds;
    }
    const auto from = ParseDateArgument(arguments[1]);
    const auto to = ParseDateArgument(arguments[2]);
    if (!from || !to)
        return kUsageError;
    if (*to < *from) {
        std::fputs("kalendra-cli: TO comes before FROM\n", stderr);
        return kUsageError;
    }
    const CKalSettings& settings = CKalSettings::Current();
    if (!location)
        location = ToUtf8(settings.Get(TextSetting::CalendarStore));
    if (!user)
        user = ToUtf8(settings.Get(TextSetting::CalendarUser));
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, arguments[0]))
        return kFailed;
    // Questions go to the terminal itself: the schedule file's own password, which the program may have
    // been given, is never sent to a server.
    ConsoleUi terminal;
    const ServerPassword password = CalendarPassword(*location, *user, terminal);
    if (!password.password) {
        if (!password.refusal.empty())
            Ui::Current().ShowMessage(password.refusal);
        else
            std::fputs("kalendra-cli: no password for the calendar server (set KALENDRA_CALDAV_PASSWORD)\n", stderr);
        return kFailed;
    }
    const auto calendar = MakeCalendarStore(*location, *user, *password.password, timeouts);
    const StoreStatus opened = calendar->Open();
    if (!opened.Ok()) {
        Ui::Current().ShowMessage(opened.message);
        return kFailed;
    }
    const PeriodAdd added = AddPeriod(*calendar, store, *from, *to);
    const StoreStatus closed = calendar->Close();
    if (!closed.Ok() || !added.status.Ok()) {
        Ui::Current().ShowMessage(closed.Ok() ? added.status.message : closed.message);
        if (closed.Ok())
            std::printf("added: %d\n", added.added);
        return kFailed;
    }
    std::printf("added: %d\n", added.added);
    return std::fflush(stdout) == 0 ? 0 : kFailed;
}

} // namespace kal
