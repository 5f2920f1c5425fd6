#include "app/KalApp.h"

#include "app/AppTexts.h"
#include "app/KalDoc.h"
#include "platform/FileAssociation.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "settings/KalSettings.h"
#include "store/NewSchedule.h"
#include "ui/CommandIds.h"
#include "ui/MenuResource.h"
#include "ui/Ui.h"

#include <sys/stat.h>

namespace kal {

namespace {

bool FileExists(const std::string& path)
{
    struct stat info { };
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

} // namespace

CKalApp::CKalApp() = default;

int CKalApp::Start(Size screen)
{
    Profile& profile = Profile::Current();
    recent_.Load();
    RegisterFileAssociation(AssociationMode::IfMissing);
    profile.SetString("System", "ExePath", FromUtf8(JoinPath(ProgramFolder(), "kalendra")));
    genres_ = LoadApplicationGenres();
    const CKalSettings& settings = CKalSettings::Current();
    return MenuForScreen(screen.width, screen.height, settings.IsOn(IntSetting::SoftKeyMenu));
}

void CKalApp::OpenFirstDocument(CKalDoc& document, const std::optional<std::string>& commandLineFile)
{
    document_ = &document;
    if (commandLineFile) {
        document.OpenDocument(*commandLineFile);
        return;
    }
    if (!CKalSettings::Current().IsOn(IntSetting::InitFile)) {
        document.NewDocument();
        return;
    }
    const std::string previous = ToUtf8(Profile::Current().GetString("System", "DefaultFile", u""));
    if (previous.empty()) {
        Ui::Current().ShowMessage(texts::kOpenNewFile);
        document.NewDocument();
    } else if (!FileExists(previous)) {
        Ui::Current().ShowMessage(texts::kPreviousFileMissing);
        document.NewDocument();
    } else {
        document.OpenDocument(previous);
    }
}

bool CKalApp::OpenFile(const std::string& path)
{
    if (!document_ || !document_->SaveModified())
        return false;
    return document_->OpenDocument(path);
}

bool CKalApp::OnCommand(int id)
{
    if (!document_)
        return false;
    if (id == ID_FILE_NEW) {
        if (document_->SaveModified())
            document_->NewDocument();
        return true;
    }
    if (id == ID_FILE_OPEN) {
        FileDialogOptions options;
        options.title = texts::kOpenTitle;
        options.filter = texts::kFileFilter;
        options.defaultExtension = u"klx";
        options.initialName = u"*.klx";
        options.initialFolder = Profile::Current().GetString("System", "InitDir", FromUtf8(DocumentsFolder()));
        if (const std::optional<std::u16string> chosen = Ui::Current().AskOpenFile(options))
            OpenFile(ToUtf8(*chosen));
        return true;
    }
    if (id == ID_APP_ABOUT) {
        Ui::Current().ShowMessage(texts::kAbout);
        return true;
    }
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + RecentFiles::kCount) {
        const std::size_t index = static_cast<std::size_t>(id - ID_FILE_MRU_FILE1);
        if (index < recent_.Paths().size())
            OpenFile(recent_.Paths()[index]);
        return true;
    }
    return false;
}

bool CKalApp::OnUpdateCommand(int id, CommandState& state)
{
    if (id == ID_FILE_NEW || id == ID_FILE_OPEN || id == ID_APP_ABOUT)
        return true;
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + RecentFiles::kCount) {
        state.enabled = static_cast<std::size_t>(id - ID_FILE_MRU_FILE1) < recent_.Paths().size();
        return true;
    }
    return false;
}

} // namespace kal
