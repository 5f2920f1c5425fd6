#include "TestEnvironment.h"

#include "app/AppTexts.h"
#include "app/DocumentViews.h"
#include "app/KalApp.h"
#include "app/KalDoc.h"
#include "dialogs/RepeatDeleteDialog.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "platform/WriterLock.h"
#include "store/ScheduleFile.h"
#include "support/MemoryDialogHost.h"
#include "ui/CommandIds.h"
#include "ui/UpdateHints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utime.h>

namespace kal {
namespace {

// Records the hints a document sends.
class HintRecorder final : public DocumentView {
public:
    void OnUpdate(int hint, const CKalData* entry) override { hints.emplace_back(hint, entry); }
    void OnInitialUpdate() override { ++initialUpdates; }
    std::vector<std::pair<int, const CKalData*>> hints;
    int initialUpdates = 0;
};

class DocumentTest : public test::TestEnvironment {
protected:
    DocumentTest()
        : document_(genres_)
    {
        CKalField general;
        general.name = u"一般";
        genres_.Append(general);
        profile_.SetInt("System", "HolidayChangeFlag1", 1);
        document_.AddView(&views_);
    }

    std::string SaveSample(const std::string& name)
    {
        CKalStore store;
        auto entry = std::make_unique<CKalData>();
        entry->text = u"予定";
        entry->start = entry->end = CDTime(2026, 12, 7, 9, 0);
        store.AppendEntry(std::move(entry));
        const std::string path = folder_.File(name);
        EXPECT_EQ(SaveScheduleFile(store, path), SaveOutcome::Saved);
        return path;
    }

    // The sample with the password "secret".
    std::string SaveProtectedSample(const std::string& name)
    {
        const std::string path = SaveSample(name);
        CKalStore store;
        EXPECT_TRUE(LoadScheduleFile(store, path));
        store.password = u"secret";
        EXPECT_EQ(SaveScheduleFile(store, path), SaveOutcome::Saved);
        return path;
    }

    void SetModificationTime(const std::string& path, std::int64_t seconds)
    {
        const utimbuf times { static_cast<time_t>(seconds), static_cast<time_t>(seconds) };
        ASSERT_EQ(::utime(path.c_str(), &times), 0);
    }

    CKalFieldArray genres_;
    CKalDoc document_;
    HintRecorder views_;
    test::TemporaryFolder folder_;
};

TEST_F(DocumentTest, NewDocumentsComeFromTheTemplate)
{
    ASSERT_TRUE(document_.NewDocument());
    EXPECT_FALSE(document_.HasPath());
    EXPECT_FALSE(document_.IsModified());
    EXPECT_GT(document_.Store().EntryCount(), 30);
    EXPECT_EQ(document_.Store().genres.Count(), 1);
    EXPECT_EQ(views_.initialUpdates, 1);
}

TEST_F(DocumentTest, OpeningRemembersTheFile)
{
    const std::string path = SaveSample("a.klx");
    RecentFiles recent;
    CKalDoc document(genres_, &recent);
    ASSERT_TRUE(document.OpenDocument(path));
    EXPECT_EQ(document.PathName(), path);
    EXPECT_EQ(profile_.GetString("System", "DefaultFile", u""), FromUtf8(path));
    EXPECT_EQ(recent.Paths(), std::vector<std::string> { path });
    EXPECT_EQ(document.Store().genres.Count(), 1); // a file without genres takes the program's
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentTest, AFailedOpenLeavesANewUntitledDocument)
{
    const std::string path = SaveProtectedSample("protected.klx");
    const std::string before = ReadWholeFile(path).ValueOr("");

    ui_.QueuePassword(u"wrong");
    EXPECT_FALSE(document_.OpenDocument(path));
    EXPECT_FALSE(document_.HasPath());
    EXPECT_NE(profile_.GetString("System", "DefaultFile", u""), FromUtf8(path));
    // Whatever happens next, nothing is written over the file that failed to open.
    document_.SetModified();
    ui_.QueueAnswer(false);
    EXPECT_TRUE(document_.SaveModified());
    EXPECT_EQ(ReadWholeFile(path).ValueOr(""), before);
}

TEST_F(DocumentTest, SaveModifiedSavesTitledDocumentsAndAsksForUntitledOnes)
{
    const std::string path = SaveSample("b.klx");
    ASSERT_TRUE(document_.OpenDocument(path));
    document_.Store().Entry(0).text = u"変更";
    document_.SetModified();
    EXPECT_TRUE(document_.SaveModified());
    EXPECT_TRUE(ui_.Questions().empty());
    EXPECT_FALSE(document_.IsModified());
    CKalStore reread;
    ASSERT_TRUE(LoadScheduleFile(reread, path));
    EXPECT_EQ(reread.Entry(0).text, u"変更");

    ASSERT_TRUE(document_.NewDocument());
    document_.SetModified();
    ui_.QueueAnswer(true); // save it
    ui_.QueueFile(FromUtf8(folder_.File("saved-as.klx")));
    EXPECT_TRUE(document_.SaveModified());
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(document_.PathName(), folder_.File("saved-as.klx"));
    EXPECT_TRUE(ReadWholeFile(folder_.File("saved-as.klx")).HasValue());

    document_.NewDocument();
    document_.SetModified();
    ui_.QueueAnswer(true);
    ui_.QueueFile(std::nullopt); // the save dialog is cancelled
    EXPECT_FALSE(document_.SaveModified());
}

TEST_F(DocumentTest, ReloadOfAnUntitledDocumentIsRefused)
{
    ASSERT_TRUE(document_.NewDocument());
    const int entries = document_.Store().EntryCount();
    document_.OnCommand(ID_FILE_RELOAD);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], texts::kNewFileError);
    EXPECT_EQ(document_.Store().EntryCount(), entries);
}

