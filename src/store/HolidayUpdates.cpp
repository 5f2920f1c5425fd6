#include "store/HolidayUpdates.h"

#include "calendar/CalendarTexts.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"

#include <memory>

namespace kal {

namespace {

constexpr int kYearly = 4;

bool StartsOn(const CKalData& entry, int month, int day)
{
    const LocalFields f = entry.start.Fields();
    return f.month == month && f.day == day;
}

std::unique_ptr<CKalData> NewYearlyHoliday(const char16_t* name, CDTime start, int day)
{
    auto entry = std::make_unique<CKalData>();
    entry->Set(flag::kHoliday, true);
    entry->text = name;
    entry->start = start;
    entry->end = CDTime(2036, 12, 31);
    entry->repeatType = kYearly;
    entry->interval = 1;
    entry->repeatDayFrom = day;
    entry->repeatDayTo = day;
    return entry;
}

// Third Monday of one month, every year from 2003.
std::unique_ptr<CKalData> NewHappyMonday(const char16_t* name, int month, int day)
{
    auto entry = NewYearlyHoliday(name, CDTime(2003, 1, 1), day);
    entry->positionMode = 1;
    entry->weeks = {};
    entry->weeks[2] = 1;
    entry->weekdays = {};
    entry->weekdays[1] = 1;
    entry->months = {};
    entry->months[static_cast<std::size_t>(month - 1)] = 1;
    return entry;
}

} // namespace

void HolidayUpdates::Append(HolidayUpdates&& later)
{
    endings.insert(endings.end(), later.endings.begin(), later.endings.end());
    for (auto& entry : later.additions)
        additions.push_back(std::move(entry));
    later = {};
}

HolidayUpdates HolidayUpdate2003(const CKalStore& store)
{
    for (const auto& entry : store.entries) {
        if (entry->text == texts::kHolidayRespectForAged && entry->repeatType == kYearly && entry->weeks[2])
            return {};
    }
    HolidayUpdates updates;
    const CDTime lastOldDay(2002, 12, 31);
    for (std::size_t i = 0; i < store.entries.size(); ++i) {
        const CKalData& entry = *store.entries[i];
        if ((entry.text == texts::kHolidayRespectForAged && StartsOn(entry, 9, 15))
            || (entry.text == texts::kHolidayMarineDay && StartsOn(entry, 7, 20)))
            updates.endings.push_back({ i, lastOldDay });
    }
    if (!updates.endings.empty()) {
        updates.additions.push_back(NewHappyMonday(texts::kHolidayRespectForAged, 9, 15));
        updates.additions.push_back(NewHappyMonday(texts::kHolidayMarineDay, 7, 20));
    }
    return updates;
}

HolidayUpdates HolidayUpdate2007(const CKalStore& store)
{
    for (const auto& entry : store.entries) {
        if (entry->IsHoliday() && entry->text == texts::kHolidayShowaDay && StartsOn(*entry, 4, 29))
            return {};
    }
    HolidayUpdates updates;
    const CDTime lastOldDay(2006, 12, 31);
    for (std::size_t i = 0; i < store.entries.size(); ++i) {
        const CKalData& entry = *store.entries[i];
        if (!entry.IsHoliday() || entry.repeatType != kYearly)
            continue;
        if ((entry.text == texts::kHolidayGreeneryDay && StartsOn(entry, 4, 29))
            || (entry.text == texts::kHolidayCitizens && StartsOn(entry, 5, 4)))
            updates.endings.push_back({ i, lastOldDay });
    }
    if (!updates.endings.empty()) {
        updates.additions.push_back(NewYearlyHoliday(texts::kHolidayShowaDay, CDTime(2007, 4, 29), 29));
        updates.additions.push_back(NewYearlyHoliday(texts::kHolidayGreeneryDay, CDTime(2007, 5, 4), 4));
    }
    return updates;
}

bool ApplyHolidayUpdates(CKalStore& store, HolidayUpdates updates)
{
    const bool changed = !updates.IsEmpty();
    HolidayUpdateOperation(store, std::move(updates)).Apply(store);
    return changed;
}

StoreOperation HolidayUpdateOperation(const CKalStore& store, HolidayUpdates updates)
{
    StoreOperation operation(opname::kHolidayUpdate);
    for (const HolidayUpdates::Ending& ending : updates.endings) {
        CKalData ended;
        ended = *store.entries.at(ending.entry);
        ended.end = ending.lastDay;
        operation.Replace(static_cast<int>(ending.entry), ended);
    }
    operation.Append(std::move(updates.additions));
    return operation;
}

} // namespace kal
