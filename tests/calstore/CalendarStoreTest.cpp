#include "TestEnvironment.h"

#include "calstore/CalendarTexts.h"
#include "calstore/IcsFileStore.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <ctime>
#include <map>
#include <vector>

namespace kal {
namespace {

constexpr auto kTimed = flag::kStartTimeSet | flag::kEndTimeSet;

CKalData MakeEntry(std::u16string text, CDTime start, CDTime end, std::uint32_t flags, int repeatType = repeat::kNone)
{
    CKalData entry;
    entry.text = std::move(text);
    entry.start = start;
    entry.end = end;
    entry.flags = flags;
    entry.repeatType = repeatType;
    entry.alarmMinutes = -1;
    return entry;
}

TEST(AppointmentForTest, StartAndEndFollowTheEntrysTimesAndRepetition)
{
    struct Case {
        const char* name;
        CKalData entry;
        CDTime day;
        CDTime start;
        CDTime end;
        bool allDay;
    };
    // Around the clock changes of Berlin (29 March) and Santiago (5 April) as well.
    const Case cases[] = {
        { "all-day 3rd to 5th seen on the 4th", MakeEntry(u"旅行", CDTime(2026, 3, 3), CDTime(2026, 3, 5), 0),
            CDTime(2026, 3, 4), CDTime(2026, 3, 3), CDTime(2026, 3, 6), true },
        { "timed on a day the clocks change",
            MakeEntry(u"打合せ", CDTime(2026, 3, 29, 10, 0), CDTime(2026, 3, 29, 11, 30), kTimed), CDTime(2026, 3, 29),
            CDTime(2026, 3, 29, 10, 0), CDTime(2026, 3, 29, 11, 30), false },
        { "start time only ends at the start",
            MakeEntry(u"電話", CDTime(2026, 4, 5, 9, 15), CDTime(2026, 4, 5), flag::kStartTimeSet), CDTime(2026, 4, 5),
            CDTime(2026, 4, 5, 9, 15), CDTime(2026, 4, 5, 9, 15), false },
        { "repeating timed placed on the day",
            MakeEntry(u"会議", CDTime(2026, 3, 2, 10, 0), CDTime(2026, 12, 31, 11, 0), kTimed, repeat::kDaily),
            CDTime(2026, 4, 5), CDTime(2026, 4, 5, 10, 0), CDTime(2026, 4, 5, 11, 0), false },
        { "repeating all-day ends the day after",
            MakeEntry(u"当番", CDTime(2026, 3, 2), CDTime(2026, 12, 31), 0, repeat::kWeekly), CDTime(2026, 3, 28),
            CDTime(2026, 3, 28), CDTime(2026, 3, 29), true },
        { "repeating past midnight ends the next day",
            MakeEntry(u"夜勤", CDTime(2026, 3, 2, 22, 0), CDTime(2026, 12, 31, 6, 0), kTimed, repeat::kDaily),
            CDTime(2026, 3, 28), CDTime(2026, 3, 28, 22, 0), CDTime(2026, 3, 29, 6, 0), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto appointment = AppointmentFor(c.entry, c.day);
        ASSERT_TRUE(appointment.has_value());
        EXPECT_EQ(appointment->subject, c.entry.text);
        EXPECT_EQ(appointment->start, c.start);
        EXPECT_EQ(appointment->end, c.end);
        EXPECT_EQ(appointment->allDay, c.allDay);
    }
}

TEST(AppointmentForTest, AReminderNeedsTheAlarmModeAndALeadTime)
{
    struct Case {
        int mode;
        int minutes;
        std::optional<int> reminder;
    };
    for (const Case& c : { Case { 1, 30, 30 }, Case { 1, 0, 0 }, Case { 0, 30, {} }, Case { 1, -1, {} } }) {
        CKalData entry = MakeEntry(u"歯医者", CDTime(2026, 6, 1, 15, 0), CDTime(2026, 6, 1, 16, 0), kTimed);
        entry.alarmMode = c.mode;
        entry.alarmMinutes = c.minutes;
        EXPECT_EQ(AppointmentFor(entry, CDTime(2026, 6, 1))->reminderMinutes, c.reminder) << c.mode << ' ' << c.minutes;
    }
}

// What an independent look at the written file finds of one event.
struct WrittenEvent {
    bool allDay = false;
    icaltimetype start {};
    icaltimetype end {};
    std::tm localStart {};
    int triggerMinutes = 0; // 0: no alarm
    icalproperty_class privacy = ICAL_CLASS_NONE;
};

std::multimap<std::string, WrittenEvent> ReadBack(const std::string& path)
{
    std::multimap<std::string, WrittenEvent> events;
    const auto text = ReadWholeFile(path);
    EXPECT_TRUE(text.has_value());
    if (!text)
        return events;
    icalcomponent* calendar = icalparser_parse_string(text->c_str());
    EXPECT_NE(calendar, nullptr);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        WrittenEvent written;
        written.start = icalcomponent_get_dtstart(event);
        written.end = icalcomponent_get_dtend(event);
        written.allDay = written.start.is_date != 0;
        const time_t moment = icaltime_as_timet_with_zone(written.start, written.start.zone);
        localtime_r(&moment, &written.localStart);
        if (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT)) {
            const icaltriggertype trigger
                = icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
            written.triggerMinutes = icaldurationtype_as_int(trigger.duration) / 60;
        }
        if (icalproperty* privacy = icalcomponent_get_first_property(event, ICAL_CLASS_PROPERTY))
            written.privacy = icalproperty_get_class(privacy);
        events.emplace(icalcomponent_get_summary(event), written);
    }
    icalcomponent_free(calendar);
    return events;
}

class IcsFileStoreTest : public test::TestEnvironment {
protected:
    IcsFileStoreTest() { store_.genres.FindOrAddByName(u"一般"); }

