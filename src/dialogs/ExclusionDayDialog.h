#pragma once

#include "calendar/DTime.h"
#include "ui/DialogHost.h"

namespace kal {

namespace exclusiondaydialog {
inline constexpr int kResourceId = 158;
inline constexpr int kDate = 109;
inline constexpr int kBrowse = 199;
inline constexpr char16_t kCaption[] = u"除外日の入力";
inline constexpr char16_t kDateLabel[] = u"日付";
inline constexpr char16_t kBrowseText[] = u"参照(&B)...";
inline constexpr char16_t kEnterValidDate[] = u"正しい日付を入力してください";
} // namespace exclusiondaydialog

// One day to leave out of a repetition.
class ExclusionDayDialog final : public DialogLogic {
public:
    explicit ExclusionDayDialog(CDTime day);
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    // The day entered, at 00:00, after OK.
    [[nodiscard]] CDTime Day() const { return day_; }

private:
    DialogResource resource_;
    CDTime day_;
};

} // namespace kal
