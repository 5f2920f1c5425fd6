#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/IniProfile.h"
#include "settings/KalSettings.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kal {
namespace {

using test::TemporaryFolder;

void ExpectDefaults(const CKalSettings& s)
{
    EXPECT_EQ(s.Get(IntSetting::MonthWeeks), 5);
    EXPECT_EQ(s.CellCount(), 35);
    EXPECT_EQ(s.Get(IntSetting::DayDrawPos), 3);
    EXPECT_EQ(s.Get(IntSetting::File), 1);
    EXPECT_EQ(s.Get(IntSetting::OtherMonthDayColor), 1);
    EXPECT_EQ(s.Get(IntSetting::SchIconColor), 10079232);
    EXPECT_EQ(s.Get(IntSetting::MonthSchView), 1);
    EXPECT_EQ(s.Get(IntSetting::SchList), 3);
    EXPECT_EQ(s.Get(IntSetting::SchListView), 1);
    EXPECT_EQ(s.Get(IntSetting::SyncNotify), 1);
    EXPECT_EQ(s.Get(IntSetting::SelColorMode), 0);
    EXPECT_EQ(s.Get(IntSetting::Shunbun), 1);
    EXPECT_EQ(s.Get(IntSetting::Hurikae), 1);
    EXPECT_EQ(s.Get(IntSetting::SchSort), 1);
    EXPECT_EQ(s.Get(IntSetting::InitFile), 1);
    EXPECT_EQ(s.Get(IntSetting::Snooze), 5);
    EXPECT_EQ(s.Get(IntSetting::Alerm), 0);
    EXPECT_EQ(s.Get(IntSetting::AlermMode), 1);
    EXPECT_EQ(s.Get(IntSetting::DefaultKigen), 1);
    EXPECT_EQ(s.Get(IntSetting::DefaultDays), 7);
    EXPECT_EQ(s.Get(IntSetting::TextCopyYear), 0);
    EXPECT_EQ(s.Get(IntSetting::TextCopyYoubi), 1);
    EXPECT_EQ(s.Get(IntSetting::StartMonday), 0);
    EXPECT_EQ(s.Get(IntSetting::TodoPos), 0);
    EXPECT_EQ(s.Get(ColourSetting::Back), 16777215u);
    EXPECT_EQ(s.Get(ColourSetting::Other), 14737632u);
    EXPECT_EQ(s.Get(ColourSetting::Select), 8388608u);
    EXPECT_EQ(s.Get(ColourSetting::Holiday), 255u);
    EXPECT_EQ(s.WeekColour(0), 255u);
    for (int day = 1; day <= 5; ++day)
        EXPECT_EQ(s.WeekColour(day), 0u);
    EXPECT_EQ(s.WeekColour(6), 16711680u);
    for (int i = 0; i < kCustomColourCount; ++i)
        EXPECT_EQ(s.CustomColour(i), 16777215u);
    EXPECT_TRUE(s.AlarmWave().empty());
    EXPECT_EQ(s.MonthPaneHeight(500), 400);
    EXPECT_EQ(s.MonthPaneWidth(801), 640);
    EXPECT_EQ(s.Font(FontSetting::Entry).faceName, u"ＭＳ Ｐゴシック");
    EXPECT_EQ(s.Font(FontSetting::Entry).charSet, 128);
    EXPECT_EQ(s.Font(FontSetting::DayNumber).faceName, u"Arial");
    EXPECT_EQ(s.Font(FontSetting::DayNumber).italic, 1);
    EXPECT_EQ(s.Font(FontSetting::YearMonth).point, 10);
    EXPECT_EQ(s.Font(FontSetting::Title).faceName, u"ＭＳ ゴシック");
    EXPECT_EQ(s.Font(FontSetting::DayList).pitchAndFamily, 48);
}

TEST(KalSettings, MissingSettingsFileGivesEveryDefault)
{
    TemporaryFolder folder;
    IniProfile profile(folder.File("none/Kalendra.ini"));
    CKalSettings settings;
    settings.Load(profile);
    ExpectDefaults(settings);
}

TEST(KalSettings, DamagedSettingsFileGivesDefaultsForWhatItLoses)
{
    TemporaryFolder folder;
    const std::string path = folder.File("Kalendra.ini");
    std::string text = "\x01\x02\xFF\xFE binary\n[View]\nMonthWeeks=" + std::string(1u << 20, '6') + "\n";
    text += "BackColor=not a colour\nDayDrawPos=9\nSelectColor=255\n[Color]\nSelColorMode=-4\n";
    text += "[Font]\nPoint=0\nFaceName=\n";
    std::ofstream(path, std::ios::binary) << text;

    IniProfile profile(path);
    CKalSettings settings;
    settings.Load(profile);
    EXPECT_EQ(settings.Get(IntSetting::MonthWeeks), 5);
    EXPECT_EQ(settings.Get(ColourSetting::Back), 16777215u);
    EXPECT_EQ(settings.Get(IntSetting::DayDrawPos), 3);
    EXPECT_EQ(settings.Get(IntSetting::SelColorMode), 0);
    EXPECT_EQ(settings.Get(ColourSetting::Select), 255u);
    EXPECT_EQ(settings.Font(FontSetting::Entry).point, 9);
    EXPECT_EQ(settings.Font(FontSetting::Entry).faceName, u"ＭＳ Ｐゴシック");
}

TEST(KalSettings, OnlyTheFileSectionsPresentAreRead)
{
    TemporaryFolder folder;
    const std::string path = folder.File("Kalendra.ini");
    std::ofstream(path) << "[System]\nSchSort=0\n";
    IniProfile profile(path);
    CKalSettings settings;
    settings.Load(profile);
    EXPECT_EQ(settings.Get(IntSetting::SchSort), 0);
    EXPECT_EQ(settings.Get(IntSetting::MonthWeeks), 5);
    EXPECT_EQ(settings.Get(ColourSetting::Holiday), 255u);
}

TEST(KalSettings, SettersWriteAtOnceInTheStoredForms)
{
    TemporaryFolder folder;
    const std::string path = folder.File("Kalendra.ini");
    {
        IniProfile profile(path);
        CKalSettings settings;
        settings.Load(profile);
        settings.Set(IntSetting::MonthWeeks, 6);
        settings.Set(IntSetting::TextCopyYoubi, 0);
        settings.Set(ColourSetting::Holiday, 0x00FF00);
        settings.Set(ColourSetting::Week6, 0xFF0000);
        settings.SetCustomColour(15, 0x123456);
        LogFont font = settings.Font(FontSetting::DayList);
        font.faceName = u"IPAGothic";
        font.point = 12;
        font.weight = 700;
        settings.SetFont(FontSetting::DayList, font);
        settings.SetAlarmWave(u"/usr/share/sounds/alarm.wav");
        EXPECT_EQ(settings.CellCount(), 42);
    }
    const std::string text = ReadWholeFile(path).ValueOr("");
    EXPECT_NE(text.find("MonthWeeks=6"), std::string::npos);
    EXPECT_NE(text.find("HolidayColor=65280"), std::string::npos);
    EXPECT_NE(text.find("WeekColor6=16711680"), std::string::npos);
    EXPECT_NE(text.find("[ColorDlg]\nCustom15=1193046"), std::string::npos);
    EXPECT_NE(text.find("[TextCopy]\nYoubi=0"), std::string::npos);
    EXPECT_NE(text.find("[DayFont]\nFaceName=IPAGothic\nPoint=12\nWeight=700\nItalic=0\nUnderline=0\nCharSet=128"),
        std::string::npos)
        << text;

    IniProfile profile(path);
    CKalSettings reread;
    reread.Load(profile);
    EXPECT_EQ(reread.Get(IntSetting::MonthWeeks), 6);
    EXPECT_EQ(reread.Get(ColourSetting::Holiday), 0x00FF00u);
    EXPECT_EQ(reread.CustomColour(15), 0x123456u);
    EXPECT_EQ(reread.Font(FontSetting::DayList).faceName, u"IPAGothic");
    EXPECT_EQ(reread.Font(FontSetting::DayList).weight, 700);
    EXPECT_EQ(reread.AlarmWave(), u"/usr/share/sounds/alarm.wav");
}

TEST(KalSettings, PaneSizesOnceStoredWin)
{
    MemoryProfile profile;
    profile.SetInt("View", "Row", 123);
    CKalSettings settings;
    settings.Load(profile);
    EXPECT_EQ(settings.MonthPaneHeight(1000), 123);
    EXPECT_EQ(settings.MonthPaneWidth(1000), 800);
}

TEST(KalSettings, LinkMarkIsAVisibleImage)
{
    const CKalSettings settings;
    const LinkMark& mark = settings.LinkFileMark();
    ASSERT_FALSE(mark.IsEmpty());
    ASSERT_EQ(mark.pixels.size(), static_cast<std::size_t>(mark.width * mark.height));
    int opaque = 0;
    for (const std::uint32_t pixel : mark.pixels)
        opaque += (pixel >> 24) == 0xFF;
    EXPECT_GT(opaque, mark.width);
    EXPECT_LT(opaque, mark.width * mark.height);
}

} // namespace
} // namespace kal
