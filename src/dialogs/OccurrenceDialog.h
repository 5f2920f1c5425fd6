#pragma once

#include "store/OccurrenceChange.h"
#include "ui/DialogHost.h"

#include <optional>

namespace kal {

namespace occurrencedialog {
inline constexpr int kResourceId = 215;
inline constexpr int kThisDayOnly = kIdOk; // the default button
inline constexpr int kFollowing = 212;
inline constexpr int kAll = 211;
inline constexpr char16_t kCaption[] = u"繰り返しスケジュールの変更";
inline constexpr char16_t kQuestion[] = u"このスケジュールは繰り返しスケジュールです。どの予定を変更しますか？";
inline constexpr char16_t kThisDayOnlyText[] = u"この日のみ(&O)";
inline constexpr char16_t kFollowingText[] = u"この日以降(&F)";
inline constexpr char16_t kAllText[] = u"すべて(&A)";
inline constexpr char16_t kCancelText[] = u"キャンセル";
} // namespace occurrencedialog

// Which days of a repeating schedule a change made on one of them reaches. The dialog ends with
// kThisDayOnly, kFollowing, kAll or kIdCancel.
class OccurrenceDialog final : public DialogLogic {
public:
    OccurrenceDialog();
    const DialogResource& Resource() const override { return resource_; }
    void OnControl(DialogHost& host, int id, Notification notification) override;

private:
    DialogResource resource_;
};

// Asks before a change of one day of a repeating schedule (an edit, a cut, a move); nothing when the
// user cancelled.
[[nodiscard]] std::optional<OccurrenceScope> AskOccurrenceScope();

} // namespace kal
