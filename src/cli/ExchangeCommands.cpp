#include "cli/ExchangeCommands.h"
#include "cli/ExitCodes.h"

#include "cli/FileCommands.h"
#include "cli/TerminalText.h"
#include "platform/Text.h"
#include "store/EntrySearch.h"
#include "store/ExchangeTexts.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/OutlookCsv.h"
#include "store/PeriodText.h"
#include "views/PeriodWriter.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

namespace kal {

namespace {

constexpr char kAgendaUsage[] = "agenda FILE.klx FROM [TO] [--year] [--weekday]";
constexpr char kExportUsage[] = "export-csv FILE.klx FROM TO OUT.csv [--hidden] [--safe-for-spreadsheets]";
constexpr char kImportUsage[] = "import-csv FILE.klx IN.csv";
constexpr char kFindUsage[]
    = "find FILE.klx TEXT [--mode contains|equals|starts|ends] [--target text,place,memo] [--ignore-case]";

// "YYYY-MM-DD" at 00:00 of that day.
std::optional<CDTime> ParseDay(const std::string& text)
{
    int year = 0;
    int month = 0;
    int day = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &day, &rest) != 3 || !IsValidDate(year, month, day))
        return std::nullopt;
    return CDTime(year, month, day);
}

std::optional<CDTime> ParseDayArgument(const std::string& text)
{
    auto day = ParseDay(text);
    if (!day)
        std::fprintf(stderr, "kalendra-cli: '%s' is not a date from 1972-01-01 to 2036-12-31 (YYYY-MM-DD)\n",
            TerminalText(text).c_str());
    return day;
}

// The entry's display text on the terminal: one line, line breaks escaped.
void PutLine(const std::u16string& line)
{
    std::fputs(TerminalText(ToUtf8(line)).c_str(), stdout);
    std::fputc('\n', stdout);
}

int FinishOutput()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("kalendra-cli: the output could not be written\n", stderr);
        return kFailed;
    }
    return 0;
}

std::optional<SearchConditions::Match> ParseMode(const std::string& text)
{
    if (text == "contains")
        return SearchConditions::Match::Contains;
    if (text == "equals")
        return SearchConditions::Match::Equals;
    if (text == "starts")
        return SearchConditions::Match::StartsWith;
    if (text == "ends")
        return SearchConditions::Match::EndsWith;
    return std::nullopt;
}

std::optional<unsigned> ParseTargets(const std::string& text)
{
    unsigned targets = 0;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string name = text.substr(from, comma - from);
        if (name == "text")
            targets |= SearchConditions::kContent;
        else if (name == "place")
            targets |= SearchConditions::kPlace;
        else if (name == "memo")
            targets |= SearchConditions::kMemo;
        else
            return std::nullopt;
        from = comma + 1;
    }
    return targets;
}

} // namespace

std::optional<CDTime> ParseDateArgument(const std::string& text)
{
    return ParseDayArgument(text);
}

bool TakeFlag(std::vector<std::string>& arguments, std::string_view flag)
{
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        if (*it == flag) {
            arguments.erase(it);
            return true;
        }
    }
    return false;
}

bool HasOption(const std::vector<std::string>& arguments)
{
    for (const auto& argument : arguments) {
        if (argument.size() > 1 && argument[0] == '-' && argument[1] == '-')
            return true;
    }
    return false;
}

// Removes `option VALUE` from the arguments; false when the option lacks its value.
bool TakeValue(std::vector<std::string>& arguments, std::string_view option, std::optional<std::string>& value)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != option)
            continue;
        if (i + 1 >= arguments.size() || value)
            return false;
        value = arguments[i + 1];
        arguments.erase(
            arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

int RunAgenda(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    int options = 0;
    if (TakeFlag(arguments, "--year"))
        options |= textcopy::kYear;
    if (TakeFlag(arguments, "--weekday"))
        options |= textcopy::kWeekday;
    if (arguments.size() < 2 || arguments.size() > 3 || HasOption(arguments))
        return UsageError(kAgendaUsage);
    const auto first = ParseDayArgument(arguments[1]);
    const auto last = arguments.size() == 3 ? ParseDayArgument(arguments[2]) : first;
    if (!first || !last)
        return kUsageError;
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, arguments[0]))
        return kFailed;
    const std::u16string text = PeriodTextCopy(store, *first, *last, options);
    // The copy's lines end with CR LF; a line break inside a to-do's or entry's text stays escaped.
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find(u"\r\n", from);
        PutLine(text.substr(from, end - from));
        from = end + 2;
    }
    return FinishOutput();
}

int RunExportCsv(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    const HiddenEntries hidden = TakeFlag(arguments, "--hidden") ? HiddenEntries::Export : HiddenEntries::Skip;
    const SpreadsheetSafety safety
        = TakeFlag(arguments, "--safe-for-spreadsheets") ? SpreadsheetSafety::Guarded : SpreadsheetSafety::Exact;
    if (arguments.size() != 4 || HasOption(arguments))
        return UsageError(kExportUsage);
    const auto first = ParseDayArgument(arguments[1]);
    const auto last = ParseDayArgument(arguments[2]);
    if (!first || !last)
        return kUsageError;
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, arguments[0]))
        return kFailed;
    if (!ExportOutlookCsv(store, *first, *last, arguments[3], hidden, safety)) {
        std::fprintf(stderr, "kalendra-cli: %s: %s\n", TerminalText(arguments[3]).c_str(),
            ToUtf8(exchange::kExportFailed).c_str());
        return kFailed;
    }
    return 0;
}

int RunImportCsv(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2 || HasOption(arguments))
        return UsageError(kImportUsage);
    CKalStore& store = CommandStore();
    if (!OpenScheduleFileToChange(store, arguments[0]))
        return kFailed;
    CsvImportError error;
    const auto report = ImportOutlookCsvFile(store, arguments[1], &error);
    if (!report) {
        std::fprintf(stderr, "kalendra-cli: %s: %s: %s\n", TerminalText(arguments[1]).c_str(),
            ToUtf8(exchange::kCannotOpen).c_str(), ToUtf8(CsvImportErrorReason(error)).c_str());
        return kFailed;
    }
    if (report->added > 0 && SaveScheduleFileFromCli(store, arguments[0]) != 0)
        return kFailed;
    std::printf("added: %d\nskipped: %d\n", report->added, report->skipped);
    return FinishOutput();
}

int RunFind(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    SearchConditions conditions;
    conditions.matchCase = !TakeFlag(arguments, "--ignore-case");
    std::optional<std::string> mode;
    std::optional<std::string> target;
    if (!TakeValue(arguments, "--mode", mode) || !TakeValue(arguments, "--target", target) || arguments.size() != 2
        || HasOption(arguments))
        return UsageError(kFindUsage);
    if (mode) {
        const auto match = ParseMode(*mode);
        if (!match)
            return UsageError(kFindUsage);
        conditions.condition = *match;
    }
    if (target) {
        const auto targets = ParseTargets(*target);
        if (!targets)
            return UsageError(kFindUsage);
        conditions.targets = *targets;
    }
    conditions.word = FromUtf8(arguments[1]);
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, arguments[0]))
        return kFailed;
    int found = 0;
    for (const auto& entry : store.entries) {
        if (!EntryMatches(*entry, conditions))
            continue;
        ++found;
        PutLine(DateText(entry->start) + u" " + entry->text);
    }
    if (found == 0)
        std::fputs("kalendra-cli: no entry matches\n", stderr);
    return FinishOutput();
}

} // namespace kal
