#include "TestEnvironment.h"

#include "RecordingShell.h"
#include "dialogs/DiaryFolderDialog.h"
#include "dialogs/FolderChooserDialog.h"
#include "dialogs/LinkFileDialog.h"
#include "dialogs/TextInputDialog.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "support/MemoryDialogHost.h"
#include "support/RecordingCanvas.h"
#include "views/LinkFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kal {
namespace {

using namespace linkfiledialog;

class LinkFileDialogTest : public test::TestEnvironment {
protected:
    // The dialog for an entry "会議: 10月5日" of the schedule file kaldata.klx in the test's folder.
    void Open(std::u16string_view link, bool saved = true)
    {
        host_.reset(); // a host goes before the dialog it shows
        dialog_ = std::make_unique<LinkFileDialog>(u"会議: 10月5日", link, saved ? folder_.File("kaldata.klx") : "");
        host_ = std::make_unique<MemoryDialogHost>(*dialog_);
        host_->Open();
    }
    void QueueName(std::u16string name)
    {
        ui_.QueueDialog([this, name](DialogLogic&, MemoryDialogHost& host) {
            proposed_ = host.Text(textinputdialog::kText);
            host.Type(textinputdialog::kText, name);
            host.Press(kIdOk);
        });
    }

    test::TemporaryFolder folder_;
    test::RecordingShell shell_;
    std::unique_ptr<LinkFileDialog> dialog_;
    std::unique_ptr<MemoryDialogHost> host_;
    std::u16string proposed_;
};

TEST_F(LinkFileDialogTest, OpenTellsWhatIsMissing)
{
    Open(u"");
    host_->Press(kOpen);
    Open(u"gone.txt");
    host_->Press(kOpen);
    Open(u"note.txt", false);
    host_->Press(kOpen);
    EXPECT_EQ(ui_.Messages(), (std::vector<std::u16string> { kSetFile, kNoFile, linktext::kRelativeUnsaved }));

    ASSERT_TRUE(WriteFileAtomically(folder_.File("note.txt"), "x"));
    Open(u"note.txt");
    host_->Press(kOpen);
    Open(u"https://example.com/agenda");
    host_->Press(kOpen); // an address is never looked for on disk
    EXPECT_EQ(shell_.Started(), (std::vector<std::string> { folder_.File("note.txt"), "https://example.com/agenda" }));
}

TEST_F(LinkFileDialogTest, DeleteRemovesTheFileOrOnlyTheAddress)
{
    ASSERT_TRUE(WriteFileAtomically(folder_.File("note.txt"), "x"));
    Open(u"note.txt");
    ui_.QueueAnswer(false);
    host_->Press(kDelete);
    EXPECT_EQ(host_->Text(kLink), u"note.txt");
    ui_.QueueAnswer(true);
    host_->Press(kDelete);
    EXPECT_EQ(ui_.Questions().back(), std::u16string(kAskDeleteBefore) + u"note.txt" + kAskDeleteAfter);
    EXPECT_FALSE(ReadWholeFile(folder_.File("note.txt")).HasValue());
    EXPECT_EQ(host_->Text(kLink), u"");

    Open(u"gone.txt");
    ui_.QueueAnswer(true);
    host_->Press(kDelete);
    EXPECT_EQ(ui_.Messages().back(), kCannotDelete);
    EXPECT_EQ(host_->Text(kLink), u"gone.txt");

    Open(u"https://example.com/");
    ui_.QueueAnswer(true);
    host_->Press(kDelete);
    EXPECT_EQ(ui_.Questions().back(), kAskClearUrl);
    EXPECT_EQ(host_->Text(kLink), u"");
    PressOk(*dialog_, *host_);
    EXPECT_EQ(dialog_->Link(), u"");
}

TEST_F(LinkFileDialogTest, NewFileHoldsTheContentAndIsOpened)
{
    Open(u"");
    QueueName(u"議事録.txt");
    host_->Press(kNew);
    EXPECT_EQ(proposed_, u"会議  10月5日.txt");
    const std::string made = folder_.File("議事録.txt");
    EXPECT_EQ(CodePage::Ansi().Decode(ReadWholeFile(made).ValueOr("")), u"会議: 10月5日\r\n");
    EXPECT_EQ(host_->Text(kLink), u"議事録.txt");

    // Made again: the user hears it exists, and the link is still set and opened.
    ASSERT_TRUE(WriteFileAtomically(made, "mine"));
    Open(u"");
    QueueName(u"議事録.txt");
    host_->Press(kNew);
    EXPECT_EQ(ui_.Messages().back(), kAlreadyExists);
    EXPECT_EQ(ReadWholeFile(made).ValueOr(""), "mine");
    EXPECT_EQ(host_->Text(kLink), u"議事録.txt");
    EXPECT_EQ(shell_.Started(), (std::vector<std::string> { made, made }));

    QueueName(u"no/such/folder.txt");
    host_->Press(kNew);
    EXPECT_EQ(ui_.Messages().back(), linktext::kCannotCreate + FromUtf8(folder_.File("no/such/folder.txt")));
    EXPECT_EQ(shell_.Started().size(), 2u);
}

TEST_F(LinkFileDialogTest, BrowsedFileIsStoredRelativeToTheScheduleFile)
{
    Open(u"");
    ui_.QueueFile(FromUtf8(folder_.File("links/a.txt")));
    host_->Press(kBrowse);
    EXPECT_EQ(host_->Text(kLink), u"links/a.txt");
    EXPECT_EQ(ui_.FileDialogs().back().initialFolder, FromUtf8(folder_.Path()));
    EXPECT_EQ(ui_.FileDialogs().back().title, linktext::kBrowseTitle);
    ui_.QueueFile(std::nullopt);
    host_->Press(kBrowse);
    EXPECT_EQ(host_->Text(kLink), u"links/a.txt");
    EXPECT_EQ(ui_.FileDialogs().back().initialFolder, FromUtf8(folder_.File("links")));
}

class FolderChooserTest : public test::TestEnvironment {
protected:
    FolderChooserTest()
    {
        for (const char* path : { "Alpha/deep/deeper", "beta", ".hidden/inside" })
            EXPECT_TRUE(MakeFolders(folder_.File(path)));
        EXPECT_TRUE(WriteFileAtomically(folder_.File("file.txt"), "not a folder"));
    }
    std::vector<std::u16string> Shown(FolderChooserDialog& dialog)
    {
        std::vector<std::u16string> names;
        for (const int item : dialog.Tree().VisibleItems())
            names.push_back(dialog.Tree().NameOf(item));
        return names;
    }

