#include "app/KalDoc.h"

#include "app/AppTexts.h"
#include "app/CalendarCommands.h"
#include "app/EntryLinks.h"
#include "app/IcalCommands.h"
#include "app/PeriodCommands.h"
#include "app/RecentFiles.h"
#include "app/ScheduleLoading.h"
#include "dialogs/ContinuousCopyDialog.h"
#include "dialogs/DayDialog.h"
#include "dialogs/DiaryFolderDialog.h"
#include "dialogs/LinkFileDialog.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/MemoSheet.h"
#include "dialogs/OccurrenceDialog.h"
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
#include "store/DayListing.h"
#include "store/EntryClipboard.h"
#include "store/NewSchedule.h"
#include "store/OccurrenceChange.h"
#include "store/OperationNames.h"
#include "store/RepeatExpansion.h"
#include "store/ScheduleFile.h"
#include "ui/CommandIds.h"
#include "ui/DialogHost.h"
#include "ui/MenuTexts.h"
#include "ui/Ui.h"
#include "ui/UpdateHints.h"
#include "views/DiaryFiles.h"
#include "views/EntryDrawer.h"
#include "views/ListingOptions.h"
#include "views/ViewTexts.h"

#include <algorithm>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <tuple>

namespace kal {

namespace {

// A command named after the change it undoes or redoes ("元に戻す: スケジュールの削除"), disabled
// when there is none.
CommandState NamedState(std::u16string_view command, const std::u16string& change)
{
    CommandState state = EnabledIf(!change.empty());
    if (!change.empty())
        state.text = std::u16string(command) + u": " + change;
    return state;
}

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
    std::u16string folder = ReadSetting(Profile::Current(), ProfileTextSetting::InitDir, u"\\My Documents");
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
    if (step == SearchStep::First) {
        const std::optional<SearchConditions> conditions = AskSearchConditions(searchConditions_);
        if (!conditions)
            return {};
        searchConditions_ = *conditions;
        WriteSearchConditions(Profile::Current(), searchConditions_);
    }
    const LocalFields today = currentDate_.Fields();
    const int offset = step == SearchStep::Next ? 1 : step == SearchStep::Previous ? -1 : 0;
    const CDTime from(today.year, today.month, today.day + offset);
    DayListing listing(&store_, ListingOptionsFrom(CKalSettings::Current()));
    const std::optional<ShownMatch> match = FindShownMatch(listing, from,
        step == SearchStep::Previous ? SearchDirection::Backward : SearchDirection::Forward, searchConditions_,
        DateRange { CDTime(kFirstYear, 1, 1), CDTime(kLastYear, 12, 31) });
    if (!match)
        return SearchOutcome { true, nullptr, {} };
    return SearchOutcome { true, match->entry, match->day };
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
    history_.Clear();
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
    // the views must let go of the entries before they are freed, not after the load. The history
    // holds entries of the store that goes.
    history_.Clear();
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
    RecordLoad(Profile::Current(), loaded);
    if (store_.genres.IsEmpty())
        store_.genres = applicationGenres_;
    SetPathName(path);
    WriteSetting(Profile::Current(), ProfileTextSetting::DefaultFile, FromUtf8(path));
    // The holidays the load brought up to date are the first change of the new history: the file on
    // disk lacks them until it is saved, and they can be taken back.
    history_.Clear();
    StoreOperation update = HolidayUpdateOperation(store_, std::move(loaded.holidayUpdates));
    if (!update.Empty()) {
        // The version the load wrote goes with the update: undone, the store is the file as it was read.
        const FileSettings current = store_.Settings();
        FileSettings read = current;
        read.fileVersion = loaded.readVersion;
        store_.SetSettings(std::move(read));
        update.SetFileSettings(current);
    }
    Apply(std::move(update));
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
    WriteSetting(Profile::Current(), ProfileTextSetting::DefaultFile, FromUtf8(path));
    history_.MarkSaved();
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
    if (!IsModified())
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
    if (IsModified())
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

void CKalDoc::Apply(StoreOperation operation)
{
    if (operation.Empty())
        return;
    operation.Apply(store_);
    history_.Push(std::move(operation));
    TellViews(history_.Last());
}

bool CKalDoc::Undo()
{
    const StoreOperation* operation = history_.Undo(store_);
    if (!operation)
        return false;
    AfterStep(*operation);
    return true;
}

bool CKalDoc::Redo()
{
    const StoreOperation* operation = history_.Redo(store_);
    if (!operation)
        return false;
    AfterStep(*operation);
    return true;
}

void CKalDoc::TellViews(const StoreOperation& operation)
{
    // The entries that left are kept by the history, so the views may let go of them now.
    for (const CKalData* entry : operation.Left())
        UpdateAllViews(hint::kRemovingEntry, entry);
    UpdateAllViews(hint::kEntriesChanged);
}

void CKalDoc::AfterStep(const StoreOperation& operation)
{
    TellViews(operation);
    const TouchedPlace place = operation.Touched(store_);
    if (!place.day)
        return;
    for (DocumentView* view : views_)
        view->ShowTouched(*place.day, place.entry);
}

void CKalDoc::RemoveEntry(CKalData* entry, std::u16string_view name)
{
    const int index = IndexOf(entry);
    if (index < 0)
        return;
    Apply(StoreOperation(std::u16string(name)).Remove(index));
}

bool CKalDoc::DeleteEntry(CKalData* entry, CDTime day)
{
    const int index = IndexOf(entry);
    if (index < 0)
        return false;
    if (entry->repeatType != repeat::kNone) {
        switch (AskRepeatDelete()) {
        case RepeatDeleteChoice::ThisDayOnly:
            Apply(OccurrenceOperation(store_, index, day, OccurrenceScope::ThisDay, nullptr, opname::kDeleteOneDay));
            return true;
        case RepeatDeleteChoice::ThisAndFollowing:
            Apply(OccurrenceOperation(
                store_, index, day, OccurrenceScope::ThisAndFollowing, nullptr, opname::kDeleteFollowing));
            return true;
        case RepeatDeleteChoice::All:
            break;
        case RepeatDeleteChoice::Cancel:
            return false;
        }
    } else if (!Ui::Current().AskYesNo(std::u16string(ListRowPart(entry->text)) + texts::kAskDeleteSuffix)) {
        return false;
    }
    RemoveEntry(entry, entry->IsTodo() ? opname::kDeleteTodo : opname::kDeleteSchedule);
    return true;
}

bool CKalDoc::DropEntry(CKalData* entry, CDTime from, CDTime to, DropAction action)
{
    from = DateOnly(from);
    to = DateOnly(to);
    const int index = IndexOf(entry);
    if (index < 0 || from == to || to < CDTime(kFirstYear, 1, 1) || to >= CDTime(kLastYear + 1, 1, 1))
        return false;
    const bool repeating = entry->repeatType != repeat::kNone;
    if (action == DropAction::Copy) {
        CKalData occurrence;
        if (repeating)
            OccurrenceOn(*entry, from, occurrence);
        else
            occurrence = *entry;
        auto copy = std::make_unique<CKalData>();
        SeriesMovedBy(occurrence, from, to, *copy);
        Apply(StoreOperation(opname::kDragCopy).Append(std::move(copy)));
        return true;
    }
    const std::optional<OccurrenceScope> scope = AskScope(*entry);
    if (!scope)
        return false;
    CKalData subject;
    ScopeSubject(*entry, from, *scope, subject);
    CKalData moved;
    SeriesMovedBy(subject, from, to, moved);
    Apply(OccurrenceOperation(store_, index, from, *scope, &moved, opname::kMove));
    return true;
}

bool CKalDoc::AddSchedule(CDTime day)
{
    CKalData entry;
    if (!RunScheduleDialog(store_, entry, day, EntryDialogMode::New, LinkEditor()))
        return false;
    Apply(StoreOperation(opname::kAddSchedule).Append(std::make_unique<CKalData>(entry)));
    return true;
}

CKalData* CKalDoc::AddTodo(CDTime day)
{
    CKalData entry;
    if (!RunTodoDialog(store_, entry, day, EntryDialogMode::New, LinkEditor()))
        return nullptr;
    Apply(StoreOperation(opname::kAddTodo).Append(std::make_unique<CKalData>(entry)));
    return store_.entries.back().get();
}

WrittenAtOnce CKalDoc::WriteAtOnce(const CKalData* stored)
{
    return [this, stored](const CKalData& written, std::u16string_view name) {
        const int index = IndexOf(stored);
        if (index < 0 || store_.Entry(index) == written)
            return;
        Apply(StoreOperation(std::u16string(name)).Replace(index, written));
    };
}

bool CKalDoc::EditEntry(CKalData* entry, CDTime day)
{
    if (!entry)
        return false;
    // A holiday the month grid worked out for itself lives only as long as the grid: a change to it
    // would vanish at the next refill.
    if (IndexOf(entry) < 0) {
        Ui::Current().ShowMessage(texts::kCannotEditGenerated);
        return false;
    }
    const bool todo = entry->IsTodo();
    const std::optional<OccurrenceScope> scope = AskScope(*entry);
    if (!scope)
        return false;
    // The dialog works on a copy; only what OK gives back reaches the store, as one change. A day or the
    // days from it have no stored entry yet for the memo, alarm and avoid-day buttons to write into:
    // what they change comes back with the rest.
    CKalData edited;
    ScopeSubject(*entry, day, *scope, edited);
    CKalData subject;
    subject = edited;
    const WrittenAtOnce atOnce = *scope == OccurrenceScope::All ? WriteAtOnce(entry) : WrittenAtOnce {};
    const bool written = todo ? RunTodoDialog(store_, edited, day, EntryDialogMode::Edit, LinkEditor(), atOnce)
                              : RunScheduleDialog(store_, edited, day, EntryDialogMode::Edit, LinkEditor(), atOnce);
    const int index = IndexOf(entry);
    if (!written || index < 0)
        return false;
    switch (*scope) {
    case OccurrenceScope::All:
        if (*entry == edited)
            return false;
        Apply(StoreOperation(todo ? opname::kEditTodo : opname::kEditSchedule).Replace(index, edited));
        return true;
    case OccurrenceScope::ThisDay:
    case OccurrenceScope::ThisAndFollowing:
        if (subject == edited)
            return false;
        Apply(OccurrenceOperation(store_, index, day, *scope, &edited,
            *scope == OccurrenceScope::ThisDay ? opname::kEditOneDay : opname::kEditFollowing));
        return true;
    }
    return false;
}

std::optional<OccurrenceScope> CKalDoc::AskScope(const CKalData& entry) const
{
    if (entry.repeatType == repeat::kNone || entry.IsTodo() || IndexOf(&entry) < 0)
        return OccurrenceScope::All;
    return AskOccurrenceScope();
}

bool CKalDoc::CutEntry(CKalData* entry, CDTime day)
{
    if (!entry)
        return false;
    // A holiday the grid worked out is not in the store: it is copied and stays.
    if (IndexOf(entry) < 0) {
        Clipboard::Current().SetText(EntryClipboardText(*entry));
        return false;
    }
    const std::optional<OccurrenceScope> scope = AskScope(*entry);
    if (!scope)
        return false;
    // What goes on the clipboard is what leaves the calendar, so that a paste puts back just that.
    CKalData cut;
    ScopeSubject(*entry, day, *scope, cut);
    Clipboard::Current().SetText(EntryClipboardText(cut));
    Apply(OccurrenceOperation(store_, IndexOf(entry), day, *scope, nullptr, opname::kCut));
    return true;
}

bool CKalDoc::EditMemo(CKalData* entry)
{
    const int index = IndexOf(entry);
    if (index < 0)
        return false;
    const std::optional<std::u16string> memo = AskMemo(entry->memo);
    if (!memo || *memo == entry->memo)
        return false;
    CKalData edited;
    edited = *entry;
    edited.memo = *memo;
    Apply(StoreOperation(opname::kMemo).Replace(index, edited));
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
    std::vector<std::unique_ptr<CKalData>> copies;
    for (CKalData& copy : made.copies)
        copies.push_back(std::make_unique<CKalData>(std::move(copy)));
    Apply(StoreOperation(opname::kContinuousCopy).Append(std::move(copies)));
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
    if (!entry || (entry->linkFile.empty() && IndexOf(entry) < 0))
        return false;
    // The link asked for goes in as a change of its own, even when opening it then fails.
    CKalData linked;
    linked = *entry;
    if (!OpenEntryLink(linked, path_) || linked.linkFile == entry->linkFile)
        return false;
    const int index = IndexOf(entry);
    if (index < 0)
        return false;
    Apply(StoreOperation(opname::kLinkFile).Replace(index, linked));
    return true;
}

void CKalDoc::ChooseDiaryFolder()
{
    const std::optional<std::u16string> folder
        = AskDiaryFolder(store_.diaryFolder.empty() ? DefaultDiaryFolder() : store_.diaryFolder);
    if (!folder)
        return;
    Apply(StoreOperation(opname::kDiaryFolder).SetDiaryFolder(store_, *folder));
}

bool CKalDoc::Paste(CDTime day)
{
    const std::optional<std::u16string> text = Clipboard::Current().Text();
    if (!text)
        return false;
    std::optional<StoreOperation> paste = PasteOperation(store_, *text, day);
    if (!paste)
        return false;
    Apply(std::move(*paste));
    return true;
}

void CKalDoc::EditMemoPages()
{
    const std::vector<CMemoData> before = MemoValues(store_);
    if (!EditMemos(store_))
        return;
    // The notebook writes its pages in place; they go back and come again as one change.
    std::vector<CMemoData> after = MemoValues(store_);
    StoreOperation(u"").SetMemos(before).Apply(store_);
    Apply(StoreOperation(opname::kMemoPages).SetMemos(std::move(after)));
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
        // The import appends in place, piece by piece; what it added then goes in as one change.
        AppendedRecorder recorder(store_);
        if (ImportCsv(store_))
            Apply(recorder.TakeBack(store_, opname::kCsvImport));
    });
    commands_.Add(ID_MEMO, [this] { EditMemoPages(); });
    commands_.Add(
        ID_EDIT_UNDO, [this] { Undo(); }, [this] { return NamedState(menutext::kUndo, history_.UndoName()); });
    commands_.Add(
        ID_EDIT_REDO, [this] { Redo(); }, [this] { return NamedState(menutext::kRedo, history_.RedoName()); });
    commands_.Add(ID_OUTLOOK_ADD, [this] { AddPeriodToCalendar(store_); });
    commands_.Add(ID_ICAL_EXPORT, [this] { ExportIcalendar(store_, path_); });
    commands_.Add(ID_ICAL_IMPORT, [this] {
        if (std::optional<StoreOperation> imported = ImportIcalendar(store_, path_))
            Apply(std::move(*imported));
    });
    commands_.Add(ID_DIARY_FOLDER, [this] { ChooseDiaryFolder(); });
}

} // namespace kal
