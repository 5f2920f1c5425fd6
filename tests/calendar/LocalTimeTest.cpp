#include "TestEnvironment.h"

#include "calendar/LocalTime.h"

#include <gtest/gtest.h>

#include <ctime>
#include <random>

namespace kal {
namespace {

// The fast conversions must give exactly what the C library gives, in zones with and without daylight
// saving, half-hour shifts included, and on the days the clocks change.
class LocalTimeTest : public ::testing::TestWithParam<const char*> { };

TEST_P(LocalTimeTest, AgreesWithTheLibrary)
{
    test::ScopedTimeZone zone(GetParam());
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> instant(-86400 * 3, 4102444800LL); // to 2100
    for (int i = 0; i < 200000; ++i) {
        // Every tenth sample sits near a quarter hour, where daylight-saving changes happen.
        std::int64_t seconds = instant(random);
        if (i % 10 == 0)
            seconds -= seconds % 900 + (i % 3) - 1;
        const std::time_t t = static_cast<std::time_t>(seconds);
        std::tm expected {};
        localtime_r(&t, &expected);
        const LocalFields got = LocalTime::Fields(seconds);
        ASSERT_EQ(got.year, expected.tm_year + 1900) << seconds;
        ASSERT_EQ(got.month, expected.tm_mon + 1) << seconds;
        ASSERT_EQ(got.day, expected.tm_mday) << seconds;
        ASSERT_EQ(got.hour, expected.tm_hour) << seconds;
        ASSERT_EQ(got.minute, expected.tm_min) << seconds;
        ASSERT_EQ(got.second, expected.tm_sec) << seconds;
        ASSERT_EQ(got.weekday, expected.tm_wday) << seconds;

        // Back from fields, including ones out of range and the hours a clock change skips or repeats.
        std::tm fields = expected;
        fields.tm_isdst = -1;
        if (i % 7 == 0)
            fields.tm_mday += 40;
        if (i % 11 == 0)
            fields.tm_mon -= 14;
        if (i % 13 == 0)
            fields.tm_hour += 30;
        const int year = fields.tm_year + 1900;
        const int month = fields.tm_mon + 1;
        const int day = fields.tm_mday;
        const int hour = fields.tm_hour;
        const std::int64_t library = static_cast<std::int64_t>(std::mktime(&fields));
        ASSERT_EQ(LocalTime::Seconds(year, month, day, hour, fields.tm_min, fields.tm_sec), library)
            << year << "-" << month << "-" << day << " " << hour;
    }
}

TEST_P(LocalTimeTest, EveryHourAroundTheYearAgrees)
{
    test::ScopedTimeZone zone(GetParam());
    for (int year : { 1972, 2005, 2021, 2036 }) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                for (int hour = 0; hour < 24; ++hour) {
                    for (int minute : { 0, 30, 59 }) {
                        std::tm fields {};
                        fields.tm_year = year - 1900;
                        fields.tm_mon = month - 1;
                        fields.tm_mday = day;
                        fields.tm_hour = hour;
                        fields.tm_min = minute;
                        fields.tm_isdst = -1;
                        ASSERT_EQ(LocalTime::Seconds(year, month, day, hour, minute, 0), std::mktime(&fields))
                            << year << "-" << month << "-" << day << " " << hour << ":" << minute;
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Zones, LocalTimeTest,
    ::testing::Values(
        "Asia/Tokyo", "America/New_York", "Europe/London", "Australia/Lord_Howe", "UTC", "America/Sao_Paulo"));

} // namespace
} // namespace kal
