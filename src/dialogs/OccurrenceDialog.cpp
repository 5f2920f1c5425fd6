#include "dialogs/OccurrenceDialog.h"

#include "ui/Ui.h"

namespace kal {

using namespace occurrencedialog;

OccurrenceDialog::OccurrenceDialog()
{
    resource_.id = kResourceId;
    resource_.caption = kCaption;
    resource_.controls = {
        { 0, ControlKind::Label, kQuestion, {}, 0, 0, 1, 4 },
        { kThisDayOnly, ControlKind::DefaultButton, kThisDayOnlyText, {}, 1, 0 },
        { kFollowing, ControlKind::PushButton, kFollowingText, {}, 1, 1 },
        { kAll, ControlKind::PushButton, kAllText, {}, 1, 2 },
        { kIdCancel, ControlKind::PushButton, kCancelText, {}, 1, 3 },
    };
}

void OccurrenceDialog::OnControl(DialogHost& host, int id, Notification notification)
{
    if (notification == Notification::Clicked && (id == kFollowing || id == kAll))
        host.End(id);
}

std::optional<OccurrenceScope> AskOccurrenceScope()
{
    OccurrenceDialog dialog;
    switch (Ui::Current().RunDialog(dialog)) {
    case kThisDayOnly:
        return OccurrenceScope::ThisDay;
    case kFollowing:
        return OccurrenceScope::ThisAndFollowing;
    case kAll:
        return OccurrenceScope::All;
    default:
        return std::nullopt;
    }
}

} // namespace kal
