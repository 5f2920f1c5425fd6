#include "dialogs/ScheduleDialog.h"

#include "TestEnvironment.h"
#include "dialogs/AlarmDialog.h"
#include "dialogs/AvoidDayDialog.h"
#include "dialogs/DatePickerDialog.h"
#include "dialogs/ExclusionDialog.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/RepeatDialog.h"
#include "dialogs/TimeInputDialog.h"
#include "store/KalStore.h"
#include "support/MemoryDialogHost.h"

#include <functional>

namespace kal {
namespace {

using namespace scheduledialog;

constexpr Colour kWorkColour = 0x0000FF;
constexpr Colour kPrivateColour = 0x00FF00;
constexpr Colour kOwnColour = 0x123456;

using Script = std::function<void(DialogLogic&, MemoryDialogHost&)>;

class ScheduleDialogTest : public test::TestEnvironment {
protected:
    ScheduleDialogTest()
    {
        for (const Colour colour : { Colour { 0 }, kWorkColour, kPrivateColour }) {
            CKalField genre;
            genre.colour = colour;
            store_.genres.Append(genre);
        }
        // 2013/10/01 10:00 to 2013/10/02 without an end time, genre 1 in a colour of its own.
        stored_.start = CDTime(2013, 10, 1, 10, 0);
        stored_.end = CDTime(2013, 10, 2);
        stored_.flags = flag::kStartTimeSet | flag::kHidden;
        stored_.text = u"会議";
        stored_.genre = 1;
        stored_.colour = kOwnColour;
        stored_.timeDisplay = kShowEndOnly;
        stored_.textStyle = textstyle::kBold | 4;
        stored_.linkFile = u"/home/me/notes.txt";
        stored_.exclusions = { { 2013, 10, 2, 2013, 10, 2 } };
        stored_.alarmMinutes = -1;
    }

    // Runs the dialog on `entry` with the first script acting as the user and the others answering
    // the dialogs its buttons open, in opening order; true when it ended with OK.
    bool Run(CKalData& entry, EntryDialogMode mode, std::vector<Script> scripts, LinkFileEditor link = {},
        CDTime day = CDTime(2013, 10, 3))
    {
        for (Script& script : scripts)
            ui_.QueueDialog(std::move(script));
        return RunScheduleDialog(store_, entry, day, mode, std::move(link));
    }
    static void TypePeriod(MemoryDialogHost& host, const char16_t* startDate, const char16_t* startTime,
        const char16_t* endDate, const char16_t* endTime)
    {
        host.Type(kStartDate, startDate);
        host.Type(kStartTime, startTime);
        host.Type(kEndDate, endDate);
        host.Type(kEndTime, endTime);
    }

    CKalStore store_;
    CKalData stored_;
};

TEST_F(ScheduleDialogTest, LayoutFollowsTheScreen)
{
    for (const auto& [screen, resource] :
        { std::pair { Size { 1280, 800 }, kWideResource }, std::pair { Size { 640, 480 }, kWideResource },
            std::pair { Size { 639, 480 }, kSmallResource }, std::pair { Size { 480, 640 }, kPortraitResource } }) {
        ui_.SetScreenSize(screen);
        CKalData entry;
        int shown = 0;
        EXPECT_TRUE(Run(entry, EntryDialogMode::New, { [&](DialogLogic& dialog, MemoryDialogHost& host) {
            shown = dialog.Resource().id;
            // A desktop window has no OK in its frame: every layout carries its own.
            EXPECT_NE(dialog.Resource().Find(kIdOk), nullptr);
            host.Press(kIdOk);
        } }));
        EXPECT_EQ(shown, resource) << screen.width;
    }
}

TEST_F(ScheduleDialogTest, NewEntryStartsOnTheDayWithTheDefaults)
{
    settings_.Set(IntSetting::ViewTime, kShowNoTime);
    store_.defaultScheduleGenre = 2;
    CKalData entry;
    EXPECT_TRUE(Run(entry, EntryDialogMode::New, { [](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kStartDate), u"2013/10/05");
        EXPECT_EQ(host.Text(kEndDate), u"2013/10/05");
        EXPECT_EQ(host.Text(kStartTime) + host.Text(kEndTime), u"");
        EXPECT_EQ(host.Selection(kTimeDisplay), kShowNoTime);
        EXPECT_EQ(host.ColourOf(kColour), kPrivateColour);
        EXPECT_EQ(host.ItemColours(kGenre), (std::vector<Colour> { 0, kWorkColour, kPrivateColour }));
        EXPECT_EQ(host.Focus(), kContent);
        const std::vector<std::u16string> times = host.Items(kStartTime);
        ASSERT_EQ(times.size(), 48u);
        EXPECT_EQ(times[1], u"00:30");
        EXPECT_EQ(times[19], u"09:30");
        EXPECT_EQ(times[47], u"23:30");
        EXPECT_FALSE(host.IsEnabled(kLink)); // no link-file dialog given
        host.Press(kIdOk);
    } },
        {}, CDTime(2013, 10, 5, 15, 20)));
    EXPECT_EQ(entry.start, CDTime(2013, 10, 5));
    EXPECT_EQ(entry.end, CDTime(2013, 10, 5));
    EXPECT_EQ(entry.flags, 0u);
    EXPECT_EQ(entry.genre, 2);
    EXPECT_EQ(entry.colour, kPrivateColour);
    EXPECT_EQ(entry.timeDisplay, kShowNoTime);
    EXPECT_EQ(entry.repeatDayFrom, 5);
    EXPECT_EQ(entry.repeatDayTo, 5);
}