    CKalData& Add(CKalData entry)
    {
        store_.entries.push_back(std::make_unique<CKalData>(std::move(entry)));
        return *store_.entries.back();
    }

    PeriodAdd AddToFile(CDTime from, CDTime to)
    {
        IcsFileStore file(path_);
        const StoreStatus opened = file.Open();
        EXPECT_TRUE(opened.Ok()) << ToUtf8(opened.message);
        PeriodAdd result = AddPeriod(file, store_, from, to);
        EXPECT_TRUE(file.Close().Ok());
        return result;
    }

    CKalStore store_;
    test::TemporaryFolder folder_;
    std::string path_ = folder_.File("sub/calendar.ics");
};

TEST_F(IcsFileStoreTest, PeriodAddWritesEachAppointmentOnceAndNothingTheSecondTime)
{
    Add(MakeEntry(u"旅行", CDTime(2026, 3, 3), CDTime(2026, 3, 5), 0));
    Add(MakeEntry(u"会議", CDTime(2026, 3, 27, 10, 0), CDTime(2026, 4, 6, 11, 0), kTimed, repeat::kDaily));
    CKalData secret = MakeEntry(u"面談", CDTime(2026, 4, 1, 18, 0), CDTime(2026, 4, 1, 19, 0), kTimed);
    secret.Set(flag::kHidden, true);
    secret.alarmMinutes = 15;
    secret.alarmMode = 1;
    Add(secret);
    // The same subject and start twice on one day: the first comes in, the second is found.
    Add(MakeEntry(u"面談", CDTime(2026, 4, 1, 18, 0), CDTime(2026, 4, 1, 20, 0), kTimed));
    Add(MakeEntry(u"レポート", CDTime(2026, 3, 30), CDTime(2026, 3, 30), flag::kIsTodo));

    // 1 trip (met on three days), 11 meetings (27 March to 6 April, both clock changes), 1 interview,
    // and the spring equinox the grid makes itself.
    EXPECT_EQ(AddToFile(CDTime(2026, 3, 1), CDTime(2026, 4, 10)).added, 1 + 11 + 1 + 1);
    EXPECT_EQ(AddToFile(CDTime(2026, 3, 1), CDTime(2026, 4, 10)).added, 0);

    const auto events = ReadBack(path_);
    ASSERT_EQ(events.size(), 14u);
    ASSERT_EQ(events.count("春分の日"), 1u);
    EXPECT_TRUE(events.find("春分の日")->second.allDay);
    const WrittenEvent& trip = events.find("旅行")->second;
    EXPECT_TRUE(trip.allDay);
    EXPECT_TRUE(trip.end.is_date);
    EXPECT_EQ(
        (std::array { trip.start.month, trip.start.day, trip.end.month, trip.end.day }), (std::array { 3, 3, 3, 6 }));
    const auto [first, last] = events.equal_range("会議");
    ASSERT_EQ(std::distance(first, last), 11);
    for (auto it = first; it != last; ++it) {
        EXPECT_FALSE(it->second.allDay);
        EXPECT_EQ(it->second.localStart.tm_hour, 10) << it->second.localStart.tm_mday;
        EXPECT_EQ(it->second.triggerMinutes, 0);
        EXPECT_EQ(it->second.privacy, ICAL_CLASS_PUBLIC);
    }
    const WrittenEvent& interview = events.find("面談")->second;
    EXPECT_EQ(interview.localStart.tm_hour, 18);
    EXPECT_EQ(interview.triggerMinutes, -15);
    EXPECT_EQ(interview.privacy, ICAL_CLASS_PRIVATE);
}

TEST_F(IcsFileStoreTest, APeriodGetsTheHolidaysOfEveryMonthItReaches)
{
    EXPECT_EQ(AddToFile(CDTime(2026, 1, 10), CDTime(2026, 3, 25)).added, 1);
    EXPECT_EQ(ReadBack(path_).count("春分の日"), 1u);
}

TEST_F(IcsFileStoreTest, AFileInUseOrNotACalendarIsRefusedAndLeftAlone)
{
    IcsFileStore first(path_);
    ASSERT_TRUE(first.Open().Ok());
    IcsFileStore second(path_);
    const StoreStatus refused = second.Open();
    EXPECT_EQ(refused.message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + std::u16string(calendartexts::kFileLocked));
    EXPECT_TRUE(first.Close().Ok());
    EXPECT_TRUE(second.Open().Ok());
    EXPECT_TRUE(second.Close().Ok());

    const std::string notes = folder_.File("notes.ics");
    ASSERT_TRUE(WriteFileAtomically(notes, "just some notes\n"));
    IcsFileStore wrong(notes);
    EXPECT_EQ(wrong.Open().message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + std::u16string(calendartexts::kFileNotCalendar));
    EXPECT_EQ(ReadWholeFile(notes), "just some notes\n");
}

TEST_F(IcsFileStoreTest, EventsOfOtherProgramsAreKeptAndCountAsPresent)
{
    // Written elsewhere in Berlin's zone: 10:00 there on the day of the spring clock change.
    const std::string other = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\n"
                              "BEGIN:VEVENT\r\nUID:a@other\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:会議\r\n"
                              "DTSTART:20260329T080000Z\r\nDTEND:20260329T090000Z\r\nEND:VEVENT\r\n"
                              "END:VCALENDAR\r\n";
    path_ = folder_.File("other.ics");
    ASSERT_TRUE(WriteFileAtomically(path_, other));
    const test::ScopedTimeZone berlin("Europe/Berlin");
    Add(MakeEntry(u"会議", CDTime(2026, 3, 28, 10, 0), CDTime(2026, 3, 30, 11, 0), kTimed, repeat::kDaily));
    EXPECT_EQ(AddToFile(CDTime(2026, 3, 28), CDTime(2026, 3, 30)).added, 2);
    const auto events = ReadBack(path_);
    EXPECT_EQ(events.count("会議"), 3u);
}

// Whatever the zone, a time without one (floating, or a date) is the wall-clock time as written, and a
// time that the zone skips, which goes out as the moment the clock reached it, is recognised when it
// comes back: nothing is added twice.
TEST_F(IcsFileStoreTest, TimesWithoutAZoneAndSkippedTimesAreFoundAgain)
{
    const std::string other = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\n"
                              "BEGIN:VEVENT\r\nUID:a@other\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:会議\r\n"
                              "DTSTART:20260906T003000\r\nDTEND:20260906T010000\r\nEND:VEVENT\r\n"
                              "BEGIN:VEVENT\r\nUID:b@other\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:休暇\r\n"
                              "DTSTART;VALUE=DATE:20260906\r\nDTEND;VALUE=DATE:20260907\r\nEND:VEVENT\r\n"
                              "END:VCALENDAR\r\n";
    for (const char* zoneName : { "Asia/Tokyo", "Europe/Berlin", "America/Santiago", "Australia/Lord_Howe" }) {
        const test::ScopedTimeZone zone(zoneName);
        SCOPED_TRACE(zoneName);
        path_ = folder_.File(std::string(zoneName).replace(std::string(zoneName).find('/'), 1, "-") + ".ics");
        ASSERT_TRUE(WriteFileAtomically(path_, other));
        store_.entries.clear();
        Add(MakeEntry(u"会議", CDTime(2026, 9, 6, 0, 30), CDTime(2026, 9, 6, 1, 0), kTimed));
        Add(MakeEntry(u"休暇", CDTime(2026, 9, 6), CDTime(2026, 9, 6), 0));
        // 00:15 does not exist in Santiago that day.
        Add(MakeEntry(u"出張", CDTime(2026, 9, 6, 0, 15), CDTime(2026, 9, 6, 2, 0), kTimed));
        EXPECT_EQ(AddToFile(CDTime(2026, 9, 6), CDTime(2026, 9, 6)).added, 1);
        EXPECT_EQ(AddToFile(CDTime(2026, 9, 6), CDTime(2026, 9, 6)).added, 0);
        const auto events = ReadBack(path_);
        EXPECT_EQ(events.size(), 3u);
    }
}

} // namespace
} // namespace kal
