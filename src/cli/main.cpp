#include "calendar/DTime.h"
#include "calendar/YearMonth.h"
#include "cli/AlarmCommands.h"
#include "cli/CalendarCommand.h"
#include "cli/CliUi.h"
#include "cli/DiaryCommand.h"
#include "cli/EntryCommands.h"
#include "cli/ExchangeCommands.h"
#include "cli/FileCommands.h"
#include "cli/IcsCommands.h"
#include "cli/IcsImportCommand.h"
#include "cli/MonthCommand.h"
#include "cli/MonthText.h"
#include "cli/TerminalText.h"
#include "platform/IniProfile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kUsage[] = "Usage: kalendra-cli [--password-stdin | --password PASSWORD] COMMAND [ARGUMENTS]\n"
                          "\n"
                          "Commands:\n"
                          "  new OUT.klx              a new schedule file with the national holidays\n"
                          "  convert IN.klx OUT.klx   read a schedule file and write it again\n"
                          "  check FILE.klx           read a schedule file and report what it holds\n"
                          "  month FILE.klx [YYYY-MM] [--json]\n"
                          "                           the month as the month view shows it (this month by default)\n"
                          "  holidays [YYYY-MM]       a month with its national holidays (this month by default)\n"
                          "  agenda FILE.klx FROM [TO] [--year] [--weekday]\n"
                          "                           the entries of the days FROM to TO (YYYY-MM-DD), one a line\n"
                          "  export-csv FILE.klx FROM TO OUT.csv [--hidden] [--safe-for-spreadsheets]\n"
                          "                           the period as CSV in the desktop calendar's Japanese layout;\n"
                          "                           --safe-for-spreadsheets puts an apostrophe before texts that\n"
                          "                           begin with = + - @, a tab or a CR, which spreadsheets would run\n"
                          "  export-ics FILE.klx OUT.ics [FROM TO] [--hidden] [--tz ZONE]\n"
                          "                           the file, or the days FROM to TO, as an iCalendar file;\n"
                          "                           times are the file's wall-clock times, or in ZONE (an\n"
                          "                           Olson name such as Asia/Tokyo) with --tz\n"
                          "  import-csv FILE.klx IN.csv\n"
                          "                           add the entries of such a CSV file and save FILE.klx\n"
                          "  import-ics FILE.klx IN.ics\n"
                          "                           add the events and to-dos of an iCalendar file; save FILE.klx\n"
                          "  add FILE.klx YYYY-MM-DD [HH:MM[-HH:MM]] TEXT [--place PLACE] [--todo] [--genre N]\n"
                          "                           add a schedule on that day (all day, from HH:MM, or from\n"
                          "                           HH:MM to HH:MM) or, with --todo, a to-do due that day, as\n"
                          "                           the desktop's dialog makes it; --genre N picks the file's\n"
                          "                           genre N (0 is the first) and its colour; save FILE.klx\n"
                          "  delete FILE.klx YYYY-MM-DD TEXT\n"
                          "                           delete the entries with exactly that text shown on that\n"
                          "                           day (a repeating one on that day only); save FILE.klx\n"
                          "  find FILE.klx TEXT [--mode contains|equals|starts|ends] [--target text,place,memo]\n"
                          "       [--ignore-case]     the entries whose texts match, with their dates\n"
                          "  add-to-calendar FILE.klx FROM TO [--store PATH-or-URL] [--user NAME] [--timeout SECONDS]\n"
                          "                           add the period's schedules to an iCalendar file or a CalDAV\n"
                          "                           calendar (the settings' store by default), leaving out those\n"
                          "                           already there; the server's password comes from\n"
                          "                           KALENDRA_CALDAV_PASSWORD, else is asked on the terminal;\n"
                          "                           the server gets SECONDS in all (default 300)\n"
                          "  alarms FILE.klx FROM TO [--json]\n"
                          "                           the reminders due on the days FROM to TO (YYYY-MM-DD) as the\n"
                          "                           reminder shows them: alarm time, day, times and text, place\n"
                          "  diary FILE.klx YYYY-MM-DD\n"
                          "                           the path of that day's diary file (nothing is created)\n"
                          "  --help                   this text\n"
                          "\n"
                          "A protected file takes its password from --password-stdin (one line read from\n"
                          "standard input) or --password PASSWORD (which every user sees in the process list),\n"
                          "else from the environment variable KALENDRA_PASSWORD, else asks for it on the terminal.\n";

