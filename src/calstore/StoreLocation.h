#pragma once

#include "calstore/CalDavStore.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kal {

// The environment variable that gives the server's password to programs run without a terminal.
inline constexpr char kCalDavPasswordVariable[] = "KALENDRA_CALDAV_PASSWORD";

// Whether `location` has the form of a URL: a scheme (a letter, then letters, digits, "+", "-" or
// ".") and "://". Such a location never names a file, whatever its scheme.
[[nodiscard]] bool LooksLikeUrl(std::string_view location);

// The URL of the calendar server `location` names, its scheme in lower case and webcal:// read as
// https://; nothing for a location that is no URL or a URL of another scheme.
[[nodiscard]] std::optional<std::string> ServerUrl(std::string_view location);

// The host a password for `location` would travel to unencrypted: that of a plain http:// server
// other than this machine's own loopback address. Empty when the password is safe on the way.
[[nodiscard]] std::string HostReachedInClear(std::string_view location);

// The store `location` names: a URL is a CalDAV collection, logged on to as `user` with `password`
// (a URL of a scheme no calendar server speaks gives a store that refuses to open, saying so);
// anything else is the path of an iCalendar file; "" is the default file.
[[nodiscard]] std::unique_ptr<CalendarStore> MakeCalendarStore(
    const std::string& location, const std::string& user, const std::string& password, ServerTimeouts timeouts = {});

// Whether the store at `location` wants a password: a server with a user name.
[[nodiscard]] bool NeedsPassword(const std::string& location, const std::string& user);

} // namespace kal
