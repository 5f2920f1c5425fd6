#include "app/KalApp.h"

#include "app/AppTexts.h"
#include "app/KalDoc.h"
#include "app/ScheduleLoading.h"
#include "platform/FileAssociation.h"
#include "platform/FileIo.h"
#include "platform/IniProfile.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "settings/KalSettings.h"
#include "ui/CommandIds.h"
#include "ui/MenuResource.h"
#include "ui/Ui.h"

#include <sys/stat.h>
#include <utility>

namespace kal {

void CKalApp::SetDocument(CKalDoc* document)
{
    document_ = document;
    if (document_ != nullptr)
        document_->SetApplicationGenres(genres_);
}

namespace {

bool FileExists(const std::string& path)
{
    struct stat info { };
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

} // namespace

CKalApp::CKalApp()
{
    BindCommands();
}

int CKalApp::Start(Size screen)
{
    IniProfile::SetSetAsideHandler([](const std::string& keptAs) {
        Ui::Current().ShowMessage(std::u16string(texts::kSettingsSetAside) + FromUtf8(keptAs));
    });
    IniProfile::SetNotAFileHandler([](const std::string& path) {
        Ui::Current().ShowMessage(std::u16string(texts::kSettingsNotAFile) + FromUtf8(path));
    });
    IniProfile::SetLockedHandler([](const std::string& path) {
        Ui::Current().ShowMessage(std::u16string(texts::kSettingsLocked) + FromUtf8(path));
    });
    Profile& profile = Profile::Current();
    recent_.Load();
    RegisterFileAssociation(AssociationMode::IfMissing);
    WriteSetting(profile, ProfileTextSetting::ExePath, FromUtf8(JoinPath(ProgramFolder(), "kalendra")));
    genres_ = LoadApplicationGenres(SettingsWrites::Made);
    const CKalSettings& settings = CKalSettings::Current();
    return MenuForScreen(screen.width, screen.height, settings.IsOn(IntSetting::SoftKeyMenu));
}

void CKalApp::OpenFirstDocument(CKalDoc& document, const std::optional<std::string>& commandLineFile)
{
    OpenStartDocument(document, commandLineFile);
    // Work kept when the program last ended unattended comes back over the unchanged start document.
    document.OfferRecovery();
}

void CKalApp::OpenStartDocument(CKalDoc& document, const std::optional<std::string>& commandLineFile)
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
    const std::string previous = ToUtf8(ReadSetting(Profile::Current(), ProfileTextSetting::DefaultFile, u""));
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

bool CKalApp::OpenFile(std::string path)
{
    if (!document_ || !document_->SaveModified())
        return false;
    return document_->OpenDocument(std::move(path));
}

void CKalApp::ChooseFileToOpen()
{
    FileDialogOptions options;
    options.title = texts::kOpenTitle;
    options.filter = texts::kFileFilter;
    options.defaultExtension = u"klx";
    options.initialName = u"*.klx";
    options.initialFolder = ReadSetting(Profile::Current(), ProfileTextSetting::InitDir, FromUtf8(DocumentsFolder()));
    if (const std::optional<std::u16string> chosen = Ui::Current().AskOpenFile(options))
        OpenFile(ToUtf8(*chosen));
}

void CKalApp::BindCommands()
{
    // Until the first document is given the application's commands have nothing to work on.
    const auto hasDocument = [this] { return EnabledIf(document_ != nullptr); };
    commands_.Add(
        ID_FILE_NEW,
        [this] {
            if (document_ && document_->SaveModified())
                document_->NewDocument();
        },
        hasDocument);
    commands_.Add(
        ID_FILE_OPEN,
        [this] {
            if (document_)
                ChooseFileToOpen();
        },
        hasDocument);
    commands_.Add(ID_APP_ABOUT, [] { Ui::Current().ShowMessage(texts::kAbout); });
    for (std::size_t index = 0; index < static_cast<std::size_t>(RecentFiles::kCount); ++index) {
        commands_.Add(
            ID_FILE_MRU_FILE1 + static_cast<int>(index),
            [this, index] {
                if (index < recent_.Paths().size())
                    OpenFile(recent_.Paths()[index]);
            },
            [this, index] { return EnabledIf(document_ && index < recent_.Paths().size()); });
    }
}

} // namespace kal
