#pragma once

#include "platform/Colour.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct icalcomponent_impl;

namespace kal {

class CKalData;

// How entries meet iCalendar beyond what the standard properties say: the names of this program's
// own properties, the UID an exported entry gets, and the fingerprint that tells whether an event
// came back as it was written. Export and import both read their names from here.
namespace ical {

// On an event or to-do: the entry's own line of the schedule file (UTF-8, in base 64) after the
// event's fingerprint and a ':'. An import that finds the fingerprint unchanged takes the entry back
// from the line, exactly; an event edited by another program is read from its standard properties.
inline constexpr char kEntryProperty[] = "X-KALENDRA-ENTRY";
// On an event or to-do, the fields iCalendar has no place for, each in its schedule-file form, so
// that an import of an event edited elsewhere keeps them.
inline constexpr char kGenreProperty[] = "X-KALENDRA-GENRE"; // the genre number
inline constexpr char kTimeDisplayProperty[] = "X-KALENDRA-TIME-DISPLAY"; // 0-3
inline constexpr char kTextStyleProperty[] = "X-KALENDRA-TEXT-STYLE"; // bold 1, struck out 2
inline constexpr char kPriorityProperty[] = "X-KALENDRA-PRIORITY"; // 0-5
inline constexpr char kColourProperty[] = "X-KALENDRA-COLOUR"; // "#RRGGBB", exact where COLOR is a name
inline constexpr char kHiddenProperty[] = "X-KALENDRA-HIDDEN"; // "1" for an entry the views hide
inline constexpr char kLinkProperty[] = "X-KALENDRA-LINK"; // the link file as the entry stores it
inline constexpr char kAlarmModeProperty[] = "X-KALENDRA-ALARM-MODE";
inline constexpr char kShowDaysBeforeProperty[] = "X-KALENDRA-SHOW-DAYS-BEFORE"; // to-dos
// On an all-day event for a holiday the program works out for itself (a substitute holiday, a day
// between two holidays): other calendars show it; an import here leaves it out, as it comes anyway.
inline constexpr char kGeneratedProperty[] = "X-KALENDRA-GENERATED";
// On the calendar, once per coloured day: "YYYY-MM-DD;#RRGGBB" and, when the day has one, ";" and
// its note in base 64.
inline constexpr char kDayColourProperty[] = "X-KALENDRA-DAY-COLOUR";
// The category of holiday entries, beside the genre's name.
inline constexpr char16_t kHolidayCategory[] = u"祝日";
// What a UID this program makes ends with.
inline constexpr char kUidDomain[] = "@kalendra";

// The UID of an entry exported from the file named `fileName` (its name without the folder): the
// same file and the same entry give the same UID. `sameBefore` counts the entries before this one in
// the file that are equal to it in every field, so that duplicated rows still get UIDs of their own.
[[nodiscard]] std::string EntryUid(std::string_view fileName, const CKalData& entry, int sameBefore);
// The same from the entry's line as AppendEntryLine makes it, in UTF-8, for a caller that has it already.
[[nodiscard]] std::string EntryUidOfLine(std::string_view fileName, std::string_view utf8Line, int sameBefore);

// A digest of what an event says about its days and texts: its start, end, due, duration, rules,
// dates, exclusions, recurrence id, summary, place, description, status, completion, categories and
// alarm triggers, as libical reads their values (zones included), in an order that does not depend on
// the order of the properties. Another program that writes the event again without changing it keeps
// the fingerprint; one that changes any of these changes it.
[[nodiscard]] std::string Fingerprint(icalcomponent_impl* component);
// The same digest for a component written as text without libical: `values` holds one
// "NAME:value" ("NAME;TZID:value" for a zoned one) per fingerprinted property, inner components'
// included, each value as libical gives it once the text is read back.
[[nodiscard]] std::string FingerprintOfValues(std::vector<std::string> values);

// "#RRGGBB" for a colour kept as 0x00BBGGRR, and back; nothing for any other text.
[[nodiscard]] std::string ColourText(Colour colour);
[[nodiscard]] std::optional<Colour> ParseColourText(std::string_view text);

// Base 64 (RFC 4648, with padding), and back; nothing for text that is not base 64.
[[nodiscard]] std::string Base64(std::string_view bytes);
[[nodiscard]] std::optional<std::string> FromBase64(std::string_view text);

} // namespace ical
} // namespace kal