TEST_F(ScheduleDialogTest, EditShowsTheEntryAndOkWritesEveryField)
{
    EXPECT_TRUE(Run(stored_, EntryDialogMode::Edit, { [](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(kStartDate), u"2013/10/01");
        EXPECT_EQ(host.Text(kStartTime), u"10:00");
        EXPECT_EQ(host.Text(kEndDate), u"2013/10/02");
        EXPECT_EQ(host.Text(kEndTime), u""); // the end carries no time
        EXPECT_EQ(host.Text(kContent), u"会議");
        EXPECT_TRUE(host.IsChecked(kHidden));
        EXPECT_TRUE(host.IsChecked(kBold));
        EXPECT_EQ(host.Selection(kTimeDisplay), kShowEndOnly);
        EXPECT_EQ(host.Selection(kGenre), 1);
        EXPECT_EQ(host.ColourOf(kColour), kOwnColour); // the entry's colour, not its genre's
        host.Type(kContent, u"打合せ");
        host.Type(kPlace, u"支社");
        for (const int box : { kHidden, kHoliday, kBold, kStrikeOut })
            host.Press(box);
        host.Choose(kTimeDisplay, kShowStartOnly);
        host.Press(kIdOk);
    } }));
    EXPECT_EQ(stored_.text, u"打合せ");
    EXPECT_EQ(stored_.place, u"支社");
    EXPECT_EQ(stored_.flags, flag::kStartTimeSet | flag::kHoliday);
    EXPECT_EQ(stored_.textStyle, textstyle::kStrikeOut | 4); // bits the dialog does not show are kept
    EXPECT_EQ(stored_.timeDisplay, kShowStartOnly);
    EXPECT_EQ(stored_.colour, kOwnColour);
    EXPECT_EQ(stored_.linkFile, u"/home/me/notes.txt");
    EXPECT_EQ(stored_.exclusions.size(), 1u);
}

TEST_F(ScheduleDialogTest, AGenreTheListLacksIsKept)
{
    stored_.genre = 7;
    stored_.timeDisplay = 9;
    EXPECT_TRUE(Run(stored_, EntryDialogMode::Edit, { [](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Selection(kGenre), -1);
        host.Press(kIdOk);
    } }));
    EXPECT_EQ(stored_.genre, 7);
    EXPECT_EQ(stored_.timeDisplay, 9);
    EXPECT_EQ(stored_.colour, kOwnColour);
}

TEST_F(ScheduleDialogTest, OkChecksStartEndAndOrder)
{
    constexpr std::uint32_t kBoth = flag::kStartTimeSet | flag::kEndTimeSet;
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
            CDTime(2013, 10, 1, 9, 15), kBoth },
        { u"2013/10/01", u"23:00", u"2013/10/02", u"0130", nullptr, CDTime(2013, 10, 1, 23, 0),
            CDTime(2013, 10, 2, 1, 30), kBoth },
        { u"2013/10/01", u"10:00", u"2013/10/01", u"09:30", kEndBeforeStart, {}, {}, 0 },
        { u"2013/10/02", u"10:00", u"2013/10/01", u"", kEndBeforeStart, {}, {}, 0 },
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
        const bool ok = Run(entry, EntryDialogMode::New, { [&](DialogLogic&, MemoryDialogHost& host) {
            TypePeriod(host, c.startDate, c.startTime, c.endDate, c.endTime);
            host.Press(kIdOk);
            EXPECT_EQ(host.Text(kEndDate), c.endDate); // a refused OK leaves everything as typed
        } });
        const std::u16string label = std::u16string(c.startDate) + c.startTime + u"-" + c.endDate + c.endTime;
        SCOPED_TRACE(std::string(label.begin(), label.end()));
        EXPECT_EQ(ok, c.message == nullptr);
        EXPECT_EQ(
            ui_.Messages(), c.message ? std::vector<std::u16string> { c.message } : std::vector<std::u16string> {});
        if (ok) {
            EXPECT_EQ(entry.start, c.start);
            EXPECT_EQ(entry.end, c.end);
            EXPECT_EQ(entry.flags & kBoth, c.timeFlags);
        }
    }
}