TEST_F(DocumentTest, ChangedOnDiskAsksOnlyForALaterFile)
{
    const std::string path = SaveSample("c.klx");
    clock_.Set(1'900'000'000);
    ASSERT_TRUE(document_.OpenDocument(path));
    ASSERT_TRUE(document_.SaveDocument(path));
    SetModificationTime(path, 1'900'000'000); // saved within the same second
    document_.CheckChangedOnDisk();
    EXPECT_TRUE(ui_.Questions().empty());

    SetModificationTime(path, 1'900'000'001);
    ui_.QueueAnswer(true);
    views_.hints.clear();
    document_.CheckChangedOnDisk();
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(ui_.Questions()[0], texts::kAskReloadChanged);
    ASSERT_FALSE(views_.hints.empty());
    EXPECT_EQ(views_.hints.back().first, hint::kEntriesChanged);
}

TEST_F(DocumentTest, DeletingARepeatingEntryCanKeepItForOtherDays)
{
    const std::string path = SaveSample("d.klx");
    ASSERT_TRUE(document_.OpenDocument(path));
    CKalData& entry = document_.Store().Entry(0);
    entry.repeatType = 1;
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(repeatdeletedialog::kThisDayOnly); });
    EXPECT_TRUE(document_.DeleteEntry(&entry, CDTime(2026, 12, 9)));
    ASSERT_EQ(document_.Store().EntryCount(), 1);
    EXPECT_EQ(entry.exclusions, (std::vector<ExclusionPeriod> { { 2026, 12, 9, 2026, 12, 9 } }));
    EXPECT_TRUE(document_.IsModified());

    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdCancel); });
    EXPECT_FALSE(document_.DeleteEntry(&entry, CDTime(2026, 12, 9)));
    views_.hints.clear();
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(repeatdeletedialog::kAll); });
    EXPECT_TRUE(document_.DeleteEntry(&entry, CDTime(2026, 12, 9)));
    EXPECT_EQ(document_.Store().EntryCount(), 0);
    ASSERT_EQ(views_.hints.size(), 2u);
    EXPECT_EQ(views_.hints[0].first, hint::kRemovingEntry);
    EXPECT_EQ(views_.hints[1].first, hint::kEntriesChanged);
}

TEST_F(DocumentTest, DeletingASingleEntryAsksByItsText)
{
    const std::string path = SaveSample("e.klx");
    ASSERT_TRUE(document_.OpenDocument(path));
    ui_.QueueAnswer(false);
    EXPECT_FALSE(document_.DeleteEntry(&document_.Store().Entry(0), CDTime(2026, 12, 7)));
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(ui_.Questions()[0], u"予定 を削除しますか？");
    EXPECT_EQ(document_.Store().EntryCount(), 1);
}

