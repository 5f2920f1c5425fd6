#include "calendar/DTime.h"
#include "cli/MonthText.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr char kUsage[] = "Usage: kalendra-cli COMMAND [ARGUMENTS]\n"
                          "\n"
                          "Commands:\n"
                          "  holidays [YYYY-MM]   a month with its national holidays (this month by default)\n"
                          "  --help               this text\n";

struct YearMonth {
    int year;
    int month;
};

std::optional<YearMonth> ParseYearMonth(const char* text)
{
    int year = 0;
    int month = 0;
    char rest = 0;
    if (std::sscanf(text, "%d-%d%c", &year, &month, &rest) != 2)
        return std::nullopt;
    if (!kal::IsValidDate(year, month, 1))
        return std::nullopt;
    return YearMonth { year, month };
}

int RunHolidays(int argc, char** argv)
{
    const kal::LocalFields today = kal::CDTime::Now().Fields();
    YearMonth shown { today.year, today.month };
    if (argc > 2) {
        const auto parsed = ParseYearMonth(argv[2]);
        if (!parsed) {
            std::fprintf(stderr, "kalendra-cli: '%s' is not a month from 1972-01 to 2036-12 (YYYY-MM)\n", argv[2]);
            return 2;
        }
        shown = *parsed;
    }
    const bool monday = kal::CKalSettings::Current().IsOn(kal::IntSetting::StartMonday);
    std::fputs(
        kal::HolidayCalendarText(shown.year, shown.month, monday ? kal::WeekStart::Monday : kal::WeekStart::Sunday)
            .c_str(),
        stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "holidays") == 0)
        return RunHolidays(argc, argv);
    std::fprintf(stderr, "kalendra-cli: unknown command '%s'\n\n%s", argv[1], kUsage);
    return 2;
}
