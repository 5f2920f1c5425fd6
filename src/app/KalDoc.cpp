#include "app/KalDoc.h"

#include "app/AppTexts.h"
#include "app/CalendarCommands.h"
#include "app/EntryLinks.h"
#include "app/PeriodCommands.h"
#include "app/RecentFiles.h"
#include "app/ScheduleLoading.h"
#include "dialogs/ContinuousCopyDialog.h"
#include "dialogs/DayDialog.h"
#include "dialogs/DiaryFolderDialog.h"
#include "dialogs/LinkFileDialog.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/MemoSheet.h"
#include "dialogs/RepeatEditing.h"
#include "dialogs/ScheduleDialog.h"
#include "dialogs/SearchDialog.h"
#include "dialogs/TodoDialog.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "settings/KalSettings.h"
#include "store/EntryClipboard.h"
#include "store/NewSchedule.h"
#include "store/RepeatExpansion.h"
#include "store/ScheduleFile.h"
#include "ui/CommandIds.h"
#include "ui/DialogHost.h"
#include "ui/Ui.h"
#include "ui/UpdateHints.h"
#include "views/DiaryFiles.h"
#include "views/EntryDrawer.h"
#include "views/ViewTexts.h"

#include <algorithm>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <tuple>

namespace kal {

namespace {

// Shows the wait cursor while an object of this type lives.
class WaitCursor {
public:
    WaitCursor() { Ui::Current().BeginWait(); }
    ~WaitCursor() { Ui::Current().EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

std::u16string InitialFolder()
{
    std::u16string folder = Profile::Current().GetString("System", "InitDir", u"\\My Documents");
    if (folder == u"\\My Documents" || folder.empty())
        folder = FromUtf8(DocumentsFolder());
    return folder;
}

// Seconds since 1970 of the file's last change, or nothing when it cannot be read.
std::optional<std::int64_t> ModificationTime(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtime);
}

} // namespace

CKalDoc::CKalDoc(const CKalFieldArray& applicationGenres, RecentFiles* recentFiles)
    : applicationGenres_(applicationGenres)
    , recentFiles_(recentFiles)
    , searchConditions_(ReadSearchConditions(Profile::Current()))
{
    UpdateWeekOrder();
    BindCommands();
}

SearchOutcome CKalDoc::Search(SearchStep step)
{
    switch (step) {
    case SearchStep::First: {
        const std::optional<SearchConditions> conditions = AskSearchConditions(searchConditions_);
        if (!conditions)
            return {};
        searchConditions_ = *conditions;
        WriteSearchConditions(Profile::Current(), searchConditions_);
        return SearchOutcome { true, search_.First(store_.entries, searchConditions_) };
    }
    case SearchStep::Next:
        return SearchOutcome { true, search_.Next(store_.entries, searchConditions_) };
    case SearchStep::Previous:
        return SearchOutcome { true, search_.Previous(store_.entries, searchConditions_) };
    }
    return {};
}

void CKalDoc::UpdateWeekOrder()
{
    const bool monday = CKalSettings::Current().IsOn(IntSetting::StartMonday);
    for (int i = 0; i < 7; ++i)
        weekOrder_[static_cast<std::size_t>(i)] = monday ? (i + 1) % 7 : i;
}

void CKalDoc::RemoveView(DocumentView* view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CKalDoc::UpdateAllViews(int hint, const CKalData* entry)
{
    for (DocumentView* view : views_)
        view->OnUpdate(hint, entry);
}

bool CKalDoc::NewDocument()
{
    path_.clear();
    modified_ = false;
    file_.Forget();
    // The store outlives its files; a password the user never gave for this document must not stay.
    store_.password.clear();
    EmptyStore();
    const Status started = StartNewSchedule(store_, applicationGenres_);
    if (!started)
        Tell(started.Error());
    loadTime_ = Clock::Current().Now();
    for (DocumentView* view : views_)
        view->OnInitialUpdate();
    return started.Succeeded();
}

void CKalDoc::EmptyStore()
{
    // A load may ask for a password or show a message, and the window goes on drawing meanwhile:
    // the views must let go of the entries before they are freed, not after the load.
    store_.Clear();
    UpdateAllViews(hint::kEntriesChanged);
}

bool CKalDoc::OpenDocument(std::string path)
{
    Result<LoadedSchedule> result = Failure {};
    {
        WaitCursor wait;
        EmptyStore();
        result = LoadScheduleFile(store_, path, UserLoadOptions(Profile::Current()));
    }
    if (!result) {
        Tell(result.Error());
        // Nothing of the file was read: keeping its name would let an empty store be saved over it.
        NewDocument();
        return false;
    }
    LoadedSchedule& loaded = result.Value();
    if (!loaded.notice.empty())
        Ui::Current().ShowMessage(loaded.notice);
    ApplyHolidayUpdates(store_, std::move(loaded.holidayUpdates));
    RecordLoad(Profile::Current(), loaded);
    if (store_.genres.IsEmpty())
        store_.genres = applicationGenres_;
    SetPathName(path);
    Profile::Current().SetString("System", "DefaultFile", FromUtf8(path));
    modified_ = loaded.firstHolidayUpdateMade;
    loadTime_ = Clock::Current().Now();
    file_.Loaded(path, loaded.report);
    for (DocumentView* view : views_)
        view->OnInitialUpdate();
    return true;
}

bool CKalDoc::SaveDocument(std::string path)
{
    return SaveTo(std::move(path)) == SaveResult::Saved;
}

SaveResult CKalDoc::SaveTo(std::string path)
{
    // From the check to the write no other writer may come between: its work would be lost unseen.
    const std::optional<ScheduleWriteLock> lock = ScheduleFileGuard::LockForWriting(path);
    if (!lock)
        return SaveResult::Failed;
    switch (CheckBeforeSave(path)) {
    case DiskCheck::Proceed:
        break;
    case DiskCheck::Reloaded:
        return SaveResult::Saved;
    case DiskCheck::Cancelled:
        return SaveResult::Cancelled;
    }
    WaitCursor wait;
    SaveOptions options;
    options.confirmReplacement = [](std::u16string_view replaced) {
        std::u16string question = texts::kReplacedCharacters;
        question += replaced;
        return Ui::Current().AskYesNo(question);
    };
    const SaveResult result = file_.Save(store_, path, options);
    if (result != SaveResult::Saved)
        return result;
    // Only a file that now holds the document may become its name, the next start's file and a
    // recent file.
    if (path != path_)
        SetPathName(path);
    Profile::Current().SetString("System", "DefaultFile", FromUtf8(path));
    modified_ = false;
    loadTime_ = Clock::Current().Now();
    return SaveResult::Saved;
}

CKalDoc::DiskCheck CKalDoc::CheckBeforeSave(const std::string& path)
{
    // Only the file the document was read from can have changed behind its back; a new target was
    // already confirmed by the chooser. A file that is gone has no change to lose: the save makes it
    // again.
    if (path != path_ || !file_.ChangedOnDisk(path))
        return DiskCheck::Proceed;
    switch (Ui::Current().AskChoice(texts::kAskReloadChanged, texts::kOverwriteChoice, texts::kReloadChoice)) {
    case Ui::Answer::Yes:
        return DiskCheck::Proceed;
    case Ui::Answer::No:
        ReopenAfterReload();
        return DiskCheck::Reloaded;
    default:
        return DiskCheck::Cancelled;
    }
}

void CKalDoc::SetPathName(const std::string& path)
{
    path_ = path;
    if (recentFiles_)
        recentFiles_->Add(path);
}

bool CKalDoc::Save()
{
    const SaveResult result = HasPath() ? SaveTo(path_) : SaveUnderNewName();
    return result == SaveResult::Saved;
}

bool CKalDoc::SaveAs()
{
    return SaveUnderNewName() == SaveResult::Saved;
}

SaveResult CKalDoc::SaveUnderNewName()
{
    FileDialogOptions options;
    options.title = texts::kSaveAsTitle;
    options.filter = texts::kSaveFilter;
    options.defaultExtension = u"klx";
    options.initialName = HasPath() ? FromUtf8(path_) : u"*.klx";
    options.initialFolder = InitialFolder();
    const std::optional<std::u16string> chosen = Ui::Current().AskSaveFile(options);
    if (!chosen)
        return SaveResult::Cancelled;
    return SaveTo(ToUtf8(*chosen));
}

bool CKalDoc::SaveModified()
{
    if (!modified_)
        return true;
    if (HasPath())
        return ResolveFailedSave(SaveTo(path_));
    std::u16string question = texts::kAskSaveChanges;
    question = WithText(question, texts::kUntitled);
    switch (Ui::Current().AskYesNoCancel(question)) {
    case Ui::Answer::Yes:
        return ResolveFailedSave(SaveUnderNewName());
    case Ui::Answer::No:
        return true;
    default:
        return false;
    }
}

bool CKalDoc::ResolveFailedSave(SaveResult result)
{
    // A file that cannot be written (read-only, gone with its folder, a full disk) must not keep the
    // document open for ever: the changes go elsewhere, or the user lets them go knowing it.
    while (result == SaveResult::Failed) {
        std::u16string question = texts::kAskAfterFailedSave;
        question = WithText(question, HasPath() ? FromUtf8(NameOf(path_)) : texts::kUntitled);
        switch (Ui::Current().AskChoice(question, texts::kSaveElsewhereChoice, texts::kDiscardChoice)) {
        case Ui::Answer::Yes:
            result = SaveUnderNewName();
            break;
        case Ui::Answer::No:
            return true;
        default:
            return false;
        }
    }
    return result == SaveResult::Saved;
}

std::u16string CKalDoc::Title() const
{
    std::u16string title = HasPath() ? FromUtf8(NameOf(path_)) : std::u16string(texts::kUntitled);
    if (modified_)
        title += u'*';
    title += u" - ";
    title += texts::kCaption;
    return title;
}

void CKalDoc::ReopenAfterReload()
{
    OpenDocument(path_);
    UpdateAllViews(hint::kEntriesChanged);
}

void CKalDoc::Reload()
{
    if (!HasPath()) {
        Ui::Current().ShowMessage(texts::kNewFileError);
        return;
    }
    if (Ui::Current().AskYesNo(texts::kAskReload))
        ReopenAfterReload();
}

void CKalDoc::CheckChangedOnDisk()
{
    if (checkBusy_)
        return;
    checkBusy_ = true;
    if (HasPath()) {
        const std::optional<std::int64_t> changed = ModificationTime(path_);
        if (changed && *changed > loadTime_ && Ui::Current().AskYesNo(texts::kAskReloadChanged))
            ReopenAfterReload();
    }
    checkBusy_ = false;
}

void CKalDoc::RemoveEntry(CKalData* entry)
{
    UpdateAllViews(hint::kEntryRemoved, entry);
    store_.RemoveEntry(store_.IndexOf(entry));
    modified_ = true;
    UpdateAllViews(hint::kEntriesChanged);
}

bool CKalDoc::DeleteEntry(CKalData* entry, CDTime day)
{
    if (store_.IndexOf(entry) < 0)
        return false;
    if (entry->repeatType != repeat::kNone) {
        switch (AskRepeatDelete()) {
        case RepeatDeleteChoice::ThisDayOnly: {
            const LocalFields f = day.Fields();
            entry->exclusions.push_back(ExclusionPeriod { f.year, f.month, f.day, f.year, f.month, f.day });
            modified_ = true;
            return true;
        }
        case RepeatDeleteChoice::All:
            break;
        case RepeatDeleteChoice::Cancel:
            return false;
        }
    } else if (!Ui::Current().AskYesNo(std::u16string(ListRowPart(entry->text)) + texts::kAskDeleteSuffix)) {
        return false;
    }
    RemoveEntry(entry);
    return true;
}

bool CKalDoc::AddSchedule(CDTime day)
{
    CKalData entry;
    if (!RunScheduleDialog(store_, entry, day, EntryDialogMode::New, LinkEditor()))
        return false;
    store_.AppendEntry(std::make_unique<CKalData>(entry));
    modified_ = true;
    return true;
}

CKalData* CKalDoc::AddTodo(CDTime day)
{
    CKalData entry;
    if (!RunTodoDialog(store_, entry, day, EntryDialogMode::New, LinkEditor()))
        return nullptr;
    store_.AppendEntry(std::make_unique<CKalData>(entry));
    modified_ = true;
    return store_.entries.back().get();
}

bool CKalDoc::EditEntry(CKalData* entry, CDTime day)
{
    if (!entry)
        return false;
    // A holiday the month grid worked out for itself lives only as long as the grid: a change to it
    // would vanish at the next refill.
    if (store_.IndexOf(entry) < 0) {
        Ui::Current().ShowMessage(texts::kCannotEditGenerated);
        return false;
    }
    const auto writtenAtOnce = [entry] { return std::tuple(entry->memo, entry->alarmMinutes, entry->avoidDays); };
    const auto before = writtenAtOnce();
    const bool written = entry->IsTodo() ? RunTodoDialog(store_, *entry, day, EntryDialogMode::Edit, LinkEditor())
                                         : RunScheduleDialog(store_, *entry, day, EntryDialogMode::Edit, LinkEditor());
    // The memo, alarm and avoid-day buttons change the entry even when the dialog is then cancelled.
    if (written || writtenAtOnce() != before)
        modified_ = true;
    return written;
}

bool CKalDoc::EditMemo(CKalData* entry)
{
    if (!entry)
        return false;
    const std::optional<std::u16string> memo = AskMemo(entry->memo);
    if (!memo)
        return false;
    entry->memo = *memo;
    modified_ = true;
    return true;
}

bool CKalDoc::CopyContinuously(const CKalData& entry)
{
    const std::optional<ContinuousCopy> asked = AskContinuousCopy();
    if (!asked)
        return false;
    ContinuousCopies made = MakeContinuousCopies(entry, *asked);
    // The copies that fit are kept; the user learns that the rest could not be made.
    if (made.cutShort)
        Ui::Current().ShowMessage(texts::kCannotGoFurther);
    if (made.copies.empty())
        return false;
    for (CKalData& copy : made.copies)
        store_.AppendEntry(std::make_unique<CKalData>(std::move(copy)));
    modified_ = true;
    return true;
}

bool CKalDoc::ShowDay(CKalView& monthView)
{
    return RunDayDialog(*this, monthView);
}

bool CKalDoc::AddToCalendar(const CKalData& entry, CDTime day)
{
    return AddEntryToCalendar(entry, day);
}

LinkFileEditor CKalDoc::LinkEditor()
{
    return [this](std::u16string_view content, std::u16string_view link) { return AskLinkFile(content, link, path_); };
}

bool CKalDoc::OpenLinkFile(CKalData* entry)
{
    // A holiday the grid made for itself has no place to keep a link.
    if (!entry || (entry->linkFile.empty() && store_.IndexOf(entry) < 0))
        return false;
    if (!OpenEntryLink(*entry, path_))
        return false;
    modified_ = true;
    return true;
}

void CKalDoc::ChooseDiaryFolder()
{
    const std::optional<std::u16string> folder
        = AskDiaryFolder(store_.diaryFolder.empty() ? DefaultDiaryFolder() : store_.diaryFolder);
    if (!folder)
        return;
    store_.SetDiaryFolder(*folder);
    UpdateAllViews(hint::kRepaint);
    modified_ = true;
}

bool CKalDoc::Paste(CDTime day)
{
    const std::optional<std::u16string> text = Clipboard::Current().Text();
    if (!text || !PasteText(store_, *text, day))
        return false;
    modified_ = true;
    return true;
}

void CKalDoc::BindCommands()
{
    commands_.Add(ID_FILE_SAVE, [this] { Save(); });
    commands_.Add(ID_FILE_SAVE_AS, [this] { SaveAs(); });
    commands_.Add(ID_FILE_RELOAD, [this] { Reload(); });
    commands_.Add(ID_FILE_CHECK_UPDATE, [this] { CheckChangedOnDisk(); });
    commands_.Add(ID_TEXT_COPY, [this] {
        CopyPeriodText(store_);
        UpdateAllViews(hint::kRepaint);
    });
    commands_.Add(ID_OUTLOOK_EXPORT, [this] { ExportPeriod(store_); });
    commands_.Add(ID_OUTLOOK_IMPORT, [this] {
        if (!ImportCsv(store_))
            return;
        modified_ = true;
        UpdateAllViews(hint::kEntriesChanged);
    });
    commands_.Add(ID_MEMO, [this] {
        if (EditMemos(store_))
            modified_ = true;
    });
    commands_.Add(ID_OUTLOOK_ADD, [this] { AddPeriodToCalendar(store_); });
    commands_.Add(ID_DIARY_FOLDER, [this] { ChooseDiaryFolder(); });
}

} // namespace kal
