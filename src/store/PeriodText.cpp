#include "store/PeriodText.h"

#include "settings/KalSettings.h"
#include "store/ExchangeTexts.h"
#include "store/KalData.h"

namespace kal {

int StoredTextCopyOptions()
{
    const CKalSettings& settings = CKalSettings::Current();
    return (settings.IsOn(IntSetting::TextCopyYear) ? textcopy::kYear : 0)
        | (settings.IsOn(IntSetting::TextCopyYoubi) ? textcopy::kWeekday : 0);
}

std::u16string TextCopyLine(CDTime day, const CKalData& entry, int options)
{
    if (entry.IsTodo())
        return exchange::kTodoPrefix + entry.text;
    std::u16string line;
    if (options & textcopy::kYear)
        line += day.Format(u"%Y/");
    line += day.Format(u"%m/%d");
    if (options & textcopy::kWeekday)
        line += u"(" + std::u16string(kJapaneseWeekdayNames[day.DayOfWeek()]) + u")";
    line += u" ";
    if (entry.Has(flag::kStartTimeSet))
        line += entry.start.Format(u"%H:%M ");
    if (entry.Has(flag::kEndTimeSet))
        line += exchange::kRangeMark + entry.end.Format(u"%H:%M ");
    line += entry.text;
    return line;
}

} // namespace kal
