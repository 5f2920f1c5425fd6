#pragma once

#include "ui/DialogHost.h"

namespace kal {

namespace repeatdeletedialog {
inline constexpr int kResourceId = 162;
inline constexpr int kThisDayOnly = kIdOk; // the default button
inline constexpr int kAll = 211;
inline constexpr int kFollowing = 212;
inline constexpr char16_t kCaption[] = u"繰り返しスケジュールの削除";
inline constexpr char16_t kQuestion[] = u"このスケジュールは繰り返しスケジュールです。全て削除しますか？";
inline constexpr char16_t kThisDayOnlyText[] = u"この日のみ削除(&T)";
inline constexpr char16_t kAllText[] = u"全ての予定を削除(&A)";
inline constexpr char16_t kFollowingText[] = u"この日以降を削除(&F)";
inline constexpr char16_t kCancelText[] = u"ｷｬﾝｾﾙ";
} // namespace repeatdeletedialog

// Whether a repeating schedule loses only the day it was seen on, that day and the later ones, or
// goes entirely. The dialog ends with kThisDayOnly, kFollowing, kAll or kIdCancel.
class RepeatDeleteDialog final : public DialogLogic {
public:
    RepeatDeleteDialog();
    const DialogResource& Resource() const override { return resource_; }
    void OnControl(DialogHost& host, int id, Notification notification) override;

private:
    DialogResource resource_;
};

} // namespace kal
