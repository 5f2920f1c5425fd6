#include "store/KalData.h"

#include "settings/KalSettings.h"
#include "store/EntryPool.h"

namespace kal {

CKalData::CKalData()
    : alarmMinutes(CKalSettings::Current().Get(IntSetting::Alerm))
    , alarmMode(CKalSettings::Current().Get(IntSetting::AlermMode))
{
}

CKalData::CKalData(const CKalData& other)
    : CKalData()
{
    const std::int32_t currentMode = alarmMode;
    *this = other;
    alarmMode = currentMode;
}

void* CKalData::operator new(std::size_t size)
{
    return EntryPool::Allocate(size);
}

void CKalData::operator delete(void* entry, std::size_t size) noexcept
{
    EntryPool::Free(entry, size);
}

CDTime CKalData::AlarmTime() const
{
    if (IsTodo() || alarmMinutes == -1)
        return start;
    return start - static_cast<std::int64_t>(alarmMinutes) * 60;
}

Colour CKalData::DisplayColour(Colour holidayColour) const
{
    return IsHoliday() ? holidayColour : colour;
}

} // namespace kal
