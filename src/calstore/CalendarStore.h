#pragma once

#include "calendar/DTime.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kal {

class CKalData;
class CKalStore;

// One appointment as a calendar store receives it. Times are moments (seconds since 1970 UTC) taken
// from the local wall clock, seconds always 0.
struct Appointment {
    std::u16string subject;
    CDTime start;
    // Exclusive: an all-day appointment ends at 00:00 of the day after its last day.
    CDTime end;
    bool allDay = false;
    // Minutes before `start` at which the reminder is due; nothing for no reminder.
    std::optional<int> reminderMinutes;
    // False for an entry the user hid: other programs show it as private.
    bool isPublic = true;
    std::u16string location;
    std::u16string body;
};

// The appointment for `entry` as seen on `day` (00:00 of the cell's date): a non-repeating entry
// keeps its own dates, a repeating one is placed on `day`; untimed entries become all-day ones. To-do
// entries give nothing, as they are no appointments.
[[nodiscard]] std::optional<Appointment> AppointmentFor(const CKalData& entry, CDTime day);

// Whether `existing` already stands for `wanted`: the same subject and start (the same wall-clock time,
// or for a timed one the same moment on the machine's clock), and for an all-day appointment an all-day
// one. Comparing start and subject alone lets two entries with the same subject and start on one day
// come in once.
[[nodiscard]] bool SameAppointment(const Appointment& existing, const Appointment& wanted);

// What a store operation came to: nothing on success, else the message for the user.
struct StoreStatus {
    std::u16string message;
    [[nodiscard]] bool Ok() const { return message.empty(); }
    [[nodiscard]] static StoreStatus Success() { return {}; }
    [[nodiscard]] static StoreStatus Failure(std::u16string text) { return StoreStatus { std::move(text) }; }
};

// Asks a store operation to stop, from any thread: the store sees it between its steps and, for a
// server, within a transfer.
class StopSignal {
public:
    void Stop() { stopped_.store(true); }
    [[nodiscard]] bool Stopped() const { return stopped_.load(); }

private:
    std::atomic<bool> stopped_ { false };
};

// A calendar the program adds appointments to. The link is opened for one command and closed at its
// end; nothing survives between commands.
class CalendarStore {
public:
    virtual ~CalendarStore() = default;
    // Opens the link: the store can be read and written until Close. The message of a failure says
    // why the store could not be reached; a refused log-on says so with its own message.
    [[nodiscard]] virtual StoreStatus Open() = 0;
    // Ends the link. A store that gathers its changes makes them lasting here: a failure then means
    // that nothing added since Open was kept.
    [[nodiscard]] virtual StoreStatus Close() = 0;
    // True when the store already holds an appointment that is the same as `appointment`
    // (SameAppointment); false when it holds none; a message when the store could not be asked.
    struct Found {
        bool exists = false;
        StoreStatus status;
    };
    [[nodiscard]] virtual Found Exists(const Appointment& appointment) = 0;
    [[nodiscard]] virtual StoreStatus Add(const Appointment& appointment) = 0;

    // The signal the store's operations watch from now on; nullptr for none. It must outlive them.
    void WatchStop(const StopSignal* stop) { stop_ = stop; }
    [[nodiscard]] bool StopWanted() const { return stop_ && stop_->Stopped(); }

private:
    const StopSignal* stop_ = nullptr;
};

// The number of appointments a period add made, and the message that stopped it early, if any.
struct PeriodAdd {
    int added = 0;
    StoreStatus status;
};

// The appointments of every schedule the month view shows from `from` to `to` (both dates included,
// calendar days), generated holidays among them, once per day it is shown, in the order of the days.
[[nodiscard]] std::vector<Appointment> PeriodAppointments(CKalStore& store, CDTime from, CDTime to);

// Told after each appointment of a period add: `done` of `total` handled. Called on the thread that
// adds.
using AddProgress = std::function<void(int done, int total)>;

// Adds each of `appointments` that the store does not have yet. Stops at the first failure of the
// store, and before the next appointment once `stop` is signalled (the status then says the add was
// cancelled). The link must be open. Touches nothing but `calendar`, so it can run on any thread.
[[nodiscard]] PeriodAdd AddAppointments(CalendarStore& calendar, const std::vector<Appointment>& appointments,
    const AddProgress& progress = {}, const StopSignal* stop = nullptr);

// Adds every schedule the month view shows from `from` to `to` (both dates included, calendar days),
// generated holidays among them, once per day it is shown; an appointment the store already has is
// left out. Stops at the first failure of the store. The link must be open.
[[nodiscard]] PeriodAdd AddPeriod(CalendarStore& calendar, CKalStore& store, CDTime from, CDTime to);

} // namespace kal
