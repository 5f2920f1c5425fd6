#pragma once

#include "calstore/IcsEvent.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// The deepest nesting of components an iCalendar text may have to be read. libical builds, writes and
// frees components by recursion, one level per BEGIN: a hostile text nested a hundred thousand deep
// overruns the stack. Calendars of real programs nest three or four deep (calendar, event, alarm).
inline constexpr int kMaxIcalDepth = 64;

// The components of an iCalendar text as their BEGIN and END lines show them, found in one pass in
// time linear in the text's length without building anything. Lines are unfolded, names are read up to
// the first ';' or ':' and compared without regard to case, and an END closes the innermost open
// component whatever it names: as libical reads them, so that the depth found is the depth it builds.
struct IcalOutline {
    // False when the bytes hold a NUL, which libical would take for the end of the text.
    bool isText = true;
    // The deepest nesting met, counted up to kMaxIcalDepth + 1, where the scan stops.
    int depth = 0;
    // The components at the top level, and the name of the first, as written.
    int topLevel = 0;
    std::string firstName;
    // Every component that began has ended.
    bool closed = true;
    // An END named another component than the one it closed.
    bool mismatchedEnd = false;
    // A line other than a blank one outside every component, before the first or after the last.
    bool strayLines = false;
    // Where the line that ends the last top-level component begins: the offset of its first byte in
    // the text (a BOM included); npos when no component ended at the top level.
    std::size_t lastEnd = std::string_view::npos;

    [[nodiscard]] bool TooDeep() const { return depth > kMaxIcalDepth; }
};

// Whether two names of components or properties are the same: iCalendar names ignore case.
[[nodiscard]] bool SameIcalName(std::string_view a, std::string_view b);

// A UTF-8 byte order mark before the first line is skipped; offsets count it.
[[nodiscard]] IcalOutline OutlineOf(std::string_view text);

// One component directly inside a calendar: where its text lies (from its BEGIN line to the line
// after its END), its name, and whether it names one occurrence of a series (RECURRENCE-ID).
struct IcalChild {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string name;
    bool recurrenceId = false;
};

// One calendar of a text in pieces that can be read one at a time, so that a large file is never
// held as one tree: the calendar with its own properties and its time zones but no other component
// (the shell, a calendar text of its own), and where each component inside it lies.
struct IcalCalendarText {
    std::string shell;
    std::vector<IcalChild> children;
};

// The calendars of a text (top-level components of other names are passed over), for a text whose
// outline is closed and not too deep.
[[nodiscard]] std::vector<IcalCalendarText> SplitCalendars(std::string_view text);

// libical's reading of `text` (a BOM skipped) in time linear in its length, or nothing when the text
// is empty, holds a NUL or nests deeper than kMaxIcalDepth.
[[nodiscard]] IcalComponent ParseIcal(std::string_view text);

} // namespace kal