TEST_F(ScheduleDialogTest, RefusedOkThenCancelLeavesTheEntryAsItWas)
{
    // Each case changes what OK reads before its last check: the start, the start's time, the end and
    // the end's time. Only the memo, written at once, stays after the cancel.
    struct Case {
        const char16_t* startDate;
        const char16_t* startTime;
        const char16_t* endDate;
        const char16_t* endTime;
        const char16_t* message;
    };
    for (const Case& c : {
             Case { u"2013/11/05", u"22:00", u"2013/11/05", u"02:00", u"開始日時より後の終了日時を入力してください" },
             Case { u"2013/11/05", u"", u"2013/11/04", u"09:00", u"開始日時より後の終了日時を入力してください" },
             Case { u"2013/11/05", u"", u"2013/11/31", u"", u"正しい終了日時を入力してください" },
             Case { u"2013/11/05", u"08:00", u"2013/11/06", u"8時", u"正しい終了日時を入力してください" },
         }) {
        ui_.Clear();
        CKalData entry;
        entry = stored_;
        EXPECT_FALSE(Run(entry, EntryDialogMode::Edit,
            { [&](DialogLogic&, MemoryDialogHost& host) {
                 TypePeriod(host, c.startDate, c.startTime, c.endDate, c.endTime);
                 host.Type(kContent, u"新しい内容");
                 host.Press(kMemo);
                 host.Press(kIdOk);
                 host.Press(kIdCancel);
             },
                [](DialogLogic&, MemoryDialogHost& memo) {
                    memo.Type(memodialog::kMemo, u"持ち物: 資料");
                    memo.Press(kIdOk);
                } }));
        const std::u16string label = std::u16string(c.startDate) + c.startTime + u"-" + c.endDate + c.endTime;
        SCOPED_TRACE(std::string(label.begin(), label.end()));
        EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { c.message });
        EXPECT_EQ(entry.start, stored_.start);
        EXPECT_EQ(entry.end, stored_.end);
        EXPECT_EQ(entry.flags, stored_.flags);
        EXPECT_EQ(entry.text, stored_.text);
        EXPECT_EQ(entry.memo, u"持ち物: 資料");
    }
}

TEST_F(ScheduleDialogTest, GenreChoiceReplacesAChosenColour)
{
    for (const std::optional<Colour> answer :
        { std::optional<Colour> { kOwnColour }, std::optional<Colour> {}, std::optional<Colour> { 0x654321 } })
        ui_.QueueColour(answer);
    CKalData entry;
    EXPECT_TRUE(Run(entry, EntryDialogMode::New, { [](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kColour);
        EXPECT_EQ(host.ColourOf(kColour), kOwnColour);
        host.Choose(kGenre, 1);
        EXPECT_EQ(host.ColourOf(kColour), kWorkColour);
        host.Press(kColour); // cancelled: the colour stays
        EXPECT_EQ(host.ColourOf(kColour), kWorkColour);
        host.Press(kColour);
        host.Press(kIdOk);
    } }));
    EXPECT_EQ(entry.genre, 1);
    EXPECT_EQ(entry.colour, 0x654321u);
}

