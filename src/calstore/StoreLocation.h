#pragma once

#include "calstore/CalendarStore.h"

#include <memory>
#include <string>

namespace kal {

// The environment variable that gives the server's password to programs run without a terminal.
inline constexpr char kCalDavPasswordVariable[] = "KALENDRA_CALDAV_PASSWORD";

// The store `location` names: an http(s) URL is a CalDAV collection, logged on to as `user` with
// `password`; anything else is the path of an iCalendar file; "" is the default file.
[[nodiscard]] std::unique_ptr<CalendarStore> MakeCalendarStore(
    const std::string& location, const std::string& user, const std::string& password);

// Whether the store at `location` wants a password: a server with a user name.
[[nodiscard]] bool NeedsPassword(const std::string& location, const std::string& user);

} // namespace kal
