#include "TestEnvironment.h"

#include "platform/Text.h"
#include "store/AlarmList.h"
#include "store/HandedAlarms.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kal {
namespace {

// alarm time "YYYY/MM/DD HH:MM", occurrence day, entry text
using Listed = std::vector<std::tuple<std::string, std::string, std::string>>;

class AlarmListTest : public test::TestEnvironment {
protected:
    AlarmListTest() { store_.genres.FindOrAddByName(u"一般"); }

    CKalData& Add(const char16_t* text, CDTime start, CDTime end, int alarmMinutes, std::uint32_t flags = 0)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = start;
        entry->end = end;
        entry->flags = flags;
        entry->alarmMinutes = alarmMinutes;
        CKalData& added = *entry;
        store_.AppendEntry(std::move(entry));
        return added;
    }
    CKalData& Timed(const char16_t* text, CDTime start, int alarmMinutes)
    {
        return Add(text, start, start + 3600, alarmMinutes, flag::kStartTimeSet | flag::kEndTimeSet);
    }
    static void Daily(CKalData& entry, CDTime lastDay)
    {
        entry.repeatType = repeat::kDaily;
        entry.end = lastDay + (entry.end - DateOnly(entry.end));
    }

    // The alarms whose wall-clock time falls on the days `first` to `last`.
    Listed List(CDTime first, CDTime last)
    {
        Listed listed;
        for (const Alarm& alarm :
            AlarmsBetween(store_, options_, first.Instant(), (DateOnly(last) + CDTime::kDay).Instant())) {
            const CDTime time = alarm.Time();
            listed.emplace_back(
                ToUtf8(DateText(time) + u" " + TimeText(time)), ToUtf8(DateText(alarm.day)), ToUtf8(alarm.entry->text));
        }
        return listed;
    }

    CKalStore store_;
    AlarmListOptions options_;
};

// One week of a small file: which entries remind, on which days, at which times, in the order due.
TEST_F(AlarmListTest, AWeekOfEntriesRemindsAtTheirLeadTimes)
{
    Timed(u"会議", CDTime(2026, 12, 8, 10, 0), 15);
    Add(u"終日", CDTime(2026, 12, 9), CDTime(2026, 12, 9), 30); // untimed: the settings' time, no lead
    Timed(u"アラームなし", CDTime(2026, 12, 9, 11, 0), -1);
    Add(u"祝日", CDTime(2026, 12, 8), CDTime(2026, 12, 8), 0, flag::kHoliday);
    Timed(u"記念式典", CDTime(2026, 12, 11, 11, 0), 0).Set(flag::kHoliday, true); // a timed holiday reminds
    CKalData& standUp = Timed(u"朝会", CDTime(2026, 12, 1, 8, 30), 10);
    Daily(standUp, CDTime(2026, 12, 31));
    standUp.avoidDays = avoid::kSaturday | avoid::kSunday | avoid::kDrop;
    ExcludeDay(standUp, CDTime(2026, 12, 10));
    CKalData& trip = Timed(u"出張", CDTime(2026, 12, 10, 13, 0), 60);
    trip.end = CDTime(2026, 12, 12, 18, 0); // shows on three days, reminds once
    Add(u"提出", CDTime(2026, 12, 10, 17, 0), CDTime(2026, 12, 10, 17, 0), 30, flag::kIsTodo | flag::kStartTimeSet);
    Add(u"日付だけの宿題", CDTime(2026, 12, 11), CDTime(2026, 12, 11), 0, flag::kIsTodo);
    Add(u"済んだ宿題", CDTime(2026, 12, 9, 12, 0), CDTime(2026, 12, 8), 0,
        flag::kIsTodo | flag::kStartTimeSet | flag::kDone);
    Timed(u"前々日", CDTime(2026, 12, 15, 10, 0), 2 * 24 * 60); // due inside the week, held after it
    Timed(u"深夜", CDTime(2026, 12, 14, 0, 30), 60); // due the evening before
    Timed(u"先週", CDTime(2026, 12, 6, 23, 0), 0);

    EXPECT_EQ(List(CDTime(2026, 12, 7), CDTime(2026, 12, 13)),
        (Listed {
            { "2026/12/07 08:20", "2026/12/07", "朝会" },
            { "2026/12/08 08:20", "2026/12/08", "朝会" },
            { "2026/12/08 09:45", "2026/12/08", "会議" },
            { "2026/12/09 08:20", "2026/12/09", "朝会" },
            { "2026/12/09 09:00", "2026/12/09", "終日" },
            { "2026/12/10 12:00", "2026/12/10", "出張" },
            { "2026/12/10 17:00", "2026/12/10", "提出" },
            { "2026/12/11 08:20", "2026/12/11", "朝会" },
            { "2026/12/11 11:00", "2026/12/11", "記念式典" },
            { "2026/12/13 10:00", "2026/12/15", "前々日" },
            { "2026/12/13 23:30", "2026/12/14", "深夜" },
        }));

    options_.untimedMinute = 7 * 60 + 45;
    EXPECT_EQ(List(CDTime(2026, 12, 9), CDTime(2026, 12, 9)),
        (Listed { { "2026/12/09 07:45", "2026/12/09", "終日" }, { "2026/12/09 08:20", "2026/12/09", "朝会" } }));
}

