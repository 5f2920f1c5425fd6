#include "TestEnvironment.h"

#include "platform/Text.h"
#include "store/CsvLine.h"
#include "store/EntryRow.h"
#include "store/KalData.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kal {
namespace {

using Days = std::vector<std::string>;

class HostileNumbersTest : public test::TestEnvironment {
protected:
    // A rule from 2026/01/05 to the calendar's end, written as a file row, with one column replaced.
    static CsvLine Row(int repeatType, int column, std::u16string_view value)
    {
        CKalData entry;
        entry.start = CDTime(2026, 1, 5);
        entry.end = CDTime(2036, 12, 31);
        entry.repeatType = repeatType;
        entry.repeatDayFrom = entry.repeatDayTo = 5;
        CsvLine row;
        EncodeEntryRow(entry, row);
        row.SetField(column, value);
        return row;
    }

    // The days of January 2026 the entry occurs on.
    static Days January(const CKalData& entry)
    {
        const CDTime from(2026, 1, 1);
        const CDTime to(2026, 1, 31, 23, 59, 59);
        std::vector<std::uint8_t> marks(static_cast<std::size_t>(OccurrenceDays(from, to)));
        MarkOccurrences(entry, from, to, marks);
        Days days;
        for (std::size_t k = 0; k < marks.size(); ++k) {
            if (marks[k])
                days.push_back(ToUtf8(DateText(CDTime(2026, 1, 1 + static_cast<int>(k)))));
        }
        return days;
    }
};

// Values no dialog could have written load into range, and the month fill ends with the occurrences
// the clamped rule has.
TEST_F(HostileNumbersTest, RepeatColumnsAreBoundedAndTheMonthFillEnds)
{
    const Days onlyTheStart { "2026/01/05" };
    Days everyDay;
    for (int day = 5; day <= 31; ++day)
        everyDay.push_back(ToUtf8(DateText(CDTime(2026, 1, day))));
    const struct {
        int repeatType;
        int column;
        std::u16string value;
        int interval;
        int dayFrom;
        int dayTo;
        Days days;
    } cases[] = {
        { repeat::kDaily, column::kInterval, u"33554432", repeat::kMaxInterval, 5, 5, onlyTheStart },
        { repeat::kWeekly, column::kInterval, u"33554432", repeat::kMaxInterval, 5, 5, onlyTheStart },
        { repeat::kMonthly, column::kInterval, u"2147483647", repeat::kMaxInterval, 5, 5, onlyTheStart },
        { repeat::kYearly, column::kInterval, u"2147483647", repeat::kMaxInterval, 5, 5, onlyTheStart },
        { repeat::kCustom, column::kInterval, u"2147483647", repeat::kMaxInterval, 5, 5, onlyTheStart },
        { repeat::kMonthly, column::kInterval, u"99999999999999999999", repeat::kMaxInterval, 5, 5, onlyTheStart },
        { repeat::kDaily, column::kInterval, u"-2147483648", 0, 5, 5, everyDay },
        { repeat::kMonthly, column::kRepeatDayFrom, u"2147483647", 1, 31, 5, {} },
        { repeat::kMonthly, column::kRepeatDayFrom, u"-2147483648", 1, 1, 5, onlyTheStart },
        { repeat::kMonthly, column::kRepeatDayTo, u"2147483647", 1, 5, 31, everyDay },
        { repeat::kYearly, column::kRepeatDayTo, u"-7", 1, 5, 1, {} },
        { repeat::kMonthly, column::kRepeatDayTo, u"-1", 1, 5, repeat::kLastDayOfMonth, everyDay },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.value) + " in column " + std::to_string(c.column));
        CKalData entry;
        ASSERT_TRUE(DecodeEntryRow(Row(c.repeatType, c.column, c.value), entry));
        EXPECT_EQ(entry.interval, c.interval);
        EXPECT_EQ(entry.repeatDayFrom, c.dayFrom);
        EXPECT_EQ(entry.repeatDayTo, c.dayTo);
        EXPECT_EQ(January(entry), c.days);
    }
}

TEST_F(HostileNumbersTest, AlarmAndShowBeforeAreBounded)
{
    const struct {
        std::u16string kind;
        std::u16string value;
        int alarmMinutes;
        int showDaysBefore;
    } cases[] = {
        { u"0", u"2147483647", 99999999, -1 },
        { u"0", u"-2147483648", -99999999, -1 },
        { u"0", u"-1", -1, -1 },
        { u"1", u"2147483647", -1, 99999 },
        { u"1", u"-2147483648", -1, -1 },
        { u"1", u"7", -1, 7 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.kind + u" " + c.value));
        CsvLine row = Row(repeat::kNone, column::kAlarmOrDaysBefore, c.value);
        row.SetField(column::kKind, c.kind);
        CKalData entry;
        entry.alarmMinutes = -1;
        ASSERT_TRUE(DecodeEntryRow(row, entry));
        EXPECT_EQ(entry.alarmMinutes, c.alarmMinutes);
        EXPECT_EQ(entry.showDaysBefore, c.showDaysBefore);
    }
}

} // namespace
} // namespace kal
