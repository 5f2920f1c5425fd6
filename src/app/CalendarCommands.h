#pragma once

#include "calendar/DTime.h"

#include <memory>
#include <optional>
#include <string>

namespace kal {

class CalendarStore;
class CKalData;
class CKalStore;
class Ui;

// The password for the store at `location` as `user`, or why there is none.
struct ServerPassword {
    std::optional<std::string> password;
    // Why the store must not be used; empty when the user cancelled a question.
    std::u16string refusal;
};

// The password for the store at `location` as `user`: none needed, the one in the environment, the
// one in the settings, or asked through `asker` (not kept). A password kept in a settings file that
// others can read is refused. Before a password goes unencrypted to a server other than this
// machine, `asker` is asked once per server whether it may; a Yes is remembered in the settings.
[[nodiscard]] ServerPassword CalendarPassword(const std::string& location, const std::string& user, Ui& asker);

// The calendar store the settings name (the default file when none); nothing when the user cancelled
// a question or a password was refused (which the user was told).
[[nodiscard]] std::unique_ptr<CalendarStore> ConfiguredCalendarStore();

// Adds the schedule `entry` as seen on `day` to the calendar store and says so, or says why not. A
// to-do is no appointment and adds nothing. True when it was added.
bool AddEntryToCalendar(const CKalData& entry, CDTime day);

// Asks for a period (proposing today and the span last used), adds its schedules to the calendar store
// leaving out those already there, and says how many were added, or why it stopped.
void AddPeriodToCalendar(CKalStore& store);

} // namespace kal
