#include "cli/MonthCommand.h"

#include "calendar/YearMonth.h"
#include "cli/FileCommands.h"
#include "cli/Json.h"
#include "cli/TerminalText.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/KalStore.h"
#include "views/MonthGrid.h"

#include <cstdio>
#include <optional>

namespace kal {

namespace {

struct MonthOptions {
    std::string path;
    std::optional<YearMonth> month;
    bool json = false;
};

std::optional<MonthOptions> ParseOptions(const std::vector<std::string>& arguments)
{
    MonthOptions options;
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            options.json = true;
        } else if (options.path.empty()) {
            options.path = argument;
        } else if (!options.month) {
            options.month = ParseYearMonth(argument);
            if (!options.month) {
                std::fprintf(stderr, "kalendra-cli: '%s' is not a month from 1972-01 to 2036-12 (YYYY-MM)\n",
                    TerminalText(argument).c_str());
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (options.path.empty())
        return std::nullopt;
    return options;
}

void Put(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// The month as JSON, written as it goes: the texts are data and stay whole, but no text is copied
// into one string for every cell it shows in.
void PutJsonMonth(const CMonthGrid& grid, YearMonth shown)
{
    Put("{\"year\":" + std::to_string(shown.year) + ",\"month\":" + std::to_string(shown.month)
        + ",\"weeks\":" + std::to_string(grid.Count() / 7) + ",\"cells\":[");
    for (int i = 0; i < grid.Count(); ++i) {
        const CMonthCell& cell = grid.Cell(i);
        Put(i ? ",{\"date\":" : "{\"date\":");
        PutJsonString(stdout, DateText(cell.date));
        Put(",\"inMonth\":");
        Put(cell.date.Month() == shown.month ? "true" : "false");
        Put(",\"colour\":");
        PutJsonString(stdout, HexText(cell.colour, 6));
        Put(",\"entries\":[");
        for (std::size_t k = 0; k < cell.entries.size(); ++k) {
            const CKalData& entry = *cell.entries[k];
            Put(k ? ",{\"text\":" : "{\"text\":");
            PutJsonString(stdout, entry.text);
            Put(",\"line\":");
            PutJsonString(stdout, grid.Listing().Line(entry, cell.date));
            Put(",\"holiday\":");
            Put(entry.IsHoliday() ? "true" : "false");
            Put(",\"todo\":");
            Put(entry.IsTodo() ? "true" : "false");
            Put(",\"generated\":");
            Put(grid.IsGenerated(&entry) ? "true" : "false");
            Put("}");
        }
        Put("]}");
    }
    Put("]}\n");
}

// The month for the terminal, written as it goes, every text from the file with its control
// characters escaped.
void PutPlainMonth(const CMonthGrid& grid, YearMonth shown)
{
    std::string head = std::to_string(shown.year);
    head.append("年 ").append(std::to_string(shown.month)).append("月\n");
    const int firstWeekday = grid.Cell(0).date.DayOfWeek();
    for (int column = 0; column < 7; ++column)
        head.append("  ").append(ToUtf8(kJapaneseWeekdayNames[(firstWeekday + column) % 7])).append(" ");
    head += '\n';
    Put(head);
    for (int i = 0; i < grid.Count(); ++i) {
        const CMonthCell& cell = grid.Cell(i);
        const bool inMonth = cell.date.Month() == shown.month;
        char day[16];
        std::snprintf(day, sizeof day, inMonth ? " %3d%s" : " (%2d)%s", cell.date.Day(), cell.HasHoliday() ? "*" : " ");
        Put(day);
        if (i % 7 == 6)
            Put("\n");
    }
    Put("\n");
    for (int i = 0; i < grid.Count(); ++i) {
        const CMonthCell& cell = grid.Cell(i);
        if (cell.entries.empty())
            continue;
        Put(ToUtf8(DateText(cell.date)) + "(" + ToUtf8(kJapaneseWeekdayNames[cell.date.DayOfWeek()]) + ")\n");
        for (const CKalData* entry : cell.entries) {
            Put(entry->IsHoliday() ? "  ◆ " : entry->IsTodo() ? "  □ " : "  ・");
            PutTerminalText(stdout, grid.Listing().Line(*entry, cell.date));
            Put("\n");
        }
    }
}

} // namespace

int RunMonth(const std::vector<std::string>& arguments)
{
    const std::optional<MonthOptions> options = ParseOptions(arguments);
    if (!options) {
        std::fputs("Usage: kalendra-cli month FILE.klx [YYYY-MM] [--json]\n", stderr);
        return 2;
    }
    CKalStore& store = CommandStore();
    if (!OpenScheduleFile(store, options->path))
        return 1;
    const CKalSettings& settings = CKalSettings::Current();
    const LocalFields today = CDTime::Now().Fields();
    YearMonth shown = options->month.value_or(YearMonth { today.year, today.month });
    CMonthGrid grid;
    grid.Create(&store, settings.Weeks());
    grid.Fill(CDTime(shown.year, shown.month, 1), shown);
    if (options->json)
        PutJsonMonth(grid, shown);
    else
        PutPlainMonth(grid, shown);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("kalendra-cli: the month could not be written out\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace kal
