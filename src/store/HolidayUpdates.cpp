#include "store/HolidayUpdates.h"

#include "calendar/CalendarTexts.h"
#include "store/KalStore.h"

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

bool ApplyHolidayUpdate2003(CKalStore& store)
{
    for (const auto& entry : store.entries) {
        if (entry->text == texts::kHolidayRespectForAged && entry->repeatType == kYearly && entry->weeks[2])
            return false;
    }
    bool changed = false;
    const CDTime lastOldDay(2002, 12, 31);
    for (const auto& entry : store.entries) {
        if ((entry->text == texts::kHolidayRespectForAged && StartsOn(*entry, 9, 15))
            || (entry->text == texts::kHolidayMarineDay && StartsOn(*entry, 7, 20))) {
            entry->end = lastOldDay;
            changed = true;
        }
    }
    if (changed) {
        store.AppendEntry(NewHappyMonday(texts::kHolidayRespectForAged, 9, 15));
        store.AppendEntry(NewHappyMonday(texts::kHolidayMarineDay, 7, 20));
    }
    return changed;
}

bool ApplyHolidayUpdate2007(CKalStore& store)
{
    for (const auto& entry : store.entries) {
        if (entry->IsHoliday() && entry->text == texts::kHolidayShowaDay && StartsOn(*entry, 4, 29))
            return false;
    }
    bool changed = false;
    const CDTime lastOldDay(2006, 12, 31);
    for (const auto& entry : store.entries) {
        if (!entry->IsHoliday() || entry->repeatType != kYearly)
            continue;
        if ((entry->text == texts::kHolidayGreeneryDay && StartsOn(*entry, 4, 29))
            || (entry->text == texts::kHolidayCitizens && StartsOn(*entry, 5, 4))) {
            entry->end = lastOldDay;
            changed = true;
        }
    }
    if (changed) {
        store.AppendEntry(NewYearlyHoliday(texts::kHolidayShowaDay, CDTime(2007, 4, 29), 29));
        store.AppendEntry(NewYearlyHoliday(texts::kHolidayGreeneryDay, CDTime(2007, 5, 4), 4));
    }
    return changed;
}

} // namespace kal
