#pragma once

#include "calstore/CalendarStore.h"
#include "calstore/IcsEvent.h"

#include <string>
#include <vector>

namespace kal {

// An iCalendar file (RFC 5545) as the calendar: read and locked on Open, changed in memory, written
// safely on Close. Another Kalendra process that opens the same file meanwhile is refused rather than
// made to wait, and no write of ours ever loses an event someone else wrote before our Open.
class IcsFileStore final : public CalendarStore {
public:
    explicit IcsFileStore(std::string path);
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
    int lockFile_ = -1;
    IcalComponent calendar_;
    // What Exists compares with: the file's events as read, and those added since.
    std::vector<Appointment> known_;
    bool changed_ = false;
};

} // namespace kal
