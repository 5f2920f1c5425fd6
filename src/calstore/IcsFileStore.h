#pragma once

#include "calstore/CalendarStore.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// The largest calendar file read: ten years of a busy calendar take a few megabytes.
inline constexpr std::size_t kMaxIcsStoreBytes = std::size_t(64) << 20;

// A calendar file's text as the store reads it: the events it holds, and where new ones go so that
// every byte already there is kept.
struct IcsStoreText {
    // Why the text cannot be added to and kept whole (the reason alone); success when it can.
    StoreStatus status;
    std::vector<Appointment> events;
    // The offset of the line that ends the calendar: new events go just before it.
    std::size_t insertAt = 0;
    // The line end of the line before it ("\r\n" or "\n"), which new events' lines take.
    std::string lineEnd;
};

// Reads one calendar object, from the BEGIN:VCALENDAR line (after an optional UTF-8 BOM and blank
// lines) to its END:VCALENDAR line (followed by blank lines at most), nested no deeper than
// kMaxIcalDepth. Anything else is refused: a text that is no calendar, several calendars, one that
// does not end with its END:VCALENDAR line.
[[nodiscard]] IcsStoreText ReadIcsStore(std::string_view text);

// The VEVENT text for a new appointment, its lines ending with `lineEnd`.
[[nodiscard]] std::string NewEventText(const Appointment& appointment, std::string_view lineEnd);

// An iCalendar file (RFC 5545) as the calendar: read and locked on Open, added to in memory, written
// safely on Close. Another Kalendra process that opens the same file meanwhile is refused rather than
// made to wait. The file is the user's and other programs read and write it too: a write keeps every
// byte that was there and puts the new events before the calendar's end, and a file that could not be
// kept so, or not be read whole, is refused and left alone.
class IcsFileStore final : public CalendarStore {
public:
    // A file larger than maxBytes is refused, and an add that would take it past them is not written.
    explicit IcsFileStore(std::string path, std::size_t maxBytes = kMaxIcsStoreBytes);
    // Releases the lock; changes not closed are dropped.
    ~IcsFileStore() override;
    IcsFileStore(const IcsFileStore&) = delete;
    IcsFileStore& operator=(const IcsFileStore&) = delete;

    // $XDG_DATA_HOME/kalendra/calendar.ics, which desktop calendars can subscribe to.
    [[nodiscard]] static std::string DefaultPath();

    StoreStatus Open() override;
    StoreStatus Close() override;
    Found Exists(const Appointment& appointment) override;
    StoreStatus Add(const Appointment& appointment) override;

private:
    void Release();

    std::string path_;
    std::size_t maxBytes_;
    int lockFile_ = -1;
    // The file's bytes as read, and the text of the events added since, which goes at insertAt_.
    std::string text_;
    std::size_t insertAt_ = 0;
    std::string lineEnd_;
    std::string added_;
    bool open_ = false;
    // What Exists compares with: the file's events as read, and those added since.
    std::vector<Appointment> known_;
};

} // namespace kal
