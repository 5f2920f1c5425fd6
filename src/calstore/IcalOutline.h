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

// The content lines of a text one after the other, each with its folds undone (a line break followed
// by a space or a tab continues the line) and its line end dropped.
class IcalContentLines {
public:
    IcalContentLines(std::string_view text, std::size_t from)
        : text_(text)
        , next_(from)
    {
    }

    // False at the end of the text.
    bool Next()
    {
        if (next_ >= text_.size())
            return false;
        begin_ = next_;
        line_.clear();
        std::size_t lineEnd = TakePhysicalLine(0);
        // libical folds only after a line end that follows at least one byte: a lone LF line stays a
        // line of its own, and the space or tab after it starts a line.
        while (next_ < text_.size() && (text_[next_] == ' ' || text_[next_] == '\t') && lineEnd > 0
            && line_.size() + lineEnd >= 2)
            lineEnd = TakePhysicalLine(1);
        return true;
    }

    [[nodiscard]] std::size_t Begin() const { return begin_; }
    // Where the line after it begins.
    [[nodiscard]] std::size_t End() const { return next_; }
    [[nodiscard]] const std::string& Line() const { return line_; }

private:
    // Appends the physical line at next_ without its line end, and without its first `skip` bytes
    // (the space or tab of a fold). Returns the length of the line end dropped: 0 at the end of the
    // text, 1 for LF, 2 for CR LF.
    std::size_t TakePhysicalLine(std::size_t skip)
    {
        const std::size_t start = next_ + skip;
        const std::size_t newline = text_.find('\n', next_);
        std::size_t end = newline == std::string_view::npos ? text_.size() : newline;
        next_ = newline == std::string_view::npos ? text_.size() : newline + 1;
        const std::size_t lineEnd = newline == std::string_view::npos ? 0 : 1;
        const bool carriageReturn = newline != std::string_view::npos && end > start && text_[end - 1] == '\r';
        if (carriageReturn)
            --end;
        if (end > start)
            line_.append(text_.substr(start, end - start));
        return lineEnd + (carriageReturn ? 1 : 0);
    }

    std::string_view text_;
    std::size_t next_ = 0;
    std::size_t begin_ = 0;
    std::string line_;
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
