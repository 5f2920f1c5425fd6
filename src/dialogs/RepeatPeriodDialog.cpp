#include "dialogs/RepeatPeriodDialog.h"

#include "dialogs/ButtonTexts.h"
#include "dialogs/DateField.h"
#include "platform/Text.h"
#include "store/RepeatExpansion.h"
#include "ui/Ui.h"

#include <iterator>

namespace kal {

using namespace repeatperioddialog;

namespace {

constexpr Size kNumberCells { 5, 0 };

// Whole months of a carry over years: the quotient rounded down, so that -1 month is December of
// the year before.
int FloorDivide(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

int MethodOfButton(int id)
{
    for (std::size_t i = 0; i < std::size(kMethods); ++i) {
        if (kMethods[i] == id)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

DateRange YearPeriod(CDTime start, int repeatType, PeriodMethod method)
{
    const LocalFields s = start.Fields();
    const bool fiscal = method == PeriodMethod::FiscalYear;
    // The year that holds the start: a fiscal year begins in April, in the calendar year of its April.
    const int yearBegins = fiscal && s.month <= 3 ? s.year - 1 : s.year;
    const int month = repeatType == repeat::kYearly ? s.month : (fiscal ? 4 : 1);
    // A yearly rule keeps its month; January to March of a fiscal year lie in the calendar year
    // after its April, so that the rule's first day stays inside the year it was asked for.
    const int year = fiscal && month <= 3 ? yearBegins + 1 : yearBegins;
    int day = s.day;
    if (repeatType == repeat::kWeekly)
        day = 1 + (s.weekday - WeekdayOf(year, month, 1) + 7) % 7; // [1, 7]
    const CDTime first = ComposeDate(year, month, day, start);
    // One year either way: the fiscal year runs to the end of the March after its April, the calendar
    // year to the end of its own December (a period named after one year should not run into the next).
    const CDTime last = fiscal ? CDTime(yearBegins + 1, 3, 31) : CDTime(yearBegins, 12, 31);
    return DateRange { first, last };
}

CDTime DateAfter(CDTime start, int years, int months, int days)
{
    const LocalFields s = start.Fields();
    const int monthIndex = s.month - 1 + months;
    const int year = s.year + years + FloorDivide(monthIndex, 12);
    const int month = monthIndex - FloorDivide(monthIndex, 12) * 12 + 1; // [1, 12]
    return CDTime(year, month, s.day + days);
}

RepeatPeriodDialog::RepeatPeriodDialog(CDTime start, CDTime end, int repeatType)
    : initialStart_(start)
    , initialEnd_(end)
    , repeatType_(repeatType)
    , period_ { DateOnly(start), DateOnly(end) }
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kStartLabel, {}, 0, 0 },
        { kStart, ControlKind::Edit, {}, {}, 0, 1, 1, 5 },
        { kPickStart, ControlKind::PushButton, kPickText, {}, 0, 6 },
        { kFromFirst, ControlKind::PushButton, kFromFirstText, {}, 0, 7 },
        { 0, ControlKind::Label, kEndLabel, {}, 1, 0 },
        { kEnd, ControlKind::Edit, {}, {}, 1, 1, 1, 5 },
        { kPickEnd, ControlKind::PushButton, kPickText, {}, 1, 6 },
        { kToLast, ControlKind::PushButton, kToLastText, {}, 1, 7 },
        { 0, ControlKind::GroupBox, kMethodGroup, {}, 2, 0, 6, 8 },
        { kInitial, ControlKind::RadioButton, kInitialText, {}, 2, 0, 1, 3, 1 },
        { kWhole, ControlKind::RadioButton, kWholeText, {}, 3, 0, 1, 3, 1 },
        { kFiscalYear, ControlKind::RadioButton, kFiscalYearText, {}, 4, 0, 1, 3, 1 },
        { kCalendarYear, ControlKind::RadioButton, kCalendarYearText, {}, 5, 0, 1, 3, 1 },
        { kYearsMonthsDays, ControlKind::RadioButton, kFromStartText, {}, 6, 0, 1, 1, 1 },
        { kYears, ControlKind::Edit, {}, {}, 6, 1, 1, 1, 0, {}, kNumberCells },
        { 0, ControlKind::Label, kYearsUnit, {}, 6, 2 },
        { kMonths, ControlKind::Edit, {}, {}, 6, 3, 1, 1, 0, {}, kNumberCells },
        { 0, ControlKind::Label, kMonthsUnit, {}, 6, 4 },
        { kDays, ControlKind::Edit, {}, {}, 6, 5, 1, 1, 0, {}, kNumberCells },
        { 0, ControlKind::Label, kDaysUnit, {}, 6, 6 },
        { kWeeksFromStart, ControlKind::RadioButton, kFromStartText, {}, 7, 0, 1, 1, 1 },
        { kWeeks, ControlKind::Edit, {}, {}, 7, 1, 1, 1, 0, {}, kNumberCells },
        { 0, ControlKind::Label, kWeeksUnit, {}, 7, 2 },
        { kIdOk, ControlKind::DefaultButton, buttontext::kOk, {}, 8, 0 },
        { kIdCancel, ControlKind::PushButton, buttontext::kCancel, {}, 8, 1 },
    };
}

void RepeatPeriodDialog::OnInit(DialogHost& host)
{
    host.SetText(kStart, DateText(initialStart_));
    host.SetText(kEnd, DateText(initialEnd_));
    host.SetChecked(kInitial, true);
}

void RepeatPeriodDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification == Notification::TextChanged) {
        PeriodMethod method;
        if (id == kYears || id == kMonths || id == kDays)
            method = PeriodMethod::YearsMonthsDays;
        else if (id == kWeeks)
            method = PeriodMethod::Weeks;
        else
            return;
        if (host.Text(id).empty())
            return;
        host.SetChecked(kMethods[static_cast<int>(method)], true);
        Apply(host, method);
        return;
    }
    if (notification != Notification::Clicked)
        return;
    switch (id) {
    case kPickStart:
        PickDateInto(host, kStart);
        return;
    case kPickEnd:
        PickDateInto(host, kEnd);
        return;
    case kFromFirst:
        host.SetText(kStart, kFirstDateText);
        return;
    case kToLast:
        host.SetText(kEnd, kLastDateText);
        return;
    default:
        break;
    }
    if (const int method = MethodOfButton(id); method >= 0)
        Apply(host, static_cast<PeriodMethod>(method));
}

