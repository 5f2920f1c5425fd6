#include "dialogs/ScheduleDialog.h"

#include "TestEnvironment.h"
#include "dialogs/AlarmDialog.h"
#include "dialogs/DatePickerDialog.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/RepeatDialog.h"
#include "dialogs/TimeInputDialog.h"
#include "store/KalStore.h"
#include "ui/MemoryDialogHost.h"

#include <functional>

namespace kal {
namespace {

using namespace scheduledialog;

constexpr Colour kGeneralColour = 0x000000;
constexpr Colour kWorkColour = 0x0000FF;
constexpr Colour kPrivateColour = 0x00FF00;
constexpr Colour kChosenColour = 0x123456;

class ScheduleDialogTest : public test::TestEnvironment {
protected:
    ScheduleDialogTest()
    {
        for (const auto& [name, colour] : { std::pair { u"一般", kGeneralColour }, std::pair { u"仕事", kWorkColour },
                 std::pair { u"私用", kPrivateColour } }) {
            CKalField genre;
            genre.name = name;
            genre.colour = colour;
            store_.genres.Append(genre);
        }
    }

    using Script = std::function<void(MemoryDialogHost&)>;
    // Runs the dialog with `script` acting as the user, then `subDialogs` answering the dialogs its
    // buttons open, in opening order; true when it ended with OK.
    bool Run(CKalData& entry, CDTime day, EntryDialogMode mode, Script script, std::vector<Script> subDialogs = {},
        LinkFileEditor link = {})
    {
        Queue(std::move(script));
        for (Script& sub : subDialogs)
            Queue(std::move(sub));
        return RunScheduleDialog(store_, entry, day, mode, std::move(link));
    }
    void Queue(Script script)
    {
        ui_.QueueDialog([script = std::move(script)](DialogLogic&, MemoryDialogHost& host) { script(host); });
    }
    static void TypePeriod(MemoryDialogHost& host, const char16_t* startDate, const char16_t* startTime,
        const char16_t* endDate, const char16_t* endTime)
    {
        host.Type(kStartDate, startDate);
        host.Type(kStartTime, startTime);
        host.Type(kEndDate, endDate);
        host.Type(kEndTime, endTime);
    }
    // A stored-looking entry: 2013/10/01 10:00 to 2013/10/02 (no end time), genre 1 with a colour of
    // its own.
    static CKalData StoredEntry()
    {
        CKalData entry;
        entry.start = CDTime(2013, 10, 1, 10, 0);
        entry.end = CDTime(2013, 10, 2);
        entry.flags = flag::kStartTimeSet | flag::kHidden;
        entry.text = u"会議";
        entry.place = u"本社";
        entry.genre = 1;
        entry.colour = kChosenColour;
        entry.timeDisplay = kShowEndOnly;
        entry.textStyle = textstyle::kBold | 4;
        entry.linkFile = u"/home/me/notes.txt";
        entry.repeatType = 1;
        entry.exclusions = { { 2013, 10, 2, 2013, 10, 2 } };
        entry.alarmMinutes = -1;
        return entry;
    }

