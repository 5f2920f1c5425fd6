#include "TestEnvironment.h"

#include "platform/Text.h"
#include "store/KalStore.h"
#include "store/OutlookCsv.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

class ClockChangeExportTest : public test::TestEnvironment { };

// An all-day event ends on the day after its last day also when a day is 23 or 25 hours long on the
// machine's clock: the end is a calendar day, never a count of seconds.
TEST_F(ClockChangeExportTest, AnAllDayEntryEndsOnTheNextDayOnEveryClockChangeDay)
{
    struct Case {
        const char* zone;
        int year, month, day;
        const char16_t* start;
        const char16_t* end;
    } const cases[] = {
        { "Europe/Berlin", 2026, 3, 29, u"\"2026/03/29\",\"0:00:00\"", u"\"2026/03/30\",\"0:00:00\"" },
        { "Europe/Berlin", 2026, 10, 25, u"\"2026/10/25\",\"0:00:00\"", u"\"2026/10/26\",\"0:00:00\"" },
        { "America/Santiago", 2026, 9, 6, u"\"2026/09/06\",\"0:00:00\"", u"\"2026/09/07\",\"0:00:00\"" },
        { "America/Santiago", 2026, 4, 4, u"\"2026/04/04\",\"0:00:00\"", u"\"2026/04/05\",\"0:00:00\"" },
        { "America/New_York", 2026, 11, 1, u"\"2026/11/01\",\"0:00:00\"", u"\"2026/11/02\",\"0:00:00\"" },
        { "Australia/Lord_Howe", 2026, 4, 5, u"\"2026/04/05\",\"0:00:00\"", u"\"2026/04/06\",\"0:00:00\"" },
    };
    CKalStore store;
    store.genres.FindOrAddByName(u"一般");
    for (const Case& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        const CDTime day(c.year, c.month, c.day);
        SCOPED_TRACE(std::string(c.zone) + " " + ToUtf8(DateText(day)));
        CKalData single;
        single.text = u"休暇";
        single.start = single.end = day;
        // Repeating entries are dated on the day listed; this one began a week earlier.
        CKalData weekly = single;
        weekly.start = weekly.end = day - CDTime::kWeek;
        weekly.repeatType = repeat::kWeekly;
        for (const CKalData* entry : { &single, &weekly }) {
            const std::optional<std::u16string> line = OutlookCsvLine(day, *entry, store, HiddenEntries::Skip);
            ASSERT_TRUE(line.has_value());
            const std::u16string expected = u"\"休暇\"," + std::u16string(c.start) + u"," + c.end + u",\"True\",";
            EXPECT_EQ(line->substr(0, expected.size()), expected) << ToUtf8(*line);
        }
    }
}

} // namespace
} // namespace kal