std::optional<CDTime> RepeatPeriodDialog::ParsedStart(DialogHost& host) const
{
    const std::optional<CDTime> start = ParseDate(host.Text(kStart), YearClamp::Off);
    if (!start)
        Ui::Current().ShowMessage(kEnterValidStart);
    return start;
}

void RepeatPeriodDialog::Apply(DialogHost& host, PeriodMethod method)
{
    if (method == PeriodMethod::Initial) {
        host.SetText(kStart, DateText(initialStart_));
        host.SetText(kEnd, DateText(initialEnd_));
        return;
    }
    if (method == PeriodMethod::Whole) {
        host.SetText(kStart, kFirstDateText);
        host.SetText(kEnd, kLastDateText);
        return;
    }
    const std::optional<CDTime> start = ParsedStart(host);
    if (!start)
        return;
    DateRange period { *start, *start };
    switch (method) {
    case PeriodMethod::FiscalYear:
    case PeriodMethod::CalendarYear:
        period = YearPeriod(*start, repeatType_, method);
        break;
    case PeriodMethod::YearsMonthsDays:
        period.last = DateAfter(*start, ParseLeadingInt(host.Text(kYears)), ParseLeadingInt(host.Text(kMonths)),
            ParseLeadingInt(host.Text(kDays)));
        break;
    default:
        period.last = DateAfter(*start, 0, 0, 7 * ParseLeadingInt(host.Text(kWeeks)));
        break;
    }
    host.SetText(kStart, DateText(period.first));
    host.SetText(kEnd, DateText(period.last));
}

bool RepeatPeriodDialog::OnOk(DialogHost& host)
{
    const std::optional<DateRange> read = ReadPeriodFields(host, kStart, kEnterValidStart, kEnd, kEnterValidEnd);
    if (read)
        period_ = *read;
    return read.has_value();
}

} // namespace kal
