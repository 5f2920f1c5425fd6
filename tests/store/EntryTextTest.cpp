#include "TestEnvironment.h"

#include "platform/Text.h"
#include "store/EntryText.h"
#include "store/KalData.h"

#include <gtest/gtest.h>

#include <random>

namespace kal {
namespace {

class EntryTextTest : public test::TestEnvironment {
protected:
    static CKalData Schedule(CDTime start, CDTime end, std::uint32_t flags = flag::kStartTimeSet | flag::kEndTimeSet)
    {
        CKalData entry;
        entry.start = start;
        entry.end = end;
        entry.flags = flags;
        return entry;
    }
};

TEST_F(EntryTextTest, TimesOfASingleEntrySpanningTwoDays)
{
    const CKalData late = Schedule(CDTime(2005, 7, 1, 22, 0), CDTime(2005, 7, 2, 1, 0));
    EXPECT_EQ(TimeText(late, CDTime(2005, 7, 1), TimeMode::PerEntry), u"22:00 ");
    EXPECT_EQ(TimeText(late, CDTime(2005, 7, 2), TimeMode::PerEntry), u"～01:00 ");
    EXPECT_EQ(TimeText(late, CDTime(2005, 7, 3), TimeMode::PerEntry), u"");
    CKalData daily = late;
    daily.repeatType = 1;
    EXPECT_EQ(TimeText(daily, CDTime(2005, 7, 5), TimeMode::PerEntry), u"22:00-01:00 ");
}

TEST_F(EntryTextTest, ViewModesAndTheEntrysOwnChoice)
{
    CKalData meeting = Schedule(CDTime(2005, 7, 1, 10, 0), CDTime(2005, 7, 1, 11, 30));
    const CDTime day(2005, 7, 1);
    struct Case {
        int timeDisplay;
        TimeMode mode;
        const char16_t* expected;
    };
    const Case cases[] = {
        { kShowStartAndEnd, TimeMode::PerEntry, u"10:00-11:30 " },
        { kShowStartOnly, TimeMode::PerEntry, u"10:00 " },
        { kShowEndOnly, TimeMode::PerEntry, u"～11:30 " },
        { kShowNoTime, TimeMode::PerEntry, u"" },
        { kShowNoTime, TimeMode::StartAndEnd, u"10:00-11:30 " },
        { kShowStartOnly, TimeMode::EndOnly, u"～11:30 " },
        { kShowEndOnly, TimeMode::StartOnly, u"10:00 " },
        { kShowStartAndEnd, TimeMode::None, u"" },
    };
    for (const Case& c : cases) {
        meeting.timeDisplay = c.timeDisplay;
        EXPECT_EQ(TimeText(meeting, day, c.mode), c.expected) << c.timeDisplay << " " << static_cast<int>(c.mode);
    }
    // "Always" still needs the entry to carry the time.
    meeting.timeDisplay = kShowStartAndEnd;
    meeting.Set(flag::kEndTimeSet, false);
    EXPECT_EQ(TimeText(meeting, day, TimeMode::StartAndEnd), u"10:00 ");
    EXPECT_EQ(TimeModeFromSetting(7), TimeMode::PerEntry);
}

TEST_F(EntryTextTest, LinesWithCountdownAndPlace)
{
    CKalData meeting = Schedule(CDTime(2005, 7, 1, 10, 0), CDTime(2005, 7, 1, 11, 30));
    meeting.text = u"打合せ";
    meeting.place = u"会議室";
    EXPECT_EQ(EntryLine(meeting, CDTime(2005, 7, 1), TimeMode::PerEntry, Countdown::On), u"10:00-11:30 打合せ@会議室");

    CKalData report;
    report.Set(flag::kIsTodo, true);
    report.text = u"レポート";
    report.start = report.end = CDTime(2005, 7, 10);
    EXPECT_EQ(EntryLine(report, CDTime(2005, 7, 7), TimeMode::PerEntry, Countdown::On), u"レポート(あと3日)");
    EXPECT_EQ(EntryLine(report, CDTime(2005, 7, 10), TimeMode::PerEntry, Countdown::On), u"レポート(本日まで)");
    EXPECT_EQ(EntryLine(report, CDTime(2005, 7, 11), TimeMode::PerEntry, Countdown::On), u"レポート(1日超過!)");
    EXPECT_EQ(EntryLine(report, CDTime(2005, 7, 11), TimeMode::PerEntry, Countdown::Off), u"レポート");
    report.Set(flag::kNoDeadline, true);
    EXPECT_EQ(EntryLine(report, CDTime(2005, 7, 11), TimeMode::PerEntry, Countdown::On), u"レポート");

    // The countdown is in calendar days: over a clock change, and for a deadline later in the day.
    report.Set(flag::kNoDeadline, false);
    const struct {
        CDTime deadline;
        CDTime day;
        std::u16string line;
    } cases[] = {
        { CDTime(2026, 3, 30), CDTime(2026, 3, 27), u"レポート(あと3日)" }, // Europe changes on the 29th
        { CDTime(2026, 9, 7), CDTime(2026, 9, 4), u"レポート(あと3日)" }, // Chile changes on the 6th
        { CDTime(2026, 4, 6), CDTime(2026, 4, 3), u"レポート(あと3日)" }, // and back on April 5
        { CDTime(2026, 3, 27), CDTime(2026, 3, 30), u"レポート(3日超過!)" },
        { CDTime(2005, 7, 10, 18, 0), CDTime(2005, 7, 11), u"レポート(1日超過!)" },
    };
    for (const auto& c : cases) {
        report.start = report.end = c.deadline;
        EXPECT_EQ(EntryLine(report, c.day, TimeMode::PerEntry, Countdown::On), c.line) << ToUtf8(DateText(c.day));
    }
}

// The numeric sort key must order entries exactly as their texts would.
TEST_F(EntryTextTest, SortKeyOrdersLikeTheTimeText)
{
    std::mt19937 random(99);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::vector<std::pair<std::u16string, std::uint64_t>> samples;
    for (int i = 0; i < 3000; ++i) {
        CKalData entry;
        entry.start = CDTime(2005, 7, between(1, 3), between(0, 23), between(0, 59));
        entry.end = CDTime(2005, 7, between(3, 5), between(0, 23), between(0, 59));
        entry.flags = static_cast<std::uint32_t>(between(0, 3));
        entry.repeatType = between(0, 1);
        const CDTime day(2005, 7, between(1, 5));
        samples.emplace_back(TimeText(entry, day, TimeMode::StartAndEnd),
            TimeSortKey(entry, entry.start.Fields(), entry.end.Fields(), day.Fields()));
    }
    for (std::size_t i = 0; i + 1 < samples.size(); i += 1) {
        const auto& a = samples[i];
        const auto& b = samples[(i * 7919 + 13) % samples.size()];
        EXPECT_EQ(a.first < b.first, a.second < b.second) << ToUtf8(a.first) << " / " << ToUtf8(b.first);
        EXPECT_EQ(a.first == b.first, a.second == b.second) << ToUtf8(a.first) << " / " << ToUtf8(b.first);
    }
}

} // namespace
} // namespace kal