TEST_F(DocumentTest, APasswordBelongsToTheFileThatWasLoaded)
{
    const std::string plain = SaveSample("plain.klx");
    const std::string protectedPath = SaveProtectedSample("protected.klx");

    ui_.QueuePassword(u"secret");
    ASSERT_TRUE(document_.OpenDocument(protectedPath));
    ASSERT_TRUE(document_.OpenDocument(plain));
    EXPECT_EQ(ui_.PasswordRequests(), 1);
    EXPECT_TRUE(document_.Store().password.empty());
    document_.SetModified();
    ASSERT_TRUE(document_.SaveModified());
    CKalStore reread;
    ASSERT_TRUE(LoadScheduleFile(reread, plain));
    EXPECT_EQ(ui_.PasswordRequests(), 1); // saved as plain as it was

    ui_.QueuePassword(u"secret");
    ASSERT_TRUE(document_.OpenDocument(protectedPath));
    ui_.QueuePassword(u"wrong");
    EXPECT_FALSE(document_.OpenDocument(protectedPath));
    EXPECT_TRUE(document_.Store().password.empty());
}

TEST_F(DocumentTest, SavingOverAFileChangedOnDiskAsksFirst)
{
    struct Case {
        std::optional<Ui::Answer> answer; // nothing: the file did not change, so nothing is asked
        bool saved;
        const char16_t* onDisk;
        const char16_t* inDocument;
    };
    const Case cases[] = {
        { std::nullopt, true, u"ours", u"ours" },
        { Ui::Answer::Yes, true, u"ours", u"ours" }, // overwrite
        { Ui::Answer::No, true, u"theirs, longer", u"theirs, longer" }, // reload
        { Ui::Answer::Cancel, false, u"theirs, longer", u"ours" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? static_cast<int>(*c.answer) : -1);
        ui_.Clear();
        const std::string path = SaveSample("changed.klx");
        clock_.Set(1'000'000'000); // loaded long before any change the test makes
        ASSERT_TRUE(document_.OpenDocument(path));
        if (c.answer) {
            CKalStore theirs;
            ASSERT_TRUE(LoadScheduleFile(theirs, path));
            theirs.Entry(0).text = u"theirs, longer";
            ASSERT_EQ(SaveScheduleFile(theirs, path), SaveOutcome::Saved);
            ui_.QueueAnswer(false); // not reloaded when told of the change
            document_.CheckChangedOnDisk();
            ui_.QueueChoice(*c.answer);
        }
        document_.Store().Entry(0).text = u"ours";
        document_.SetModified();
        EXPECT_EQ(document_.SaveModified(), c.saved);
        EXPECT_EQ(ui_.Questions().size(), c.answer ? 2u : 0u);
        if (c.answer) {
            EXPECT_EQ(ui_.Questions().back(), texts::kAskReloadChanged);
        }
        CKalStore reread;
        ASSERT_TRUE(LoadScheduleFile(reread, path));
        EXPECT_EQ(reread.Entry(0).text, c.onDisk);
        EXPECT_EQ(document_.Store().Entry(0).text, c.inDocument);
    }
}

// Another writer that holds the file when the save begins finishes first; the save then sees its
// change and asks, instead of writing between that writer's read and write.
TEST_F(DocumentTest, ASaveWaitsForAnotherWriterAndThenSeesItsChange)
{
    const std::string path = SaveSample("shared.klx");
    ASSERT_TRUE(document_.OpenDocument(path));
    std::optional<WriterLock> theirLock = WriterLock::Acquire(path, std::chrono::milliseconds(0));
    ASSERT_TRUE(theirLock);
    std::thread otherWriter([&path, lock = std::move(*theirLock)]() mutable {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        CKalStore theirs;
        if (LoadScheduleFile(theirs, path)) {
            theirs.Entry(0).text = u"theirs, longer";
            [[maybe_unused]] const Result<SaveOutcome> saved = SaveScheduleFile(theirs, path);
        }
        const WriterLock released = std::move(lock);
    });
    theirLock.reset();
    document_.Store().Entry(0).text = u"ours";
    document_.SetModified();
    ui_.QueueChoice(Ui::Answer::Cancel);
    EXPECT_FALSE(document_.SaveModified());
    otherWriter.join();
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(ui_.Questions()[0], texts::kAskReloadChanged);
    CKalStore reread;
    ASSERT_TRUE(LoadScheduleFile(reread, path));
    EXPECT_EQ(reread.Entry(0).text, u"theirs, longer");
}

TEST_F(DocumentTest, AFailedSaveKeepsTheLoadTimeForTheChangedOnDiskCheck)
{
    const std::string path = SaveSample("late.klx");
    clock_.Set(1'900'000'000);
    ASSERT_TRUE(document_.OpenDocument(path));
    SetModificationTime(path, 1'900'000'005);
    clock_.Set(1'900'000'010);
    ui_.QueueChoice(Ui::Answer::Yes);
    {
        ScopedWriteFailure diskFull(10);
        EXPECT_FALSE(document_.SaveDocument(path));
    }
    ui_.Clear();
    document_.CheckChangedOnDisk();
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(ui_.Questions()[0], texts::kAskReloadChanged);
}

TEST_F(DocumentTest, RowsThatCannotBeReadAreToldAndKeptBeforeTheFirstSave)
{
    const std::string path = SaveSample("damaged.klx");
    std::string original = ReadWholeFile(path).ValueOr("");
    original += "\"0\",\"2005/07/03\"\n\x01\x02garbage\n";
    std::ofstream(path, std::ios::binary) << original;

    ASSERT_TRUE(document_.OpenDocument(path));
    ASSERT_EQ(ui_.Messages().size(), 1u);
    std::u16string told = texts::kUnreadRows;
    told.replace(told.find(u"%d"), 2, u"2");
    EXPECT_EQ(ui_.Messages()[0], told);
    EXPECT_FALSE(ReadWholeFile(path + ".bak").HasValue());

    document_.SetModified();
    ASSERT_TRUE(document_.SaveModified());
    EXPECT_EQ(ReadWholeFile(path + ".bak").ValueOr(""), original);
    // Later saves leave the copy of the damaged file alone.
    document_.SetModified();
    ASSERT_TRUE(document_.SaveModified());
    EXPECT_EQ(ReadWholeFile(path + ".bak").ValueOr(""), original);
}

TEST_F(DocumentTest, EverySaveKeepsThePreviousVersion)
{
    const std::string path = SaveSample("kept.klx");
    const std::string first = ReadWholeFile(path).ValueOr("");
    ASSERT_TRUE(document_.OpenDocument(path));
    EXPECT_FALSE(ReadWholeFile(path + "~").HasValue());
    document_.Store().Entry(0).text = u"二回目";
    ASSERT_TRUE(document_.SaveDocument(path));
    EXPECT_EQ(ReadWholeFile(path + "~").ValueOr(""), first);
    const std::string second = ReadWholeFile(path).ValueOr("");
    document_.Store().Entry(0).text = u"三回目";
    ASSERT_TRUE(document_.SaveDocument(path));
    EXPECT_EQ(ReadWholeFile(path + "~").ValueOr(""), second);
}

TEST_F(DocumentTest, SaveAsRenamesTheDocumentOnlyWhenTheNewFileHoldsIt)
{
    struct Case {
        const char* name;
        std::string target; // under the test's folder
        bool diskFull;
        bool unsavableCharacter; // declined at the question about characters the file cannot hold
        bool saved;
    };
    const Case cases[] = {
        { "another existing file", "other.klx", false, false, true },
        { "a folder that does not exist", "missing/new.klx", false, false, false },
        { "a full disk", "new.klx", true, false, false },
        { "a question answered No", "new.klx", false, true, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.Clear();
        const std::string original = SaveSample("original.klx");
        const std::string target = folder_.File(c.target);
        const std::string other = SaveSample("other.klx");
        RecentFiles recent;
        CKalDoc document(genres_, &recent);
        clock_.Set(1'000'000'000); // loaded long before the other file's change below
        ASSERT_TRUE(document.OpenDocument(original));
        ASSERT_EQ(::utime(other.c_str(), nullptr), 0); // another program touched it since
        document.Store().Entry(0).text = c.unsavableCharacter ? u"新しい\U0001F600" : u"新しい";
        document.SetModified();
        ui_.QueueFile(FromUtf8(target));
        ui_.QueueAnswer(false);
        {
            std::optional<ScopedWriteFailure> diskFull;
            if (c.diskFull)
                diskFull.emplace(10);
            document.OnCommand(ID_FILE_SAVE_AS);
        }
        const std::string kept = c.saved ? target : original;
        EXPECT_EQ(document.PathName(), kept);
        EXPECT_EQ(recent.Paths().front(), kept);
        EXPECT_EQ(profile_.GetString("System", "DefaultFile", u""), FromUtf8(kept));
        EXPECT_EQ(document.IsModified(), !c.saved);
        // The chooser's own overwrite question is the only one a new target gets.
        for (const std::u16string& question : ui_.Questions())
            EXPECT_NE(question, texts::kAskReloadChanged);
        CKalStore reread;
        EXPECT_TRUE(LoadScheduleFile(reread, other));
        EXPECT_EQ(reread.Entry(0).text, c.saved && target == other ? u"新しい" : u"予定");
    }
}

TEST_F(DocumentTest, ChangesThatCannotBeWrittenCanGoElsewhereOrBeLetGo)
{
    struct Case {
        const char* name;
        std::vector<Ui::Answer> choices;
        std::vector<std::optional<std::string>> chosenFiles; // under the test's folder
        bool closes;
        std::optional<std::string> savedTo;
    };
    const Case cases[] = {
        { "let go", { Ui::Answer::No }, {}, true, std::nullopt },
        { "stay", { Ui::Answer::Cancel }, {}, false, std::nullopt },
        { "another name", { Ui::Answer::Yes }, { "elsewhere.klx" }, true, "elsewhere.klx" },
        { "another name that fails too, then let go", { Ui::Answer::Yes, Ui::Answer::No }, { "gone/x.klx" }, true,
            std::nullopt },
        { "the chooser cancelled", { Ui::Answer::Yes }, { std::nullopt }, false, std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.Clear();
        // The file's folder vanishes while the document is open: nothing can be written there.
        const std::string folder = folder_.File("vanishing");
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
        const std::string path = SaveSample("vanishing/plan.klx");
        ASSERT_TRUE(document_.OpenDocument(path));
        ASSERT_EQ(std::remove(path.c_str()), 0);
        ASSERT_EQ(::rmdir(folder.c_str()), 0);
        document_.SetModified();
        EXPECT_EQ(document_.Title(), u"plan.klx* - Zentrik Kalendra");
        for (Ui::Answer choice : c.choices)
            ui_.QueueChoice(choice);
        for (const std::optional<std::string>& file : c.chosenFiles)
            ui_.QueueFile(file ? std::optional(FromUtf8(folder_.File(*file))) : std::nullopt);

        EXPECT_EQ(document_.SaveModified(), c.closes);
        ASSERT_EQ(ui_.Questions().size(), c.choices.size());
        EXPECT_EQ(ui_.Questions()[0],
            u"plan.klx への変更を保存できませんでした。\n別の名前で保存しますか？\n"
            u"保存せずに閉じると、保存していない変更は失われます。");
        if (c.savedTo) {
            EXPECT_EQ(document_.PathName(), folder_.File(*c.savedTo));
            EXPECT_TRUE(ReadWholeFile(folder_.File(*c.savedTo)).HasValue());
            EXPECT_EQ(document_.Title(), u"elsewhere.klx - Zentrik Kalendra");
        } else {
            EXPECT_EQ(document_.PathName(), path);
        }
        std::remove(folder_.File("elsewhere.klx").c_str());
    }
}

// Looks at what the views hold at the moment a file asks for its password, as a window repainting
// behind the prompt would.
class LookingUi final : public ConsoleUi {
public:
    void ShowMessage(std::u16string_view) override { }
    std::optional<std::u16string> AskPassword(std::u16string_view, std::u16string_view) override
    {
        onPrompt();
        return u"secret";
    }
    std::function<void()> onPrompt;
};

TEST_F(DocumentTest, ViewsHoldNoEntryOfTheFileBeingReplacedWhileTheNextOneAsks)
{
    const std::string plain = SaveSample("plain.klx");
    const std::string protectedPath = SaveProtectedSample("protected.klx");

    DocumentViews views(genres_);
    views.document.SetCurrentDate(CDTime(2026, 12, 7));
    ASSERT_TRUE(views.document.OpenDocument(plain));
    std::vector<const CKalData*> old;
    for (int i = 0; i < views.month.Grid().Count(); ++i)
        for (const CKalData* entry : views.month.Grid().Cell(i).entries)
            if (views.document.Store().IndexOf(entry) >= 0)
                old.push_back(entry);
    ASSERT_FALSE(old.empty());

    LookingUi looking;
    bool looked = false;
    looking.onPrompt = [&] {
        looked = true;
        for (int i = 0; i < views.month.Grid().Count(); ++i)
            for (const CKalData* entry : views.month.Grid().Cell(i).entries)
                EXPECT_EQ(std::count(old.begin(), old.end(), entry), 0) << "cell " << i;
        EXPECT_EQ(std::count(old.begin(), old.end(), views.day.SelectedEntry()), 0);
    };
    Ui* previous = Ui::Install(&looking);
    EXPECT_TRUE(views.document.OpenDocument(protectedPath));
    Ui::Install(previous);
    EXPECT_TRUE(looked);
}

// The program ended by the system asks nothing: a titled document is saved as a close saves it, and
// what cannot be saved without a question is kept for the next start, which offers it back.
TEST_F(DocumentTest, AnUnattendedEndSavesOrKeepsTheWorkForTheNextStart)
{
    const char* previousDataHome = std::getenv("XDG_DATA_HOME");
    const std::string keptDataHome = previousDataHome ? previousDataHome : "";
    ::setenv("XDG_DATA_HOME", folder_.File("data").c_str(), 1);
    enum class Start { Titled, ChangedByAnother, Untitled, Unmodified };
    struct Case {
        Start start;
        CKalDoc::EndOutcome outcome;
        const char16_t* onDisk;
        std::optional<Ui::Answer> offer; // the answer at the next start; nothing: nothing offered
        bool restored;
    };
    const Case cases[] = {
        { Start::Titled, CKalDoc::EndOutcome::Saved, u"ours", std::nullopt, false },
        { Start::Unmodified, CKalDoc::EndOutcome::Unchanged, u"予定", std::nullopt, false },
        { Start::ChangedByAnother, CKalDoc::EndOutcome::KeptForRecovery, u"theirs, longer", Ui::Answer::Yes, true },
        { Start::Untitled, CKalDoc::EndOutcome::KeptForRecovery, u"予定", Ui::Answer::No, false },
        { Start::Untitled, CKalDoc::EndOutcome::KeptForRecovery, u"予定", Ui::Answer::Cancel, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.start));
        ui_.Clear();
        ::unlink(CKalDoc::RecoveryPath().c_str());
        const std::string path = SaveSample("end.klx");
        ASSERT_TRUE(document_.OpenDocument(path));
        if (c.start == Start::Untitled) {
            document_.NewDocument();
            auto entry = std::make_unique<CKalData>();
            entry->start = entry->end = CDTime(2026, 12, 8, 9, 0);
            document_.Store().AppendEntry(std::move(entry));
        }
        if (c.start == Start::ChangedByAnother) {
            CKalStore theirs;
            ASSERT_TRUE(LoadScheduleFile(theirs, path));
            theirs.Entry(0).text = u"theirs, longer";
            ASSERT_EQ(SaveScheduleFile(theirs, path), SaveOutcome::Saved);
        }
        document_.Store().entries.back()->text = u"ours";
        document_.SetModified(c.start != Start::Unmodified);
        EXPECT_EQ(document_.EndWithoutQuestions(), c.outcome);
        EXPECT_TRUE(ui_.Questions().empty());
        EXPECT_TRUE(ui_.Messages().empty());
        CKalStore reread;
        ASSERT_TRUE(LoadScheduleFile(reread, path));
        EXPECT_EQ(reread.Entry(0).text, c.onDisk);

        // The next start.
        CKalDoc next(genres_);
        next.NewDocument();
        if (c.offer)
            ui_.QueueChoice(*c.offer);
        EXPECT_EQ(next.OfferRecovery(), c.restored);
        EXPECT_EQ(ui_.Questions().size(), c.offer ? 1u : 0u);
        if (c.offer && c.start == Start::ChangedByAnother) {
            EXPECT_NE(ui_.Questions()[0].find(FromUtf8(path)), std::u16string::npos);
        }
        if (c.restored) {
            EXPECT_FALSE(next.HasPath());
            EXPECT_TRUE(next.IsModified());
            EXPECT_EQ(next.Store().entries.back()->text, u"ours");
        }
        // Kept only when the user put the question off.
        EXPECT_EQ(IsReadableFile(CKalDoc::RecoveryPath()), c.offer == Ui::Answer::Cancel);
    }
    if (previousDataHome)
        ::setenv("XDG_DATA_HOME", keptDataHome.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

class StartUpTest : public DocumentTest {
protected:
    CKalApp app_;
};

TEST_F(StartUpTest, FirstDocumentFollowsTheSettings)
{
    const std::string path = SaveSample("last.klx");
    EXPECT_EQ(app_.Start(Size { 1280, 800 }), 128);

    // No previous file: a new document, said so.
    app_.OpenFirstDocument(document_, std::nullopt);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], texts::kOpenNewFile);
    EXPECT_FALSE(document_.HasPath());

    // The previous file opens.
    ui_.Clear();
    profile_.SetString("System", "DefaultFile", FromUtf8(path));
    app_.OpenFirstDocument(document_, std::nullopt);
    EXPECT_EQ(document_.PathName(), path);
    EXPECT_TRUE(ui_.Messages().empty());

    // A previous file that is gone.
    profile_.SetString("System", "DefaultFile", FromUtf8(folder_.File("gone.klx")));
    app_.OpenFirstDocument(document_, std::nullopt);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], texts::kPreviousFileMissing);
    EXPECT_FALSE(document_.HasPath());

    // With "InitFile" off a new document, even with a previous file; the command line wins.
    ui_.Clear();
    settings_.Set(IntSetting::InitFile, 0);
    profile_.SetString("System", "DefaultFile", FromUtf8(path));
    app_.OpenFirstDocument(document_, std::nullopt);
    EXPECT_FALSE(document_.HasPath());
    EXPECT_TRUE(ui_.Messages().empty());
    const std::string other = SaveSample("other.klx");
    app_.OpenFirstDocument(document_, other);
    EXPECT_EQ(document_.PathName(), other);
}

TEST_F(StartUpTest, ARecentFileOpensAsTheDocumentInFull)
{
    const std::string a = SaveSample("a.klx");
    const std::string b = SaveSample("b.klx");
    app_.Start(Size { 1280, 800 });
    CKalDoc document(genres_, &app_.Recent());
    app_.SetDocument(&document);
    EXPECT_EQ(document.Title(), u"無題 - Zentrik Kalendra");
    ASSERT_TRUE(app_.OpenFile(a));
    ASSERT_TRUE(app_.OpenFile(b));
    EXPECT_EQ(document.Title(), u"b.klx - Zentrik Kalendra");

    // The second recent file is a.klx; opening it moves it to the top of the very list it came from.
    app_.OnCommand(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(document.PathName(), a);
    EXPECT_EQ(app_.Recent().Paths(), (std::vector<std::string> { a, b }));
    EXPECT_EQ(profile_.GetString("Recent File List", "File1", u""), FromUtf8(a));
    EXPECT_EQ(profile_.GetString("System", "DefaultFile", u""), FromUtf8(a));

    document.Store().Entry(0).text = u"最近のファイルから";
    document.SetModified();
    EXPECT_EQ(document.Title(), u"a.klx* - Zentrik Kalendra");
    EXPECT_TRUE(document.SaveModified());
    EXPECT_TRUE(ui_.Questions().empty());
    EXPECT_EQ(document.Title(), u"a.klx - Zentrik Kalendra");
    CKalStore reread;
    ASSERT_TRUE(LoadScheduleFile(reread, a));
    EXPECT_EQ(reread.Entry(0).text, u"最近のファイルから");

    // A file opened again is listed once.
    ASSERT_TRUE(app_.OpenFile(b));
    ASSERT_TRUE(app_.OpenFile(a));
    EXPECT_EQ(app_.Recent().Paths(), (std::vector<std::string> { a, b }));
    app_.SetDocument(nullptr);
}

TEST_F(StartUpTest, MenuFollowsTheScreen)
{
    EXPECT_EQ(app_.Start(Size { 240, 320 }), 129);
    EXPECT_EQ(app_.Start(Size { 320, 240 }), 137);
    EXPECT_EQ(app_.Start(Size { 640, 480 }), 128);
    settings_.Set(IntSetting::SoftKeyMenu, 1);
    EXPECT_EQ(app_.Start(Size { 640, 480 }), 138);
    EXPECT_FALSE(profile_.GetString("System", "ExePath", u"").empty());
}

} // namespace
} // namespace kal
