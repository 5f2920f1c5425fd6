#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"
#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace repeatperioddialog {
inline constexpr int kResourceId = 160;
inline constexpr int kStart = 144;
inline constexpr int kEnd = 139;
inline constexpr int kPickStart = 142;
inline constexpr int kPickEnd = 143;
inline constexpr int kFromFirst = 206;
inline constexpr int kToLast = 212;
// The radio buttons of the methods, in method order.
inline constexpr int kInitial = 205;
inline constexpr int kWhole = 207;
inline constexpr int kFiscalYear = 208;
inline constexpr int kCalendarYear = 209;
inline constexpr int kYearsMonthsDays = 210;
inline constexpr int kWeeksFromStart = 211;
inline constexpr int kMethods[] = { kInitial, kWhole, kFiscalYear, kCalendarYear, kYearsMonthsDays, kWeeksFromStart };
inline constexpr int kYears = 114;
inline constexpr int kMonths = 108;
inline constexpr int kDays = 109;
inline constexpr int kWeeks = 115;

inline constexpr char16_t kCaption[] = u"期間の設定";
inline constexpr char16_t kStartLabel[] = u"開始日";
inline constexpr char16_t kEndLabel[] = u"終了日";
inline constexpr char16_t kPickText[] = u"ｶﾚﾝﾀﾞ";
inline constexpr char16_t kFromFirstText[] = u"最初から";
inline constexpr char16_t kToLastText[] = u"最後まで";
inline constexpr char16_t kMethodGroup[] = u"設定方法(&S)";
inline constexpr char16_t kInitialText[] = u"初期設定(&U)";
inline constexpr char16_t kWholeText[] = u"全期間(&A)";
inline constexpr char16_t kFiscalYearText[] = u"開始日を含む年度(&D)";
inline constexpr char16_t kCalendarYearText[] = u"開始日を含む年(&Y)";
inline constexpr char16_t kFromStartText[] = u"開始日から";
inline constexpr char16_t kYearsUnit[] = u"年";
inline constexpr char16_t kMonthsUnit[] = u"ヶ月";
inline constexpr char16_t kDaysUnit[] = u"日";
inline constexpr char16_t kWeeksUnit[] = u"週";
inline constexpr char16_t kFirstDateText[] = u"1972/01/01";
inline constexpr char16_t kLastDateText[] = u"2036/12/31";
inline constexpr char16_t kEnterValidStart[] = u"正しい開始日付を入力してください";
inline constexpr char16_t kEnterValidEnd[] = u"正しい終了日付を入力してください";
} // namespace repeatperioddialog

// The ways the period dialog proposes a period from its start date.
enum class PeriodMethod { Initial, Whole, FiscalYear, CalendarYear, YearsMonthsDays, Weeks };

// The period of a rule of `repeatType` starting at `start` (00:00) by one of the year methods:
// the fiscal year from April, or the calendar year, that holds the start. Weekly rules start on the
// first day of that year with the start's weekday; yearly rules keep the start's month and day;
// others start on the start's day of the year's first month. The fiscal year ends on March 31, the
// calendar year on December 31.
[[nodiscard]] DateRange YearPeriod(CDTime start, int repeatType, PeriodMethod method);
// The last day `years`, `months` and `days` after `start`: the month carried into the year, the
// day of the month kept and a day past the month's end counted on into the next month.
[[nodiscard]] CDTime DateAfter(CDTime start, int years, int months, int days);

// The period of a repetition: two date texts with helpers that propose a period from the start.
class RepeatPeriodDialog final : public DialogLogic {
public:
    RepeatPeriodDialog(CDTime start, CDTime end, int repeatType);
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    // The dates entered, at 00:00, after OK.
    [[nodiscard]] CDTime Start() const { return period_.first; }
    [[nodiscard]] CDTime End() const { return period_.last; }

private:
    void Apply(DialogHost& host, PeriodMethod method);
    [[nodiscard]] std::optional<CDTime> ParsedStart(DialogHost& host) const;

    DialogResource resource_;
    CDTime initialStart_;
    CDTime initialEnd_;
    int repeatType_;
    DateRange period_;
};

} // namespace kal
