#pragma once

#include "calendar/DTime.h"

#include <memory>
#include <optional>
#include <string>

namespace kal {

class CalendarStore;
class CKalData;
class CKalStore;

// The password for the store at `location` as `user`: none needed, the one in the settings, the one
// in the environment, or asked (not kept). Nothing when the user cancelled the question.
[[nodiscard]] std::optional<std::string> CalendarPassword(const std::string& location, const std::string& user);

// The calendar store the settings name (the default file when none); nothing when the user cancelled
// the password question.
[[nodiscard]] std::unique_ptr<CalendarStore> ConfiguredCalendarStore();

// Adds the schedule `entry` as seen on `day` to the calendar store and says so, or says why not. A
// to-do is no appointment and adds nothing. True when it was added.
bool AddEntryToCalendar(const CKalData& entry, CDTime day);

// Asks for a period (proposing today and the span last used), adds its schedules to the calendar store
// leaving out those already there, and says how many were added, or why it stopped.
void AddPeriodToCalendar(CKalStore& store);

} // namespace kal
