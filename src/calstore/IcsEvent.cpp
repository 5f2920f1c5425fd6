#include "calstore/IcsEvent.h"

#include "calstore/IcalOutline.h"
#include "platform/Clock.h"
#include "platform/Text.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace kal {

namespace {

constexpr char kProductId[] = "-//Kalendra//Kalendra 0.1//JA";

icaltimetype UtcTime(std::int64_t instant)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(instant), 0, icaltimezone_get_utc_timezone());
}

icaltimetype DateValue(CDTime time)
{
    const LocalFields fields = time.Fields();
    icaltimetype date = icaltime_null_date();
    date.year = fields.year;
    date.month = fields.month;
    date.day = fields.day;
    return date;
}

void AddText(icalcomponent* component, icalproperty* (*make)(const char*), const std::u16string& text)
{
    if (!text.empty())
        icalcomponent_add_property(component, make(ToUtf8(text).c_str()));
}

CDTime MomentOf(const icaltimetype& time)
{
    if (time.is_date)
        return CDTime(time.year, time.month, time.day);
    if (icaltime_is_utc(time) || time.zone)
        return CDTime::FromInstant(icaltime_as_timet_with_zone(time, time.zone));
    return CDTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

} // namespace

void IcalComponentFree::operator()(icalcomponent_impl* component) const
{
    icalcomponent_free(component);
}

IcalComponent NewCalendar()
{
    IcalComponent calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
    return calendar;
}

IcalComponent MakeEvent(const Appointment& appointment, const std::string& uid)
{
    IcalComponent event(icalcomponent_new_vevent());
    icalcomponent* raw = event.get();
    icalcomponent_add_property(raw, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(raw, icalproperty_new_dtstamp(UtcTime(Clock::Current().Now())));
    icalcomponent_add_property(raw, icalproperty_new_summary(ToUtf8(appointment.subject).c_str()));
    if (appointment.allDay) {
        icalcomponent_add_property(raw, icalproperty_new_dtstart(DateValue(appointment.start)));
        icalcomponent_add_property(raw, icalproperty_new_dtend(DateValue(appointment.end)));
    } else {
        icalcomponent_add_property(raw, icalproperty_new_dtstart(UtcTime(appointment.start.Instant())));
        icalcomponent_add_property(raw, icalproperty_new_dtend(UtcTime(appointment.end.Instant())));
    }
    icalcomponent_add_property(
        raw, icalproperty_new_class(appointment.isPublic ? ICAL_CLASS_PUBLIC : ICAL_CLASS_PRIVATE));
    AddText(raw, icalproperty_new_location, appointment.location);
    AddText(raw, icalproperty_new_description, appointment.body);
    if (appointment.reminderMinutes) {
        icalcomponent* alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icaltriggertype trigger;
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_from_int(-*appointment.reminderMinutes * 60);
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_property(alarm, icalproperty_new_description(ToUtf8(appointment.subject).c_str()));
        icalcomponent_add_component(raw, alarm);
    }
    return event;
}

std::string NewUid()
{
    // The kernel's randomness, so that two programs adding at the same moment never collide.
    std::random_device random;
    char text[64];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%04x-%08x%04x", random(), random() & 0xFFFF,
        (random() & 0x0FFF) | 0x4000, (random() & 0x3FFF) | 0x8000, random(), random() & 0xFFFF);
    return std::string(text) + "@kalendra";
}

std::optional<Appointment> ReadEvent(icalcomponent* event)
{
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (icaltime_is_null_time(start))
        return std::nullopt;
    Appointment appointment;
    if (const char* summary = icalcomponent_get_summary(event))
        appointment.subject = FromUtf8(summary);
    appointment.allDay = start.is_date != 0;
    appointment.start = MomentOf(start);
    const icaltimetype end = icalcomponent_get_dtend(event);
    appointment.end = icaltime_is_null_time(end) ? appointment.start : MomentOf(end);
    return appointment;
}

std::optional<std::vector<Appointment>> ReadEvents(const std::string& text)
{
    IcalComponent root = ParseIcal(text);
    if (!root)
        return std::nullopt;
    std::vector<Appointment> appointments;
    const auto take = [&](icalcomponent* calendar) {
        for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
             event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            if (auto appointment = ReadEvent(event))
                appointments.push_back(std::move(*appointment));
        }
    };
    if (icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT) {
        if (auto appointment = ReadEvent(root.get()))
            appointments.push_back(std::move(*appointment));
    } else if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
        take(root.get());
    } else if (icalcomponent_isa(root.get()) == ICAL_XROOT_COMPONENT) {
        for (icalcomponent* calendar = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
             calendar; calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            take(calendar);
    } else {
        return std::nullopt;
    }
    return appointments;
}

std::string IcalText(icalcomponent* component)
{
    char* text = icalcomponent_as_ical_string_r(component);
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

} // namespace kal
