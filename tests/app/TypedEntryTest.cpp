#include "TestEnvironment.h"

#include "app/KalDoc.h"
#include "dialogs/ScheduleDialog.h"
#include "dialogs/TodoDialog.h"
#include "dialogs/TypedEntry.h"
#include "platform/Text.h"
#include "store/KalData.h"
#include "support/MemoryDialogHost.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

// The entries the command line makes must be the ones the desktop's dialogs make when the user types
// the same values and presses OK: each case goes through both and the two entries are compared whole.
class TypedEntryTest : public test::TestEnvironment {
protected:
    TypedEntryTest()
        : document_(genres_)
    {
        // Settings away from their defaults, so that an entry that ignores one of them differs.
        profile_.SetInt("System", "Alerm", 15);
        profile_.SetInt("System", "AlermMode", 0);
        profile_.SetInt("View", "ViewTime", 2);
        profile_.SetInt("Todo", "DefaultKigen", 1);
        profile_.SetInt("Todo", "DefaultDays", 3);
        ReloadSettings();
        for (const auto& [name, colour] :
            { std::pair { u"一般", 0x000000u }, std::pair { u"仕事", 0x0000FFu }, std::pair { u"私用", 0x00FF00u } }) {
            CKalField genre;
            genre.name = name;
            genre.colour = colour;
            genres_.Append(genre);
        }
        CKalStore& store = document_.Store();
        store.genres = genres_;
        store.defaultScheduleGenre = 1;
        store.defaultTodoGenre = 2;
    }

    CKalFieldArray genres_;
    CKalDoc document_;
};

struct Case {
    const char* name;
    bool todo;
    std::u16string_view startTime; // typed as it stands, empty for none
    std::u16string_view endTime;
    std::optional<int> genre;
    std::u16string_view place;
};

std::optional<HourMinute> TimeOf(std::u16string_view text)
{
    return text.empty() ? std::nullopt : ParseHourMinute(text);
}

TEST_F(TypedEntryTest, EntriesMadeFromTypedValuesEqualWhatTheDialogsWriteOnOk)
{
    const Case cases[] = {
        { "all-day schedule", false, u"", u"", std::nullopt, u"" },
        { "schedule with a start time", false, u"09:05", u"", std::nullopt, u"" },
        { "schedule from start to end", false, u"10:00", u"11:30", std::nullopt, u"本社" },
        { "schedule of another genre", false, u"", u"", 2, u"家" },
        { "schedule of the first genre", false, u"23:59", u"23:59", 0, u"" },
        { "to-do", true, u"", u"", std::nullopt, u"" },
        { "to-do of another genre with a place", true, u"", u"", 0, u"図書館" },
        { "to-do at the preset genre", true, u"", u"", std::nullopt, u"" },
    };
    const CDTime day(2026, 3, 31);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string text = u"予定 " + FromUtf8(c.name);
        ui_.QueueDialog([&](DialogLogic&, MemoryDialogHost& host) {
            const int content = c.todo ? tododialog::kContent : scheduledialog::kContent;
            host.Type(content, text);
            host.Type(c.todo ? tododialog::kPlace : scheduledialog::kPlace, c.place);
            if (c.todo)
                host.Type(tododialog::kDeadline, u"2026/03/31");
            if (!c.startTime.empty())
                host.Type(scheduledialog::kStartTime, c.startTime);
            if (!c.endTime.empty())
                host.Type(scheduledialog::kEndTime, c.endTime);
            if (c.genre)
                host.Choose(c.todo ? tododialog::kGenre : scheduledialog::kGenre, *c.genre);
            host.Press(kIdOk);
        });
        if (c.todo)
            ASSERT_NE(document_.AddTodo(day), nullptr);
        else
            ASSERT_TRUE(document_.AddSchedule(day));

        const CKalStore& store = document_.Store();
        const TypedEntry typed { text, std::u16string(c.place), TimeOf(c.startTime), TimeOf(c.endTime), c.genre };
        const CKalData made = c.todo ? TodoAsTyped(store, day, typed) : ScheduleAsTyped(store, day, typed);
        const CKalData& written = store.Entry(store.EntryCount() - 1);
        EXPECT_EQ(made.start, written.start);
        EXPECT_EQ(made.end, written.end);
        EXPECT_EQ(made.flags, written.flags);
        EXPECT_EQ(made.genre, written.genre);
        EXPECT_EQ(made.colour, written.colour);
        EXPECT_EQ(made.alarmMinutes, written.alarmMinutes);
        EXPECT_EQ(made.timeDisplay, written.timeDisplay);
        EXPECT_EQ(made.repeatDayFrom, written.repeatDayFrom);
        EXPECT_TRUE(made == written) << "another field differs";
    }
    EXPECT_EQ(document_.Store().EntryCount(), static_cast<int>(std::size(cases)));
}

} // namespace
} // namespace kal