TEST_F(ScheduleDialogTest, MemoAndAlarmStayWhenAnEditIsCancelled)
{
    EXPECT_FALSE(Run(stored_, EntryDialogMode::Edit,
        { [](DialogLogic&, MemoryDialogHost& host) {
             host.Press(kMemo);
             host.Press(kAlarm);
             host.Press(kAvoidDays);
             host.Press(kExclusions); // kept only in the dialog until OK
             host.Press(kIdCancel);
         },
            [](DialogLogic&, MemoryDialogHost& memo) {
                memo.Type(memodialog::kMemo, u"持ち物: 資料");
                memo.Press(kIdOk);
            },
            [](DialogLogic&, MemoryDialogHost& alarm) {
                alarm.Press(alarmdialog::kAlarmOn);
                alarm.Type(alarmdialog::kMinutes, u"15");
                alarm.Press(kIdOk);
            },
            [](DialogLogic&, MemoryDialogHost& avoid) {
                avoid.Press(avoiddaydialog::kSaturday);
                avoid.Press(kIdOk);
            },
            [this](DialogLogic&, MemoryDialogHost& exclusions) {
                ui_.QueueAnswer(true);
                exclusions.Choose(exclusiondialog::kList, 0);
                exclusions.Press(exclusiondialog::kDelete);
                exclusions.Press(kIdOk);
            } }));
    EXPECT_EQ(stored_.memo, u"持ち物: 資料");
    EXPECT_EQ(stored_.alarmMinutes, 15);
    EXPECT_EQ(stored_.avoidDays, avoid::kSaturday);
    EXPECT_EQ(stored_.exclusions.size(), 1u);
    EXPECT_EQ(stored_.text, u"会議");
}

TEST_F(ScheduleDialogTest, ExclusionsAreWrittenOnOk)
{
    EXPECT_TRUE(Run(stored_, EntryDialogMode::Edit,
        { [](DialogLogic&, MemoryDialogHost& host) {
             host.Press(kExclusions);
             host.Press(kExclusions);
             host.Press(kIdOk);
         },
            [this](DialogLogic&, MemoryDialogHost& exclusions) {
                ui_.QueueAnswer(true);
                exclusions.Choose(exclusiondialog::kList, 0);
                exclusions.Press(exclusiondialog::kDelete);
                exclusions.Press(kIdOk);
            },
            [](DialogLogic&, MemoryDialogHost& exclusions) {
                EXPECT_TRUE(exclusions.Items(exclusiondialog::kList).empty()); // the dialog's own list so far
                exclusions.Press(kIdCancel);
            } }));
    EXPECT_TRUE(stored_.exclusions.empty());
}

TEST_F(ScheduleDialogTest, PickedDatesPullTheOtherEndAlong)
{
    // Start 2013/10/03, end 2013/10/05; then the picked day and the texts afterwards.
    struct Case {
        int button;
        CDTime picked;
        const char16_t* startTime;
        const char16_t* endTime;
        const char16_t* start;
        const char16_t* end;
    };
    for (const Case& c : {
             Case { kStartDateButton, CDTime(2013, 10, 9), u"", u"", u"2013/10/09", u"2013/10/09" },
             Case { kStartDateButton, CDTime(2013, 10, 4), u"", u"", u"2013/10/04", u"2013/10/05" },
             Case { kStartDateButton, CDTime(2013, 10, 5), u"18:00", u"09:00", u"2013/10/05", u"2013/10/05" },
             Case { kEndDateButton, CDTime(2013, 9, 28), u"", u"", u"2013/09/28", u"2013/09/28" },
             Case { kEndDateButton, CDTime(2013, 10, 31), u"", u"", u"2013/10/03", u"2013/10/31" },
         }) {
        CKalData entry;
        std::u16string texts;
        CDTime opened;
        Run(entry, EntryDialogMode::New,
            { [&](DialogLogic&, MemoryDialogHost& host) {
                 TypePeriod(host, u"2013/10/03", c.startTime, u"2013/10/05", c.endTime);
                 host.Press(c.button);
                 texts = host.Text(kStartDate) + u" " + host.Text(kEndDate);
             },
                [&](DialogLogic& dialog, MemoryDialogHost& picker) {
                    CalendarControl& calendar = static_cast<DatePickerDialog&>(dialog).Calendar();
                    opened = calendar.GetDate();
                    calendar.SetDate(c.picked);
                    picker.Press(kIdOk);
                } });
        EXPECT_EQ(opened, c.button == kStartDateButton ? CDTime(2013, 10, 3) : CDTime(2013, 10, 5));
        EXPECT_EQ(texts, std::u16string(c.start) + u" " + c.end);
    }
}