constexpr char kPasswordVariable[] = "KALENDRA_PASSWORD";

// The password given on the command line, on standard input or in the environment. False when the
// options are wrong or standard input holds no line.
bool TakePassword(std::vector<std::string>& arguments, std::optional<std::u16string>& password)
{
    bool fromStdin = false;
    while (!arguments.empty()) {
        if (arguments[0] == "--password" && arguments.size() >= 2 && !password && !fromStdin) {
            password = kal::FromUtf8(arguments[1]);
            arguments.erase(arguments.begin(), arguments.begin() + 2);
        } else if (arguments[0] == "--password-stdin" && !password && !fromStdin) {
            fromStdin = true;
            arguments.erase(arguments.begin());
        } else if (arguments[0] == "--password" || arguments[0] == "--password-stdin") {
            return false;
        } else {
            break;
        }
    }
    if (fromStdin) {
        std::string line;
        int c;
        while ((c = std::fgetc(stdin)) != EOF && c != '\n')
            line += static_cast<char>(c);
        if (c == EOF && line.empty()) {
            std::fputs("kalendra-cli: --password-stdin: no password on standard input\n", stderr);
            return false;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        password = kal::FromUtf8(line);
    } else if (!password) {
        const char* fromEnvironment = std::getenv(kPasswordVariable);
        if (fromEnvironment && *fromEnvironment)
            password = kal::FromUtf8(fromEnvironment);
    }
    return true;
}

int RunHolidays(const std::vector<std::string>& arguments)
{
    const kal::LocalFields today = kal::CDTime::Now().Fields();
    kal::YearMonth shown { today.year, today.month };
    if (arguments.size() > 1) {
        std::fputs("Usage: kalendra-cli holidays [YYYY-MM]\n", stderr);
        return 2;
    }
    if (!arguments.empty()) {
        const auto parsed = kal::ParseYearMonth(arguments[0]);
        if (!parsed) {
            std::fprintf(stderr, "kalendra-cli: '%s' is not a month from 1972-01 to 2036-12 (YYYY-MM)\n",
                kal::TerminalText(arguments[0]).c_str());
            return 2;
        }
        shown = *parsed;
    }
    const bool monday = kal::CKalSettings::Current().IsOn(kal::IntSetting::StartMonday);
    const kal::WeekStart start = monday ? kal::WeekStart::Monday : kal::WeekStart::Sunday;
    std::fputs(kal::HolidayCalendarText(shown.year, shown.month, start).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::optional<std::u16string> password;
    if (!TakePassword(arguments, password) || arguments.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = arguments[0];
    arguments.erase(arguments.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    kal::CliUi ui(password);
    kal::Ui::Install(&ui);
    kal::IniProfile::SetLockedHandler([](const std::string& path) {
        std::fprintf(stderr,
            "kalendra-cli: the settings file '%s' is locked by another program; changed settings were not saved\n",
            kal::TerminalText(path).c_str());
    });
    if (command == "holidays")
        return RunHolidays(arguments);
    if (command == "new")
        return kal::RunNew(arguments);
    if (command == "convert")
        return kal::RunConvert(arguments);
    if (command == "check")
        return kal::RunCheck(arguments);
    if (command == "month")
        return kal::RunMonth(arguments);
    if (command == "agenda")
        return kal::RunAgenda(arguments);
    if (command == "export-csv")
        return kal::RunExportCsv(arguments);
    if (command == "export-ics")
        return kal::RunExportIcs(arguments);
    if (command == "import-csv")
        return kal::RunImportCsv(arguments);
    if (command == "import-ics")
        return kal::RunImportIcs(arguments);
    if (command == "add")
        return kal::RunAdd(arguments);
    if (command == "delete")
        return kal::RunDelete(arguments);
    if (command == "find")
        return kal::RunFind(arguments);
    if (command == "add-to-calendar")
        return kal::RunAddToCalendar(arguments);
    if (command == "alarms")
        return kal::RunAlarms(arguments);
    if (command == "diary")
        return kal::RunDiary(arguments);
    std::fprintf(stderr, "kalendra-cli: unknown command '%s'\n\n%s", kal::TerminalText(command).c_str(), kUsage);
    return 2;
}
