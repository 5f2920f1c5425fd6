#include "TestEnvironment.h"

#include "calendar/CivilDate.h"
#include "calstore/IcalImport.h"
#include "calstore/IcalMapping.h"
#include "calstore/IcsEvent.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/EntryRow.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"
#include "store/ScheduleFile.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace kal {
namespace {

std::string Sample(const char* name)
{
    auto text = ReadWholeFile(std::string(KAL_TEST_DATA_DIR) + "/ics/" + name);
    EXPECT_TRUE(text.HasValue()) << name;
    return text ? *text : std::string();
}

// Seconds since 1970 of a UTC date and time: the moment a time with Z or a zone's offset names.
std::int64_t Utc(int year, int month, int day, int hour, int minute)
{
    return DaysFromCivil(year, month, day) * CDTime::kDay + hour * 3600 + minute * 60;
}

std::string DayText(CDTime day)
{
    return ToUtf8(day.Format(u"%Y-%m-%d"));
}

// "YYYY-MM-DD HH:MM" of a moment on this machine's clock.
std::string Shown(std::int64_t instant)
{
    return ToUtf8(CDTime::FromInstant(instant).Format(u"%Y-%m-%d %H:%M"));
}

// Every day from `from` to `to` the month grid shows an entry with the text on, with the entry's start
// time when it has one: what the user sees, however the import chose to keep the entry.
std::vector<std::string> DaysShown(const CKalStore& store, std::u16string_view text, CDTime from, CDTime to)
{
    std::multiset<std::string> days;
    std::vector<std::uint8_t> marks(static_cast<std::size_t>(OccurrenceDays(from, to)));
    for (const auto& entry : store.entries) {
        if (entry->text != text)
            continue;
        MarkOccurrences(*entry, from, to, marks);
        for (std::size_t k = 0; k < marks.size(); ++k) {
            if (!marks[k])
                continue;
            const LocalFields f = from.Fields();
            std::string day = DayText(CDTime(f.year, f.month, f.day + static_cast<int>(k)));
            if (entry->Has(flag::kStartTimeSet))
                day += ToUtf8(entry->start.Format(u" %H:%M"));
            days.insert(day);
        }
    }
    return { days.begin(), days.end() };
}

class IcalImportTest : public test::TestEnvironment {
protected:
    IcalImportTest()
    {
        store_.genres.FindOrAddByName(u"一般");
        store_.genres.FindOrAddByName(u"仕事");
    }

    IcalImportReport Import(std::string_view text)
    {
        auto imported = ImportIcal(store_, text, IcalImportOptions { "schedule.klx", {} });
        EXPECT_TRUE(imported.HasValue()) << (imported ? "" : ToUtf8(imported.Error().message));
        if (!imported)
            return {};
        imported->operation.Apply(store_);
        return imported->report;
    }

    const CKalData* Find(std::u16string_view text) const
    {
        for (const auto& entry : store_.entries) {
            if (entry->text == text)
                return entry.get();
        }
        return nullptr;
    }

    CKalStore store_;
};

TEST_F(IcalImportTest, ZoneRulesMovedAndCancelledDaysLandOnThisMachinesClock)
{
    const IcalImportReport report = Import(Sample("desktop_berlin.ics"));
    const std::u16string meeting
        = u"Teambesprechung mit dem ganzen Projektteam und den Kolleginnen und Kollegen aus der "
          u"Zweigstelle";
    // Tuesdays and Thursdays at 10:00 in Berlin, 17 and 19 March left out, 24 March moved to the 25th at
    // 14:00 and 2 April cancelled; summer time there starts on 29 March.
    std::vector<std::string> expected;
    for (const auto& [month, day, hourUtc] :
        std::vector<std::tuple<int, int, int>> { { 3, 10, 9 }, { 3, 12, 9 }, { 3, 26, 9 }, { 3, 31, 8 }, { 4, 7, 8 },
            { 4, 9, 8 }, { 4, 14, 8 }, { 4, 16, 8 }, { 4, 21, 8 }, { 4, 23, 8 }, { 4, 28, 8 }, { 4, 30, 8 } })
        expected.push_back(Shown(Utc(2026, month, day, hourUtc, 0)));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(DaysShown(store_, meeting, CDTime(2026, 3, 1), CDTime(2026, 5, 31)), expected);
    EXPECT_EQ(DaysShown(store_, u"Teambesprechung (verschoben)", CDTime(2026, 3, 1), CDTime(2026, 5, 31)),
        std::vector { Shown(Utc(2026, 3, 25, 13, 0)) });
    // The all-day holiday's DTEND is the day after its last.
    std::vector<std::string> holiday;
    for (int day = 3; day <= 14; ++day)
        holiday.push_back(DayText(CDTime(2026, 8, day)));
    EXPECT_EQ(DaysShown(store_, u"Urlaub", CDTime(2026, 7, 1), CDTime(2026, 9, 30)), holiday);

    const CKalData* first = Find(meeting);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->place, u"Raum 4");
    EXPECT_EQ(first->alarmMinutes, 15);
    ASSERT_EQ(store_.genres.Count(), 3);
    EXPECT_EQ(store_.genres.At(first->genre)->name, u"Arbeit");
    EXPECT_EQ(report.skipped, 0);
    EXPECT_EQ(report.schedules, store_.EntryCount());
    EXPECT_EQ(report.series + report.singles + report.expandedOccurrences + report.overrides, report.schedules);
}

