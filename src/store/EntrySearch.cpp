#include "store/EntrySearch.h"

#include "platform/Profile.h"
#include "store/DayListing.h"
#include "store/KalData.h"
#include "store/KalStore.h"

#include <algorithm>

namespace kal {

namespace {

constexpr char kSection[] = "System";

// Upper case to lower case for the scripts a schedule is written in: Latin (ASCII, Latin-1 and
// full-width), Greek and Cyrillic. Kana and kanji have no case.
char16_t LowerCase(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) || (c >= 0x0391 && c <= 0x03AB)
        || (c >= 0x0410 && c <= 0x042F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0xFF21 && c <= 0xFF3A) // full-width Ａ-Ｚ
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

// Where `word` first occurs in `text`, or npos.
std::size_t FirstOccurrence(std::u16string_view text, std::u16string_view word, bool matchCase)
{
    if (matchCase)
        return text.find(word);
    const auto same = [](char16_t a, char16_t b) { return LowerCase(a) == LowerCase(b); };
    const auto found = std::search(text.begin(), text.end(), word.begin(), word.end(), same);
    return found == text.end() && !word.empty() ? std::u16string_view::npos
                                                : static_cast<std::size_t>(found - text.begin());
}

CDTime DaysFrom(CDTime day, int days)
{
    const LocalFields f = day.Fields();
    return CDTime(f.year, f.month, f.day + days);
}

// The store's own entry behind a listed one, which the listing hands out read-only.
CKalData* StoredEntry(const DayListing& listing, const CKalData* listed)
{
    for (const auto& entry : listing.Store()->entries) {
        if (entry.get() == listed)
            return entry.get();
    }
    return nullptr;
}

} // namespace

SearchConditions ReadSearchConditions(const Profile& profile)
{
    SearchConditions conditions;
    conditions.word = profile.GetString(kSection, "FindStr", u"");
    const int mode = profile.GetInt(kSection, "FindMode", 0);
    conditions.condition = static_cast<SearchConditions::Match>(std::clamp(mode, 0, 3));
    conditions.matchCase = profile.GetInt(kSection, "ISearch", 1) == 0;
    const unsigned targets = static_cast<unsigned>(profile.GetInt(kSection, "FindTarget", 7)) & 7u;
    conditions.targets = targets != 0 ? targets : SearchConditions::kContent;
    return conditions;
}

void WriteSearchConditions(Profile& profile, const SearchConditions& conditions)
{
    profile.SetString(kSection, "FindStr", conditions.word);
    profile.SetInt(kSection, "FindMode", static_cast<int>(conditions.condition));
    profile.SetInt(kSection, "ISearch", conditions.matchCase ? 0 : 1);
    profile.SetInt(kSection, "FindTarget", static_cast<int>(conditions.targets));
}

bool TextMatches(std::u16string_view text, const SearchConditions& conditions)
{
    const std::u16string_view word = conditions.word;
    if (word.empty())
        return true;
    // An equal text is looked for without regard to case, whatever the case box says: the box narrows
    // only the searches for a part of a text.
    const bool matchCase = conditions.matchCase && conditions.condition != SearchConditions::Match::Equals;
    const std::size_t at = FirstOccurrence(text, word, matchCase);
    switch (conditions.condition) {
    case SearchConditions::Match::Contains:
        return at != std::u16string_view::npos;
    case SearchConditions::Match::Equals:
        return text.size() == word.size() && at == 0;
    case SearchConditions::Match::StartsWith:
        return at == 0;
    case SearchConditions::Match::EndsWith:
        return text.size() >= word.size() && at == text.size() - word.size();
    }
    return false;
}

bool EntryMatches(const CKalData& entry, const SearchConditions& conditions)
{
    return ((conditions.targets & SearchConditions::kContent) && TextMatches(entry.text, conditions))
        || ((conditions.targets & SearchConditions::kPlace) && TextMatches(entry.place, conditions))
        || ((conditions.targets & SearchConditions::kMemo) && TextMatches(entry.memo, conditions));
}

std::optional<ShownMatch> FindShownMatch(DayListing& listing, CDTime from, SearchDirection direction,
    const SearchConditions& conditions, const DateRange& bounds)
{
    const bool forward = direction == SearchDirection::Forward;
    const CDTime edge = DateOnly(forward ? bounds.last : bounds.first);
    CDTime near = DateOnly(from);
    if (near < DateOnly(bounds.first) || near > DateOnly(bounds.last))
        return std::nullopt;
    // Most searches find a match within weeks: the first window is a month, and only a search that
    // goes on lists a year at a time, so that one with nothing to find still ends in a few listings.
    int windowDays = 31;
    for (;;) {
        const CDTime far
            = forward ? std::min(DaysFrom(near, windowDays - 1), edge) : std::max(DaysFrom(near, 1 - windowDays), edge);
        std::optional<CDTime> day;
        const CKalData* found = nullptr;
        listing.ForEachInPeriod(forward ? near : far, forward ? far : near, DayListing::Generated::Without,
            [&](CDTime listed, const CKalData& entry) {
                // Going forward the window's first match is the one; going back, its last day's first.
                if (found && (forward || *day == listed))
                    return;
                if (EntryMatches(entry, conditions)) {
                    day = listed;
                    found = &entry;
                }
            });
        if (found)
            return ShownMatch { DateOnly(*day), StoredEntry(listing, found) };
        if (far == edge)
            return std::nullopt;
        near = DaysFrom(far, forward ? 1 : -1);
        windowDays = 366;
    }
}

} // namespace kal
