#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"
#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace outlookperioddialog {
inline constexpr int kResourceId = 214;
inline constexpr int kStart = 144;
inline constexpr int kEnd = 139;
inline constexpr int kStartCalendar = 142;
inline constexpr int kEndCalendar = 143;
inline constexpr char16_t kCaption[] = u"Outlookへ";
inline constexpr char16_t kCalendarLabel[] = u"ｶﾚﾝﾀﾞｰ";
} // namespace outlookperioddialog

// The days to add, both ends included.
using OutlookPeriod = DateRange;

class OutlookPeriodDialog final : public DialogLogic {
public:
    explicit OutlookPeriodDialog(OutlookPeriod period);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const OutlookPeriod& Period() const { return period_; }

private:
    DialogResource resource_;
    OutlookPeriod period_;
};

// The period dialog ("Outlookへ") on `period`; a start and an end not before it on OK, nothing when
// cancelled.
[[nodiscard]] std::optional<OutlookPeriod> AskOutlookPeriod(OutlookPeriod period);

} // namespace kal
