#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"

#include <optional>
#include <string>
#include <string_view>

namespace kal {

class CKalData;
class DayListing;
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

// A day on which a matching entry shows, and the first such entry of the day in the day's order.
struct ShownMatch {
    CDTime day; // at 00:00
    CKalData* entry = nullptr;
};
enum class SearchDirection { Forward, Backward };

// The nearest day to `from` (itself included), later going Forward or earlier going Backward, on which
// the listing shows a stored entry that matches: every occurrence of a repeating entry and every day
// of a long one counts. The search stops at the ends of `bounds` (both included) and gives nothing
// when no day up to there has a match.
[[nodiscard]] std::optional<ShownMatch> FindShownMatch(DayListing& listing, CDTime from, SearchDirection direction,
    const SearchConditions& conditions, const DateRange& bounds);

} // namespace kal
