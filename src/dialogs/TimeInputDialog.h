#pragma once

#include "calendar/DTime.h"
#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace timeinputdialog {
inline constexpr int kResourceId = 133;
inline constexpr int kHour = 301;
inline constexpr int kMinute = 104;
inline constexpr int kHourBar = 106;
inline constexpr int kMinuteBar = 105;
inline constexpr char16_t kCaption[] = u"時間の入力";
inline constexpr char16_t kHourLabel[] = u"時";
inline constexpr char16_t kMinuteLabel[] = u"分";
} // namespace timeinputdialog

// An hour and a minute, typed or stepped with a scroll bar beside each.
class TimeInputDialog final : public DialogLogic {
public:
    explicit TimeInputDialog(HourMinute initial);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    void OnScroll(DialogHost& host, int id, ScrollAction action, int thumb) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] HourMinute Time() const { return time_; }

private:
    DialogResource resource_;
    HourMinute time_;
};

// The time input ("時間の入力") on `initial`; the hour [0, 23] and minute [0, 59] chosen, or nothing
// when cancelled.
[[nodiscard]] std::optional<HourMinute> AskTime(HourMinute initial);

} // namespace kal
