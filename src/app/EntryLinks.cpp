#include "app/EntryLinks.h"

#include "dialogs/LinkFileDialog.h"
#include "dialogs/LinkSettingsDialog.h"
#include "platform/Text.h"
#include "store/KalData.h"
#include "ui/Ui.h"
#include "views/LinkFiles.h"

#include <sys/stat.h>

namespace kal {

bool OpenEntryLink(CKalData& entry, const std::string& schedulePath)
{
    bool changed = false;
    if (entry.linkFile.empty()) {
        const std::optional<std::u16string> link = AskLinkSettings(ProposedFileName(entry.text), schedulePath);
        if (!link)
            return false;
        entry.linkFile = *link;
        changed = true;
        // Nothing named, nothing to open: an empty link would stand for the schedule file's folder.
        if (link->empty())
            return changed;
    }
    const std::optional<std::u16string> target = ResolveLinkOrTell(entry.linkFile, schedulePath);
    if (!target)
        return changed;
    if (!IsUrl(*target)) {
        const std::string path = ToUtf8(*target);
        struct stat info { };
        if (::stat(path.c_str(), &info) != 0) {
            if (!Ui::Current().AskYesNo(linktext::kAskCreate))
                return changed;
            if (!CreateLinkTextFile(path, entry.text)) {
                Ui::Current().ShowMessage(linktext::kCannotCreate + *target);
                return changed;
            }
        }
    }
    HandToDesktop(*target);
    return changed;
}

} // namespace kal
