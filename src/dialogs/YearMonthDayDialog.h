#pragma once

#include "calendar/CivilDate.h"
#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace yearmonthdaydialog {
inline constexpr int kResourceId = 128;
inline constexpr int kYear = 114;
inline constexpr int kMonth = 108;
inline constexpr int kDay = 109;
inline constexpr char16_t kCaption[] = u"年月日の指定";
inline constexpr char16_t kYearLabel[] = u"年";
inline constexpr char16_t kMonthLabel[] = u"月";
inline constexpr char16_t kDayLabel[] = u"日";
inline constexpr char16_t kInvalidDate[] = u"正しい日付を入力してください";
} // namespace yearmonthdaydialog

// A year, a month and a day, each typed or stepped with arrows, that must make a date the program
// works with.
class YearMonthDayDialog final : public DialogLogic {
public:
    explicit YearMonthDayDialog(CivilDate initial);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] CivilDate Date() const { return date_; }

private:
    void FitDayToMonth(DialogHost& host) const;

    DialogResource resource_;
    CivilDate date_;
};

// The year-month-day dialog ("年月日の指定") on `initial`; a valid date from 1972 to 2036 on OK,
// nothing when cancelled.
[[nodiscard]] std::optional<CivilDate> AskYearMonthDay(CivilDate initial);

} // namespace kal
