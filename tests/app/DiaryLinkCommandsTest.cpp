#include "TestEnvironment.h"

#include "RecordingShell.h"
#include "app/DocumentViews.h"
#include "dialogs/DiaryFolderDialog.h"
#include "dialogs/LinkFileDialog.h"
#include "dialogs/LinkSettingsDialog.h"
#include "dialogs/ScheduleDialog.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "support/MemoryDialogHost.h"
#include "support/RecordingCanvas.h"
#include "ui/CommandIds.h"
#include "ui/UpdateHints.h"
#include "views/DiaryFiles.h"
#include "views/LinkFiles.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

// The diary and link commands of the month view, the day list and the document.
class DiaryLinkCommandsTest : public test::TestEnvironment {
protected:
    DiaryLinkCommandsTest()
        : views_(genres_)
    {
        views_.month.OnInitialUpdate();
        views_.day.OnInitialUpdate();
    }

    // Gives the document a file in the test's folder.
    void Save()
    {
        const std::string path = folder_.File("kaldata.klx");
        ASSERT_TRUE(views_.document.SaveDocument(path));
        ASSERT_TRUE(views_.document.OpenDocument(path));
    }
    CKalData& AddToday(std::u16string text, std::u16string link = {})
    {
        auto entry = std::make_unique<CKalData>();
        entry->start = entry->end = CDTime(2026, 12, 7);
        entry->text = std::move(text);
        entry->linkFile = std::move(link);
        Store().AppendEntry(std::move(entry));
        views_.document.UpdateAllViews(hint::kEntriesChanged);
        views_.day.OnSelectionChanged(0);
        return *Store().entries.back();
    }
    bool DrawsDiaryMark()
    {
        RecordingCanvas canvas;
        views_.month.OnSize(700, 530);
        views_.month.OnDraw(canvas);
        for (const CanvasOp* op : canvas.TextOps()) {
            if (op->text == u" [D]")
                return true;
        }
        return false;
    }
    CKalStore& Store() { return views_.document.Store(); }

    test::TemporaryFolder folder_;
    test::RecordingShell shell_;
    CKalFieldArray genres_;
    DocumentViews views_;
};

TEST_F(DiaryLinkCommandsTest, DiaryOfTheSelectedDayIsMadeMarkedAndOpened)
{
    settings_.Set(IntSetting::Diary, 1);
    Store().SetDiaryFolder(FromUtf8(folder_.File("diaries/2026")));
    EXPECT_FALSE(DrawsDiaryMark());
    views_.day.OnCommand(ID_DIARY_EDIT); // the list passes it to the month view
    const std::string diary = folder_.File("diaries/2026/20261207.TXT");
    EXPECT_EQ(ReadWholeFile(diary).ValueOr(""), DiaryHeading(CDTime(2026, 12, 7)));
    EXPECT_EQ(shell_.Started(), std::vector<std::string> { diary });
    EXPECT_TRUE(DrawsDiaryMark());
    settings_.Set(IntSetting::Diary, 0);
    EXPECT_FALSE(DrawsDiaryMark());
}

TEST_F(DiaryLinkCommandsTest, DiaryFolderCommandSetsTheFilesFolder)
{
    profile_.SetString(diarytext::kSection, diarytext::kFolderValue, FromUtf8(folder_.File("settings")));
    ui_.QueueDialog([this](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(diaryfolderdialog::kFolder), FromUtf8(folder_.File("settings")));
        host.Type(diaryfolderdialog::kFolder, FromUtf8(folder_.File("mine")));
        host.Press(kIdOk);
    });
    Store().diaryFolderDefault.clear();
    Store().ResetDiaryLocator();
    views_.document.OnCommand(ID_DIARY_FOLDER);
    EXPECT_EQ(Store().diaryFolder, FromUtf8(folder_.File("mine")));
    EXPECT_TRUE(views_.document.IsModified());
    EXPECT_EQ(DiaryPath(Store().DiaryLocator(), CDTime(2026, 12, 7)), folder_.File("mine/20261207.TXT"));

    // Emptied, the diaries go to the settings' folder again.
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(diaryfolderdialog::kFolder, u"");
        host.Press(kIdOk);
    });
    views_.document.OnCommand(ID_DIARY_FOLDER);
    EXPECT_EQ(DiaryPath(Store().DiaryLocator(), CDTime(2026, 12, 7)), folder_.File("settings/20261207.TXT"));
}

