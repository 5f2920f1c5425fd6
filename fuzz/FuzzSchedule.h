#pragma once

// A small schedule for the fuzz targets to fill months from: one-off entries, repeating ones and
// to-dos in January 2026, with genres inside the usual list, just past it, far beyond it and negative.

#include "calendar/DTime.h"
#include "platform/Clock.h"
#include "platform/ValuesProfile.h"
#include "settings/KalSettings.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"
#include "support/FixedClock.h"
#include "support/MemoryProfile.h"
#include "support/RecordingUi.h"
#include "ui/Ui.h"
#include "views/MonthGrid.h"

#include <cstddef>
#include <string>

namespace kal::fuzz {

// What the readers and the month fill call on, installed for the life of a fuzz target: settings in
// memory (with the holiday updates already done, so that a load changes nothing beyond the file), a
// user interface that answers nothing, and a clock stopped at `now`.
struct Services {
    explicit Services(std::int64_t now)
        : clock(now)
    {
        profile.SetInt("System", "HolidayChangeFlag1", 1);
        Profile::Install(&profile);
        Ui::Install(&ui);
        settings.Load(profile);
        CKalSettings::Install(&settings);
        Clock::Install(&clock);
    }
    FixedClock clock;
    MemoryProfile profile;
    RecordingUi ui;
    CKalSettings settings;
};

inline std::string ScheduleRow(const char* kind, const char* start, const char* end, const char* text, int genre,
    const char* repeatType, const char* interval)
{
    std::string row;
    const std::string fields[] = { kind, start, "09:00", end, "10:00", text, "1", "1", "0", "0", "0000FF", "", "1",
        "-1", std::to_string(genre), "0", repeatType, "2", "5", interval, "0", "", "0", "", "", "" };
    for (const std::string& field : fields)
        row += (row.empty() ? "\"" : ",\"") + field + "\"";
    return row + "\r\n";
}

inline std::string SmallSchedule()
{
    return "\"h\"\r\n" + ScheduleRow("0", "2026/01/05", "2026/01/05", "once", 0, "0", "0")
        + ScheduleRow("0", "2026/01/06", "2036/12/31", "weekly", 1, "1", "1")
        + ScheduleRow("0", "2026/01/07", "2026/01/09", "span", 3, "0", "0")
        + ScheduleRow("0", "2026/01/12", "2036/12/31", "monthly", 70, "2", "1")
        + ScheduleRow("0", "2026/01/13", "2026/01/13", "far", 99999, "0", "0")
        + ScheduleRow("0", "2026/01/14", "2026/01/14", "negative", -1, "0", "0")
        + ScheduleRow("1", "2026/01/15", "2026/01/20", "todo", 2, "0", "0");
}

// Fills the grid for January 2026 and for a month picked by `pick`, as the program does on opening a
// file and on moving to another month.
inline void FillMonths(CKalStore& store, int weeks, std::size_t pick)
{
    CMonthGrid grid;
    grid.Create(&store, weeks);
    const YearMonth months[] = { { 2026, 1 },
        { kFirstYear + static_cast<int>(pick % (kLastYear - kFirstYear + 1)), 1 + static_cast<int>(pick % 12) } };
    for (YearMonth shown : months)
        (void)grid.Fill(CDTime(shown.year, shown.month, 1), shown);
}

} // namespace kal::fuzz
