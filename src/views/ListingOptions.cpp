#include "views/ListingOptions.h"

#include "platform/Profile.h"
#include "settings/KalSettings.h"

namespace kal {

DayListingOptions ListingOptionsFrom(const CKalSettings& settings)
{
    DayListingOptions options;
    options.sortByTime = settings.IsOn(IntSetting::SchSort);
    options.todoPos = settings.Get(IntSetting::TodoPos);
    options.todoViewAll = settings.IsOn(IntSetting::TodoViewAll);
    options.mondayFirst = settings.IsOn(IntSetting::StartMonday);
    options.equinoxHolidays = settings.IsOn(IntSetting::Shunbun);
    options.substituteHolidays = settings.IsOn(IntSetting::Hurikae);
    options.timeMode = TimeModeFromSetting(settings.Get(IntSetting::MonthViewTime));
    options.countdown
        = ReadSetting(Profile::Current(), ProfileIntSetting::TodoLeftDraw) ? Countdown::On : Countdown::Off;
    return options;
}

AlarmListOptions AlarmOptionsFrom(const CKalSettings& settings)
{
    AlarmListOptions options;
    options.listing = ListingOptionsFrom(settings);
    const int minute = ReadSetting(Profile::Current(), ProfileIntSetting::RemindUntimed);
    if (minute >= 0 && minute < 24 * 60)
        options.untimedMinute = minute;
    return options;
}

} // namespace kal
