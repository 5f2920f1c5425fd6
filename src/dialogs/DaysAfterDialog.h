#pragma once

#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace daysafterdialog {
inline constexpr int kResourceId = 104;
inline constexpr int kDays = 109;
inline constexpr char16_t kCaption[] = u"指定日数後へ移動";
inline constexpr char16_t kDaysLabel[] = u"日後へ";
} // namespace daysafterdialog

// A signed number of days to move by; negative moves back.
class DaysAfterDialog final : public DialogLogic {
public:
    DaysAfterDialog();

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] int Days() const { return days_; }

private:
    DialogResource resource_;
    int days_ = 0;
};

// The days-after dialog ("指定日数後へ移動"); the whole number of days typed, nothing when cancelled.
[[nodiscard]] std::optional<int> AskDaysAfter();

} // namespace kal
