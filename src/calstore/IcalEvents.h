#pragma once

#include "calendar/DTime.h"
#include "store/KalData.h"
#include "store/KalField.h"

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct icalcomponent_impl;
struct icalproperty_impl;
struct _icaltimezone;

namespace kal {

class CKalStore;

// How an entry read from an iCalendar component came to be, for the import's report.
enum class IcalEntryKind { Single, Series, SeriesWithExclusions, Expanded, Override, Todo, Restored };

struct IcalEntry {
    std::unique_ptr<CKalData> entry;
    IcalEntryKind kind = IcalEntryKind::Single;
};

// The target's genres and those the import adds, found by name in one step.
class IcalGenres {
public:
    explicit IcalGenres(const CKalFieldArray& genres);
    // The first genre of that name, or -1.
    [[nodiscard]] int Find(std::u16string_view name) const;
    int Add(std::u16string_view name);
    [[nodiscard]] int Count() const { return genres_.Count(); }
    [[nodiscard]] int Added() const { return genres_.Count() - before_; }
    [[nodiscard]] const CKalFieldArray& All() const { return genres_; }

private:
    CKalFieldArray genres_;
    int before_;
    std::unordered_map<std::u16string, int> index_;
};

// The zones an iCalendar text's times name: its own VTIMEZONE blocks, else libical's built-in zone
// of that name. A block whose rules would make libical walk more than one change a year is not used.
class IcalZones {
public:
    explicit IcalZones(icalcomponent_impl* calendar)
        : calendar_(calendar)
    {
    }
    // The zone of a time property's value: UTC for a value ending in Z, the zone its TZID names, or
    // null for a floating time, a date or a zone nobody knows (read as the machine's wall clock).
    [[nodiscard]] _icaltimezone* Of(icalproperty_impl* property);

private:
    icalcomponent_impl* calendar_;
    std::map<std::string, _icaltimezone*, std::less<>> found_;
};

// What reading the components needs besides them.
struct IcalReading {
    IcalZones zones;
    IcalGenres genres;
    int scheduleGenre = 0;
    int todoGenre = 0;
    // The day a to-do without a deadline or start was entered: today.
    CDTime today;
};

struct IcalComponentEntries {
    std::vector<IcalEntry> entries;
    int skipped = 0;
};

// The entries of one VEVENT or VTODO and of the components that override its occurrences (same UID,
// with RECURRENCE-ID).
[[nodiscard]] IcalComponentEntries ReadIcalComponent(
    IcalReading& reading, icalcomponent_impl* component, std::span<icalcomponent_impl* const> overrides);

// The fields of an entry that are not its days: texts, genre, holiday flag, alarm, link and the
// program's own X-KALENDRA- fields. `todo` chooses the to-do's fields and default genre.
[[nodiscard]] std::unique_ptr<CKalData> ReadIcalFields(IcalReading& reading, icalcomponent_impl* component, bool todo);

// The entry exactly as the program wrote it, from X-KALENDRA-ENTRY, when the component's fingerprint
// says that nothing it describes has changed since; else null. Entries are handed on by pointer: a
// copy of one takes the settings' alarm mode in place of its own.
[[nodiscard]] std::unique_ptr<CKalData> RestoredIcalEntry(icalcomponent_impl* component);

// The same from the text of one component, without libical: a whole file exported here is mostly
// such components, and reading them as text costs a fraction of building libical's tree. Nothing
// when a line is not one the export writes (libical is to read it then, and to find any fault), or
// the fingerprint or the entry's line does not hold.
struct TextRestoredEntry {
    std::unique_ptr<CKalData> entry;
    std::string uid;
};
[[nodiscard]] std::optional<TextRestoredEntry> RestoredIcalEntryFromText(std::string_view text);

// Whether the component carries the program's property `name` with the value "1".
[[nodiscard]] bool HasIcalFlag(icalcomponent_impl* component, std::string_view name);
// The value of the first property named `name` (an X- property), or nothing.
[[nodiscard]] std::optional<std::string> IcalXValue(icalcomponent_impl* component, std::string_view name);

} // namespace kal