TEST_F(IcalImportTest, RulesBeyondTheProgramsOwnBecomeTheirDaysAndToDosKeepDeadlineAndCompletion)
{
    const IcalImportReport report = Import(Sample("mailclient_newyork.ics"));
    // The second Wednesday at 19:00 in New York, six times; summer time there starts on 8 March.
    // An evening there may run past midnight here: as every occurrence of a series, it shows on the
    // day it begins.
    std::vector<std::string> club;
    for (const auto& [month, day, hourUtc] : std::vector<std::tuple<int, int, int>> {
             { 1, 15, 0 }, { 2, 12, 0 }, { 3, 11, 23 }, { 4, 8, 23 }, { 5, 13, 23 }, { 6, 10, 23 } })
        club.push_back(Shown(Utc(2026, month, day, hourUtc, 0)));
    std::sort(club.begin(), club.end());
    EXPECT_EQ(DaysShown(store_, u"Book club", CDTime(2025, 12, 1), CDTime(2026, 12, 31)), club);
    ASSERT_NE(Find(u"Book club"), nullptr);
    EXPECT_EQ(Find(u"Book club")->alarmMinutes, 30);
    // The last weekday of each month (BYSETPOS) has no rule of the program: one entry a day.
    EXPECT_EQ(DaysShown(store_, u"Month-end report", CDTime(2025, 12, 1), CDTime(2026, 12, 31)),
        (std::vector<std::string> { "2026-01-30 16:00", "2026-02-27 16:00", "2026-03-31 16:00", "2026-04-30 16:00",
            "2026-05-29 16:00", "2026-06-30 16:00" }));
    EXPECT_GE(report.expandedOccurrences, 6);

    const CKalData* tax = Find(u"Tax return");
    ASSERT_NE(tax, nullptr);
    EXPECT_TRUE(tax->IsTodo());
    EXPECT_EQ(tax->start, CDTime(2026, 5, 31));
    EXPECT_FALSE(tax->Has(flag::kStartTimeSet) || tax->Has(flag::kDone) || tax->Has(flag::kNoDeadline));
    EXPECT_EQ(tax->priority, 0); // PRIORITY 1: 緊急
    const CKalData* passport = Find(u"Renew passport");
    ASSERT_NE(passport, nullptr);
    EXPECT_TRUE(passport->Has(flag::kDone | flag::kStartTimeSet));
    EXPECT_EQ(passport->start, CDTime::FromInstant(Utc(2026, 2, 20, 22, 0)));
    EXPECT_EQ(passport->end, CDTime::FromInstant(Utc(2026, 2, 10, 15, 30)));
    EXPECT_EQ(passport->priority, 3); // PRIORITY 5: C
    const CKalData* bread = Find(u"Read about sourdough");
    ASSERT_NE(bread, nullptr);
    EXPECT_TRUE(bread->Has(flag::kNoDeadline));
    EXPECT_EQ(bread->start, CDTime(2026, 3, 1));
    EXPECT_EQ(report.todos, 3);
}

