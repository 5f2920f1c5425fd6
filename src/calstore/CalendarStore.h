#pragma once

#include "calendar/DTime.h"

#include <optional>
#include <string>

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
};

// The number of appointments a period add made, and the message that stopped it early, if any.
struct PeriodAdd {
    int added = 0;
    StoreStatus status;
};

// Adds every schedule the month view shows from `from` to `to` (both dates included, calendar days),
// generated holidays among them, once per day it is shown; an appointment the store already has is
// left out. Stops at the first failure of the store. The link must be open.
[[nodiscard]] PeriodAdd AddPeriod(CalendarStore& calendar, CKalStore& store, CDTime from, CDTime to);

} // namespace kal
