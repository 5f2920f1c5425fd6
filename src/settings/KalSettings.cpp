#include "settings/KalSettings.h"

#include "platform/Profile.h"
#include "platform/Text.h"

#include <climits>
#include <string>

namespace kal {

namespace {

struct IntDefinition {
    IntSetting setting;
    const char* section;
    const char* name;
    int defaultValue;
    int minimum = INT_MIN; // a stored value outside [minimum, maximum] reads as the default
    int maximum = INT_MAX;
};

// The integer settings: section, value name and default. Values with a fixed range are checked
// against it, so that a damaged settings file cannot make, say, a grid of a thousand weeks.
constexpr IntDefinition kIntDefinitions[] = {
    { IntSetting::MonthWeeks, "View", "MonthWeeks", 5, 5, 6 },
    { IntSetting::StartMonday, "View", "StartMonday", 0 },
    { IntSetting::Youbi, "View", "Youbi", 0 },
    { IntSetting::Month, "View", "Month", 0 },
    { IntSetting::DayDrawPos, "View", "DayDrawPos", 3, 0, 4 },
    { IntSetting::DayDrawFrame, "View", "DayDrawFrame", 0, 0, 2 },
    { IntSetting::Diary, "View", "Diary", 0 },
    { IntSetting::File, "View", "File", 1 },
    { IntSetting::Multiline, "View", "Multiline", 0 },
    { IntSetting::MultiDayBars, "View", "MultiDayBars", 0, 0, 1 },
    { IntSetting::ViewTime, "View", "ViewTime", 0 },
    { IntSetting::MonthViewTime, "View", "MonthViewTime", 0, 0, 4 },
    { IntSetting::DayViewTime, "View", "DayViewTime", 0, 0, 4 },
    { IntSetting::WeekViewTime, "View", "WeekViewTime", 0 },
    { IntSetting::DiaryViewTime, "View", "DiaryViewTime", 0 },
    { IntSetting::TodoPos, "View", "TodoPos", 0 },
    { IntSetting::TodoViewAll, "View", "TodoViewAll", 0 },
    { IntSetting::OtherMonthDayColor, "View", "OtherMonthDayColor", 1 },
    { IntSetting::SchIconColor, "View", "SchIconColor", 10079232 },
    { IntSetting::MonthSchView, "View", "MonthSchView", 1 },
    { IntSetting::SchList, "View", "SchList", 3, 0, 3 },
    { IntSetting::SchListView, "View", "SchListView", 1 },
    { IntSetting::Row, "View", "Row", -1, 0, INT_MAX },
    { IntSetting::Col, "View", "Col", -1, 0, INT_MAX },
    { IntSetting::SyncNotify, "View", "SyncNotify", 1 },
    { IntSetting::SelColorMode, "Color", "SelColorMode", 0, 0, 2 },
    { IntSetting::Shunbun, "Holiday", "Shunbun", 1 },
    { IntSetting::Hurikae, "Holiday", "Hurikae", 1 },
    { IntSetting::SchSort, "System", "SchSort", 1 },
    { IntSetting::OkFrame, "System", "OkFrame", 0 },
    { IntSetting::SoftKeyMenu, "System", "SoftKeyMenu", 0 },
    { IntSetting::EnterSch, "System", "EnterSch", 0 },
    { IntSetting::InitFile, "System", "InitFile", 1 },
    { IntSetting::Ime, "System", "Ime", 0 },
    { IntSetting::Snooze, "System", "Snooze", 5 },
    { IntSetting::Alerm, "System", "Alerm", 0 },
    { IntSetting::AlermMode, "System", "AlermMode", 1 },
    { IntSetting::SaveSpanMinute, "System", "SaveSpanMinute", 0 },
    { IntSetting::DefaultKigen, "Todo", "DefaultKigen", 1 },
    { IntSetting::DefaultDays, "Todo", "DefaultDays", 7 },
    { IntSetting::InitView, "Init", "View", 0 },
    { IntSetting::InitTodo, "Init", "Todo", 0 },
    { IntSetting::TextCopyYear, "TextCopy", "Year", 0 },
    { IntSetting::TextCopyYoubi, "TextCopy", "Youbi", 1 },
};
static_assert(std::size(kIntDefinitions) == static_cast<std::size_t>(IntSetting::Count));

constexpr const char* kColourSection = "View";

struct ColourDefinition {
    const char* name;
    Colour defaultValue;
    const char* section = kColourSection;
};

constexpr ColourDefinition kColourDefinitions[] = {
    { "BackColor", 16777215 },
    { "OtherColor", 14737632 },
    { "SelectColor", 8388608 },
    { "HolidayColor", 255 },
    { "WeekColor0", 255 },
    { "WeekColor1", 0 },
    { "WeekColor2", 0 },
    { "WeekColor3", 0 },
    { "WeekColor4", 0 },
    { "WeekColor5", 0 },
    { "WeekColor6", 16711680 },
    // The day list reads back what its own colour commands stored. Taking the month view's
    // "View" colours instead would change the list at the next start to a colour nobody chose for it.
    { "BackColor", 16777215, "DayView" },
    { "BackColor2", 8388608, "DayView" },
};
static_assert(std::size(kColourDefinitions) == static_cast<std::size_t>(ColourSetting::Count));

struct TextDefinition {
    const char* section;
    const char* name;
};

constexpr TextDefinition kTextDefinitions[] = {
    { "Calendar", "Store" },
    { "Calendar", "User" },
    { "Calendar", "Password" },
};
static_assert(std::size(kTextDefinitions) == static_cast<std::size_t>(TextSetting::Count));

struct ProfileIntDefinition {
    const char* section;
    const char* name;
    int defaultValue;
};

constexpr ProfileIntDefinition kProfileIntDefinitions[] = {
    { "View", "TodoLeftDraw", 1 },
    { "System", "HolidayChangeFlag1", 0 },
    { "System", "CardMax", 5000 },
    { "System", "Item", 0 },
    { "Remind", "UntimedTime", 9 * 60 },
    { "Remind", "Autostart", 1 },
};
static_assert(std::size(kProfileIntDefinitions) == static_cast<std::size_t>(ProfileIntSetting::Count));

constexpr TextDefinition kProfileTextDefinitions[] = {
    { "System", "ExePath" },
    { "System", "DefaultFile" },
    { "System", "InitDir" },
    { "Diary", "Dir" },
    { "Field", "File" },
};
static_assert(std::size(kProfileTextDefinitions) == static_cast<std::size_t>(ProfileTextSetting::Count));

constexpr const char* kCustomColourSection = "ColorDlg";
constexpr Colour kCustomColourDefault = 16777215;

struct FontDefinition {
    const char* section;
    const char16_t* faceName;
    int point;
    int weight;
    int italic;
    int underline;
    int charSet;
    int pitchAndFamily;
};

constexpr FontDefinition kFontDefinitions[] = {
    { "Font", u"ＭＳ Ｐゴシック", 9, 400, 0, 0, 128, 0x30 },
    { "DFont", u"Arial", 9, 400, 1, 0, 0, 0x30 },
    { "TFont", u"ＭＳ ゴシック", 9, 400, 1, 0, 0, 0 },
    { "YFont", u"ＭＳ ゴシック", 10, 400, 1, 0, 0, 0 },
    { "DayFont", u"ＭＳ ゴシック", 9, 400, 0, 0, 128, 48 },
};
static_assert(std::size(kFontDefinitions) == static_cast<std::size_t>(FontSetting::Count));

const IntDefinition& DefinitionOf(IntSetting setting)
{
    return kIntDefinitions[static_cast<int>(setting)];
}

std::string CustomColourName(int index)
{
    return "Custom" + std::to_string(index);
}

// Colours are kept as "%ld" text of the value; anything but a number reads as the default.
Colour ReadColour(const Profile& profile, const char* section, const std::string& name, Colour defaultValue)
{
    const std::u16string text = profile.GetString(section, name, u"");
    int value = 0;
    if (text.empty() || !ParseWholeInt(ToUtf8(text), value))
        return defaultValue;
    return static_cast<Colour>(value) & 0xFFFFFF;
}

void WriteColour(Profile& profile, const char* section, const std::string& name, Colour value)
{
    profile.SetString(section, name, AsciiText(std::to_string(static_cast<long>(value))));
}

LogFont ReadFont(const Profile& profile, const FontDefinition& definition)
{
    LogFont font;
    font.faceName = profile.GetString(definition.section, "FaceName", definition.faceName);
    if (font.faceName.empty())
        font.faceName = definition.faceName;
    font.point = profile.GetInt(definition.section, "Point", definition.point);
    if (font.point < 1 || font.point > 200)
        font.point = definition.point;
    font.weight = profile.GetInt(definition.section, "Weight", definition.weight);
    if (font.weight < 0 || font.weight > 1000)
        font.weight = definition.weight;
    font.italic = profile.GetInt(definition.section, "Italic", definition.italic);
    font.underline = profile.GetInt(definition.section, "Underline", definition.underline);
    font.charSet = profile.GetInt(definition.section, "CharSet", definition.charSet);
    font.pitchAndFamily = definition.pitchAndFamily;
    return font;
}

} // namespace

CKalSettings::CKalSettings()
{
    for (const IntDefinition& definition : kIntDefinitions)
        ints_[Index(definition.setting)] = definition.defaultValue;
    for (int i = 0; i < static_cast<int>(ColourSetting::Count); ++i)
        colours_[i] = kColourDefinitions[i].defaultValue;
    customColours_.fill(kCustomColourDefault);
    for (int i = 0; i < static_cast<int>(FontSetting::Count); ++i) {
        const FontDefinition& definition = kFontDefinitions[i];
        fonts_[i] = LogFont { definition.faceName, definition.point, definition.weight, definition.italic,
            definition.underline, definition.charSet, definition.pitchAndFamily };
    }
    linkMark_ = LinkMark::PaperClip();
}

void CKalSettings::Load(Profile& profile)
{
    profile_ = &profile;
    for (const IntDefinition& definition : kIntDefinitions) {
        const int value = profile.GetInt(definition.section, definition.name, definition.defaultValue);
        ints_[Index(definition.setting)]
            = value >= definition.minimum && value <= definition.maximum ? value : definition.defaultValue;
    }
    for (int i = 0; i < static_cast<int>(ColourSetting::Count); ++i)
        colours_[i] = ReadColour(
            profile, kColourDefinitions[i].section, kColourDefinitions[i].name, kColourDefinitions[i].defaultValue);
    for (int i = 0; i < kCustomColourCount; ++i)
        customColours_[i] = ReadColour(profile, kCustomColourSection, CustomColourName(i), kCustomColourDefault);
    for (int i = 0; i < static_cast<int>(FontSetting::Count); ++i)
        fonts_[i] = ReadFont(profile, kFontDefinitions[i]);
    alarmWave_ = profile.GetString("System", "AlermWave", u"");
    for (int i = 0; i < static_cast<int>(TextSetting::Count); ++i)
        texts_[i] = profile.GetString(kTextDefinitions[i].section, kTextDefinitions[i].name, u"");
}

void CKalSettings::Set(TextSetting setting, std::u16string value)
{
    texts_[Index(setting)] = std::move(value);
    if (profile_)
        profile_->SetString(
            kTextDefinitions[Index(setting)].section, kTextDefinitions[Index(setting)].name, texts_[Index(setting)]);
}

void CKalSettings::Set(IntSetting setting, int value)
{
    ints_[Index(setting)] = value;
    if (profile_)
        profile_->SetInt(DefinitionOf(setting).section, DefinitionOf(setting).name, value);
}

void CKalSettings::Set(ColourSetting setting, Colour value)
{
    colours_[Index(setting)] = value;
    if (profile_)
        WriteColour(
            *profile_, kColourDefinitions[Index(setting)].section, kColourDefinitions[Index(setting)].name, value);
}

Colour CKalSettings::WeekColour(int weekday) const
{
    return colours_[Index(ColourSetting::Week0) + ((weekday % 7) + 7) % 7];
}

void CKalSettings::SetCustomColour(int index, Colour value)
{
    customColours_[index] = value;
    if (profile_)
        WriteColour(*profile_, kCustomColourSection, CustomColourName(index), value);
}

void CKalSettings::SetFont(FontSetting font, const LogFont& value)
{
    const FontDefinition& definition = kFontDefinitions[static_cast<int>(font)];
    fonts_[static_cast<int>(font)] = value;
    fonts_[static_cast<int>(font)].pitchAndFamily = definition.pitchAndFamily;
    if (!profile_)
        return;
    profile_->SetString(definition.section, "FaceName", value.faceName);
    profile_->SetInt(definition.section, "Point", value.point);
    profile_->SetInt(definition.section, "Weight", value.weight);
    profile_->SetInt(definition.section, "Italic", value.italic);
    profile_->SetInt(definition.section, "Underline", value.underline);
    profile_->SetInt(definition.section, "CharSet", value.charSet);
}

void CKalSettings::SetAlarmWave(std::u16string value)
{
    alarmWave_ = std::move(value);
    if (profile_)
        profile_->SetString("System", "AlermWave", alarmWave_);
}

int CKalSettings::MonthPaneHeight(int clientHeight) const
{
    const int stored = Get(IntSetting::Row);
    return stored >= 0 ? stored : 4 * clientHeight / 5;
}

int CKalSettings::MonthPaneWidth(int clientWidth) const
{
    const int stored = Get(IntSetting::Col);
    return stored >= 0 ? stored : 4 * clientWidth / 5;
}

CKalSettings& CKalSettings::Current()
{
    if (CKalSettings* installed = Installed())
        return *installed;
    static CKalSettings process = [] {
        CKalSettings loaded;
        loaded.Load(Profile::Current());
        return loaded;
    }();
    return process;
}

int ReadSetting(const Profile& profile, ProfileIntSetting setting)
{
    const ProfileIntDefinition& definition = kProfileIntDefinitions[static_cast<int>(setting)];
    return profile.GetInt(definition.section, definition.name, definition.defaultValue);
}

bool WriteSetting(Profile& profile, ProfileIntSetting setting, int value)
{
    const ProfileIntDefinition& definition = kProfileIntDefinitions[static_cast<int>(setting)];
    return profile.SetInt(definition.section, definition.name, value);
}

std::u16string ReadSetting(const Profile& profile, ProfileTextSetting setting, std::u16string_view defaultValue)
{
    const TextDefinition& definition = kProfileTextDefinitions[static_cast<int>(setting)];
    return profile.GetString(definition.section, definition.name, defaultValue);
}

bool WriteSetting(Profile& profile, ProfileTextSetting setting, std::u16string_view value)
{
    const TextDefinition& definition = kProfileTextDefinitions[static_cast<int>(setting)];
    return profile.SetString(definition.section, definition.name, value);
}

} // namespace kal
