#pragma once

#include "ui/DialogHost.h"
#include "views/ContinuousCopies.h"

#include <optional>

namespace kal {

namespace continuouscopydialog {
inline constexpr int kResourceId = 135;
inline constexpr int kUnit = 150;
inline constexpr int kInterval = 152;
inline constexpr int kIntervalUnit = 153; // the label after the interval, following the unit
inline constexpr int kCount = 139;
inline constexpr char16_t kCaption[] = u"連続コピー";
inline constexpr char16_t kUnitLabel[] = u"単位(&T):";
inline constexpr char16_t kIntervalLabel[] = u"間隔(&S):";
inline constexpr char16_t kCountLabel[] = u"回数(&N):";
inline constexpr char16_t kTimesLabel[] = u"回";
inline constexpr const char16_t* kUnits[] = { u"日", u"週", u"月", u"年" };
inline constexpr const char16_t* kIntervalUnits[] = { u"日ごと", u"週間ごと", u"ヶ月ごと", u"年ごと" };
} // namespace continuouscopydialog

class ContinuousCopyDialog final : public DialogLogic {
public:
    ContinuousCopyDialog();

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const ContinuousCopy& Copy() const { return copy_; }

private:
    DialogResource resource_;
    ContinuousCopy copy_;
};

// The continuous-copy dialog ("連続コピー"); unit, interval and count on OK, nothing when cancelled.
[[nodiscard]] std::optional<ContinuousCopy> AskContinuousCopy();

} // namespace kal
