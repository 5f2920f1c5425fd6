#pragma once

#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace alarmdialog {
inline constexpr int kResourceId = 127;
inline constexpr int kAlarmOn = 147;
inline constexpr int kMinutes = 109;
inline constexpr char16_t kCaption[] = u"タイマー設定";
inline constexpr char16_t kAlarmOnLabel[] = u"アラームあり(&A)";
inline constexpr char16_t kMinutesLabel[] = u"分前に表示";
} // namespace alarmdialog

// Minutes before the start at which the alarm goes off; -1 means no alarm.
class AlarmDialog final : public DialogLogic {
public:
    explicit AlarmDialog(int minutes);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] int Minutes() const { return minutes_; }

private:
    DialogResource resource_;
    int minutes_;
};

// The alarm dialog ("タイマー設定") on `minutes` before the start (-1 = no alarm). On OK the minutes
// entered, or -1 when the alarm is unticked; nothing when cancelled.
[[nodiscard]] std::optional<int> AskAlarm(int minutes);

} // namespace kal
