#include "cli/CalendarCommand.h"

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

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
constexpr char kUsage[] = "Usage: kalendra-cli add-to-calendar FILE.klx FROM TO [--store PATH-or-URL] [--user NAME]\n";

// The environment's password, else the one in the settings, else asked on the terminal. The schedule
// file's own password, which the program may have been given, is never sent to a server.
std::optional<std::string> ServerPassword(const std::string& location, const std::string& user)
{
    if (!NeedsPassword(location, user))
        return std::string();
    const char* given = std::getenv(kCalDavPasswordVariable);
    if (given && *given)
        return std::string(given);
    const std::u16string& kept = CKalSettings::Current().Get(TextSetting::CalendarPassword);
    if (!kept.empty())
        return ToUtf8(kept);
    ConsoleUi terminal;
    const auto asked = terminal.AskPassword(calendartexts::kPasswordCaption, calendartexts::kPasswordPrompt);
    if (!asked)
        return std::nullopt;
    return ToUtf8(*asked);
}

} // namespace

int RunAddToCalendar(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    std::optional<std::string> location;
    std::optional<std::string> user;
    if (!TakeValue(arguments, "--store", location) || !TakeValue(arguments, "--user", user) || arguments.size() != 3) {
        std::fputs(kUsage, stderr);
        return kUsageError;
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
    const auto password = ServerPassword(*location, *user);
    if (!password) {
        std::fputs("kalendra-cli: no password for the calendar server (set KALENDRA_CALDAV_PASSWORD)\n", stderr);
        return kFailed;
    }
    const auto calendar = MakeCalendarStore(*location, *user, *password);
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
