#include "TestEnvironment.h"

#include "dialogs/AvoidDayDialog.h"
#include "dialogs/ExclusionDayDialog.h"
#include "dialogs/ExclusionDialog.h"
#include "dialogs/ExclusionPeriodDialog.h"
#include "dialogs/OccurrenceDialog.h"
#include "dialogs/RepeatDeleteDialog.h"
#include "dialogs/RepeatEditing.h"
#include "store/KalData.h"
#include "support/MemoryDialogHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace kal {
namespace {

using ExclusionDialogTest = test::TestEnvironment;

std::vector<std::u16string> Rows(std::initializer_list<const char16_t*> rows)
{
    return std::vector<std::u16string>(rows.begin(), rows.end());
}

void EnterPeriod(MemoryDialogHost& host, const char16_t* start, const char16_t* end)
{
    host.Type(exclusionperioddialog::kStart, start);
    host.Type(exclusionperioddialog::kEnd, end);
    host.Press(kIdOk);
}

TEST_F(ExclusionDialogTest, RowsAreAddedEditedAndDeleted)
{
    using namespace exclusiondialog;
    const std::vector<ExclusionPeriod> before { { 2013, 2, 10, 2013, 2, 10 }, { 2013, 3, 1, 2013, 3, 5 } };
    ui_.QueueDialog([this](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Items(kList), Rows({ u"2013/02/10", u"2013/03/01 ～ 2013/03/05" }));
        EXPECT_EQ(host.Selection(kList), 0);

        host.Press(kAddDay);
        EXPECT_EQ(host.Items(kList).back(), u"2013/04/01");
        EXPECT_EQ(host.Selection(kList), 2);
        host.Press(kAddPeriod);
        EXPECT_EQ(host.Items(kList).back(), u"2013/05/01 ～ 2013/05/03");
        EXPECT_EQ(host.Selection(kList), 3);

        host.Choose(kList, 1);
        host.Press(kEdit);
        EXPECT_EQ(host.Items(kList)[1], u"2013/03/01 ～ 2013/03/09");
        EXPECT_EQ(host.Selection(kList), 1);
        host.DoubleClick(kList, 0); // opens the edit too; cancelled

        for (const auto& [row, yes, selected] : { std::tuple { 0, true, 0 }, { 2, false, 2 }, { 2, true, 1 } }) {
            host.Choose(kList, row);
            ui_.QueueAnswer(yes);
            host.Press(kDelete);
            EXPECT_EQ(host.Selection(kList), selected);
        }
        EXPECT_EQ(host.Items(kList), Rows({ u"2013/03/01 ～ 2013/03/09", u"2013/04/01" }));
        host.Press(kIdOk);
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(exclusiondaydialog::kDate), u"2026/12/07"); // today
        host.Type(exclusiondaydialog::kDate, u"2013/4/1");
        host.Press(kIdOk);
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(exclusionperioddialog::kEnd), u"2026/12/07");
        EnterPeriod(host, u"2013/05/01", u"2013/05/03");
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(exclusionperioddialog::kStart), u"2013/03/01");
        EnterPeriod(host, u"2013/03/01", u"2013/03/09");
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(exclusionperioddialog::kStart), u"2013/02/10");
        host.Type(exclusionperioddialog::kEnd, u"2013/02/28");
        host.Press(kIdCancel);
    });
    const std::optional<std::vector<ExclusionPeriod>> after = EditExclusions(before);
    const std::vector<ExclusionPeriod> expected { { 2013, 3, 1, 2013, 3, 9 }, { 2013, 4, 1, 2013, 4, 1 } };
    EXPECT_EQ(after, expected);
    EXPECT_EQ(ui_.Questions().size(), 3u);
    EXPECT_EQ(ui_.Questions().front(), kAskDelete);
    EXPECT_EQ(ui_.DialogsRun(), 5);
}

TEST_F(ExclusionDialogTest, DeletingTheOnlyRowLeavesNothingSelected)
{
    using namespace exclusiondialog;
    ui_.QueueDialog([this](DialogLogic&, MemoryDialogHost& host) {
        ui_.QueueAnswer(true);
        host.Press(kDelete);
        EXPECT_TRUE(host.Items(kList).empty());
        EXPECT_EQ(host.Selection(kList), -1);
        // Without a row, editing and deleting do nothing at all.
        host.Press(kEdit);
        host.Press(kDelete);
        host.Press(kIdCancel);
    });
    EXPECT_EQ(EditExclusions({ { 2013, 2, 10, 2013, 2, 10 } }), std::nullopt);
    EXPECT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(ui_.DialogsRun(), 1);
}

