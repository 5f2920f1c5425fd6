#include "TestEnvironment.h"

#include "platform/Text.h"
#include "store/DayListing.h"
#include "store/EntrySearch.h"
#include "store/KalData.h"
#include "store/KalStore.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

using Match = SearchConditions::Match;

TEST(EntrySearch, TextMatchesByConditionAndCase)
{
    struct Case {
        std::u16string_view text;
        std::u16string_view word;
        Match condition;
        bool matchCase;
        bool matches;
    };
    // clang-format off
    const Case cases[] = {
        { u"定例会議", u"", Match::Equals, true, true }, // an empty word matches anything
        { u"定例会議", u"会議", Match::Contains, false, true },
        { u"Team Meeting", u"meeting", Match::Contains, false, true },
        { u"Team Meeting", u"meeting", Match::Contains, true, false },
        { u"ＡＢＣ商事", u"ａｂｃ", Match::StartsWith, false, true }, // full-width letters have case too
        { u"Ёлка", u"ёлка", Match::Equals, false, true },
        { u"lunch", u"Lunch", Match::Equals, false, true },
        { u"lunch", u"Lunch", Match::Equals, true, true }, // an equal text is found whatever the case box says
        { u"Ёлка", u"ёлка", Match::Equals, true, true },
        { u"lunch box", u"lunch", Match::Equals, false, false },
        { u"会議室", u"会議", Match::StartsWith, false, true },
        { u"大会議", u"会議", Match::StartsWith, false, false },
        { u"xab", u"ab", Match::EndsWith, false, true },
        { u"abab", u"ab", Match::EndsWith, false, false }, // it first occurs earlier
        { u"b", u"ab", Match::EndsWith, false, false },
    };
    // clang-format on
    for (const Case& c : cases) {
        SearchConditions conditions;
        conditions.word = c.word;
        conditions.condition = c.condition;
        conditions.matchCase = c.matchCase;
        EXPECT_EQ(TextMatches(c.text, conditions), c.matches)
            << ToUtf8(c.text) << " / " << ToUtf8(c.word) << " " << static_cast<int>(c.condition);
    }
}

class EntrySearchTest : public test::TestEnvironment {
protected:
    void Add(const char16_t* text, CDTime start, CDTime end, const char16_t* place = u"", const char16_t* memo = u"")
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->place = place;
        entry->memo = memo;
        entry->start = start;
        entry->end = end;
        store_.AppendEntry(std::move(entry));
    }
    CKalStore store_;
};

// The targets the conditions name decide what matches; a long entry matches on each of its days;
// the bounds end the search.
TEST_F(EntrySearchTest, FindsTheNearestDayAMatchingEntryShowsOnWithinTheBounds)
{
    Add(u"会議", CDTime(2027, 3, 1), CDTime(2027, 3, 1));
    Add(u"昼食", CDTime(2027, 3, 2), CDTime(2027, 3, 2), u"会議室");
    Add(u"出張", CDTime(2027, 3, 3), CDTime(2027, 3, 4), u"", u"会議の資料");
    Add(u"休み", CDTime(2027, 3, 8), CDTime(2027, 3, 8));
    SearchConditions conditions;
    conditions.word = u"会議";
    conditions.targets = SearchConditions::kContent | SearchConditions::kMemo; // not the place
    const DateRange year { CDTime(2027, 1, 1), CDTime(2027, 12, 31) };
    constexpr auto kForward = SearchDirection::Forward;
    constexpr auto kBackward = SearchDirection::Backward;
    struct Case {
        CDTime from;
        SearchDirection direction;
        DateRange bounds;
        std::optional<CDTime> day; // the day found, nothing for none
        int entry; // its index in the store
    };
    const Case cases[] = {
        { CDTime(2027, 3, 1), kForward, year, CDTime(2027, 3, 1), 0 }, // the day itself
        { CDTime(2027, 3, 2), kForward, year, CDTime(2027, 3, 3), 2 }, // the place does not count
        { CDTime(2027, 3, 4), kForward, year, CDTime(2027, 3, 4), 2 }, // the trip's second day
        { CDTime(2027, 3, 5), kForward, year, std::nullopt, 0 },
        { CDTime(2027, 3, 7), kBackward, year, CDTime(2027, 3, 4), 2 },
        { CDTime(2027, 3, 2), kBackward, year, CDTime(2027, 3, 1), 0 },
        { CDTime(2027, 2, 28), kBackward, year, std::nullopt, 0 },
        { CDTime(2027, 3, 2), kForward, DateRange { CDTime(2027, 3, 2), CDTime(2027, 3, 2) }, std::nullopt, 0 },
        { CDTime(2026, 12, 1), kForward, year, std::nullopt, 0 }, // starting outside the bounds
        { CDTime(2026, 12, 1), kForward, DateRange { CDTime(1972, 1, 1), CDTime(2036, 12, 31) }, CDTime(2027, 3, 1),
            0 },
        { CDTime(2036, 12, 31), kBackward, DateRange { CDTime(1972, 1, 1), CDTime(2036, 12, 31) }, CDTime(2027, 3, 4),
            2 },
    };
    DayListing listing(&store_);
    for (const Case& c : cases) {
        const LocalFields f = c.from.Fields();
        SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << " "
                                        << (c.direction == kForward ? "forward" : "backward"));
        const std::optional<ShownMatch> match = FindShownMatch(listing, c.from, c.direction, conditions, c.bounds);
        ASSERT_EQ(match.has_value(), c.day.has_value());
        if (match) {
            EXPECT_EQ(match->day, *c.day);
            EXPECT_EQ(match->entry, &store_.Entry(c.entry));
        }
    }
}

TEST_F(EntrySearchTest, ConditionsAreKeptInTheSettings)
{
    EXPECT_EQ(ReadSearchConditions(profile_),
        (SearchConditions { u"", false, Match::Contains, 7u })); // case ignored, every target by default
    const SearchConditions chosen { u"会議", true, Match::EndsWith, SearchConditions::kPlace };
    WriteSearchConditions(profile_, chosen);
    EXPECT_EQ(profile_.GetInt("System", "ISearch", 1), 0);
    EXPECT_EQ(profile_.GetInt("System", "FindMode", 0), 3);
    EXPECT_EQ(ReadSearchConditions(profile_), chosen);
    profile_.SetInt("System", "FindTarget", 0);
    profile_.SetInt("System", "FindMode", 99);
    EXPECT_EQ(ReadSearchConditions(profile_).targets, SearchConditions::kContent);
    EXPECT_EQ(ReadSearchConditions(profile_).condition, Match::EndsWith);
}

} // namespace
} // namespace kal
