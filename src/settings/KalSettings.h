#pragma once

#include "platform/Colour.h"
#include "platform/Installable.h"
#include "ui/LinkMark.h"
#include "ui/LogFont.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kal {

class Profile;

// Integer settings, each kept under its section and value name with its default (see KalSettings.cpp).
enum class IntSetting {
    MonthWeeks, // 5 or 6 weeks in the month grid
    StartMonday,
    Youbi, // weekday labels: 0 English, 1 Japanese
    Month, // year-month header form 0-2
    DayDrawPos, // day number: 0 top left, 1 top right, 2 bottom left, 3 bottom right, 4 centre
    DayDrawFrame, // 0 none, 1 square, 2 circle
    Diary,
    File,
    Multiline,
    MultiDayBars, // a multi-day entry as one bar across each week it covers
    ViewTime,
    MonthViewTime, // 0-4
    DayViewTime, // 0-4
    WeekViewTime,
    DiaryViewTime,
    TodoPos, // 0 today, 1 deadline day
    TodoViewAll,
    OtherMonthDayColor,
    SchIconColor,
    MonthSchView,
    SchList, // 1 bottom, 2 right, 3 automatic
    SchListView,
    Row, // -1 until the pane size is first stored
    Col,
    SyncNotify,
    SelColorMode, // 0 fixed colour, 1 inverse, 2 frame only
    Shunbun,
    Hurikae,
    SchSort,
    OkFrame,
    SoftKeyMenu,
    EnterSch,
    InitFile,
    Ime,
    Snooze,
    Alerm,
    AlermMode,
    SaveSpanMinute,
    DefaultKigen,
    DefaultDays,
    InitView,
    InitTodo,
    TextCopyYear,
    TextCopyYoubi,
    Count
};

// Colour settings, stored as decimal text of the colour value.
enum class ColourSetting {
    Back,
    Other,
    Select,
    Holiday,
    Week0, // Sunday
    Week1,
    Week2,
    Week3,
    Week4,
    Week5,
    Week6, // Saturday
    DayBack, // the day list's background
    DaySelect, // kept for the day list's selection; the list selects in the desktop's colours
    Count
};

// Where the calendar add writes: a file path or an http(s) URL of a CalDAV collection, the user
// name for the server and its password. The password is kept in the settings file only, never in a
// schedule file.
enum class TextSetting { CalendarStore, CalendarUser, CalendarPassword, Count };

enum class FontSetting { Entry, DayNumber, Title, YearMonth, DayList, Count };

// Values the settings do not hold: each use reads the profile, each change writes it at once, since
// the document, other instances and the user's own tools change them while the program runs.
enum class ProfileIntSetting {
    TodoLeftDraw, // 1: a to-do's line counts the days to its deadline
    HolidayChangeFlag1, // 1 once the holiday update of a first load was offered
    CardMax, // the most rows a schedule file is read with
    Item, // 0: a schedule file begins with its header line
    RemindUntimed, // when an entry without a start time is reminded: minutes after midnight
    RemindAtLogin, // 1: the reminder starts with the desktop session
    Count
};
enum class ProfileTextSetting {
    ExePath, // the desktop program, for other programs to start
    DefaultFile, // the schedule file opened last
    InitDir, // where the file chooser starts
    DiaryDir, // the diary folder when a file names none
    FieldFile, // the genre file
    Count
};

[[nodiscard]] int ReadSetting(const Profile& profile, ProfileIntSetting setting);
bool WriteSetting(Profile& profile, ProfileIntSetting setting, int value);
// The text stored, else `defaultValue`: where the program asks decides what stands in for it.
[[nodiscard]] std::u16string ReadSetting(
    const Profile& profile, ProfileTextSetting setting, std::u16string_view defaultValue);
bool WriteSetting(Profile& profile, ProfileTextSetting setting, std::u16string_view value);

inline constexpr int kCustomColourCount = 16;

// The program's settings, read once from the profile when loaded and held for the views, texts and
// frame to read while they work. Every setter stores the value in the profile at once.
class CKalSettings : public Installable<CKalSettings> {
public:
    CKalSettings();

    // Reads every value from `profile` (values absent or unreadable take their defaults) and keeps
    // the profile for the setters.
    void Load(Profile& profile);

    [[nodiscard]] int Get(IntSetting setting) const { return ints_[Index(setting)]; }
    void Set(IntSetting setting, int value);
    [[nodiscard]] bool IsOn(IntSetting setting) const { return Get(setting) != 0; }

    [[nodiscard]] Colour Get(ColourSetting setting) const { return colours_[Index(setting)]; }
    void Set(ColourSetting setting, Colour value);
    [[nodiscard]] Colour WeekColour(int weekday) const;

    [[nodiscard]] Colour CustomColour(int index) const { return customColours_[index]; }
    void SetCustomColour(int index, Colour value);

    [[nodiscard]] const LogFont& Font(FontSetting font) const { return fonts_[static_cast<int>(font)]; }
    // Stores face, point size, weight, italic, underline and character set of the font.
    void SetFont(FontSetting font, const LogFont& value);

    [[nodiscard]] const std::u16string& AlarmWave() const { return alarmWave_; }
    void SetAlarmWave(std::u16string value);

    [[nodiscard]] const std::u16string& Get(TextSetting setting) const { return texts_[Index(setting)]; }
    void Set(TextSetting setting, std::u16string value);

    [[nodiscard]] int Weeks() const { return Get(IntSetting::MonthWeeks); }
    [[nodiscard]] int CellCount() const { return Weeks() * 7; }
    // The stored pane size, or four fifths of the client extent before one is stored.
    [[nodiscard]] int MonthPaneHeight(int clientHeight) const;
    [[nodiscard]] int MonthPaneWidth(int clientWidth) const;

    // What the views paint with, in place of the brushes made at load.
    [[nodiscard]] Colour SelectBrush() const { return Get(ColourSetting::Select); }
    [[nodiscard]] Colour BackBrush() const { return Get(ColourSetting::Back); }
    static constexpr Colour kBlackBrush = 0x000000;

    [[nodiscard]] const LinkMark& LinkFileMark() const { return linkMark_; }

    // The process's settings, loaded from the current profile on first use.
    static CKalSettings& Current();

private:
    static int Index(IntSetting s) { return static_cast<int>(s); }
    static int Index(ColourSetting s) { return static_cast<int>(s); }
    static int Index(TextSetting s) { return static_cast<int>(s); }

    Profile* profile_ = nullptr;
    std::array<int, static_cast<int>(IntSetting::Count)> ints_ {};
    std::array<Colour, static_cast<int>(ColourSetting::Count)> colours_ {};
    std::array<Colour, kCustomColourCount> customColours_ {};
    std::array<LogFont, static_cast<int>(FontSetting::Count)> fonts_ {};
    std::u16string alarmWave_;
    std::array<std::u16string, static_cast<int>(TextSetting::Count)> texts_ {};
    LinkMark linkMark_;
};

} // namespace kal
