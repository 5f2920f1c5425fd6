#include "TestEnvironment.h"

#include "platform/Text.h"
#include "store/EntrySearch.h"
#include "store/KalData.h"

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
    void Add(const char16_t* text, const char16_t* place = u"", const char16_t* memo = u"")
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->place = place;
        entry->memo = memo;
        entries_.push_back(std::move(entry));
    }
    EntrySearch::Entries entries_;
    EntrySearch search_;
};

TEST_F(EntrySearchTest, StepsThroughMatchesInFileOrderAndSurvivesAShrunkList)
{
    Add(u"会議");
    Add(u"昼食", u"会議室");
    Add(u"出張", u"", u"会議の資料");
    Add(u"休み");
    SearchConditions conditions;
    conditions.word = u"会議";
    conditions.targets = SearchConditions::kContent | SearchConditions::kMemo; // not the place
    EXPECT_EQ(search_.First(entries_, conditions), entries_[0].get());
    EXPECT_EQ(search_.Next(entries_, conditions), entries_[2].get());
    EXPECT_EQ(search_.Next(entries_, conditions), nullptr);
    EXPECT_EQ(search_.Place(), 2u); // a failed step keeps the place
    EXPECT_EQ(search_.Previous(entries_, conditions), entries_[0].get());
    EXPECT_EQ(search_.Previous(entries_, conditions), nullptr);
    EXPECT_EQ(search_.Place(), 0u);

    conditions.word.clear(); // every entry, one after another
    EXPECT_EQ(search_.First(entries_, conditions), entries_[0].get());
    for (std::size_t i = 1; i < entries_.size(); ++i)
        EXPECT_EQ(search_.Next(entries_, conditions), entries_[i].get());

    // Another, shorter file: the place of the last match lies beyond its end.
    entries_.resize(2);
    EXPECT_EQ(search_.Next(entries_, conditions), nullptr);
    EXPECT_EQ(search_.Previous(entries_, conditions), entries_[1].get());
    conditions.word = u"なし";
    EXPECT_EQ(search_.First(entries_, conditions), nullptr);
    EXPECT_EQ(search_.Place(), 0u);
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
