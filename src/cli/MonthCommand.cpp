#include "cli/MonthCommand.h"

#include "cli/FileCommands.h"
#include "cli/Json.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/EntryText.h"
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

std::optional<YearMonth> ParseYearMonth(const std::string& text)
{
    int year = 0;
    int month = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d-%d%c", &year, &month, &rest) != 2 || !IsValidDate(year, month, 1))
        return std::nullopt;
    return YearMonth { year, month };
}

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
                std::fprintf(
                    stderr, "kalendra-cli: '%s' is not a month from 1972-01 to 2036-12 (YYYY-MM)\n", argument.c_str());
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

struct Shown {
    YearMonth month;
    TimeMode mode;
    Countdown countdown;
};

std::string JsonMonth(const CMonthGrid& grid, const Shown& shown)
{
    std::string out = "{\"year\":" + std::to_string(shown.month.year) + ",\"month\":"
        + std::to_string(shown.month.month) + ",\"weeks\":" + std::to_string(grid.Count() / 7) + ",\"cells\":[";
    for (int i = 0; i < grid.Count(); ++i) {
        const CMonthCell& cell = grid.Cell(i);
        out += i ? ",{" : "{";
        out += "\"date\":" + JsonString(ToUtf8(DateText(cell.date)));
        out += ",\"inMonth\":";
        out += cell.date.Month() == shown.month.month ? "true" : "false";
        out += ",\"colour\":" + JsonString(ToUtf8(HexText(cell.colour, 6)));
        out += ",\"entries\":[";
        for (std::size_t k = 0; k < cell.entries.size(); ++k) {
            const CKalData& entry = *cell.entries[k];
            out += k ? ",{" : "{";
            out += "\"text\":" + JsonString(ToUtf8(entry.text));
            out += ",\"line\":" + JsonString(ToUtf8(EntryLine(entry, cell.date, shown.mode, shown.countdown)));
            out += ",\"holiday\":";
            out += entry.IsHoliday() ? "true" : "false";
            out += ",\"todo\":";
            out += entry.IsTodo() ? "true" : "false";
            out += ",\"generated\":";
            out += grid.IsGenerated(&entry) ? "true" : "false";
            out += "}";
        }
        out += "]}";
    }
    return out + "]}\n";
}

std::string PlainMonth(const CMonthGrid& grid, const Shown& shown)
{
    std::string out = std::to_string(shown.month.year);
    out.append("年 ").append(std::to_string(shown.month.month)).append("月\n");
    const int firstWeekday = grid.Cell(0).date.DayOfWeek();
    for (int column = 0; column < 7; ++column)
        out.append("  ").append(ToUtf8(kJapaneseWeekdayNames[(firstWeekday + column) % 7])).append(" ");
    out += '\n';
    for (int i = 0; i < grid.Count(); ++i) {
        const CMonthCell& cell = grid.Cell(i);
        const bool inMonth = cell.date.Month() == shown.month.month;
        char day[16];
        std::snprintf(day, sizeof day, inMonth ? " %3d%s" : " (%2d)%s", cell.date.Day(), cell.HasHoliday() ? "*" : " ");
        out += day;
        if (i % 7 == 6)
            out += '\n';
    }
    out += '\n';
    for (int i = 0; i < grid.Count(); ++i) {
        const CMonthCell& cell = grid.Cell(i);
        if (cell.entries.empty())
            continue;
        out.append(ToUtf8(DateText(cell.date)))
            .append("(")
            .append(ToUtf8(kJapaneseWeekdayNames[cell.date.DayOfWeek()]));
        out += ")\n";
        for (const CKalData* entry : cell.entries) {
            out.append(entry->IsHoliday() ? "  ◆ " : entry->IsTodo() ? "  □ " : "  ・");
            out.append(ToUtf8(EntryLine(*entry, cell.date, shown.mode, shown.countdown))).append("\n");
        }
    }
    return out;
}

} // namespace

int RunMonth(const std::vector<std::string>& arguments)
{
    const std::optional<MonthOptions> options = ParseOptions(arguments);
    if (!options) {
        std::fputs("Usage: kalendra-cli month FILE.klx [YYYY-MM] [--json]\n", stderr);
        return 2;
    }
    CKalStore store;
    if (!OpenScheduleFile(store, options->path))
        return 1;
    const CKalSettings& settings = CKalSettings::Current();
    const LocalFields today = CDTime::Now().Fields();
    Shown shown { options->month.value_or(YearMonth { today.year, today.month }),
        TimeModeFromSetting(settings.Get(IntSetting::MonthViewTime)),
        Profile::Current().GetInt("View", "TodoLeftDraw", 1) ? Countdown::On : Countdown::Off };
    CMonthGrid grid;
    grid.Create(&store, settings.Weeks());
    grid.Fill(CDTime(shown.month.year, shown.month.month, 1), shown.month);
    const std::string text = options->json ? JsonMonth(grid, shown) : PlainMonth(grid, shown);
    std::fputs(text.c_str(), stdout);
    return 0;
}

} // namespace kal
