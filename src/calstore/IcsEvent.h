#pragma once

#include "calstore/CalendarStore.h"

#include <memory>
#include <string>
#include <vector>

struct icalcomponent_impl;

namespace kal {

struct IcalComponentFree {
    void operator()(icalcomponent_impl* component) const;
};
// A libical component this program owns.
using IcalComponent = std::unique_ptr<icalcomponent_impl, IcalComponentFree>;

// An empty VCALENDAR with the version and the producer.
[[nodiscard]] IcalComponent NewCalendar();

// A VEVENT for the appointment: timed values in UTC, so that every reader shows them at the right
// local hour; all-day ones as dates with the exclusive end; stamped with the clock's now.
[[nodiscard]] IcalComponent MakeEvent(const Appointment& appointment, const std::string& uid);

// A fresh UID, unique without asking anyone.
[[nodiscard]] std::string NewUid();

// Subject, start, end and the all-day flag of a VEVENT, as far as SameAppointment needs them. A
// start in a zone the event names (or UTC) is converted to the machine's wall clock at that moment; a
// floating one, or a date, is the wall-clock time as written. Nothing when the event has no start.
[[nodiscard]] std::optional<Appointment> ReadEvent(icalcomponent_impl* event);

// The appointments of every VEVENT in an iCalendar text; nothing when the text is no iCalendar object
// or one ParseIcal refuses.
[[nodiscard]] std::optional<std::vector<Appointment>> ReadEvents(const std::string& text);

// The whole component as iCalendar text (CR LF lines).
[[nodiscard]] std::string IcalText(icalcomponent_impl* component);

} // namespace kal