TEST_F(IcalImportTest, UtcTimesAllDaySpansAndOldBirthdaysShowOnTheirDays)
{
    const IcalImportReport report = Import(Sample("webcalendar_utc.ics"));
    EXPECT_EQ(DaysShown(store_, u"歯医者", CDTime(2026, 4, 1), CDTime(2026, 4, 30)),
        std::vector { Shown(Utc(2026, 4, 15, 1, 0)) });
    const CKalData* dentist = Find(u"歯医者");
    ASSERT_NE(dentist, nullptr);
    EXPECT_EQ(dentist->memo, u"保険証を持っていく\r\n診察券も");
    EXPECT_EQ(dentist->alarmMinutes, 10);
    EXPECT_EQ(DaysShown(store_, u"旅行", CDTime(2026, 4, 1), CDTime(2026, 5, 31)),
        (std::vector<std::string> { "2026-05-02", "2026-05-03", "2026-05-04", "2026-05-05" }));
    // Born before the calendar's first year: every 12 June from 1972 to 2036, as one yearly entry.
    const auto birthdays = DaysShown(store_, u"母の誕生日", CDTime(1972, 1, 1), CDTime(2036, 12, 31));
    ASSERT_EQ(birthdays.size(), 65u);
    EXPECT_EQ(birthdays.front(), "1972-06-12");
    EXPECT_EQ(birthdays.back(), "2036-06-12");
    ASSERT_NE(Find(u"母の誕生日"), nullptr);
    EXPECT_EQ(Find(u"母の誕生日")->repeatType, repeat::kYearly);
    // Mondays, Wednesdays and Fridays at 00:00 UTC in January, two of them left out.
    std::vector<std::string> runs;
    for (const int day : { 5, 7, 9, 16, 19, 21, 23, 26, 28, 30 })
        runs.push_back(Shown(Utc(2026, 1, day, 0, 0)));
    EXPECT_EQ(DaysShown(store_, u"Morning run", CDTime(2025, 12, 1), CDTime(2026, 2, 28)), runs);
    // A zone named without a VTIMEZONE block is the known zone of that name.
    std::vector<std::string> radio;
    for (int day = 1; day <= 5; ++day)
        radio.push_back(Shown(Utc(2026, 5, 31 + day, -2, 30)));
    EXPECT_EQ(DaysShown(store_, u"ラジオ体操", CDTime(2026, 5, 1), CDTime(2026, 6, 30)), radio);
    const CKalData* radioEntry = Find(u"ラジオ体操");
    ASSERT_NE(radioEntry, nullptr);
    EXPECT_TRUE(radioEntry->IsHoliday());
    EXPECT_EQ(store_.genres.At(radioEntry->genre)->name, u"健康");
    EXPECT_EQ(report.skipped, 0);
}

TEST_F(IcalImportTest, ImportingTheSameFileAgainAddsNothing)
{
    for (const char* name : { "desktop_berlin.ics", "mailclient_newyork.ics", "webcalendar_utc.ics" }) {
        const std::string text = Sample(name);
        const IcalImportReport first = Import(text);
        const int entries = store_.EntryCount();
        const int genres = store_.genres.Count();
        auto again = ImportIcal(store_, text, IcalImportOptions { "schedule.klx", {} });
        ASSERT_TRUE(again.HasValue()) << name;
        again->operation.Apply(store_);
        EXPECT_EQ(store_.EntryCount(), entries) << name;
        EXPECT_EQ(store_.genres.Count(), genres) << name;
        EXPECT_EQ(again->report.schedules + again->report.todos, 0) << name;
        EXPECT_EQ(again->report.duplicates, first.schedules + first.todos) << name;
    }
}

// The file keeps characters its code page lacks as "?": after a save and a load, the same event is
// still known as the one already there.
TEST_F(IcalImportTest, AnEventWhoseTextTheFileCannotHoldComesInOnce)
{
    const std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:cafe-1\r\n"
                             "DTSTART:20261210T090000\r\nSUMMARY:Caf\xC3\xA9 \xF0\x9F\x8E\x89\r\n"
                             "END:VEVENT\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(Import(text).schedules, 1);
    CKalStore reloaded;
    ASSERT_TRUE(LoadScheduleBytes(reloaded, ScheduleFileBytes(store_).Joined()));
    ASSERT_EQ(reloaded.EntryCount(), 1);
    EXPECT_NE(reloaded.Entry(0).text, store_.Entry(0).text);
    for (const CKalStore* target : { &store_, &reloaded }) {
        auto again = ImportIcal(*target, text, IcalImportOptions { "schedule.klx", {} });
        ASSERT_TRUE(again.HasValue());
        EXPECT_TRUE(again->operation.Empty());
        EXPECT_EQ(again->report.duplicates, 1);
    }
}