TEST_F(ExclusionDialogTest, InputDialogsReportDatesThatDoNotRead)
{
    {
        using namespace exclusiondaydialog;
        ExclusionDayDialog dialog(CDTime(2013, 2, 10));
        MemoryDialogHost host(dialog);
        host.Open();
        host.Type(kDate, u"2013/02/30");
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { kEnterValidDate });
    }
    struct Case {
        const char16_t* start;
        const char16_t* end;
        const char16_t* message;
    };
    using namespace exclusionperioddialog;
    for (const Case& c :
        { Case { u"", u"2013/02/10", kEnterValidStart }, Case { u"2013/02/10", u"2/", kEnterValidEnd } }) {
        ui_.Clear();
        ExclusionPeriodDialog dialog(CDTime(2013, 2, 10), CDTime(2013, 2, 10));
        MemoryDialogHost host(dialog);
        host.Open();
        EnterPeriod(host, c.start, c.end);
        EXPECT_FALSE(host.HasEnded());
        EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { c.message });
    }
}

using AvoidDayTest = test::TestEnvironment;

TEST_F(AvoidDayTest, BoxesMapToTheBits)
{
    using namespace avoiddaydialog;
    struct Case {
        std::uint32_t bits;
        std::array<bool, 4> shown; // Saturday, Sunday, holiday, show the day before
        std::vector<int> pressed;
        std::uint32_t result;
    };
    const Case cases[] = {
        { 0, { false, false, false, true }, {}, 0 },
        { 0, { false, false, false, true }, { kShowDayBefore }, avoid::kDrop },
        { 0, { false, false, false, true }, { kSunday, kHoliday }, avoid::kSunday | avoid::kHoliday },
        { 0x1F, { true, true, true, false }, {}, 0x1E }, // bit 0 is never kept
        { avoid::kSaturday, { true, false, false, true }, { kSaturday, kShowDayBefore }, avoid::kDrop },
    };
    for (const Case& c : cases) {
        ui_.QueueDialog([&c](DialogLogic&, MemoryDialogHost& host) {
            const int boxes[] = { kSaturday, kSunday, kHoliday, kShowDayBefore };
            for (std::size_t i = 0; i < std::size(boxes); ++i)
                EXPECT_EQ(host.IsChecked(boxes[i]), c.shown[i]) << c.bits << " " << boxes[i];
            for (const int id : c.pressed)
                host.Press(id);
            host.Press(kIdOk);
        });
        EXPECT_EQ(EditAvoidDays(c.bits), c.result);
    }
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kSaturday);
        host.Press(kIdCancel);
    });
    EXPECT_EQ(EditAvoidDays(0), std::nullopt);
}

using RepeatDeleteTest = test::TestEnvironment;

TEST_F(RepeatDeleteTest, EachButtonGivesItsChoice)
{
    struct Case {
        std::function<void(MemoryDialogHost&)> user;
        RepeatDeleteChoice choice;
    };
    const Case cases[] = {
        { [](MemoryDialogHost& host) { host.Press(repeatdeletedialog::kThisDayOnly); },
            RepeatDeleteChoice::ThisDayOnly },
        { [](MemoryDialogHost& host) { host.Key(Key::Enter); }, RepeatDeleteChoice::ThisDayOnly },
        { [](MemoryDialogHost& host) { host.Press(repeatdeletedialog::kFollowing); },
            RepeatDeleteChoice::ThisAndFollowing },
        { [](MemoryDialogHost& host) { host.Press(repeatdeletedialog::kAll); }, RepeatDeleteChoice::All },
        { [](MemoryDialogHost& host) { host.Press(kIdCancel); }, RepeatDeleteChoice::Cancel },
        { [](MemoryDialogHost& host) { host.Key(Key::Escape); }, RepeatDeleteChoice::Cancel },
    };
    for (const Case& c : cases) {
        ui_.QueueDialog([&c](DialogLogic&, MemoryDialogHost& host) { c.user(host); });
        EXPECT_EQ(AskRepeatDelete(), c.choice);
    }
}

TEST_F(RepeatDeleteTest, TheChangeQuestionGivesTheScopeOfEachButtonAndNothingOnEscape)
{
    struct Case {
        std::function<void(MemoryDialogHost&)> user;
        std::optional<OccurrenceScope> scope;
    };
    const Case cases[] = {
        { [](MemoryDialogHost& host) { host.Key(Key::Enter); }, OccurrenceScope::ThisDay },
        { [](MemoryDialogHost& host) { host.Press(occurrencedialog::kThisDayOnly); }, OccurrenceScope::ThisDay },
        { [](MemoryDialogHost& host) { host.Press(occurrencedialog::kFollowing); }, OccurrenceScope::ThisAndFollowing },
        { [](MemoryDialogHost& host) { host.Press(occurrencedialog::kAll); }, OccurrenceScope::All },
        { [](MemoryDialogHost& host) { host.Press(kIdCancel); }, std::nullopt },
        { [](MemoryDialogHost& host) { host.Key(Key::Escape); }, std::nullopt },
    };
    for (const Case& c : cases) {
        ui_.QueueDialog([&c](DialogLogic&, MemoryDialogHost& host) { c.user(host); });
        EXPECT_EQ(AskOccurrenceScope(), c.scope);
    }
}

} // namespace
} // namespace kal
