#include "calstore/IcalOutline.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kal {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::size_t TextStart(std::string_view text)
{
    return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// Hands libical the text in pieces as its reader asks for them: at most size - 1 bytes, ending after
// the first line break. libical's own reader of a string looks for the next line break afresh for every
// 80-byte piece, which makes a long line cost the square of its length.
struct PieceSource {
    std::string_view text;
    std::size_t next = 0;
    std::size_t newline = 0; // the next line break at or after `next`, or the text's size
};

char* NextPiece(char* into, std::size_t size, void* data)
{
    auto& source = *static_cast<PieceSource*>(data);
    if (source.next >= source.text.size() || size < 2)
        return nullptr;
    if (source.newline < source.next) {
        source.newline = std::min(source.text.find('\n', source.next), source.text.size());
    }
    const std::size_t lineLeft = std::min(source.newline + 1, source.text.size()) - source.next;
    const std::size_t count = std::min(size - 1, lineLeft);
    std::memcpy(into, source.text.data() + source.next, count);
    into[count] = '\0';
    source.next += count;
    return into;
}

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

bool SameIcalName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

IcalOutline OutlineOf(std::string_view text)
{
    IcalOutline outline;
    if (text.find('\0') != std::string_view::npos) {
        outline.isText = false;
        return outline;
    }
    // The names of the open components, innermost last.
    std::vector<std::string> open;
    IcalContentLines lines(text, TextStart(text));
    while (lines.Next()) {
        const std::string_view line = lines.Line();
        const std::size_t nameEnd = std::min(line.find_first_of(";:"), line.size());
        const std::string_view name = line.substr(0, nameEnd);
        const std::size_t colon = line.find(':');
        std::string_view value = colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
        // libical drops the white space at the end of a line.
        value = value.substr(0, value.find_last_not_of(" \t\r\n\v\f") + 1);
        if (SameIcalName(name, "BEGIN")) {
            if (open.empty() && outline.topLevel++ == 0)
                outline.firstName = value;
            open.emplace_back(value);
            outline.depth = std::max(outline.depth, static_cast<int>(open.size()));
            if (outline.TooDeep())
                break;
        } else if (SameIcalName(name, "END") && nameEnd < line.size() && !open.empty()) {
            // libical ends the innermost component whatever the END names.
            if (!SameIcalName(value, open.back()))
                outline.mismatchedEnd = true;
            open.pop_back();
            if (open.empty())
                outline.lastEnd = lines.Begin();
        } else if (open.empty() && !IsBlank(line)) {
            outline.strayLines = true;
        }
    }
    outline.closed = open.empty();
    return outline;
}

IcalComponent ParseIcal(std::string_view text)
{
    const IcalOutline outline = OutlineOf(text);
    if (!outline.isText || outline.TooDeep())
        return nullptr;
    PieceSource source { text, TextStart(text), 0 };
    source.newline = std::min(text.find('\n', source.next), text.size());
    icalparser* parser = icalparser_new();
    if (!parser)
        return nullptr;
    icalparser_set_gen_data(parser, &source);
    IcalComponent component(icalparser_parse(parser, NextPiece));
    icalparser_free(parser);
    return component;
}

std::vector<IcalCalendarText> SplitCalendars(std::string_view text)
{
    std::vector<IcalCalendarText> calendars;
    IcalContentLines lines(text, TextStart(text));
    int depth = 0;
    bool inCalendar = false; // inside a top-level VCALENDAR, not some other top-level component
    bool inZone = false; // inside a VTIMEZONE of it, which goes into the shell whole
    while (lines.Next()) {
        const std::string_view line = lines.Line();
        const std::size_t nameEnd = std::min(line.find_first_of(";:"), line.size());
        const std::string_view name = line.substr(0, nameEnd);
        std::string_view value = nameEnd < line.size() ? line.substr(nameEnd + 1) : std::string_view();
        value = value.substr(0, value.find_last_not_of(" \t\r\n\v\f") + 1);
        const std::string_view raw = text.substr(lines.Begin(), lines.End() - lines.Begin());
        IcalCalendarText* calendar = inCalendar ? &calendars.back() : nullptr;
        if (SameIcalName(name, "BEGIN")) {
            if (depth == 0) {
                inCalendar = SameIcalName(value, "VCALENDAR");
                if (inCalendar) {
                    calendars.emplace_back();
                    calendars.back().shell.append(raw);
                }
            } else if (depth == 1 && calendar) {
                calendar->children.push_back({ lines.Begin(), lines.End(), std::string(value), false });
                inZone = SameIcalName(value, "VTIMEZONE");
                if (inZone)
                    calendar->shell.append(raw);
            } else if (calendar && inZone) {
                calendar->shell.append(raw);
            }
            ++depth;
            if (depth > kMaxIcalDepth)
                break;
            continue;
        }
        if (SameIcalName(name, "END") && nameEnd < line.size() && depth > 0) {
            --depth;
            if (calendar && (depth == 0 || inZone))
                calendar->shell.append(raw);
            if (calendar && depth == 1) {
                calendar->children.back().end = lines.End();
                inZone = false;
            }
            if (depth == 0)
                inCalendar = false;
            continue;
        }
        if (!calendar)
            continue;
        if (depth == 1 || inZone)
            calendar->shell.append(raw);
        else if (depth == 2 && SameIcalName(name, "RECURRENCE-ID"))
            calendar->children.back().recurrenceId = true;
    }
    return calendars;
}

} // namespace kal