TEST_F(IcalImportTest, AnEventExportedFromThisFileIsKnownByItsUid)
{
    auto entry = std::make_unique<CKalData>();
    entry->text = u"会議";
    entry->start = entry->end = CDTime(2026, 6, 1, 10, 0);
    entry->flags = flag::kStartTimeSet;
    const std::string uid = ical::EntryUid("schedule.klx", *entry, 0);
    store_.AppendEntry(std::move(entry));
    // Moved elsewhere since: the UID still says it is this file's entry.
    const std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:" + uid
        + "\r\nDTSTART:20260602T150000\r\nSUMMARY:会議\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const IcalImportReport report = Import(text);
    EXPECT_EQ(store_.EntryCount(), 1);
    EXPECT_EQ(report.duplicates, 1);
    auto other = ImportIcal(store_, text, IcalImportOptions { "other.klx", {} });
    ASSERT_TRUE(other.HasValue());
    EXPECT_EQ(other->report.schedules, 1);
}

TEST_F(IcalImportTest, MovedOccurrencesWithoutTheirSeriesAreEventsOfTheirOwn)
{
    const IcalImportReport report = Import("BEGIN:VCALENDAR\nVERSION:2.0\n"
                                           "BEGIN:VEVENT\nUID:s\nRECURRENCE-ID:20260302T100000\n"
                                           "DTSTART:20260303T100000\nSUMMARY:moved\nEND:VEVENT\n"
                                           "BEGIN:VEVENT\nUID:s\nRECURRENCE-ID:20260309T100000\n"
                                           "DTSTART:20260310T110000\nSUMMARY:moved\nEND:VEVENT\nEND:VCALENDAR\n");
    EXPECT_EQ(DaysShown(store_, u"moved", CDTime(2026, 3, 1), CDTime(2026, 3, 31)),
        (std::vector<std::string> { "2026-03-03 10:00", "2026-03-10 11:00" }));
    EXPECT_EQ(report.duplicates, 0);
}

TEST_F(IcalImportTest, BadInputAddsNothingAndSaysWhy)
{
    std::string deep = "BEGIN:VCALENDAR\n";
    for (int i = 0; i < 80; ++i)
        deep += "BEGIN:X-PART\n";
    for (int i = 0; i < 80; ++i)
        deep += "END:X-PART\n";
    deep += "END:VCALENDAR\n";
    const struct {
        std::string text;
        std::u16string_view message;
    } cases[] = {
        { "", u"iCalendar ファイルが空です。何も追加していません。" },
        { " \r\n", u"iCalendar ファイルが空です。何も追加していません。" },
        { "Subject,Start Date\n会議,2026/03/10\n",
            u"iCalendar 形式のデータではありません (BEGIN:VCALENDAR がありません)。何も追加していません。" },
        { "BEGIN:VEVENT\nDTSTART:20260310T100000\nEND:VEVENT\n",
            u"iCalendar 形式のデータではありません (BEGIN:VCALENDAR がありません)。何も追加していません。" },
        { std::string("BEGIN:VCALENDAR\nVERSION:2.0\n\0\nEND:VCALENDAR\n", 37),
            u"iCalendar 形式のデータではありません (BEGIN:VCALENDAR がありません)。何も追加していません。" },
        { deep, u"iCalendar の入れ子が深すぎます (上限 64 段)。何も追加していません。" },
        { "BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nDTSTART:20260310T100000\nSUMMARY:a\n",
            u"iCalendar のデータが途中で終わっています (END の行が足りません)。何も追加していません。" },
        { std::string(kMaxIcalImportBytes + 1, ' '),
            u"iCalendar ファイルが大きすぎます (上限 256 MiB)。何も追加していません。" },
    };
    for (const auto& [text, message] : cases) {
        auto imported = ImportIcal(store_, text, IcalImportOptions { "schedule.klx", {} });
        ASSERT_FALSE(imported.HasValue()) << text.substr(0, 60);
        EXPECT_EQ(imported.Error().message, message) << text.substr(0, 60);
    }
    // A line libical cannot read: the good event before it is not added either.
    auto broken = ImportIcal(store_,
        "BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nUID:a\nDTSTART:20260310T100000\nSUMMARY:ok\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:b\nDTSTART:20260311T100000\nTHIS LINE HAS NO VALUE\nEND:VEVENT\nEND:VCALENDAR\n",
        IcalImportOptions {});
    ASSERT_FALSE(broken.HasValue());
    EXPECT_TRUE(broken.Error().message.starts_with(u"iCalendar の壊れた行があります。何も追加していません: "))
        << ToUtf8(broken.Error().message);
    EXPECT_EQ(store_.EntryCount(), 0);
}

