#include "TestEnvironment.h"

#include "store/KalData.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

class KalDataTest : public test::TestEnvironment { };

TEST_F(KalDataTest, NewEntryHasTheDefaults)
{
    profile_.SetInt("System", "Alerm", 15);
    profile_.SetInt("System", "AlermMode", 3);
    ReloadSettings();

    const CKalData entry;
    EXPECT_EQ(entry.months, (std::array<std::uint8_t, 12> { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 }));
    EXPECT_EQ(entry.weeks, (std::array<std::uint8_t, 5> {}));
    EXPECT_EQ(entry.weekdays, (std::array<std::uint8_t, 7> {}));
    EXPECT_EQ(entry.interval, 1);
    EXPECT_EQ(entry.repeatDayFrom, 1);
    EXPECT_EQ(entry.repeatDayTo, 1);
    EXPECT_EQ(entry.showDaysBefore, -1);
    EXPECT_EQ(entry.alarmMinutes, 15);
    EXPECT_EQ(entry.alarmMode, 3);
    EXPECT_EQ(entry.flags, 0u);
    EXPECT_EQ(entry.repeatType, 0);
    EXPECT_EQ(entry.positionMode, 0);
    EXPECT_EQ(entry.genre, 0);
    EXPECT_EQ(entry.avoidDays, 0u);
    EXPECT_TRUE(entry.exclusions.empty());
}

TEST_F(KalDataTest, DefaultAlarmIsTheSettingsDefault)
{
    const CKalData entry;
    EXPECT_EQ(entry.alarmMinutes, 0);
    EXPECT_EQ(entry.alarmMode, 1);
}

TEST_F(KalDataTest, CopyTakesTheCurrentAlarmModeAndEverythingElseFromTheSource)
{
    CKalData source;
    source.start = CDTime(2005, 7, 3, 9, 0);
    source.end = CDTime(2005, 7, 3, 10, 30);
    source.text = u"会議";
    source.place = u"本社";
    source.flags = flag::kStartTimeSet | flag::kEndTimeSet | flag::kHoliday;
    source.priority = 4;
    source.colour = 0x123456;
    source.linkFile = u"/tmp/a.txt";
    source.alarmMinutes = 30;
    source.alarmMode = 7;
    source.showDaysBefore = 3;
    source.genre = 2;
    source.timeDisplay = kShowEndOnly;
    source.memo = u"一行目\r\n二行目";
    source.textStyle = textstyle::kBold | textstyle::kStrikeOut;
    source.repeatType = 3;
    source.repeatDayFrom = 10;
    source.repeatDayTo = 12;
    source.interval = 2;
    source.positionMode = 1;
    source.weeks = { 0, 0, 1, 0, 1 };
    source.weekdays = { 0, 1, 0, 0, 0, 1, 0 };
    source.months = { 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0 };
    source.avoidDays = avoid::kSaturday | avoid::kDrop;
    source.exclusions = { { 2005, 8, 1, 2005, 8, 1 }, { 2005, 12, 30, 2006, 1, 3 } };

    settings_.Set(IntSetting::AlermMode, 2);
    const CKalData copy(source);

    EXPECT_EQ(copy.alarmMode, 2);
    CKalData expected = source;
    expected.alarmMode = 2;
    EXPECT_EQ(copy.start, expected.start);
    EXPECT_EQ(copy.end, expected.end);
    EXPECT_EQ(copy.text, expected.text);
    EXPECT_EQ(copy.place, expected.place);
    EXPECT_EQ(copy.flags, expected.flags);
    EXPECT_EQ(copy.priority, expected.priority);
    EXPECT_EQ(copy.colour, expected.colour);
    EXPECT_EQ(copy.linkFile, expected.linkFile);
    EXPECT_EQ(copy.alarmMinutes, expected.alarmMinutes);
    EXPECT_EQ(copy.showDaysBefore, expected.showDaysBefore);
    EXPECT_EQ(copy.genre, expected.genre);
    EXPECT_EQ(copy.timeDisplay, expected.timeDisplay);
    EXPECT_EQ(copy.memo, expected.memo);
    EXPECT_EQ(copy.textStyle, expected.textStyle);
    EXPECT_EQ(copy.repeatType, expected.repeatType);
    EXPECT_EQ(copy.repeatDayFrom, expected.repeatDayFrom);
    EXPECT_EQ(copy.repeatDayTo, expected.repeatDayTo);
    EXPECT_EQ(copy.interval, expected.interval);
    EXPECT_EQ(copy.positionMode, expected.positionMode);
    EXPECT_EQ(copy.weeks, expected.weeks);
    EXPECT_EQ(copy.weekdays, expected.weekdays);
    EXPECT_EQ(copy.months, expected.months);
    EXPECT_EQ(copy.avoidDays, expected.avoidDays);
    EXPECT_EQ(copy.exclusions, expected.exclusions);

    // Assignment is a plain copy: the working copy of a dialog keeps its own mode.
    CKalData assigned;
    assigned = source;
    EXPECT_EQ(assigned.alarmMode, 7);
}

TEST_F(KalDataTest, AlarmTimeAndDisplayColour)
{
    CKalData entry;
    entry.start = CDTime(2005, 7, 3, 9, 0);
    entry.alarmMinutes = 15;
    EXPECT_EQ(entry.AlarmTime(), CDTime(2005, 7, 3, 8, 45));
    entry.alarmMinutes = 0;
    EXPECT_EQ(entry.AlarmTime(), entry.start);
    entry.alarmMinutes = -1;
    EXPECT_EQ(entry.AlarmTime(), entry.start);
    entry.alarmMinutes = 15;
    entry.Set(flag::kIsTodo, true);
    EXPECT_EQ(entry.AlarmTime(), entry.start);

    entry.colour = 0x00FF00;
    EXPECT_EQ(entry.DisplayColour(0x0000FF), 0x00FF00u);
    entry.Set(flag::kHoliday, true);
    EXPECT_EQ(entry.DisplayColour(0x0000FF), 0x0000FFu);
    entry.Set(flag::kHoliday, false);
    EXPECT_FALSE(entry.IsHoliday());
    EXPECT_TRUE(entry.IsTodo());
}

} // namespace
} // namespace kal
