#include "TestEnvironment.h"

#include "app/AppTexts.h"
#include "app/KalApp.h"
#include "app/KalDoc.h"
#include "dialogs/RepeatDeleteDialog.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/ScheduleFile.h"
#include "ui/CommandIds.h"
#include "ui/MemoryDialogHost.h"
#include "ui/UpdateHints.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
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
        EXPECT_EQ(SaveScheduleFile(store, path), SaveResult::Saved);
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
    const std::string path = SaveSample("protected.klx");
    CKalStore store;
    ASSERT_EQ(LoadScheduleFile(store, path), LoadResult::Loaded);
    store.password = u"secret";
    ASSERT_EQ(SaveScheduleFile(store, path), SaveResult::Saved);
    const std::string before = ReadWholeFile(path).value_or("");

    ui_.QueuePassword(u"wrong");
    EXPECT_FALSE(document_.OpenDocument(path));
    EXPECT_FALSE(document_.HasPath());
    EXPECT_NE(profile_.GetString("System", "DefaultFile", u""), FromUtf8(path));
    // Whatever happens next, nothing is written over the file that failed to open.
    document_.SetModified();
    ui_.QueueAnswer(false);
    EXPECT_TRUE(document_.SaveModified());
    EXPECT_EQ(ReadWholeFile(path).value_or(""), before);
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
    ASSERT_EQ(LoadScheduleFile(reread, path), LoadResult::Loaded);
    EXPECT_EQ(reread.Entry(0).text, u"変更");

    ASSERT_TRUE(document_.NewDocument());
    document_.SetModified();
    ui_.QueueAnswer(true); // save it
    ui_.QueueFile(FromUtf8(folder_.File("saved-as.klx")));
    EXPECT_TRUE(document_.SaveModified());
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(document_.PathName(), folder_.File("saved-as.klx"));
    EXPECT_TRUE(ReadWholeFile(folder_.File("saved-as.klx")).has_value());

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
    EXPECT_EQ(views_.hints[0].first, 17);
    EXPECT_EQ(views_.hints[1].first, 1);
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
    const std::string protectedPath = SaveSample("protected.klx");
    CKalStore store;
    ASSERT_EQ(LoadScheduleFile(store, protectedPath), LoadResult::Loaded);
    store.password = u"secret";
    ASSERT_EQ(SaveScheduleFile(store, protectedPath), SaveResult::Saved);

    ui_.QueuePassword(u"secret");
    ASSERT_TRUE(document_.OpenDocument(protectedPath));
    ASSERT_TRUE(document_.OpenDocument(plain));
    EXPECT_EQ(ui_.PasswordRequests(), 1);
    EXPECT_TRUE(document_.Store().password.empty());
    document_.SetModified();
    ASSERT_TRUE(document_.SaveModified());
    ASSERT_EQ(LoadScheduleFile(store, plain), LoadResult::Loaded);
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
            ASSERT_EQ(LoadScheduleFile(theirs, path), LoadResult::Loaded);
            theirs.Entry(0).text = u"theirs, longer";
            ASSERT_EQ(SaveScheduleFile(theirs, path), SaveResult::Saved);
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
        ASSERT_EQ(LoadScheduleFile(reread, path), LoadResult::Loaded);
        EXPECT_EQ(reread.Entry(0).text, c.onDisk);
        EXPECT_EQ(document_.Store().Entry(0).text, c.inDocument);
    }
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
    std::string original = ReadWholeFile(path).value_or("");
    original += "\"0\",\"2005/07/03\"\n\x01\x02garbage\n";
    std::ofstream(path, std::ios::binary) << original;

    ASSERT_TRUE(document_.OpenDocument(path));
    ASSERT_EQ(ui_.Messages().size(), 1u);
    std::u16string told = texts::kUnreadRows;
    told.replace(told.find(u"%d"), 2, u"2");
    EXPECT_EQ(ui_.Messages()[0], told);
    EXPECT_FALSE(ReadWholeFile(path + ".bak").has_value());

    document_.SetModified();
    ASSERT_TRUE(document_.SaveModified());
    EXPECT_EQ(ReadWholeFile(path + ".bak").value_or(""), original);
    // Later saves leave the copy of the damaged file alone.
    document_.SetModified();
    ASSERT_TRUE(document_.SaveModified());
    EXPECT_EQ(ReadWholeFile(path + ".bak").value_or(""), original);
}

TEST_F(DocumentTest, EverySaveKeepsThePreviousVersion)
{
    const std::string path = SaveSample("kept.klx");
    const std::string first = ReadWholeFile(path).value_or("");
    ASSERT_TRUE(document_.OpenDocument(path));
    EXPECT_FALSE(ReadWholeFile(path + "~").has_value());
    document_.Store().Entry(0).text = u"二回目";
    ASSERT_TRUE(document_.SaveDocument(path));
    EXPECT_EQ(ReadWholeFile(path + "~").value_or(""), first);
    const std::string second = ReadWholeFile(path).value_or("");
    document_.Store().Entry(0).text = u"三回目";
    ASSERT_TRUE(document_.SaveDocument(path));
    EXPECT_EQ(ReadWholeFile(path + "~").value_or(""), second);
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