// A floating event with one rule, and the days it shows on in 2026-2036 as listed by hand.
struct RuleCase {
    const char* start;
    const char* rule;
    bool programRule; // kept as one of the program's rules, or one entry per day
    std::vector<std::string> days; // every day from 2026-01-01 up to `until`
    CDTime until;
};

TEST_F(IcalImportTest, RulesKeepExactlyTheirDays)
{
    const RuleCase cases[] = {
        { "20260131", "FREQ=MONTHLY;BYMONTHDAY=31;UNTIL=20260731", true,
            { "2026-01-31", "2026-03-31", "2026-05-31", "2026-07-31" }, CDTime(2026, 12, 31) },
        // Every other month on the 31st counts the months without one: the program's rule would not.
        { "20260131", "FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=31", false,
            { "2026-01-31", "2026-03-31", "2026-05-31", "2026-07-31" }, CDTime(2026, 8, 31) },
        { "20280229", "FREQ=YEARLY", false, { "2028-02-29", "2032-02-29", "2036-02-29" }, CDTime(2036, 12, 31) },
        { "20260130", "FREQ=MONTHLY;BYDAY=-1FR;COUNT=3", true, { "2026-01-30", "2026-02-27", "2026-03-27" },
            CDTime(2026, 12, 31) },
        { "20260105", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;COUNT=4", false,
            { "2026-01-05", "2026-01-08", "2026-01-19", "2026-01-22" }, CDTime(2026, 12, 31) },
        { "20260101", "FREQ=DAILY;INTERVAL=3;COUNT=4", true, { "2026-01-01", "2026-01-04", "2026-01-07", "2026-01-10" },
            CDTime(2026, 12, 31) },
        { "20260308", "FREQ=YEARLY;BYMONTH=3,9;BYDAY=2SU;UNTIL=20270101", true, { "2026-03-08", "2026-09-13" },
            CDTime(2027, 12, 31) },
        { "20260115", "FREQ=MONTHLY;BYMONTHDAY=15,16,17;COUNT=6", true,
            { "2026-01-15", "2026-01-16", "2026-01-17", "2026-02-15", "2026-02-16", "2026-02-17" },
            CDTime(2026, 12, 31) },
        { "20260101", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=1;COUNT=3", false,
            { "2026-01-01", "2026-02-02", "2026-03-02" }, CDTime(2026, 12, 31) },
        { "20260101", "FREQ=HOURLY;INTERVAL=12;COUNT=3", false, { "2026-01-01", "2026-01-01", "2026-01-02" },
            CDTime(2026, 12, 31) },
    };
    for (const RuleCase& c : cases) {
        store_.Clear();
        const bool hourly = std::string_view(c.rule).starts_with("FREQ=HOURLY");
        const std::string text = std::string("BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nUID:r\nDTSTART")
            + (hourly ? ":" : ";VALUE=DATE:") + c.start + (hourly ? "T060000" : "") + "\nRRULE:" + c.rule
            + "\nSUMMARY:r\nEND:VEVENT\nEND:VCALENDAR\n";
        const IcalImportReport report = Import(text);
        std::vector<std::string> days = DaysShown(store_, u"r", CDTime(2026, 1, 1), c.until);
        if (hourly) {
            for (std::string& day : days)
                day = day.substr(0, 10);
        }
        EXPECT_EQ(days, c.days) << c.rule;
        EXPECT_EQ(report.series == 1 && report.expandedOccurrences == 0, c.programRule) << c.rule;
    }
}

