#pragma once

#include "ui/DialogHost.h"

#include <cstdint>

namespace kal {

namespace avoiddaydialog {
inline constexpr int kResourceId = 146;
inline constexpr int kSaturday = 1034;
inline constexpr int kSunday = 1035;
inline constexpr int kHoliday = 1036;
inline constexpr int kShowDayBefore = 1037;
inline constexpr char16_t kCaption[] = u"回避日設定";
inline constexpr char16_t kExplanation[] = u"設定した日を回避します。";
inline constexpr char16_t kSaturdayText[] = u"土曜(&S)";
inline constexpr char16_t kSundayText[] = u"日曜(&U)";
inline constexpr char16_t kHolidayText[] = u"祝日(&H)";
inline constexpr char16_t kShowDayBeforeText[] = u"前日に表示(&B)";
} // namespace avoiddaydialog

// The days a repeating schedule steps aside from, as the bits of `avoidDays`.
class AvoidDayDialog final : public DialogLogic {
public:
    explicit AvoidDayDialog(std::uint32_t avoidDays);
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    bool OnOk(DialogHost& host) override;

    // The bits as the dialog left them; bit 0 is always clear after OK.
    [[nodiscard]] std::uint32_t AvoidDays() const { return avoidDays_; }

private:
    DialogResource resource_;
    std::uint32_t avoidDays_;
};

} // namespace kal
