#pragma once

#include "app/DocumentDialogs.h"
#include "app/ScheduleFileGuard.h"
#include "calendar/DTime.h"
#include "dialogs/EntryDialogParts.h"
#include "platform/FileIo.h"
#include "store/EntrySearch.h"
#include "store/KalStore.h"
#include "store/OccurrenceChange.h"
#include "store/ScheduleFile.h"
#include "store/UndoHistory.h"
#include "ui/CommandTarget.h"
#include "views/ViewDocument.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kal {

class CKalData;
class RecentFiles;

// The open schedule file: the store, its path, whether it changed, and the operations that change
// it. Every change is an operation the document applies, keeps for undo and tells the views of; the
// document is modified while its store differs from the one last read or saved.
class CKalDoc : public CommandTarget, public ViewDocument {
public:
    // `applicationGenres` is the program's genre list, copied into new and genre-less documents.
    explicit CKalDoc(const CKalFieldArray& applicationGenres, RecentFiles* recentFiles = nullptr);

    // A new untitled document from the template. False when the template cannot be read; the
    // document is then empty but usable.
    bool NewDocument();
    // Opens a file. A file that cannot be opened (or whose password is not given) leaves a new
    // untitled document, so that nothing can be saved over the file that failed. The path is taken
    // by value: callers pass entries of the recent-file list, which opening rearranges.
    bool OpenDocument(std::string path);
    // Saves the store. Saving over the loaded file first asks when another program changed it since
    // the load or the last save (overwrite, reload or cancel), keeps a copy of a file whose rows were
    // not all read, and keeps the version before the save (see kPreviousVersionSuffix). Saving to
    // another path makes it the document's file, but only once the save succeeded. True when the
    // file on disk now holds the document.
    bool SaveDocument(std::string path);
    // Before close, new, open or exit: a titled modified document is saved without asking; an untitled
    // modified one asks. When the changes cannot be written, the user chooses between another name,
    // letting them go and staying. False when the user cancelled or nothing was saved.
    bool SaveModified();
    // The program is being ended by the system (a stop signal, the end of the session) and nobody can
    // be asked anything. A titled modified document is saved as closing saves it; when that would need
    // a question (a file changed by another program, characters the file cannot hold, another writer),
    // fails, or the document is untitled, the document is kept in the recovery file instead, which the
    // next start offers. Nothing is shown. The document stays as it was.
    enum class EndOutcome { Unchanged, Saved, KeptForRecovery, Lost };
    EndOutcome EndWithoutQuestions();
    // At start: offers the work kept at the last such end. Restored, it is a modified untitled document,
    // so that it is never written over a file unless the user chooses the file; it can also be let go or
    // kept for the next start. True when it was restored.
    bool OfferRecovery();
    // The recovery file; beside it, with ".origin" added, the path of the file its work belonged to.
    [[nodiscard]] static std::string RecoveryPath();
    // The window's title: the file's name (or "無題"), an asterisk while there are unsaved changes,
    // then the program's name.
    [[nodiscard]] std::u16string Title() const;
    void Reload();
    // Asks to reload when the file on disk is newer than the last load or save, to the second.
    void CheckChangedOnDisk();

    // Applies the operation, keeps it for undo and tells the views.
    void Apply(StoreOperation operation) override;
    // Reverts the last operation, or applies the last undone one again, and shows what it touched.
    bool Undo();
    bool Redo();
    [[nodiscard]] const UndoHistory& History() const { return history_; }

    void RemoveEntry(CKalData* entry, std::u16string_view name) override;
    // Deletes an entry as seen on `day`: a repeating one can lose only that day. True when the store
    // changed.
    bool DeleteEntry(CKalData* entry, CDTime day) override;
    // Cuts an entry as seen on `day`: a repeating one asks whether only that day, that day and the
    // later ones, or the whole series goes, and the clipboard holds what went. True when the store
    // changed.
    bool CutEntry(CKalData* entry, CDTime day) override;
    // Nothing happens on the same day, outside the calendar's years, or for a holiday the grid made.
    // A copy of one day of a repeating entry is that day's occurrence alone, and asks nothing.
    bool DropEntry(CKalData* entry, CDTime from, CDTime to, DropAction action) override;
    bool Paste(CDTime day) override;
    bool AddSchedule(CDTime day) override;
    CKalData* AddTodo(CDTime day) override;
    bool EditEntry(CKalData* entry, CDTime day) override;
    bool EditMemo(CKalData* entry) override;
    bool CopyContinuously(const CKalData& entry) override;
    bool ShowDay(CKalView& monthView) override;
    bool AddToCalendar(const CKalData& entry, CDTime day) override;
    bool OpenLinkFile(CKalData* entry) override;
    ViewDialogs& Dialogs() override { return dialogs_; }
    // The program's genre list, which naming another genre file reads again; without it only the name
    // is kept.
    void SetApplicationGenres(CKalFieldArray& genres) { dialogs_.SetApplicationGenres(&genres); }
    // First asks for the conditions (kept in the settings on OK); the place of the last match is kept
    // across files, and a later step goes on from it.
    SearchOutcome Search(SearchStep step) override;