TEST_F(ScheduleDialogTest, TimeButtonsOpenOnTheTypedTimeAndWriteTheChoice)
{
    // The clock stands at 09:30; only "H:M" texts are read.
    struct Case {
        const char16_t* startTime;
        const char16_t* endTime;
        int button;
        int hour;
        int minute;
    };
    for (const Case& c :
        { Case { u"14:05", u"16:00", kStartTimeButton, 14, 5 }, Case { u"", u"16:00", kStartTimeButton, 16, 0 },
            Case { u"1400", u"", kStartTimeButton, 9, 30 }, Case { u"14:05", u"", kEndTimeButton, 14, 5 } }) {
        CKalData entry;
        std::optional<int> hour;
        std::optional<int> minute;
        std::u16string written;
        Run(entry, EntryDialogMode::New,
            { [&](DialogLogic&, MemoryDialogHost& host) {
                 host.Type(kStartTime, c.startTime);
                 host.Type(kEndTime, c.endTime);
                 host.Press(c.button);
                 written = host.Text(kStartTime) + u"-" + host.Text(kEndTime);
             },
                [&](DialogLogic&, MemoryDialogHost& time) {
                    hour = time.Number(timeinputdialog::kHour);
                    minute = time.Number(timeinputdialog::kMinute);
                    time.Type(timeinputdialog::kHour, u"7");
                    time.Type(timeinputdialog::kMinute, u"5");
                    time.Press(kIdOk);
                } });
        EXPECT_EQ(hour, c.hour);
        EXPECT_EQ(minute, c.minute);
        EXPECT_EQ(written,
            c.button == kStartTimeButton ? u"07:05-" + std::u16string(c.endTime)
                                         : std::u16string(c.startTime) + u"-07:05");
    }
}

TEST_F(ScheduleDialogTest, LinkButtonUsesTheGivenEditor)
{
    std::u16string seen;
    const LinkFileEditor editor = [&](std::u16string_view content, std::u16string_view link) {
        seen = std::u16string(content) + u"|" + std::u16string(link);
        return std::optional<std::u16string>(u"/home/me/会議.txt");
    };
    EXPECT_TRUE(Run(stored_, EntryDialogMode::Edit, { [](DialogLogic&, MemoryDialogHost& host) {
        host.Type(kContent, u"定例会議");
        host.Press(kLink);
        host.Press(kIdOk);
    } },
        editor));
    EXPECT_EQ(seen, u"定例会議|/home/me/notes.txt");
    EXPECT_EQ(stored_.linkFile, u"/home/me/会議.txt");
}

TEST_F(ScheduleDialogTest, RepeatButtonRoundTrip)
{
    const Script ok = [](DialogLogic&, MemoryDialogHost& repeat) { repeat.Press(kIdOk); };
    const Script monthly = [](DialogLogic&, MemoryDialogHost& repeat) {
        repeat.Choose(repeatdialog::kUnit, 3);
        repeat.Type(repeatdialog::kDayFrom, kLastDayText);
        repeat.Type(repeatdialog::kDayTo, kLastDayText);
        repeat.Type(repeatdialog::kInterval, u"2");
        repeat.Press(kIdOk);
    };
    const Script cancel = [](DialogLogic&, MemoryDialogHost& repeat) { repeat.Press(kIdCancel); };
    EXPECT_TRUE(Run(stored_, EntryDialogMode::Edit,
        { [](DialogLogic&, MemoryDialogHost& host) {
             // Unreadable dates give the repeat dialog the dialog's day.
             TypePeriod(host, u"いつか", u"10:00", u"", u"");
             host.Press(kRepeat);
             EXPECT_EQ(host.Text(kStartDate) + host.Text(kEndDate), u"2013/10/032013/10/03");
             TypePeriod(host, u"2013/02/10", u"10:00", u"2013/12/05", u"");
             host.Press(kRepeat);
             EXPECT_EQ(host.Text(kStartDate) + host.Text(kEndDate), u"2013/02/282013/12/31");
             host.Press(kRepeat); // cancelled: nothing changes
             EXPECT_EQ(host.Text(kStartDate) + host.Text(kEndDate), u"2013/02/282013/12/31");
             EXPECT_EQ(host.Text(kStartTime), u"10:00");
             host.Press(kIdOk);
         },
            ok, monthly, cancel }));
    EXPECT_EQ(stored_.repeatType, 3);
    EXPECT_EQ(stored_.repeatDayFrom, -1);
    EXPECT_EQ(stored_.repeatDayTo, -1);
    EXPECT_EQ(stored_.interval, 2);
    EXPECT_EQ(stored_.start, CDTime(2013, 2, 28, 10, 0));
    EXPECT_EQ(stored_.end, CDTime(2013, 12, 31));
}

} // namespace
} // namespace kal