    CKalStore store_;
};

TEST_F(ScheduleDialogTest, LayoutFollowsTheScreen)
{
    struct Case {
        Size screen;
        int resource;
        bool okButton;
    };
    for (const Case& c : { Case { { 1280, 800 }, kWideResource, true }, Case { { 640, 480 }, kWideResource, true },
             Case { { 639, 480 }, kSmallResource, true }, Case { { 320, 240 }, kSmallResource, true },
             Case { { 480, 640 }, kPortraitResource, false }, Case { { 800, 1280 }, kPortraitResource, false } }) {
        ui_.SetScreenSize(c.screen);
        CKalData entry;
        int shown = 0;
        ui_.QueueDialog([&](DialogLogic& dialog, MemoryDialogHost& host) {
            shown = dialog.Resource().id;
            EXPECT_EQ(dialog.Resource().Find(kIdOk) != nullptr, c.okButton) << c.screen.width;
            for (int id : { kStartDate, kEndTime, kGenre, kRepeat, kMemo, kStrikeOut })
                EXPECT_NE(dialog.Resource().Find(id), nullptr) << id;
            host.Press(kIdOk); // the window frame's OK where the layout has no button
        });
        EXPECT_TRUE(RunScheduleDialog(store_, entry, CDTime(2013, 10, 5), EntryDialogMode::New));
        EXPECT_EQ(shown, c.resource) << c.screen.width << "x" << c.screen.height;
    }
}

TEST_F(ScheduleDialogTest, NewEntryStartsOnTheDayWithTheDefaults)
{
    settings_.Set(IntSetting::ViewTime, kShowNoTime);
    store_.defaultScheduleGenre = 2;
    CKalData entry;
    const bool ok = Run(entry, CDTime(2013, 10, 5, 15, 20), EntryDialogMode::New, [](MemoryDialogHost& host) {
        EXPECT_EQ(host.Caption(), kCaption);
        EXPECT_EQ(host.Text(kStartDate), u"2013/10/05");
        EXPECT_EQ(host.Text(kEndDate), u"2013/10/05");
        EXPECT_EQ(host.Text(kStartTime), u"");
        EXPECT_EQ(host.Text(kEndTime), u"");
        EXPECT_EQ(host.Selection(kTimeDisplay), kShowNoTime);
        EXPECT_EQ(host.Selection(kGenre), 2);
        EXPECT_EQ(host.ColourOf(kColour), kPrivateColour);
        EXPECT_EQ(host.ItemColours(kGenre), (std::vector<Colour> { kGeneralColour, kWorkColour, kPrivateColour }));
        EXPECT_EQ(host.Focus(), kContent);
        const std::vector<std::u16string> times = host.Items(kStartTime);
        ASSERT_EQ(times.size(), 48u);
        EXPECT_EQ(times[0], u"00:00");
        EXPECT_EQ(times[1], u"00:30");
        EXPECT_EQ(times[19], u"09:30");
        EXPECT_EQ(times[47], u"23:30");
        EXPECT_EQ(host.Items(kEndTime), times);
        EXPECT_FALSE(host.IsEnabled(kLink)); // no link-file dialog given
        host.Type(kContent, u"歯医者");
        host.Press(kIdOk);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(entry.text, u"歯医者");
    EXPECT_EQ(entry.start, CDTime(2013, 10, 5));
    EXPECT_EQ(entry.end, CDTime(2013, 10, 5));
    EXPECT_EQ(entry.flags, 0u);
    EXPECT_EQ(entry.genre, 2);
    EXPECT_EQ(entry.colour, kPrivateColour);
    EXPECT_EQ(entry.timeDisplay, kShowNoTime);
    EXPECT_EQ(entry.repeatType, 0);
    EXPECT_EQ(entry.repeatDayFrom, 5);
    EXPECT_EQ(entry.repeatDayTo, 5);
    EXPECT_EQ(entry.months, (std::array<std::uint8_t, 12> { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 }));
    EXPECT_TRUE(entry.exclusions.empty());
}

TEST_F(ScheduleDialogTest, EditShowsTheEntryAndCancelLeavesIt)
{
    CKalData entry = StoredEntry();
    const CKalData before = entry;
    EXPECT_FALSE(Run(entry, CDTime(2013, 10, 2), EntryDialogMode::Edit, [](MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kStartDate), u"2013/10/01");
        EXPECT_EQ(host.Text(kStartTime), u"10:00");
        EXPECT_EQ(host.Text(kEndDate), u"2013/10/02");
        EXPECT_EQ(host.Text(kEndTime), u""); // the end carries no time
        EXPECT_EQ(host.Text(kContent), u"会議");
        EXPECT_EQ(host.Text(kPlace), u"本社");
        EXPECT_TRUE(host.IsChecked(kHidden));
        EXPECT_FALSE(host.IsChecked(kHoliday));
        EXPECT_TRUE(host.IsChecked(kBold));
        EXPECT_FALSE(host.IsChecked(kStrikeOut));
        EXPECT_EQ(host.Selection(kTimeDisplay), kShowEndOnly);
        EXPECT_EQ(host.Selection(kGenre), 1);
        EXPECT_EQ(host.ColourOf(kColour), kChosenColour); // the entry's own colour, not the genre's
        EXPECT_EQ(host.Focus(), kContent);
        host.Type(kContent, u"変更");
        host.Press(kHoliday);
        host.Press(kIdCancel);
    }));
    EXPECT_EQ(entry.text, before.text);
    EXPECT_EQ(entry.flags, before.flags);
    EXPECT_EQ(entry.start, before.start);
}

TEST_F(ScheduleDialogTest, OkChecksStartEndAndOrder)
{
    struct Case {
        const char16_t* startDate;
        const char16_t* startTime;
        const char16_t* endDate;
        const char16_t* endTime;
        const char16_t* message; // null when OK passes
        CDTime start;
        CDTime end;
        std::uint32_t timeFlags;
    };
    const Case cases[] = {
        { u"2013/10/01", u"", u"", u"", nullptr, CDTime(2013, 10, 1), CDTime(2013, 10, 1), 0 },
        { u"2013/10/01", u"10:00", u"", u"", nullptr, CDTime(2013, 10, 1, 10, 0), CDTime(2013, 10, 1),
            flag::kStartTimeSet },
        { u"2013/10/01", u"9:15", u"2013/10/01", u"9:15", nullptr, CDTime(2013, 10, 1, 9, 15),
            CDTime(2013, 10, 1, 9, 15), flag::kStartTimeSet | flag::kEndTimeSet },
        { u"2013/10/01", u"23:00", u"2013/10/02", u"0130", nullptr, CDTime(2013, 10, 1, 23, 0),
            CDTime(2013, 10, 2, 1, 30), flag::kStartTimeSet | flag::kEndTimeSet },
        { u"2013/10/01", u"10:00", u"2013/10/01", u"09:30", kEndBeforeStart, {}, {}, 0 },
        { u"2013/10/02", u"10:00", u"2013/10/01", u"", kEndBeforeStart, {}, {}, 0 }, // the end compared at 10:00
        { u"2013/10/02", u"", u"2013/10/01", u"", kEndBeforeStart, {}, {}, 0 },
        { u"2013/13/01", u"", u"", u"", kBadStart, {}, {}, 0 },
        { u"", u"", u"2013/10/01", u"", kBadStart, {}, {}, 0 },
        { u"2013/10/01", u"25:00", u"", u"", kBadStart, {}, {}, 0 },
        { u"2040/01/01", u"", u"", u"", kBadStart, {}, {}, 0 },
        { u"2013/10/01", u"", u"2013/02/30", u"", kBadEnd, {}, {}, 0 },
        { u"2013/10/01", u"", u"2013/10/01", u"12a", kBadEnd, {}, {}, 0 },
    };
    for (const Case& c : cases) {
        ui_.Clear();
        CKalData entry;
        bool ended = false;
        const bool ok = Run(entry, CDTime(2013, 9, 1), EntryDialogMode::New, [&](MemoryDialogHost& host) {
            TypePeriod(host, c.startDate, c.startTime, c.endDate, c.endTime);
            host.Press(kIdOk);
            ended = host.HasEnded();
            // A refused OK leaves everything as typed.
            EXPECT_EQ(host.Text(kEndDate), c.endDate);
        });
        const std::u16string label
            = std::u16string(c.startDate) + u" " + c.startTime + u" - " + c.endDate + u" " + c.endTime;
        SCOPED_TRACE(std::string(label.begin(), label.end()));
        if (c.message) {
            EXPECT_FALSE(ended);
            EXPECT_FALSE(ok);
            EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { c.message });
            continue;
        }
        EXPECT_TRUE(ok);
        EXPECT_TRUE(ui_.Messages().empty());
        EXPECT_EQ(entry.start, c.start);
        EXPECT_EQ(entry.end, c.end);
        EXPECT_EQ(entry.flags & (flag::kStartTimeSet | flag::kEndTimeSet), c.timeFlags);
    }
}

TEST_F(ScheduleDialogTest, EndBeforeStartKeepsTheParsedDatesButNothingElse)
{
    CKalData entry = StoredEntry();
    EXPECT_TRUE(Run(entry, CDTime(2013, 10, 1), EntryDialogMode::Edit, [&](MemoryDialogHost& host) {
        TypePeriod(host, u"2013/11/05", u"10:00", u"2013/11/04", u"");
        host.Type(kContent, u"新しい内容");
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        EXPECT_EQ(entry.start, CDTime(2013, 11, 5, 10, 0));
        EXPECT_EQ(entry.end, CDTime(2013, 11, 4));
        EXPECT_EQ(entry.text, u"会議");
        host.Type(kEndDate, u"2013/11/06");
        host.Press(kIdOk);
    }));
    EXPECT_EQ(entry.end, CDTime(2013, 11, 6));
    EXPECT_EQ(entry.text, u"新しい内容");
}

TEST_F(ScheduleDialogTest, OkWritesEveryField)
{
    CKalData entry = StoredEntry();
    EXPECT_TRUE(Run(entry, CDTime(2013, 10, 1), EntryDialogMode::Edit, [](MemoryDialogHost& host) {
        host.Type(kContent, u"打合せ");
        host.Type(kPlace, u"支社");
        host.Press(kHidden);
        host.Press(kHoliday);
        host.Press(kBold);
        host.Press(kStrikeOut);
        host.Choose(kTimeDisplay, kShowStartOnly);
        host.Choose(kGenre, 2);
        host.Press(kIdOk);
    }));
    EXPECT_EQ(entry.text, u"打合せ");
    EXPECT_EQ(entry.place, u"支社");
    EXPECT_FALSE(entry.Has(flag::kHidden));
    EXPECT_TRUE(entry.Has(flag::kHoliday));
    EXPECT_EQ(entry.textStyle, textstyle::kStrikeOut | 4); // the bits the dialog does not show are kept
    EXPECT_EQ(entry.timeDisplay, kShowStartOnly);
    EXPECT_EQ(entry.genre, 2);
    EXPECT_EQ(entry.colour, kPrivateColour);
    EXPECT_EQ(entry.linkFile, u"/home/me/notes.txt");
    EXPECT_EQ(entry.repeatType, 1);
    EXPECT_EQ(entry.exclusions, (std::vector<ExclusionPeriod> { { 2013, 10, 2, 2013, 10, 2 } }));
}

TEST_F(ScheduleDialogTest, GenreChoiceReplacesAChosenColour)
{
    ui_.QueueColour(kChosenColour);
    ui_.QueueColour(std::nullopt);
    ui_.QueueColour(0x654321);
    CKalData entry;
    EXPECT_TRUE(Run(entry, CDTime(2013, 10, 1), EntryDialogMode::New, [](MemoryDialogHost& host) {
        host.Press(kColour);
        EXPECT_EQ(host.ColourOf(kColour), kChosenColour);
        host.Choose(kGenre, 1);
        EXPECT_EQ(host.ColourOf(kColour), kWorkColour);
        host.Press(kColour); // cancelled: the colour stays
        EXPECT_EQ(host.ColourOf(kColour), kWorkColour);
        host.Press(kColour);
        host.Press(kIdOk);
    }));
    EXPECT_EQ(entry.genre, 1);
    EXPECT_EQ(entry.colour, 0x654321u);
}

TEST_F(ScheduleDialogTest, MemoAndAlarmStayWhenAnEditIsCancelled)
{
    CKalData entry = StoredEntry();
    EXPECT_FALSE(Run(entry, CDTime(2013, 10, 1), EntryDialogMode::Edit,
        [](MemoryDialogHost& host) {
            host.Press(kMemo);
            host.Press(kAlarm);
            host.Press(kIdCancel);
        },
        { [](MemoryDialogHost& memo) {
             memo.Type(memodialog::kMemo, u"持ち物: 資料");
             memo.Press(kIdOk);
         },
            [](MemoryDialogHost& alarm) {
                EXPECT_FALSE(alarm.IsChecked(alarmdialog::kAlarmOn));
                alarm.Press(alarmdialog::kAlarmOn);
                alarm.Type(alarmdialog::kMinutes, u"15");
                alarm.Press(kIdOk);
            } }));
    EXPECT_EQ(entry.memo, u"持ち物: 資料");
    EXPECT_EQ(entry.alarmMinutes, 15);
    EXPECT_EQ(entry.text, u"会議");
}

TEST_F(ScheduleDialogTest, PickedDatesPullTheOtherEndAlong)
{
    struct Case {
        int button;
        CDTime picked;
        const char16_t* startTime;
        const char16_t* endTime;
        const char16_t* start; // the texts afterwards
        const char16_t* end;
    };
    const Case cases[] = {
        { kStartDateButton, CDTime(2013, 10, 9), u"", u"", u"2013/10/09", u"2013/10/09" },
        { kStartDateButton, CDTime(2013, 10, 4), u"", u"", u"2013/10/04", u"2013/10/05" },
        { kStartDateButton, CDTime(2013, 10, 5), u"18:00", u"09:00", u"2013/10/05", u"2013/10/05" },
        { kEndDateButton, CDTime(2013, 9, 28), u"", u"", u"2013/09/28", u"2013/09/28" },
        { kEndDateButton, CDTime(2013, 10, 31), u"", u"", u"2013/10/03", u"2013/10/31" },
        { kEndDateButton, CDTime(2013, 10, 3), u"10:00", u"09:00", u"2013/10/03", u"2013/10/03" },
    };
    for (const Case& c : cases) {
        CKalData entry;
        std::u16string start;
        std::u16string end;
        std::optional<CDTime> opened;
        ui_.QueueDialog([&](DialogLogic&, MemoryDialogHost& host) {
            TypePeriod(host, u"2013/10/03", c.startTime, u"2013/10/05", c.endTime);
            host.Press(c.button);
            start = host.Text(kStartDate);
            end = host.Text(kEndDate);
        });
        ui_.QueueDialog([&](DialogLogic& dialog, MemoryDialogHost& picker) {
            auto& calendar = static_cast<DatePickerDialog&>(dialog).Calendar();
            opened = calendar.GetDate();
            calendar.SetDate(c.picked);
            picker.Press(kIdOk);
        });
        RunScheduleDialog(store_, entry, CDTime(2013, 10, 3), EntryDialogMode::New);
        const std::u16string label = DateText(c.picked) + u" " + c.startTime + u"-" + c.endTime;
        SCOPED_TRACE(std::string(label.begin(), label.end()));
        EXPECT_EQ(opened, c.button == kStartDateButton ? CDTime(2013, 10, 3) : CDTime(2013, 10, 5));
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
    }
}

TEST_F(ScheduleDialogTest, TimeButtonsOpenOnTheTypedTimeAndWriteTheChoice)
{
    // The clock stands at 09:30.
    struct Case {
        const char16_t* startTime;
        const char16_t* endTime;
        int button;
        int hour; // what the time input opens on
        int minute;
    };
    const Case cases[] = {
        { u"14:05", u"16:00", kStartTimeButton, 14, 5 },
        { u"", u"16:00", kStartTimeButton, 16, 0 },
        { u"", u"", kStartTimeButton, 9, 30 },
        { u"1400", u"", kStartTimeButton, 9, 30 }, // only "H:M" is read here
        { u"14:05", u"", kEndTimeButton, 14, 5 },
        { u"14:05", u"17:45", kEndTimeButton, 17, 45 },
    };
    for (const Case& c : cases) {
        CKalData entry;
        std::optional<int> hour;
        std::optional<int> minute;
        std::u16string written;
        std::u16string other;
        const int edit = c.button == kStartTimeButton ? kStartTime : kEndTime;
        const int otherEdit = c.button == kStartTimeButton ? kEndTime : kStartTime;
        Run(entry, CDTime(2013, 10, 1), EntryDialogMode::New,
            [&](MemoryDialogHost& host) {
                host.Type(kStartTime, c.startTime);
                host.Type(kEndTime, c.endTime);
                host.Press(c.button);
                written = host.Text(edit);
                other = host.Text(otherEdit);
            },
            { [&](MemoryDialogHost& time) {
                hour = time.Number(timeinputdialog::kHour);
                minute = time.Number(timeinputdialog::kMinute);
                time.Type(timeinputdialog::kHour, u"7");
                time.Type(timeinputdialog::kMinute, u"5");
                time.Press(kIdOk);
            } });
        EXPECT_EQ(hour, c.hour) << c.button << " " << c.hour;
        EXPECT_EQ(minute, c.minute) << c.button << " " << c.hour;
        EXPECT_EQ(written, u"07:05");
        EXPECT_EQ(other, c.button == kStartTimeButton ? c.endTime : c.startTime);
    }
}

TEST_F(ScheduleDialogTest, LinkButtonUsesTheGivenEditor)
{
    CKalData entry = StoredEntry();
    std::u16string seenContent;
    std::u16string seenLink;
    const LinkFileEditor editor = [&](std::u16string_view content, std::u16string_view link) {
        seenContent = content;
        seenLink = link;
        return std::optional<std::u16string>(u"/home/me/会議.txt");
    };
    EXPECT_TRUE(Run(
        entry, CDTime(2013, 10, 1), EntryDialogMode::Edit,
        [](MemoryDialogHost& host) {
            EXPECT_TRUE(host.IsEnabled(kLink));
            host.Type(kContent, u"定例会議");
            host.Press(kLink);
            host.Press(kIdOk);
        },
        {}, editor));
    EXPECT_EQ(seenContent, u"定例会議");
    EXPECT_EQ(seenLink, u"/home/me/notes.txt");
    EXPECT_EQ(entry.linkFile, u"/home/me/会議.txt");
}

TEST_F(ScheduleDialogTest, RepeatButtonRoundTrip)
{
    CKalData entry = StoredEntry();
    entry.repeatType = 0;
    EXPECT_TRUE(Run(entry, CDTime(2013, 10, 1), EntryDialogMode::Edit,
        [](MemoryDialogHost& host) {
            host.Type(kStartDate, u"2013/02/10");
            host.Type(kEndDate, u"2013/12/05");
            host.Press(kRepeat);
            EXPECT_EQ(host.Text(kStartDate), u"2013/02/28");
            EXPECT_EQ(host.Text(kEndDate), u"2013/12/31");
            EXPECT_EQ(host.Text(kStartTime), u"10:00"); // times are left alone
            host.Press(kRepeat); // cancelled: nothing changes
            EXPECT_EQ(host.Text(kStartDate), u"2013/02/28");
            host.Press(kIdOk);
        },
        { [](MemoryDialogHost& repeat) {
             repeat.Choose(repeatdialog::kUnit, 3);
             repeat.Type(repeatdialog::kDayFrom, kLastDayText);
             repeat.Type(repeatdialog::kDayTo, kLastDayText);
             repeat.Type(repeatdialog::kInterval, u"2");
             repeat.Press(kIdOk);
         },
            [](MemoryDialogHost& repeat) { repeat.Press(kIdCancel); } }));
    EXPECT_EQ(entry.repeatType, 3);
    EXPECT_EQ(entry.repeatDayFrom, -1);
    EXPECT_EQ(entry.repeatDayTo, -1);
    EXPECT_EQ(entry.interval, 2);
    EXPECT_EQ(entry.start, CDTime(2013, 2, 28, 10, 0));
    EXPECT_EQ(entry.end, CDTime(2013, 12, 31));
}

TEST_F(ScheduleDialogTest, RepeatPeriodFallsBackToTheDialogsDay)
{
    CKalData entry;
    std::u16string start;
    std::u16string end;
    Run(entry, CDTime(2013, 10, 7, 18, 0), EntryDialogMode::New,
        [&](MemoryDialogHost& host) {
            host.Type(kStartDate, u"いつか");
            host.Type(kEndDate, u"");
            host.Press(kRepeat);
            start = host.Text(kStartDate);
            end = host.Text(kEndDate);
        },
        { [](MemoryDialogHost& repeat) { repeat.Press(kIdOk); } });
    EXPECT_EQ(start, u"2013/10/07");
    EXPECT_EQ(end, u"2013/10/07");
}

} // namespace
} // namespace kal
