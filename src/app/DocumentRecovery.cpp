// The document's end when nobody can be asked, and the offer of what it kept at the next start.
#include "app/AppTexts.h"
#include "app/KalDoc.h"
#include "app/ScheduleLoading.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "platform/WriterLock.h"
#include "store/ScheduleFile.h"
#include "ui/Ui.h"
#include "ui/UpdateHints.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace kal {

namespace {

// Stands in for the user while the program ends unattended: shows nothing, and every question gets
// the answer that writes nothing.
class Unattended final : public Ui {
public:
    explicit Unattended(Ui& previous)
        : previous_(previous)
    {
    }
    void ShowMessage(std::u16string_view) override { }
    bool AskYesNo(std::u16string_view) override { return false; }
    Answer AskYesNoCancel(std::u16string_view) override { return Answer::Cancel; }
    Answer AskChoice(std::u16string_view, std::u16string_view, std::u16string_view) override { return Answer::Cancel; }
    std::optional<std::u16string> AskPassword(std::u16string_view, std::u16string_view) override { return {}; }
    std::optional<std::u16string> AskOpenFile(const FileDialogOptions&) override { return {}; }
    std::optional<std::u16string> AskSaveFile(const FileDialogOptions&) override { return {}; }
    std::optional<Colour> AskColour(Colour, CustomColours&) override { return {}; }
    int RunDialog(DialogLogic&) override { return 0; }
    int RunPropertySheet(PropertySheet&) override { return 0; }
    Size ScreenSize() const override { return previous_.ScreenSize(); }

private:
    Ui& previous_;
};

class ScopedUnattended {
public:
    ScopedUnattended()
        : unattended_(Ui::Current())
        , previous_(Ui::Install(&unattended_))
    {
    }
    ~ScopedUnattended() { Ui::Install(previous_); }
    ScopedUnattended(const ScopedUnattended&) = delete;
    ScopedUnattended& operator=(const ScopedUnattended&) = delete;

private:
    Unattended unattended_;
    Ui* previous_;
};

// The system gives a program a few seconds to end: another writer is waited for only briefly.
constexpr std::chrono::milliseconds kEndLockWait { 1000 };

void RemoveRecovery()
{
    ::unlink(CKalDoc::RecoveryPath().c_str());
    ::unlink((CKalDoc::RecoveryPath() + ".origin").c_str());
}

} // namespace

std::string CKalDoc::RecoveryPath()
{
    return JoinPath(JoinPath(DataHomeFolder(), "kalendra"), "recovery.klx");
}

CKalDoc::EndOutcome CKalDoc::EndWithoutQuestions()
{
    if (!IsModified())
        return EndOutcome::Unchanged;
    const ScopedUnattended unattended;
    if (HasPath()) {
        const std::optional<WriterLock> lock = WriterLock::Acquire(path_, kEndLockWait);
        if (lock && !file_.ChangedOnDisk(path_)) {
            SaveOptions options;
            options.confirmReplacement = [](std::u16string_view) { return false; };
            if (file_.Save(store_, path_, options) == SaveResult::Saved) {
                history_.MarkSaved();
                return EndOutcome::Saved;
            }
        }
    }
    const std::string recovery = RecoveryPath();
    if (!MakeFolders(FolderOf(recovery)) || !WriteFileAtomically(recovery + ".origin", path_)
        || Told(SaveScheduleFile(store_, recovery)) != SaveResult::Saved) {
        std::fprintf(stderr, "kalendra: the unsaved changes could not be kept in %s\n", recovery.c_str());
        return EndOutcome::Lost;
    }
    return EndOutcome::KeptForRecovery;
}

bool CKalDoc::OfferRecovery()
{
    const std::string recovery = RecoveryPath();
    if (!IsReadableFile(recovery))
        return false;
    const std::string origin = ReadWholeFile(recovery + ".origin").ValueOr("");
    std::u16string question = texts::kAskRestoreRecovery;
    question = WithText(question, origin.empty() ? std::u16string(texts::kUntitled) : FromUtf8(origin));
    switch (Ui::Current().AskChoice(question, texts::kRestoreChoice, texts::kDiscardRecoveryChoice)) {
    case Ui::Answer::Yes:
        break;
    case Ui::Answer::No:
        RemoveRecovery();
        return false;
    default:
        return false;
    }
    EmptyStore();
    Result<LoadedSchedule> loaded = LoadScheduleFile(store_, recovery, UserLoadOptions(Profile::Current()));
    if (!loaded) {
        Tell(loaded.Error());
        // Kept for another try: the password may simply not have been given.
        NewDocument();
        return false;
    }
    if (!loaded->notice.empty())
        Ui::Current().ShowMessage(loaded->notice);
    ApplyHolidayUpdates(store_, std::move(loaded->holidayUpdates));
    RecordLoad(Profile::Current(), *loaded);
    if (store_.genres.IsEmpty())
        store_.genres = applicationGenres_;
    path_.clear();
    file_.Forget();
    // Restored work was never saved anywhere: it stays modified, whatever is undone.
    history_.Clear();
    history_.ForgetSavePoint();
    RemoveRecovery();
    for (DocumentView* view : views_)
        view->OnInitialUpdate();
    UpdateAllViews(hint::kEntriesChanged);
    return true;
}

} // namespace kal