TEST_F(DiaryLinkCommandsTest, LinkOfAnUnsavedFileIsNamedThenNeedsASave)
{
    CKalData& entry = AddToday(u"/memo");
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(linksettingsdialog::kLink), u"memo.txt");
        host.Press(kIdOk);
    });
    views_.month.OnCommand(ID_LINK_FILE_OPEN);
    EXPECT_EQ(entry.linkFile, u"memo.txt");
    EXPECT_TRUE(views_.document.IsModified());
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { linktext::kRelativeUnsaved });
    EXPECT_TRUE(shell_.Started().empty());
}

TEST_F(DiaryLinkCommandsTest, MissingLinkFileIsMadeOnlyWhenTheUserSaysSo)
{
    Save();
    CKalData& entry = AddToday(u"打ち合わせ", u"notes\\打ち合わせ.txt");
    ASSERT_TRUE(MakeFolders(folder_.File("notes")));
    const std::string made = folder_.File("notes/打ち合わせ.txt");
    ui_.QueueAnswer(false);
    views_.day.OnCommand(ID_LINK_FILE_OPEN);
    EXPECT_FALSE(ReadWholeFile(made).HasValue());
    EXPECT_TRUE(shell_.Started().empty());
    ui_.QueueAnswer(true);
    views_.day.OnCommand(ID_LINK_FILE_OPEN);
    EXPECT_EQ(ui_.Questions().back(), linktext::kAskCreate);
    EXPECT_EQ(CodePage::Ansi().Decode(ReadWholeFile(made).ValueOr("")), u"打ち合わせ\r\n");
    EXPECT_EQ(shell_.Started(), std::vector<std::string> { made });

    entry.linkFile = u"javascript:alert(1)";
    views_.day.OnCommand(ID_LINK_FILE_OPEN);
    EXPECT_EQ(ui_.Messages().back(), HandOverMessage(HandOverRefusal::Scheme, entry.linkFile));
    EXPECT_EQ(shell_.Started().size(), 1u);
}

TEST_F(DiaryLinkCommandsTest, NothingToOpenWithIsToldWithThePath)
{
    Save();
    shell_.FailStarts();
    settings_.Set(IntSetting::Diary, 1);
    Store().SetDiaryFolder(FromUtf8(folder_.File("diaries")));
    const std::u16string noProgram
        = u"ファイルを開くプログラムを起動できませんでした。次のファイルをほかのプログラムで開いてください。\n";
    const std::u16string noBrowser
        = u"アドレスを開くブラウザーを起動できませんでした。次のアドレスをブラウザーで開いてください。\n";

    const std::string diary = folder_.File("diaries/20261207.TXT");
    views_.day.OnCommand(ID_DIARY_EDIT);
    EXPECT_TRUE(ReadWholeFile(diary).HasValue()); // made all the same, for another program to open

    CKalData& entry = AddToday(u"打ち合わせ", u"打ち合わせ.txt");
    const std::string made = folder_.File("打ち合わせ.txt");
    ui_.QueueAnswer(true);
    views_.day.OnCommand(ID_LINK_FILE_OPEN);
    entry.linkFile = u"https://example.org/agenda";
    views_.day.OnCommand(ID_LINK_FILE_OPEN);
    EXPECT_EQ(ui_.Messages(),
        (std::vector<std::u16string> {
            noProgram + FromUtf8(diary), noProgram + FromUtf8(made), noBrowser + u"https://example.org/agenda" }));
    EXPECT_EQ(shell_.Started(), (std::vector<std::string> { diary, made, "https://example.org/agenda" }));
}

TEST_F(DiaryLinkCommandsTest, ScheduleDialogsLinkButtonOpensTheLinkFileDialog)
{
    Save();
    CKalData& entry = AddToday(u"会議", u"old.txt");
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(scheduledialog::kLink);
        host.Press(kIdOk);
    });
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        EXPECT_EQ(host.Text(linkfiledialog::kLink), u"old.txt");
        host.Type(linkfiledialog::kLink, u"https://example.com/minutes");
        host.Press(kIdOk);
    });
    EXPECT_TRUE(views_.document.EditEntry(&entry, CDTime(2026, 12, 7)));
    EXPECT_EQ(entry.linkFile, u"https://example.com/minutes");
}

} // namespace
} // namespace kal
