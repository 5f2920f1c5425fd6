#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// The most a calendar server's reply may hold, in bytes. A few days' events come to a few kilobytes;
// a reply beyond this is refused instead of being gathered into memory.
inline constexpr std::size_t kMaxServerReply = 16 * 1024 * 1024;

// Readings of a WebDAV multistatus reply (RFC 4918, RFC 4791). Elements count by their namespace,
// whatever prefix the server gives them or none. Each reading is nothing when the reply is not a
// well-formed multistatus document, is bigger than kMaxServerReply, or has a document type
// declaration: no server needs one, and refusing it keeps entity declarations out, so that nothing
// is ever expanded or fetched while a reply is read.

// The text of every calendar-data element with any, in UTF-8, every character as the server sent it.
[[nodiscard]] std::optional<std::vector<std::string>> CalendarDataOf(std::string_view multistatus);

// Whether a resource type in the reply names a calendar collection.
[[nodiscard]] std::optional<bool> IsCalendarCollection(std::string_view multistatus);

} // namespace kal