// The lead is real minutes before the real start: across a change of the clock the wall-clock
// difference is an hour more or less than the lead.
TEST_F(AlarmListTest, ALeadAcrossAClockChangeIsRealTime)
{
    struct Case {
        const char* zone;
        CDTime start;
        int lead;
        CDTime expected;
    } const cases[] = {
        { "Europe/Berlin", CDTime(2026, 3, 29, 3, 30), 120, CDTime(2026, 3, 29, 0, 30) }, // 02:00 skipped
        { "Europe/Berlin", CDTime(2026, 10, 25, 3, 30), 120, CDTime(2026, 10, 25, 2, 30) }, // 02:00-03:00 twice
        { "America/Santiago", CDTime(2026, 9, 6, 2, 0), 180, CDTime(2026, 9, 5, 22, 0) }, // midnight skipped
        { "Asia/Tokyo", CDTime(2026, 3, 29, 3, 30), 120, CDTime(2026, 3, 29, 1, 30) }, // no change
    };
    for (const Case& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        SCOPED_TRACE(c.zone);
        store_.Clear();
        store_.genres.FindOrAddByName(u"一般");
        Timed(u"早朝", c.start, c.lead);
        const auto alarms = AlarmsBetween(
            store_, options_, (c.start - 2 * CDTime::kDay).Instant(), (c.start + CDTime::kDay).Instant());
        ASSERT_EQ(alarms.size(), 1u);
        EXPECT_EQ(alarms[0].Time(), c.expected);
        EXPECT_EQ(c.start.Instant() - alarms[0].due, c.lead * 60);
    }
}

// Every occurrence the month view lists has its one alarm, and nothing else has one: the listing is
// the oracle for repeat rules, exclusions, avoid days and hidden genres.
TEST_F(AlarmListTest, OccurrencesAreTheMonthViewsDays)
{
    CKalData& weekly = Timed(u"週次", CDTime(2026, 10, 5, 10, 0), 5);
    weekly.repeatType = repeat::kWeekly;
    weekly.weekdays[1] = 1;
    weekly.end = CDTime(2027, 3, 31, 11, 0);
    ExcludeDay(weekly, CDTime(2026, 12, 9));
    weekly.exclusions.push_back(ExclusionPeriod { 2026, 12, 21, 2026, 12, 31 });
    CKalData& monthly = Timed(u"月末払い", CDTime(2026, 1, 27, 9, 0), 30);
    monthly.repeatType = repeat::kMonthly;
    monthly.repeatDayFrom = monthly.repeatDayTo = 27;
    monthly.end = CDTime(2027, 12, 31, 10, 0);
    monthly.avoidDays = avoid::kSaturday | avoid::kSunday; // Sunday the 27th moves to the Saturday, again avoided
    CKalData& daily = Add(u"日課", CDTime(2026, 11, 30), CDTime(2026, 12, 31), 0);
    daily.repeatType = repeat::kDaily;
    daily.interval = 4;
    CKalData& hiddenGenre = Timed(u"隠し", CDTime(2026, 12, 2, 12, 0), 0);
    hiddenGenre.repeatType = repeat::kDaily;
    hiddenGenre.end = CDTime(2026, 12, 31, 13, 0);
    hiddenGenre.genre = store_.genres.FindOrAddByName(u"非表示");
    store_.GenreAt(hiddenGenre.genre)->visible = 0;

    const CDTime first(2026, 12, 1);
    const CDTime last(2026, 12, 31);
    std::set<std::pair<std::string, const CKalData*>> listed;
    DayListing listing(&store_, options_.listing);
    const std::set<const CKalData*> ours { &weekly, &monthly, &daily, &hiddenGenre };
    listing.ForEachInPeriod(first, last, DayListing::Generated::With, [&](CDTime day, const CKalData& entry) {
        if (ours.count(&entry))
            listed.emplace(ToUtf8(DateText(day)), &entry);
    });
    std::set<std::pair<std::string, const CKalData*>> alarmed;
    for (const Alarm& alarm : AlarmsBetween(store_, options_, first.Instant(), (last + CDTime::kDay).Instant())) {
        EXPECT_TRUE(alarmed.emplace(ToUtf8(DateText(alarm.day)), alarm.entry).second) << "twice";
    }
    EXPECT_EQ(alarmed, listed);
    EXPECT_EQ(listed.count({ "2026/12/28", &weekly }), 0u);
    EXPECT_EQ(listed.count({ "2026/12/25", &monthly }), 1u);
    EXPECT_EQ(listed.count({ "2026/12/14", &weekly }), 1u);
    EXPECT_GE(listed.size(), 10u);
}

