#pragma once

#include "calendar/DTime.h"
#include "calendar/YearMonth.h"
#include "store/EntryText.h"
#include "store/FillOrder.h"
#include "store/RepeatExpansion.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kal {

class CKalData;
class CKalStore;

// What the user's choices change in a listing of days. The listing never reads the settings itself:
// whoever lists reads them and hands them over, so a listing is the same for the same options.
struct DayListingOptions {
    bool sortByTime = true; // timed entries after the untimed ones, by time; else in store order
    int todoPos = 0; // where an open to-do shows: 0 on today, 1 on its deadline
    bool todoViewAll = false; // open to-dos show whatever their days before the deadline
    bool mondayFirst = false; // a month's days begin on the Monday, else the Sunday, on or before its 1st
    bool equinoxHolidays = true; // a month's listing makes the equinox and citizens' holidays
    bool substituteHolidays = true; // and the substitute holidays
    TimeMode timeMode = TimeMode::PerEntry; // the times an entry's line shows
    Countdown countdown = Countdown::On; // whether a to-do's line counts the days to its deadline
};

// One day of a listing: the entries shown that day, in the order they show. The entries belong to
// the store, except the holidays the listing makes itself.
struct ListedDay {
    std::vector<CKalData*> entries;
    CDTime date; // the day at 00:00

    [[nodiscard]] bool HasHoliday() const;
    void Clear();

    // Kept by DayListing::AddToDay to find an entry's place quickly: each entry's time sort key, the
    // number of entries without a start time, and whether a timed holiday broke the usual layout of
    // holidays, untimed entries, then timed entries by time.
    std::vector<std::uint64_t> sortKeys;
    int untimedCount = 0;
    bool irregularOrder = false;
};

// Which entries of a store show on which day, in which order, and the line each shows: the
// occurrences of repeating entries, the to-dos by their placement, the genres' visibility, and for
// a month the holidays no stored rule can express (equinox days, citizens' and substitute holidays).
//
// A listing keeps its working memory from one listing to the next, so that listing month after month
// allocates little.
class DayListing {
public:
    explicit DayListing(CKalStore* store = nullptr, DayListingOptions options = {});
    ~DayListing();
    DayListing(const DayListing&) = delete;
    DayListing& operator=(const DayListing&) = delete;

    void SetStore(CKalStore* store) { store_ = store; }
    void SetOptions(const DayListingOptions& options) { options_ = options; }
    [[nodiscard]] CKalStore* Store() const { return store_; }
    [[nodiscard]] const DayListingOptions& Options() const { return options_; }

    // Lists the `count` days from `first` into days[0] to days[count - 1] and the day after them into
    // days[count], as far as `days` reaches. Stored entries only. Without a store the days get their
    // dates and no entries. An entry of a genre the store does not have grows the genre list to it.
    void List(std::vector<ListedDay>& days, CDTime first, int count);

    // As List, for the `count` days of a month view that begins at `first`, with the holidays generated
    // for it (GeneratedHolidays.h) added. They live until the next ListMonthView.
    void ListMonthView(std::vector<ListedDay>& days, CDTime first, int count);

    // The first day a month view shows: the Sunday (or Monday) on or before the month's 1st.
    [[nodiscard]] static CDTime MonthViewStart(YearMonth month, bool mondayFirst);

    // Whether the generated holidays come too when listing a period: they cost a month view's listing
    // for each month of the period.
    enum class Generated { Without, With };
    using Visit = std::function<void(CDTime day, const CKalData& entry)>;
    // Calls `visit` for every entry shown on every day from `first` to `last` (dates, both included),
    // day after day, each day's entries in their order. An entry shown on several days comes once a day.
    // With the generated holidays every month's days are those of its own month view, where they are
    // worked out.
    void ForEachInPeriod(CDTime first, CDTime last, Generated generated, const Visit& visit);

    // Adds an entry to a day in the order days show: holidays first, then entries without a start
    // time, then timed ones by time when `sortByTime`. `sortKey` is the entry's TimeSortKey that day.
    void AddToDay(ListedDay& day, CKalData* entry) const;
    static void AddToDay(ListedDay& day, CKalData* entry, std::uint64_t sortKey, bool sortByTime);

    // Makes a holiday entry named `name` on the day, owned by the listing, and adds it.
    void AddGeneratedHoliday(ListedDay& day, const char16_t* name);
    // Whether the entry is one of the holidays this listing generated.
    [[nodiscard]] bool IsGenerated(const CKalData* entry) const;

    // The line an entry shows on `day`, with the options' times and countdown.
    [[nodiscard]] std::u16string Line(const CKalData& entry, CDTime day) const;

private:
    // What placing every entry of one listing shares, worked out once.
    struct PlaceContext {
        OccurrenceSpan span;
        CDTime now; // the moment the listing began
        LocalFields today; // its fields
        int todayIndex; // the day of today's date, or outside the listing
    };
    // Places the entry stored at `arrival` on its days.
    void PlaceEntry(std::vector<ListedDay>& days, const std::vector<LocalFields>& fields, int count, CKalData& entry,
        std::uint32_t arrival, const PlaceContext& context);
    // Whether entries of the entry's genre show; the genre list grows to an unknown genre first.
    bool GenreShown(CKalData& entry);

    CKalStore* store_ = nullptr;
    DayListingOptions options_;
    std::vector<std::unique_ptr<CKalData>> generated_;
    std::vector<std::uint8_t> marks_; // reused by every expansion
    std::vector<std::uint8_t> genreShown_; // per genre during a listing: 1 shown, 0 hidden
    std::vector<ListedDay> period_; // the days ForEachInPeriod walks
    FillOrder order_;
};

} // namespace kal