    void AddView(DocumentView* view) { views_.push_back(view); }
    void RemoveView(DocumentView* view);
    void UpdateAllViews(int hint, const CKalData* entry = nullptr) override;
    [[nodiscard]] bool IsModified() const { return !history_.AtSavePoint(); }
    // Marks the store as saved, or as differing from any saved state whatever is undone.
    void SetModified(bool modified = true)
    {
        if (modified)
            history_.ForgetSavePoint();
        else
            history_.MarkSaved();
    }
    [[nodiscard]] const std::string& PathName() const { return path_; }
    [[nodiscard]] bool HasPath() const { return !path_.empty(); }
    [[nodiscard]] CKalStore& Store() override { return store_; }
    [[nodiscard]] const CKalStore& Store() const override { return store_; }

    // Grid column -> weekday (0 = Sunday), after the week-start setting.
    [[nodiscard]] const std::array<int, 7>& WeekOrder() const override { return weekOrder_; }
    void UpdateWeekOrder() override;

    // The selected day (and time) the views show.
    [[nodiscard]] CDTime CurrentDate() const override { return currentDate_; }
    void SetCurrentDate(CDTime date) override { currentDate_ = date; }

private:
    // Binds every command the document handles, with its state.
    void BindCommands();
    bool SaveAs();
    bool Save();
    [[nodiscard]] SaveResult SaveTo(std::string path);
    [[nodiscard]] SaveResult SaveUnderNewName();
    // After a save that failed: another name, let the changes go, or stay.
    [[nodiscard]] bool ResolveFailedSave(SaveResult result);
    void ChooseDiaryFolder();
    void EditMemoPages();
    // The link button of the entry dialogs, resolving against this document's file.
    [[nodiscard]] LinkFileEditor LinkEditor();
    void SetPathName(const std::string& path);
    void EmptyStore();
    // Tells the views of a step of `operation` that was just taken; after an undo or redo they also
    // show what it touched.
    void TellViews(const StoreOperation& operation);
    void AfterStep(const StoreOperation& operation);
    // The index of a stored entry, or -1.
    [[nodiscard]] int IndexOf(const CKalData* entry) const { return store_.IndexOf(entry); }
    // Which days a change of a stored repeating schedule reaches: asked of the user, and the whole entry
    // for any other entry. Nothing when the user cancelled.
    [[nodiscard]] std::optional<OccurrenceScope> AskScope(const CKalData& entry) const;
    // What the entry dialogs' memo, alarm and avoid-day buttons write at once into `stored`.
    [[nodiscard]] WrittenAtOnce WriteAtOnce(const CKalData* stored);
    void ReopenAfterReload();
    enum class DiskCheck { Proceed, Reloaded, Cancelled };
    DiskCheck CheckBeforeSave(const std::string& path);

    CKalStore store_;
    CDTime currentDate_;
    const CKalFieldArray& applicationGenres_;
    RecentFiles* recentFiles_;
    DocumentDialogs dialogs_;
    SearchConditions searchConditions_;
    std::vector<DocumentView*> views_;
    std::string path_;
    UndoHistory history_;
    std::array<int, 7> weekOrder_ { 0, 1, 2, 3, 4, 5, 6 };
    // The real moment (seconds since 1970 UTC) the file was last read or written, for comparing with
    // its modification time.
    std::int64_t loadTime_ = 0;
    bool checkBusy_ = false;
    // The file as the document last read or wrote it, for the safeguards of the next save.
    ScheduleFileGuard file_;
};

} // namespace kal
