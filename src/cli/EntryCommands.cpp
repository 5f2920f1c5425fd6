#include "cli/EntryCommands.h"
#include "cli/ExitCodes.h"

#include "cli/ExchangeCommands.h"
#include "cli/FileCommands.h"
#include "cli/TerminalText.h"
#include "dialogs/TypedEntry.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/DayListing.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "store/RepeatExpansion.h"
#include "store/StoreOperation.h"
#include "views/ListingOptions.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace kal {

namespace {

constexpr char kAddUsage[] = "add FILE.klx YYYY-MM-DD [HH:MM[-HH:MM]] TEXT [--place PLACE] [--todo] [--genre N]";
constexpr char kDeleteUsage[] = "delete FILE.klx YYYY-MM-DD TEXT";

// "HH:MM" exactly, 00:00 to 23:59: a time typed any other way is more likely a slip than a wish.
std::optional<HourMinute> ParseClock(std::string_view text)
{
    const auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1; };
    if (text.size() != 5 || text[2] != ':')
        return std::nullopt;
    for (std::size_t i : { 0u, 1u, 3u, 4u }) {
        if (digit(i) < 0)
            return std::nullopt;
    }
    const HourMinute time { digit(0) * 10 + digit(1), digit(3) * 10 + digit(4) };
    if (time.hour > 23 || time.minute > 59)
        return std::nullopt;
    return time;
}

struct Times {
    HourMinute start;
    std::optional<HourMinute> end;
};

// "HH:MM" or "HH:MM-HH:MM" with the end not before the start; nothing, after saying why, else.
std::optional<Times> ParseTimes(const std::string& text)
{
    const std::size_t dash = text.find('-');
    const auto start = ParseClock(std::string_view(text).substr(0, dash));
    const auto end = dash == std::string::npos ? std::nullopt : ParseClock(std::string_view(text).substr(dash + 1));
    if (!start || (dash != std::string::npos && !end)) {
        std::fprintf(stderr, "kalendra-cli: '%s' is not a time from 00:00 to 23:59 (HH:MM or HH:MM-HH:MM)\n",
            TerminalText(text).c_str());
        return std::nullopt;
    }
    if (end && end->hour * 60 + end->minute < start->hour * 60 + start->minute) {
        std::fprintf(stderr, "kalendra-cli: '%s' ends before it starts\n", TerminalText(text).c_str());
        return std::nullopt;
    }
    return Times { *start, end };
}

std::optional<int> ParseGenreIndex(const std::string& text)
{
    if (text.empty() || text.size() > 4
        || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

// The entries the month view and the day list show on `day`, in their order.
std::vector<const CKalData*> EntriesShownOn(CKalStore& store, CDTime day)
{
    DayListing listing(&store, ListingOptionsFrom(CKalSettings::Current()));
    std::vector<ListedDay> days(2);
    listing.List(days, DateOnly(day), 1);
    return { days[0].entries.begin(), days[0].entries.end() };
}

} // namespace

int RunAdd(const std::vector<std::string>& given)
{
    std::vector<std::string> arguments = given;
    const bool todo = TakeFlag(arguments, "--todo");
    std::optional<std::string> place;
    std::optional<std::string> genre;
    if (!TakeValue(arguments, "--place", place) || !TakeValue(arguments, "--genre", genre) || HasOption(arguments)
        || arguments.size() < 3 || arguments.size() > 4)
        return UsageError(kAddUsage);
    const auto day = ParseDateArgument(arguments[1]);
    if (!day)
        return kUsageError;
    TypedEntry typed;
    typed.text = FromUtf8(arguments.back());
    typed.place = FromUtf8(place.value_or(""));
    if (arguments.size() == 4) {
        if (todo) {
            std::fputs("kalendra-cli: a to-do has a deadline day but no time\n", stderr);
            return kUsageError;
        }
        const auto times = ParseTimes(arguments[2]);
        if (!times)
            return kUsageError;
        typed.startTime = times->start;
        typed.endTime = times->end;
    }
    if (genre) {
        typed.genre = ParseGenreIndex(*genre);
        if (!typed.genre) {
            std::fprintf(stderr, "kalendra-cli: '%s' is not a genre number\n", TerminalText(*genre).c_str());
            return kUsageError;
        }
    }

    CKalStore& store = CommandStore();
    if (!OpenScheduleFileToChange(store, arguments[0]))
        return kFailed;
    if (typed.genre && !store.genres.At(*typed.genre)) {
        std::fprintf(stderr, "kalendra-cli: %s has no genre %d (its genres are 0 to %d)\n",
            TerminalText(arguments[0]).c_str(), *typed.genre, store.genres.Count() - 1);
        return kUsageError;
    }
    const CKalData entry = todo ? TodoAsTyped(store, *day, typed) : ScheduleAsTyped(store, *day, typed);
    DirectStoreEditor(store).Apply(
        StoreOperation(todo ? opname::kAddTodo : opname::kAddSchedule).Append(std::make_unique<CKalData>(entry)));
    return SaveScheduleFileFromCli(store, arguments[0]);
}

int RunDelete(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 3 || HasOption(arguments))
        return UsageError(kDeleteUsage);
    const auto day = ParseDateArgument(arguments[1]);
    if (!day)
        return kUsageError;
    const std::u16string text = FromUtf8(arguments[2]);

    CKalStore& store = CommandStore();
    if (!OpenScheduleFileToChange(store, arguments[0]))
        return kFailed;
    // Holidays the grid works out for itself are in no file and have no index: they cannot go.
    std::vector<int> matches;
    for (const CKalData* entry : EntriesShownOn(store, *day)) {
        const int index = store.IndexOf(entry);
        if (entry->text == text && index >= 0)
            matches.push_back(index);
    }
    if (matches.empty()) {
        std::fprintf(stderr, "kalendra-cli: no entry '%s' on %s\n", TerminalText(arguments[2]).c_str(),
            TerminalText(arguments[1]).c_str());
        return kFailed;
    }
    // From the last index back, so that a removal does not move the entries still to come.
    std::sort(matches.begin(), matches.end(), std::greater<>());
    matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
    const CKalData& first = store.Entry(matches.back());
    const bool oneDay = first.repeatType != repeat::kNone;
    StoreOperation deletion(oneDay ? opname::kDeleteOneDay
            : first.IsTodo()       ? opname::kDeleteTodo
                                   : opname::kDeleteSchedule);
    int removed = 0;
    int excluded = 0;
    for (const int index : matches) {
        const CKalData& entry = store.Entry(index);
        if (entry.repeatType == repeat::kNone) {
            deletion.Remove(index);
            ++removed;
            continue;
        }
        CKalData after;
        after = entry;
        ExcludeDay(after, *day);
        deletion.Replace(index, after);
        ++excluded;
    }
    DirectStoreEditor(store).Apply(std::move(deletion));
    if (SaveScheduleFileFromCli(store, arguments[0]) != 0)
        return kFailed;
    std::printf("deleted: %d\nexcluded from their repetition: %d\n", removed, excluded);
    return std::fflush(stdout) == 0 ? 0 : kFailed;
}

} // namespace kal
