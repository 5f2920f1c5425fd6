#include "cli/AlarmCommands.h"

#include "cli/ExchangeCommands.h"
#include "cli/FileCommands.h"
#include "cli/Json.h"
#include "cli/TerminalText.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/AlarmList.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "views/ListingOptions.h"

#include <cstdio>

namespace kal {

namespace {

constexpr char kUsage[] = "Usage: kalendra-cli alarms FILE.klx FROM TO [--json]\n";

std::string IsoDate(CDTime time)
{
    const LocalFields f = time.Fields();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", f.year, f.month, f.day);
    return text;
}

std::string IsoDateTime(CDTime time)
{
    const LocalFields f = time.Fields();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", f.year, f.month, f.day, f.hour, f.minute);
    return text;
}

void PutJson(const std::vector<Alarm>& alarms)
{
    std::fputs("[", stdout);
    const char* separator = "\n";
    for (const Alarm& alarm : alarms) {
        std::printf("%s  {\"alarm\": \"%s\", \"due\": %lld, \"day\": \"%s\", \"timed\": %s, \"summary\": ", separator,
            IsoDateTime(alarm.Time()).c_str(), static_cast<long long>(alarm.due), IsoDate(alarm.day).c_str(),
            alarm.timed ? "true" : "false");
        PutJsonString(stdout, AlarmSummary(alarm));
        std::fputs(", \"text\": ", stdout);
        PutJsonString(stdout, alarm.entry->text);
        std::fputs(", \"place\": ", stdout);
        PutJsonString(stdout, alarm.entry->place);
        std::fputs("}", stdout);
        separator = ",\n";
    }
    std::fputs(alarms.empty() ? "]\n" : "\n]\n", stdout);
}

} // namespace

int RunAlarms(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    const bool json = TakeFlag(arguments, "--json");
    if (arguments.size() != 3 || HasOption(arguments)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const auto first = ParseDateArgument(arguments[1]);
    const auto last = ParseDateArgument(arguments[2]);
    if (!first || !last)
        return 2;
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, arguments[0]))
        return 1;
    const std::vector<Alarm> alarms = AlarmsBetween(
        store, AlarmOptionsFrom(CKalSettings::Current()), first->Instant(), (*last + CDTime::kDay).Instant());
    if (json) {
        PutJson(alarms);
    } else {
        // alarm time, occurrence day, summary, place: tab-separated, one reminder a line
        for (const Alarm& alarm : alarms) {
            const CDTime time = alarm.Time();
            const std::u16string fields[] = { DateText(time) + u" " + TimeText(time), DateText(alarm.day),
                AlarmSummary(alarm), alarm.entry->place };
            const char* separator = "";
            for (const std::u16string& field : fields) {
                std::printf("%s%s", separator, TerminalText(ToUtf8(field)).c_str());
                separator = "\t";
            }
            std::fputc('\n', stdout);
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("kalendra-cli: the output could not be written\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace kal
