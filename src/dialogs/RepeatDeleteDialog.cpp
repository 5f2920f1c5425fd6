#include "dialogs/RepeatDeleteDialog.h"

namespace kal {

using namespace repeatdeletedialog;

RepeatDeleteDialog::RepeatDeleteDialog()
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kQuestion, {}, 0, 0, 1, 3 },
        { kThisDayOnly, ControlKind::DefaultButton, kThisDayOnlyText, {}, 2, 0 },
        { kAll, ControlKind::PushButton, kAllText, {}, 1, 0 },
        { kFollowing, ControlKind::PushButton, kFollowingText, {}, 1, 1 },
        { kIdCancel, ControlKind::PushButton, kCancelText, {}, 2, 1 },
    };
}

void RepeatDeleteDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification == Notification::Clicked && (id == kAll || id == kFollowing))
        host.End(id);
}

} // namespace kal
