#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

class CKalData;
class Profile;

// What a search looks for and where.
struct SearchConditions {
    enum class Match { Contains, Equals, StartsWith, EndsWith };
    static constexpr unsigned kContent = 1; // the entry's text
    static constexpr unsigned kPlace = 2;
    static constexpr unsigned kMemo = 4;

    std::u16string word;
    bool matchCase = false;
    Match condition = Match::Contains;
    unsigned targets = kContent | kPlace | kMemo;

    bool operator==(const SearchConditions&) const = default;
};

// The conditions as the settings keep them ("System": "FindStr", "FindMode", "ISearch" = ignore case,
// "FindTarget"), and back.
[[nodiscard]] SearchConditions ReadSearchConditions(const Profile& profile);
void WriteSearchConditions(Profile& profile, const SearchConditions& conditions);

// Whether one text matches: an empty word matches anything; letters compare without case unless
// `matchCase`, and always without case for Match::Equals. A word that ends a text must end it exactly where it first
// occurs in it.
[[nodiscard]] bool TextMatches(std::u16string_view text, const SearchConditions& conditions);
// Whether any of the entry's targeted texts matches.
[[nodiscard]] bool EntryMatches(const CKalData& entry, const SearchConditions& conditions);

// Steps through the matching entries of a list in list order (a repeating entry matches once),
// remembering where the last match stood, so that the next and previous matches follow on from it.
class EntrySearch {
public:
    using Entries = std::vector<std::unique_ptr<CKalData>>;

    // The first match from the start of the list; null when none matches (the place goes back to 0).
    CKalData* First(const Entries& entries, const SearchConditions& conditions);
    // The next match after the last place, or the previous one before it; null when there is none
    // (the place stays). The list may have changed since: a place beyond its end counts from its end.
    CKalData* Next(const Entries& entries, const SearchConditions& conditions);
    CKalData* Previous(const Entries& entries, const SearchConditions& conditions);

    [[nodiscard]] std::size_t Place() const { return place_; }

private:
    std::size_t place_ = 0;
};

} // namespace kal
