#pragma once

#include "calendar/DTime.h"
#include "calendar/DateRange.h"
#include "ui/DialogHost.h"

namespace kal {

namespace exclusionperioddialog {
inline constexpr int kResourceId = 159;
inline constexpr int kStart = 201;
inline constexpr int kEnd = 139;
inline constexpr int kBrowseStart = 199;
inline constexpr int kBrowseEnd = 200;
inline constexpr char16_t kCaption[] = u"除外期間の入力";
inline constexpr char16_t kStartLabel[] = u"開始日";
inline constexpr char16_t kEndLabel[] = u"終了日";
inline constexpr char16_t kBrowseText[] = u"参照";
inline constexpr char16_t kEnterValidStart[] = u"正しい開始日付を入力してください";
inline constexpr char16_t kEnterValidEnd[] = u"正しい終了日付を入力してください";
} // namespace exclusionperioddialog

// A run of days to leave out of a repetition. The two dates are taken in whatever order they are
// typed: the repetition simply finds nothing to leave out when the end comes first.
class ExclusionPeriodDialog final : public DialogLogic {
public:
    ExclusionPeriodDialog(CDTime start, CDTime end);
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    // The dates entered, at 00:00, after OK.
    [[nodiscard]] CDTime Start() const { return period_.first; }
    [[nodiscard]] CDTime End() const { return period_.last; }

private:
    DialogResource resource_;
    DateRange period_;
};

} // namespace kal
