#include "calstore/CalendarStore.h"

#include "calstore/CalendarTexts.h"
#include "settings/KalSettings.h"
#include "store/DayListing.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"
#include "views/ListingOptions.h"

namespace kal {

namespace {

CDTime At(const LocalFields& date, int dayOffset, int hour, int minute)
{
    return CDTime(date.year, date.month, date.day + dayOffset, hour, minute);
}

// Adds the appointment unless the calendar has it; false when the calendar failed.
bool AddOnce(CalendarStore& calendar, const Appointment& appointment, PeriodAdd& result)
{
    CalendarStore::Found found = calendar.Exists(appointment);
    if (!found.status.Ok()) {
        result.status = std::move(found.status);
        return false;
    }
    if (found.exists)
        return true;
    result.status = calendar.Add(appointment);
    if (!result.status.Ok())
        return false;
    ++result.added;
    return true;
}

} // namespace

std::optional<Appointment> AppointmentFor(const CKalData& entry, CDTime day)
{
    if (entry.IsTodo())
        return std::nullopt;
    const bool startTimed = entry.Has(flag::kStartTimeSet);
    const bool endTimed = entry.Has(flag::kEndTimeSet);
    const LocalFields start = entry.start.Fields();
    const LocalFields end = entry.end.Fields();
    const bool repeating = entry.repeatType != repeat::kNone;
    // A repeating entry's own dates bound its repetition: each occurrence is placed on the day it is
    // seen on, with the entry's times of day.
    const LocalFields startDate = repeating ? DateOnly(day).Fields() : start;
    const LocalFields endDate = repeating ? startDate : end;

    Appointment appointment;
    appointment.subject = entry.text;
    appointment.allDay = !startTimed && !endTimed;
    appointment.start = startTimed ? At(startDate, 0, start.hour, start.minute) : At(startDate, 0, 0, 0);
    // An occurrence that runs past midnight ends on the next day.
    if (endTimed)
        appointment.end = At(endDate, OccurrenceEndsNextDay(entry) ? 1 : 0, end.hour, end.minute);
    else if (startTimed)
        appointment.end = appointment.start;
    else
        appointment.end = At(endDate, 1, 0, 0);
    // An end before the start is refused by calendars: an entry whose end lies before its start ends
    // where it starts.
    if (appointment.end < appointment.start)
        appointment.end = appointment.allDay ? At(appointment.start.Fields(), 1, 0, 0) : appointment.start;
    // -1 is the entry's own "no alarm", whatever its alarm mode says.
    if (entry.alarmMode != 0 && entry.alarmMinutes >= 0)
        appointment.reminderMinutes = entry.alarmMinutes;
    appointment.isPublic = !entry.Has(flag::kHidden);
    appointment.location = entry.place;
    appointment.body = entry.memo;
    return appointment;
}

bool SameAppointment(const Appointment& existing, const Appointment& wanted)
{
    if (existing.subject != wanted.subject || (wanted.allDay && !existing.allDay))
        return false;
    // A timed start the zone skips was written as the moment the clock reached it and reads back as
    // the time after the jump: the same moment is the same start.
    return existing.start == wanted.start || (!wanted.allDay && existing.start.Instant() == wanted.start.Instant());
}

std::vector<Appointment> PeriodAppointments(CKalStore& store, CDTime from, CDTime to)
{
    std::vector<Appointment> appointments;
    // The holidays a month view works out for itself come too, so that a period reaching into a later
    // month gets that month's.
    DayListing listing(&store, ListingOptionsFrom(CKalSettings::Current()));
    listing.ForEachInPeriod(from, to, DayListing::Generated::With, [&](CDTime day, const CKalData& entry) {
        if (std::optional<Appointment> appointment = AppointmentFor(entry, day))
            appointments.push_back(std::move(*appointment));
    });
    return appointments;
}

PeriodAdd AddAppointments(CalendarStore& calendar, const std::vector<Appointment>& appointments,
    const AddProgress& progress, const StopSignal* stop)
{
    PeriodAdd result;
    const int total = static_cast<int>(appointments.size());
    for (int i = 0; i < total; ++i) {
        if (stop && stop->Stopped()) {
            result.status = StoreStatus::Failure(calendartexts::kCancelled);
            break;
        }
        if (!AddOnce(calendar, appointments[static_cast<std::size_t>(i)], result))
            break;
        if (progress)
            progress(i + 1, total);
    }
    return result;
}

PeriodAdd AddPeriod(CalendarStore& calendar, CKalStore& store, CDTime from, CDTime to)
{
    return AddAppointments(calendar, PeriodAppointments(store, from, to));
}

} // namespace kal