// The key of a reminder survives a reload of the same file and changes when the entry is moved.
TEST_F(AlarmListTest, KeysFollowTheReminderNotTheEntryObject)
{
    Timed(u"歯医者", CDTime(2026, 12, 8, 15, 0), 30);
    const CDTime from(2026, 12, 7);
    const auto key = [&] {
        const auto alarms = AlarmsBetween(store_, options_, from.Instant(), (from + CDTime::kWeek).Instant());
        EXPECT_EQ(alarms.size(), 1u);
        return alarms.empty() ? 0 : AlarmKey(alarms[0]);
    };
    const std::uint64_t before = key();
    CKalStore copy;
    copy.genres.FindOrAddByName(u"一般");
    copy.AppendEntry(std::make_unique<CKalData>(store_.Entry(0)));
    std::swap(store_.entries, copy.entries);
    EXPECT_EQ(key(), before);
    store_.Entry(0).start += 3600;
    EXPECT_NE(key(), before);
    store_.Entry(0).start -= 3600;
    store_.Entry(0).place = u"駅前";
    EXPECT_NE(key(), before);
}

// What the desktop program hands over for a protected file reads back as it was made, and a line
// that was not made so is refused.
TEST_F(AlarmListTest, HandedAlarmsReadBackAsMade)
{
    CKalData& meeting = Timed(u"会議\t定例", CDTime(2026, 12, 8, 10, 0), 15);
    meeting.place = u"本社\n3F";
    const auto alarms = AlarmsBetween(store_, options_, CDTime(2026, 12, 8).Instant(), CDTime(2026, 12, 9).Instant());
    ASSERT_EQ(alarms.size(), 1u);
    const HandedAlarm handed = Handed(alarms[0]);
    EXPECT_EQ(handed.due, CDTime(2026, 12, 8, 9, 45).Instant());
    EXPECT_EQ(handed.day, u"2026-12-08");
    const std::u16string line = HandedAlarmLine(handed);
    EXPECT_EQ(line.substr(line.find(u"\t2026")), u"\t2026-12-08\t10:00-11:00 会議 定例\t本社 3F");
    HandedAlarm expected = handed;
    expected.summary = u"10:00-11:00 会議 定例";
    expected.place = u"本社 3F";
    EXPECT_EQ(ParseHandedAlarmLine(line), expected);
    for (const char16_t* bad :
        { u"", u"1\tff\t2026-12-08\tx", u"x\tff\t2026-12-08\ty\tz", u"1\tfg\td\ts\tp", u"1\tff\td\ts\tp\textra" })
        EXPECT_EQ(ParseHandedAlarmLine(bad), std::nullopt) << ToUtf8(bad);
}

} // namespace
} // namespace kal
