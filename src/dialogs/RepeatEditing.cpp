#include "dialogs/RepeatEditing.h"

#include "dialogs/AvoidDayDialog.h"
#include "dialogs/ExclusionDialog.h"
#include "dialogs/RepeatDeleteDialog.h"
#include "dialogs/RepeatDialog.h"
#include "platform/Text.h"
#include "store/RepeatExpansion.h"
#include "ui/Ui.h"

namespace kal {

namespace {

constexpr int kDaysInLongestMonth = 31;

RepeatDialogValues ValuesOf(const RepeatSettings& settings, const RepeatPeriod& period)
{
    RepeatDialogValues values;
    values.repeatType = settings.repeatType;
    values.dayFrom = DayRangeText(settings.repeatDayFrom);
    values.dayTo = DayRangeText(settings.repeatDayTo);
    values.interval = settings.interval;
    values.positionMode = settings.positionMode != 0;
    values.weeks = settings.weeks;
    values.weekdays = settings.weekdays;
    values.months = settings.months;
    values.period.first = DateOnly(period.first);
    values.period.last = DateOnly(period.last);
    return values;
}

RepeatSettings SettingsOf(const RepeatDialogValues& values)
{
    RepeatSettings settings;
    settings.repeatType = values.repeatType;
    settings.repeatDayFrom = DayRangeValue(values.dayFrom);
    settings.repeatDayTo = DayRangeValue(values.dayTo);
    settings.interval = values.interval;
    settings.positionMode = values.positionMode ? 1 : 0;
    settings.weeks = values.weeks;
    settings.weekdays = values.weekdays;
    settings.months = values.months;
    return settings;
}

CivilDate DateOf(CDTime time)
{
    const LocalFields f = time.Fields();
    return CivilDate { f.year, f.month, f.day };
}

// A date of a monthly or yearly rule put on the rule's day, and for yearly rules by date on its
// month. The month's last day is that of the month the date ends up in; a day the month does not
// have counts on into the next month, and a day of 0 leaves the date's own day.
CivilDate OnRuleDay(CivilDate date, const RepeatSettings& settings, std::int32_t day, int month)
{
    CivilDate result = date;
    if (settings.positionMode != 0)
        return result;
    if (settings.repeatType == repeat::kYearly)
        result.month = month;
    if (day == repeat::kLastDayOfMonth)
        result.day = DaysInMonth(result.year, result.month);
    else if (day != 0)
        result.day = day;
    return result;
}

RepeatPeriod PeriodOf(const RepeatDialogValues& values, const RepeatSettings& settings)
{
    CivilDate first = DateOf(values.period.first);
    CivilDate last = DateOf(values.period.last);
    if (settings.repeatType == repeat::kMonthly || settings.repeatType == repeat::kYearly) {
        first = OnRuleDay(first, settings, settings.repeatDayFrom, values.month);
        last = OnRuleDay(last, settings, settings.repeatDayTo, values.month);
    }
    return RepeatPeriod { CDTime(first.year, first.month, first.day),
        CDTime(last.year, last.month, last.day, 23, 59, 59) };
}

} // namespace

RepeatSettings RepeatSettings::Of(const CKalData& entry)
{
    RepeatSettings settings;
    settings.repeatType = entry.repeatType;
    settings.repeatDayFrom = entry.repeatDayFrom;
    settings.repeatDayTo = entry.repeatDayTo;
    settings.interval = entry.interval;
    settings.positionMode = entry.positionMode;
    settings.weeks = entry.weeks;
    settings.weekdays = entry.weekdays;
    settings.months = entry.months;
    return settings;
}

void RepeatSettings::WriteTo(CKalData& entry) const
{
    entry.repeatType = repeatType;
    entry.repeatDayFrom = repeatDayFrom;
    entry.repeatDayTo = repeatDayTo;
    entry.interval = interval;
    entry.positionMode = positionMode;
    entry.weeks = weeks;
    entry.weekdays = weekdays;
    entry.months = months;
}

std::u16string DayRangeText(std::int32_t day)
{
    return day == repeat::kLastDayOfMonth ? std::u16string(kLastDayText) : IntText(day);
}

std::int32_t DayRangeValue(std::u16string_view text)
{
    return text == kLastDayText ? repeat::kLastDayOfMonth : ParseLeadingInt(text);
}

std::vector<std::u16string> DayRangeItems()
{
    std::vector<std::u16string> items;
    for (int day = 1; day <= kDaysInLongestMonth; ++day)
        items.push_back(IntText(day));
    items.emplace_back(kLastDayText);
    return items;
}

std::optional<RepeatChange> EditRepeat(const RepeatSettings& settings, RepeatPeriod period)
{
    RepeatDialog dialog(ValuesOf(settings, period));
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    const RepeatDialogValues& values = dialog.Values();
    RepeatChange change;
    change.settings = SettingsOf(values);
    change.period = PeriodOf(values, change.settings);
    return change;
}

std::optional<std::vector<ExclusionPeriod>> EditExclusions(const std::vector<ExclusionPeriod>& exclusions)
{
    ExclusionDialog dialog(exclusions);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.Exclusions();
}

std::optional<std::uint32_t> EditAvoidDays(std::uint32_t avoidDays)
{
    AvoidDayDialog dialog(avoidDays);
    if (Ui::Current().RunDialog(dialog) != kIdOk)
        return std::nullopt;
    return dialog.AvoidDays();
}

RepeatDeleteChoice AskRepeatDelete()
{
    RepeatDeleteDialog dialog;
    switch (Ui::Current().RunDialog(dialog)) {
    case repeatdeletedialog::kThisDayOnly:
        return RepeatDeleteChoice::ThisDayOnly;
    case repeatdeletedialog::kFollowing:
        return RepeatDeleteChoice::ThisAndFollowing;
    case repeatdeletedialog::kAll:
        return RepeatDeleteChoice::All;
    default:
        return RepeatDeleteChoice::Cancel;
    }
}

} // namespace kal