TEST_F(IcalImportTest, ThisProgramsOwnEntryComesBackExactlyUnlessEditedElsewhere)
{
    auto original = std::make_unique<CKalData>();
    original->text = u"月末の締め";
    original->place = u"本社";
    original->memo = u"一行目\r\n二行目";
    original->start = CDTime(2026, 1, 30, 17, 0);
    original->end = CDTime(2036, 12, 31, 18, 0);
    original->flags = flag::kStartTimeSet | flag::kEndTimeSet;
    original->repeatType = repeat::kMonthly;
    original->repeatDayFrom = original->repeatDayTo = repeat::kLastDayOfMonth;
    original->avoidDays = avoid::kSaturday | avoid::kSunday;
    original->exclusions.push_back(ExclusionPeriod { 2026, 5, 1, 2026, 5, 31 });
    original->genre = 1;
    original->colour = 0x123456;
    original->alarmMinutes = 45;
    original->textStyle = textstyle::kBold;
    std::u16string line;
    AppendEntryLine(*original, line);
    line.pop_back();

    const auto exported = [&](const char* start) {
        IcalComponent calendar = NewCalendar();
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(event, icalproperty_new_uid("x1@kalendra"));
        icalcomponent_add_property(event, icalproperty_new_dtstart(icaltime_from_string("20260130T170000")));
        icalcomponent_add_property(event, icalproperty_new_dtend(icaltime_from_string("20260130T180000")));
        icalcomponent_add_property(event, icalproperty_new_summary("月末の締め"));
        for (const auto& [name, value] :
            { std::pair { ical::kGenreProperty, "1" }, std::pair { ical::kColourProperty, "#563412" } }) {
            icalproperty* property = icalproperty_new_x(value);
            icalproperty_set_x_name(property, name);
            icalcomponent_add_property(event, property);
        }
        const std::string value = ical::Fingerprint(event) + ":" + ical::Base64(ToUtf8(line));
        icalproperty* entryProperty = icalproperty_new_x(value.c_str());
        icalproperty_set_x_name(entryProperty, ical::kEntryProperty);
        icalcomponent_add_property(event, entryProperty);
        // Another program moved the event after the fingerprint was taken.
        if (start)
            icalcomponent_set_dtstart(event, icaltime_from_string(start));
        icalcomponent_add_component(calendar.get(), event);
        return IcalText(calendar.get());
    };

    IcalImportReport report = Import(exported(nullptr));
    EXPECT_EQ(report.restored, 1);
    ASSERT_EQ(store_.EntryCount(), 1);
    EXPECT_EQ(store_.Entry(0), *original);

    store_.Clear();
    store_.genres.FindOrAddByName(u"一般");
    store_.genres.FindOrAddByName(u"仕事");
    report = Import(exported("20260203T090000"));
    EXPECT_EQ(report.restored, 0);
    ASSERT_EQ(store_.EntryCount(), 1);
    const CKalData& edited = store_.Entry(0);
    EXPECT_EQ(edited.start, CDTime(2026, 2, 3, 9, 0));
    EXPECT_EQ(edited.repeatType, repeat::kNone);
    EXPECT_EQ(edited.genre, 1);
    EXPECT_EQ(edited.colour, original->colour);
}

TEST_F(IcalImportTest, DayColoursJoinDaysNotYetColoured)
{
    store_.SetDayColour(u"2026/03/10", DayColour { 0x0000FF, {} });
    const IcalImportReport report = Import("BEGIN:VCALENDAR\nVERSION:2.0\nX-KALENDRA-DAY-COLOUR:2026-03-10;#00FF00\n"
                                           "X-KALENDRA-DAY-COLOUR:2026-03-11;#FF0000;"
        + ical::Base64("メモ") + "\nX-KALENDRA-DAY-COLOUR:2026-02-30;#FF0000\nEND:VCALENDAR\n");
    EXPECT_EQ(report.dayColours, 1);
    ASSERT_NE(store_.FindDayColour(u"2026/03/10"), nullptr);
    EXPECT_EQ(store_.FindDayColour(u"2026/03/10")->colour, 0x0000FFu);
    ASSERT_NE(store_.FindDayColour(u"2026/03/11"), nullptr);
    EXPECT_EQ(*store_.FindDayColour(u"2026/03/11"), (DayColour { 0x0000FF, u"メモ" }));
}

TEST(IcalImportReportText, SaysWhatWasAddedAndLeftOut)
{
    IcalImportReport report;
    report.schedules = 12;
    report.series = 3;
    report.seriesWithExclusions = 1;
    report.expandedOccurrences = 4;
    report.overrides = 1;
    report.todos = 2;
    report.duplicates = 4;
    EXPECT_EQ(ImportReportText(report),
        u"予定 12 件 (繰り返し 3 件、うち除外日つき 1 件)、個別に加えた日 5 件、ToDo 2 "
        u"件を読み込みました。重複のため 4 件を除きました。");
}

} // namespace
} // namespace kal
