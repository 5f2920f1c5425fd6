#include "TestEnvironment.h"

#include "calstore/CalendarTexts.h"
#include "calstore/IcsEvent.h"
#include "calstore/IcsFileStore.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <map>
#include <vector>

#include <unistd.h>

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
    EXPECT_TRUE(text.HasValue());
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

// A large fixture is written without the flushes of a safe write, which take seconds on a slow disk.
void WriteQuickly(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

Appointment Timed(std::u16string subject, CDTime start)
{
    Appointment appointment;
    appointment.subject = std::move(subject);
    appointment.start = start;
    appointment.end = start;
    return appointment;
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

// The file is the user's and other programs share it: what they wrote stays byte for byte, whatever
// libical would make of it (components it does not know, values it cannot read, escapes it would
// change, a BOM, LF lines), and the new events go before the calendar's end in the file's own line ends.
TEST_F(IcsFileStoreTest, AddingKeepsEveryByteOfTheFileAndPutsTheNewEventsBeforeItsEnd)
{
    path_ = folder_.File("user.ics");
    struct Case {
        const char* name;
        std::string body;
        std::string end; // the calendar's end: what follows the new events
        const char* lineEnd;
    };
    const Case cases[] = {
        { "CR LF lines after a BOM",
            "\xEF\xBB\xBF"
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\nX-WR-CALNAME:家\r\n"
            "BEGIN:X-OTHER-SETTINGS\r\nX-COLOUR:#ff0000\r\nBEGIN:X-INNER\r\nX-A:1\r\nEND:X-INNER\r\n"
            "END:X-OTHER-SETTINGS\r\n"
            "BEGIN:VEVENT\r\nUID:a@other\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:a\\qb\\,c\r\n"
            "DTSTART:20260601T010000Z\r\nDTEND;VALUE=DATE:not a date\r\nGEO:garbage\r\n"
            "DESCRIPTION:a long line folded by the other program at seventy-five octe\r\n ts\r\n"
            "END:VEVENT\r\n",
            "END:VCALENDAR\r\n\r\n", "\r\n" },
        { "LF lines, no line end at the end",
            "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//other//EN\nBEGIN:VEVENT\nUID:b@other\n"
            "DTSTAMP:20260101T000000Z\nSUMMARY:会議\nDTSTART:20260601T010000Z\nEND:VEVENT\n",
            "end:vcalendar", "\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileAtomically(path_, c.body + c.end));
        store_.entries.clear();
        Add(MakeEntry(u"歯医者", CDTime(2026, 6, 2, 15, 0), CDTime(2026, 6, 2, 16, 0), kTimed));
        EXPECT_EQ(AddToFile(CDTime(2026, 6, 1), CDTime(2026, 6, 3)).added, 1);

        const std::string written = ReadWholeFile(path_).ValueOr("");
        ASSERT_GT(written.size(), c.body.size() + c.end.size());
        EXPECT_EQ(written.substr(0, c.body.size()), c.body);
        EXPECT_TRUE(written.ends_with(c.end));
        const std::string added = written.substr(c.body.size(), written.size() - c.body.size() - c.end.size());
        EXPECT_TRUE(added.starts_with(std::string("BEGIN:VEVENT") + c.lineEnd)) << added;
        EXPECT_TRUE(added.ends_with(std::string("END:VEVENT") + c.lineEnd)) << added;
        EXPECT_NE(added.find(std::string("SUMMARY:歯医者") + c.lineEnd), std::string::npos) << added;
        if (std::string_view(c.lineEnd) == "\n") {
            EXPECT_EQ(added.find('\r'), std::string::npos) << added;
        }

        // Read back, the new event is found and nothing is written again.
        EXPECT_EQ(AddToFile(CDTime(2026, 6, 1), CDTime(2026, 6, 3)).added, 0);
        EXPECT_EQ(ReadWholeFile(path_), written);
    }
}

// A file that cannot be kept whole, or read whole, is never written: its events would be lost with
// what the program could not read. A text nested a hundred thousand deep or a file past the bound is
// refused before libical reads it, and so is a NUL, where libical would stop reading.
TEST_F(IcsFileStoreTest, AFileThatCannotBeKeptOrReadWholeIsRefusedAndLeftAlone)
{
    path_ = folder_.File("user.ics");
    const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\n";
    const std::string event = "BEGIN:VEVENT\r\nUID:a@other\r\nDTSTART:20260601T010000Z\r\nEND:VEVENT\r\n";
    std::string deep = head;
    for (int level = 0; level < 100'000; ++level)
        deep += "BEGIN:X-A\r\n";
    for (int level = 0; level < 100'000; ++level)
        deep += "END:X-A\r\n";
    deep += "END:VCALENDAR\r\n";
    const std::u16string notWhole = u"カレンダーファイルが END:VCALENDAR "
                                    u"の行で終わっていないため、予定を追加できません。ファイルはそのままにしました。";
    const std::u16string notCalendar
        = u"カレンダーファイルの内容がiCalendar形式ではありません。ファイルはそのままにしました。";
    struct Case {
        const char* name;
        std::string text;
        std::u16string message;
    };
    const Case cases[] = {
        { "no end", head + event, notWhole },
        { "an event not ended", head + "BEGIN:VEVENT\r\nEND:VCALENDAR\r\n", notWhole },
        { "words after the end", head + event + "END:VCALENDAR\r\nsigned: me\r\n", notWhole },
        { "two calendars", head + "END:VCALENDAR\r\n" + head + event + "END:VCALENDAR\r\n",
            u"カレンダーファイルに複数のカレンダーがあるため、予定を追加できません。ファイルはそのままにしました。" },
        { "an event alone", event, notCalendar },
        { "an END that names another component", head + "BEGIN:VEVENT\r\nEND:X\r\n" + event + "END:VCALENDAR\r\n",
            notCalendar },
        { "a NUL", head + event + std::string(1, '\0') + "END:VCALENDAR\r\n", notCalendar },
        { "nested too deep", deep,
            u"カレンダーファイルの入れ子が深すぎるため読み込めません（上限 64 段）。ファイルはそのままにしました。" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileAtomically(path_, c.text));
        IcsFileStore file(path_);
        EXPECT_EQ(file.Open().message, u"カレンダーを開けませんでした（CoCreateInstance Failed）。\n" + c.message);
        EXPECT_TRUE(file.Add(Timed(u"歯医者", CDTime(2026, 6, 2, 15, 0)))
                        .message.starts_with(u"カレンダーを開けませんでした（CoCreateInstance Failed）。\n"));
        EXPECT_TRUE(file.Close().Ok());
        EXPECT_EQ(ReadWholeFile(path_), c.text);
    }
    EXPECT_EQ(ReadEvents(deep), std::nullopt);

    // Sparse: no bytes are written, and none are read.
    ASSERT_EQ(::truncate(path_.c_str(), (off_t(64) << 20) + 1), 0);
    IcsFileStore large(path_);
    EXPECT_EQ(large.Open().message,
        u"カレンダーを開けませんでした（CoCreateInstance "
        u"Failed）。\nカレンダーファイルを開けません。ファイルが大きすぎます（上限 64 MB）。");
}

// libical's own reader of a string looks for the end of a line afresh for every 80 bytes of it: a
// line of 8 MB took 22 seconds, one of 50 MB a quarter of an hour. Read in pieces, 8 MB take a tenth
// of a second; the ceiling is far above that.
TEST_F(IcsFileStoreTest, ALongLineIsReadInTimeLinearInItsLength)
{
    path_ = folder_.File("user.ics");
    const std::string subject(8 << 20, 'a');
    WriteQuickly(path_,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//EN\r\nBEGIN:VEVENT\r\nUID:a@other\r\n"
        "DTSTART:20260601T010000Z\r\nSUMMARY:"
            + subject + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const auto started = std::chrono::steady_clock::now();
    IcsFileStore file(path_);
    ASSERT_TRUE(file.Open().Ok());
    Appointment wanted = Timed(FromUtf8(subject), CDTime::FromInstant(1780275600));
    EXPECT_TRUE(file.Exists(wanted).exists);
    wanted.subject = u"歯医者";
    EXPECT_TRUE(file.Add(wanted).Ok());
    EXPECT_TRUE(file.Close().Ok());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

// Written past the bound, the file would be refused by the next Open: the add is refused instead.
TEST_F(IcsFileStoreTest, AnAddThatWouldTakeTheFilePastTheBoundIsNotWritten)
{
    path_ = folder_.File("user.ics");
    const std::string text
        = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nX-PAD:" + std::string(900, 'a') + "\r\nEND:VCALENDAR\r\n";
    ASSERT_TRUE(WriteFileAtomically(path_, text));
    IcsFileStore file(path_, 1024);
    ASSERT_TRUE(file.Open().Ok());
    EXPECT_TRUE(file.Add(Timed(u"歯医者", CDTime(2026, 6, 2, 15, 0))).Ok());
    EXPECT_EQ(file.Close().message,
        u"カレンダーファイルに書き込めませんでした。追加した予定は保存されていません。\nファイルが大きすぎます（上限 "
        u"1024 バイト）。");
    EXPECT_EQ(ReadWholeFile(path_), text);
}

} // namespace
} // namespace kal