    test::TemporaryFolder folder_;
};

TEST_F(FolderChooserTest, ListsLazilyAndSelectsTheStartFolder)
{
    FolderChooserDialog dialog(folder_.File("alpha/DEEP"), folder_.Path());
    MemoryDialogHost host(dialog);
    host.Open();
    FolderTree& tree = dialog.Tree();
    EXPECT_EQ(Shown(dialog), (std::vector<std::u16string> { u"ルート", u"Alpha", u"deep", u"beta" }));
    EXPECT_EQ(tree.PathOf(tree.Selected()), folder_.File("Alpha/deep"));
    EXPECT_TRUE(tree.HasChildren(tree.Selected())); // "deeper" is known to be there, not yet listed
    EXPECT_FALSE(tree.IsExpanded(tree.Selected()));
    EXPECT_FALSE(tree.HasChildren(tree.ChildNamed(FolderTree::kRoot, u"beta")));
    host.Key(Key::Right);
    EXPECT_EQ(Shown(dialog).size(), 5u);
    host.Key(Key::Down);
    EXPECT_EQ(tree.PathOf(tree.Selected()), folder_.File("Alpha/deep/deeper"));
    host.Press(kIdOk);
    EXPECT_EQ(host.Result(), kIdOk);
    EXPECT_EQ(dialog.Folder(), folder_.File("Alpha/deep/deeper"));

    FolderChooserDialog unknown(folder_.File("Alpha/nowhere"), folder_.Path());
    MemoryDialogHost unknownHost(unknown);
    unknownHost.Open();
    EXPECT_EQ(unknown.Tree().Selected(), FolderTree::kRoot);
}

TEST_F(FolderChooserTest, ScrollBarMovesTheRowsAndTheSelectionBringsThemBack)
{
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(MakeFolders(folder_.File("many" + std::to_string(100 + i))));
    FolderChooserDialog dialog({}, folder_.Path());
    MemoryDialogHost host(dialog);
    host.Open();
    RecordingCanvas canvas;
    host.Draw(folderchooserdialog::kTree, canvas);
    const FolderTree& tree = dialog.Tree();
    ASSERT_LT(tree.RowsShown(), tree.RowCount());
    EXPECT_EQ(host.Range(folderchooserdialog::kScroll), std::pair(0, tree.RowCount() - tree.RowsShown()));

    host.Scroll(folderchooserdialog::kScroll, ScrollAction::PageDown);
    host.Draw(folderchooserdialog::kTree, canvas);
    EXPECT_EQ(tree.TopRow(), tree.RowsShown() - 1);
    EXPECT_EQ(host.Position(folderchooserdialog::kScroll), tree.TopRow());
    host.Scroll(folderchooserdialog::kScroll, ScrollAction::Bottom);
    EXPECT_EQ(tree.TopRow(), tree.RowCount() - tree.RowsShown());

    host.Key(Key::Down); // from the root to its first child, which comes back into view at the top
    host.Draw(folderchooserdialog::kTree, canvas);
    EXPECT_EQ(tree.TopRow(), 1);
    EXPECT_EQ(host.Position(folderchooserdialog::kScroll), 1);
}

TEST_F(FolderChooserTest, MakesAFolderInsideTheSelectedOne)
{
    FolderChooserDialog dialog(folder_.File("beta"), folder_.Path());
    MemoryDialogHost host(dialog);
    host.Open();
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& input) {
        input.Type(textinputdialog::kText, u"日記");
        input.Press(kIdOk);
    });
    host.Press(folderchooserdialog::kMakeFolder);
    struct stat info { };
    EXPECT_EQ(::stat(folder_.File("beta/日記").c_str(), &info), 0);
    EXPECT_EQ(dialog.Tree().PathOf(dialog.Tree().Selected()), folder_.File("beta/日記"));

    host.Key(Key::Left); // back to beta, which has one now
    for (const char16_t* bad : { u"..", u"a/b", u"日記" }) {
        ui_.QueueDialog([bad](DialogLogic&, MemoryDialogHost& input) {
            input.Type(textinputdialog::kText, bad);
            input.Press(kIdOk);
        });
        host.Press(folderchooserdialog::kMakeFolder);
        EXPECT_EQ(ui_.Messages().back().rfind(folderchooserdialog::kCannotMakeFolder, 0), 0u) << ToUtf8(bad);
    }
    EXPECT_EQ(ui_.Messages().size(), 3u);
    EXPECT_EQ(dialog.Tree().PathOf(dialog.Tree().Selected()), folder_.File("beta"));
}

TEST_F(FolderChooserTest, DiaryFolderDialogTakesTheChosenFolder)
{
    DiaryFolderDialog dialog(u"\\My Documents\\");
    MemoryDialogHost host(dialog);
    host.Open();
    EXPECT_EQ(host.Text(diaryfolderdialog::kFolder), u"\\My Documents\\");
    ui_.QueueDialog([this](DialogLogic& logic, MemoryDialogHost& chooser) {
        ASSERT_TRUE(static_cast<FolderChooserDialog&>(logic).Tree().SelectPath(folder_.File("beta")));
        chooser.Press(kIdOk);
    });
    host.Press(diaryfolderdialog::kBrowse);
    EXPECT_EQ(host.Text(diaryfolderdialog::kFolder), FromUtf8(folder_.File("beta")));
    host.Type(diaryfolderdialog::kFolder, u"");
    host.Press(kIdOk);
    EXPECT_EQ(dialog.Folder(), u"");
}

} // namespace
} // namespace kal
