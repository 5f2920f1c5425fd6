#include "TestEnvironment.h"

#include "calendar/LocalTime.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace kal {
namespace {

class LocalTimeTest : public test::TestEnvironment { };

// Real instants meet the wall clock only at "now", file stamps and calendar servers' UTC times. The
// instants were worked out independently from the zone data.
TEST_F(LocalTimeTest, InstantsAndTheMachinesWallClock)
{
    struct Case {
        const char* zone;
        CDTime wallClock;
        std::int64_t instant;
        std::int64_t otherInstant; // a time shown twice may be either; else the same
        const char16_t* shownAtInstant;
    } const cases[] = {
        { "Asia/Tokyo", CDTime(2026, 12, 7, 9, 30), 1796603400, 1796603400, u"2026/12/07 09:30:00" },
        { "UTC", CDTime(2036, 12, 31, 23, 59), 2114380740, 2114380740, u"2036/12/31 23:59:00" },
        // Skipped: the instant the clock would have shown it without the jump.
        { "Europe/Berlin", CDTime(2026, 3, 29, 2, 30), 1774747800, 1774747800, u"2026/03/29 03:30:00" },
        { "America/Santiago", CDTime(2026, 9, 6, 0, 30), 1788669000, 1788669000, u"2026/09/06 01:30:00" },
        { "America/Santiago", CDTime(2026, 9, 6, 1, 0), 1788667200, 1788667200, u"2026/09/06 01:00:00" },
        { "Australia/Lord_Howe", CDTime(2026, 10, 4, 2, 15), 1791042300, 1791042300, u"2026/10/04 02:45:00" },
        // Shown twice.
        { "Europe/Berlin", CDTime(2026, 10, 25, 2, 30), 1792888200, 1792891800, u"2026/10/25 02:30:00" },
        { "America/Santiago", CDTime(2026, 4, 4, 23, 30), 1775356200, 1775359800, u"2026/04/04 23:30:00" },
    };
    for (const Case& c : cases) {
        const test::ScopedTimeZone zone(c.zone);
        const std::u16string written = c.wallClock.Format(u"%Y/%m/%d %H:%M:%S");
        SCOPED_TRACE(std::string(c.zone) + " " + ToUtf8(written));
        const std::int64_t instant = c.wallClock.Instant();
        EXPECT_TRUE(instant == c.instant || instant == c.otherInstant) << instant;
        EXPECT_EQ(CDTime::FromInstant(c.instant).Format(u"%Y/%m/%d %H:%M:%S"), c.shownAtInstant);
        EXPECT_EQ(CDTime::FromInstant(c.otherInstant).Format(u"%Y/%m/%d %H:%M:%S"), c.shownAtInstant);
        clock_.Set(c.instant);
        EXPECT_EQ(CDTime::Now(), CDTime::FromInstant(c.instant));
        // Asking for the instant leaves the value as written.
        EXPECT_EQ(c.wallClock.Format(u"%Y/%m/%d %H:%M:%S"), written);
    }
}

// An export that ties times to the machine's zone needs the zone's name; a TZ that names none gives
// none rather than a name no other program knows.
TEST_F(LocalTimeTest, TheMachinesZoneByName)
{
    const std::pair<const char*, const char*> cases[] = {
        { "Asia/Tokyo", "Asia/Tokyo" },
        { ":Europe/Berlin", "Europe/Berlin" },
        { "/usr/share/zoneinfo/America/Santiago", "America/Santiago" },
        { "UTC", "UTC" },
        { "JST-9", "" },
        { "../../etc/passwd", "" },
    };
    for (const auto& [tz, name] : cases) {
        const test::ScopedTimeZone zone(tz);
        EXPECT_EQ(LocalTime::ZoneName(), name) << tz;
    }
}

} // namespace
} // namespace kal
