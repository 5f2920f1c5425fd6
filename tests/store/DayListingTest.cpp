#include "TestEnvironment.h"

#include "store/DayListing.h"
#include "store/KalStore.h"
#include "store/NewSchedule.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kal {
namespace {

using Visits = std::vector<std::pair<std::u16string, std::u16string>>; // date text, entry text

class DayListingTest : public test::TestEnvironment {
protected:
    DayListingTest()
    {
        CKalFieldArray genres;
        CKalField general;
        general.name = u"一般";
        genres.Append(general);
        EXPECT_TRUE(StartNewSchedule(store_, genres)); // the template's national holidays
    }

    void Add(const char16_t* text, CDTime start, CDTime end, std::uint32_t flags = 0)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = start;
        entry->end = end;
        entry->flags = flags;
        store_.AppendEntry(std::move(entry));
    }

    Visits Walk(const DayListingOptions& options, CDTime first, CDTime last, DayListing::Generated generated)
    {
        Visits visits;
        DayListing listing(&store_, options);
        listing.ForEachInPeriod(first, last, generated,
            [&](CDTime day, const CKalData& entry) { visits.emplace_back(DateText(day), entry.text); });
        return visits;
    }

    CKalStore store_;
};

// The options alone decide: the settings say the opposite of every row.
TEST_F(DayListingTest, OptionsDecideOrderAndToDoPlacement)
{
    settings_.Set(IntSetting::SchSort, 0);
    settings_.Set(IntSetting::TodoPos, 1);
    Add(u"late", CDTime(2026, 12, 10, 10, 0, 0), CDTime(2026, 12, 10, 11, 0, 0), flag::kStartTimeSet);
    Add(u"untimed", CDTime(2026, 12, 10), CDTime(2026, 12, 10));
    Add(u"early", CDTime(2026, 12, 10, 8, 0, 0), CDTime(2026, 12, 10, 9, 0, 0), flag::kStartTimeSet);
    Add(u"todo", CDTime(2026, 12, 10), CDTime(2026, 12, 10), flag::kIsTodo); // shows every day before
    store_.Entry(store_.EntryCount() - 1).showDaysBefore = -1;

    struct Case {
        bool sortByTime;
        int todoPos;
        Visits expected; // today is 2026/12/07
    };
    const Case cases[] = {
        { true, 1,
            { { u"2026/12/10", u"untimed" }, { u"2026/12/10", u"todo" }, { u"2026/12/10", u"early" },
                { u"2026/12/10", u"late" } } },
        { false, 0,
            { { u"2026/12/07", u"todo" }, { u"2026/12/10", u"late" }, { u"2026/12/10", u"untimed" },
                { u"2026/12/10", u"early" } } },
    };
    for (const Case& c : cases) {
        DayListingOptions options;
        options.sortByTime = c.sortByTime;
        options.todoPos = c.todoPos;
        EXPECT_EQ(Walk(options, CDTime(2026, 12, 6), CDTime(2026, 12, 12), DayListing::Generated::Without), c.expected)
            << c.sortByTime << c.todoPos;
    }
}

// A period across two months comes day by day, each day once, whether its days are listed in one go
// or month view by month view; only the month views bring the generated holidays.
TEST_F(DayListingTest, PeriodWalkComesOnceADay)
{
    Add(u"trip", CDTime(2026, 8, 30), CDTime(2026, 9, 2));
    const Visits trip = { { u"2026/08/30", u"trip" }, { u"2026/08/31", u"trip" }, { u"2026/09/01", u"trip" },
        { u"2026/09/02", u"trip" } };
    Visits stored = trip;
    stored.emplace_back(u"2026/09/21", u"敬老の日");
    Visits generated = stored;
    generated.emplace_back(u"2026/09/22", u"国民の休日");
    generated.emplace_back(u"2026/09/23", u"秋分の日");

    struct Case {
        DayListing::Generated generated;
        bool mondayFirst;
        bool equinoxHolidays;
        const Visits& expected;
    };
    const Case cases[] = {
        { DayListing::Generated::Without, false, true, stored },
        { DayListing::Generated::With, false, true, generated },
        { DayListing::Generated::With, true, true, generated },
        { DayListing::Generated::With, false, false, stored },
    };
    for (const Case& c : cases) {
        DayListingOptions options;
        options.mondayFirst = c.mondayFirst;
        options.equinoxHolidays = c.equinoxHolidays;
        EXPECT_EQ(Walk(options, CDTime(2026, 8, 29), CDTime(2026, 9, 23), c.generated), c.expected)
            << static_cast<int>(c.generated) << c.mondayFirst << c.equinoxHolidays;
    }
    // A period inside the view of a month still takes its holidays from that month's view.
    DayListingOptions options;
    EXPECT_EQ(Walk(options, CDTime(2026, 9, 22), CDTime(2026, 9, 22), DayListing::Generated::With),
        (Visits { { u"2026/09/22", u"国民の休日" } }));
    EXPECT_TRUE(Walk(options, CDTime(2026, 9, 23), CDTime(2026, 9, 22), DayListing::Generated::With).empty());
}

} // namespace
} // namespace kal
