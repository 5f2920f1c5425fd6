#include "TestEnvironment.h"

#include "dialogs/GenreDialog.h"
#include "dialogs/GenreEditDialog.h"
#include "dialogs/GenreFileDialog.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/GenreArchive.h"
#include "store/KalStore.h"
#include "support/MemoryDialogHost.h"
#include "support/RecordingUi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kal {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kGrey = 0x808080;

class GenreDialogTest : public test::TestEnvironment {
protected:
    GenreDialogTest()
    {
        const std::pair<const char16_t*, Colour> genres[]
            = { { u"一般", kRed }, { u"仕事", kGreen }, { u"私用", kBlue }, { u"旅行", kGrey } };
        for (const auto& [name, colour] : genres) {
            CKalField genre;
            genre.name = name;
            genre.colour = colour;
            store_.genres.Append(genre);
        }
        // Each genre has an entry in its own colour, and genre 1 one the user coloured otherwise.
        for (const auto& [genre, colour] : std::vector<std::pair<int, Colour>> {
                 { 0, kRed }, { 1, kGreen }, { 1, kGrey }, { 2, kBlue }, { 3, kGrey } }) {
            auto entry = std::make_unique<CKalData>();
            entry->genre = genre;
            entry->colour = colour;
            store_.entries.push_back(std::move(entry));
        }
    }

    // Opens the genre dialog with the row `row` selected and runs `script` in it; `inner` answers the
    // dialogs it opens in turn.
    bool Run(int row, const std::function<void(MemoryDialogHost&)>& script,
        std::vector<RecordingUi::DialogScript> inner = {})
    {
        ui_.QueueDialog([row, &script](DialogLogic&, MemoryDialogHost& host) {
            host.Choose(genredialog::kList, row);
            script(host);
            host.Press(kIdOk);
        });
        for (RecordingUi::DialogScript& dialog : inner)
            ui_.QueueDialog(std::move(dialog));
        return EditGenres(store_, &applicationGenres_);
    }

    std::vector<std::pair<int, Colour>> EntryGenres() const
    {
        std::vector<std::pair<int, Colour>> result;
        for (const auto& entry : store_.entries)
            result.emplace_back(entry->genre, entry->colour);
        return result;
    }

    std::vector<std::u16string> GenreNames() const { return store_.genres.Names(); }

    CKalStore store_;
    CKalFieldArray applicationGenres_;
};

using Entries = std::vector<std::pair<int, Colour>>;
using Names = std::vector<std::u16string>;
const Entries kUnchanged = { { 0, kRed }, { 1, kGreen }, { 1, kGrey }, { 2, kBlue }, { 3, kGrey } };
const Names kOriginalNames = { u"一般", u"仕事", u"私用", u"旅行" };

TEST_F(GenreDialogTest, MovesKeepTheGeneralGenreFirstAndTakeTheEntriesAlong)
{
    using namespace genredialog;
    struct Case {
        int row;
        int button;
        Names names;
        Entries entries;
        int selection;
    };
    // clang-format off
    const Case cases[] = {
        { 1, kUp, kOriginalNames, kUnchanged, 1 },
        { 0, kUp, kOriginalNames, kUnchanged, 0 },
        { 0, kDown, kOriginalNames, kUnchanged, 0 },
        { 3, kDown, kOriginalNames, kUnchanged, 3 },
        { 3, kUp, { u"一般", u"仕事", u"旅行", u"私用" },
          { { 0, kRed }, { 1, kGreen }, { 1, kGrey }, { 3, kBlue }, { 2, kGrey } }, 2 },
        { 1, kDown, { u"一般", u"私用", u"仕事", u"旅行" },
          { { 0, kRed }, { 2, kGreen }, { 2, kGrey }, { 1, kBlue }, { 3, kGrey } }, 2 },
    };
    // clang-format on
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "row " << test.row << " button " << test.button);
        int selection = -1;
        const bool changed = Run(test.row, [&](MemoryDialogHost& host) {
            host.Press(test.button);
            selection = host.Selection(kList);
        });
        EXPECT_EQ(GenreNames(), test.names);
        EXPECT_EQ(EntryGenres(), test.entries);
        EXPECT_EQ(selection, test.selection);
        EXPECT_EQ(changed, test.names != kOriginalNames);
        if (test.names == kOriginalNames)
            continue;
        // Moving back puts the store as it was for the next case.
        Run(test.selection, [&](MemoryDialogHost& host) { host.Press(test.button == kUp ? kDown : kUp); });
        EXPECT_EQ(GenreNames(), kOriginalNames);
        EXPECT_EQ(EntryGenres(), kUnchanged);
    }
}

TEST_F(GenreDialogTest, DeleteProtectsTheGeneralGenreAndAsksForOthers)
{
    using namespace genredialog;
    EXPECT_FALSE(Run(0, [](MemoryDialogHost& host) { host.Press(kDelete); }));
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { kGeneralNotDeletable });
    EXPECT_TRUE(ui_.Questions().empty());

    ui_.QueueAnswer(false);
    EXPECT_FALSE(Run(2, [](MemoryDialogHost& host) { host.Press(kDelete); }));
    ASSERT_EQ(ui_.Questions().size(), 1U);
    EXPECT_EQ(ui_.Questions()[0], std::u16string(u"私用") + kAskDelete);
    EXPECT_EQ(GenreNames(), kOriginalNames);
    EXPECT_EQ(EntryGenres(), kUnchanged);

    ui_.QueueAnswer(true);
    std::vector<std::u16string> rows;
    int selection = -1;
    EXPECT_TRUE(Run(3, [&](MemoryDialogHost& host) {
        host.Press(kDelete);
        rows = host.Items(kList);
        selection = host.Selection(kList);
    }));
    EXPECT_EQ(GenreNames(), (Names { u"一般", u"仕事", u"私用" }));
    EXPECT_EQ(rows, GenreNames());
    EXPECT_EQ(selection, 2); // the last row, as the deleted one was last
    EXPECT_EQ(EntryGenres(), (Entries { { 0, kRed }, { 1, kGreen }, { 1, kGrey }, { 2, kBlue }, { 0, kRed } }));
}

TEST_F(GenreDialogTest, EditingAColourRecoloursOnlyEntriesStillInTheOldColour)
{
    using namespace genredialog;
    // Cancelled, the edit changes nothing even after a colour was chosen.
    ui_.QueueColour(kBlue);
    const auto cancelEdit = [](DialogLogic&, MemoryDialogHost& edit) {
        edit.Type(genreeditdialog::kName, u"別名");
        edit.Press(genreeditdialog::kColour);
        edit.Press(kIdCancel);
    };
    EXPECT_FALSE(Run(1, [](MemoryDialogHost& host) { host.Press(kEdit); }, { cancelEdit }));
    EXPECT_EQ(GenreNames(), kOriginalNames);
    EXPECT_EQ(EntryGenres(), kUnchanged);

    ui_.QueueColour(kBlue);
    const auto editWork = [](DialogLogic&, MemoryDialogHost& edit) {
        EXPECT_EQ(edit.Text(genreeditdialog::kName), u"仕事");
        EXPECT_TRUE(edit.IsChecked(genreeditdialog::kVisible));
        edit.Type(genreeditdialog::kName, u"会社");
        edit.SetChecked(genreeditdialog::kVisible, false);
        edit.Press(genreeditdialog::kColour);
        edit.Press(kIdOk);
    };
    std::vector<std::u16string> rows;
    std::u16string visibility;
    const auto doubleClick = [&](MemoryDialogHost& host) {
        host.DoubleClick(kList, 1);
        rows = host.Items(kList);
        visibility = host.Text(kVisibility);
    };
    EXPECT_TRUE(Run(1, doubleClick, { editWork }));
    EXPECT_EQ(store_.genres.At(1)->colour, kBlue);
    EXPECT_EQ(store_.genres.At(1)->visible, 0);
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[1], std::u16string(kHiddenPrefix) + u"会社");
    EXPECT_EQ(visibility, kShowText);
    EXPECT_EQ(EntryGenres(), (Entries { { 0, kRed }, { 1, kBlue }, { 1, kGrey }, { 2, kBlue }, { 3, kGrey } }));

    // Unifying asks first and then gives every entry of the genre its colour.
    ui_.QueueAnswer(false);
    EXPECT_FALSE(Run(1, [](MemoryDialogHost& host) { host.Press(kUnify); }));
    ASSERT_FALSE(ui_.Questions().empty());
    EXPECT_EQ(ui_.Questions().back(), std::u16string(u"会社") + kAskUnify);
    EXPECT_EQ(EntryGenres()[2], (std::pair<int, Colour> { 1, kGrey }));
    ui_.QueueAnswer(true);
    EXPECT_TRUE(Run(1, [](MemoryDialogHost& host) { host.Press(kUnify); }));
    EXPECT_EQ(EntryGenres(), (Entries { { 0, kRed }, { 1, kBlue }, { 1, kBlue }, { 2, kBlue }, { 3, kGrey } }));
}

TEST_F(GenreDialogTest, VisibilityButtonTogglesAndFollowsTheSelection)
{
    using namespace genredialog;
    std::vector<std::u16string> texts;
    std::vector<std::u16string> rows;
    EXPECT_TRUE(Run(2, [&](MemoryDialogHost& host) {
        texts.push_back(host.Text(kVisibility));
        host.Press(kVisibility);
        texts.push_back(host.Text(kVisibility));
        rows = host.Items(kList);
        host.Choose(kList, 1);
        texts.push_back(host.Text(kVisibility));
        host.Choose(kList, 2);
        texts.push_back(host.Text(kVisibility));
        host.Press(kVisibility);
        texts.push_back(host.Text(kVisibility));
    }));
    EXPECT_EQ(texts, (std::vector<std::u16string> { kHideText, kShowText, kHideText, kShowText, kHideText }));
    EXPECT_EQ(rows[2], std::u16string(kHiddenPrefix) + u"私用");
    EXPECT_EQ(store_.genres.At(2)->visible, 1);
    EXPECT_EQ(EntryGenres(), kUnchanged);
}

TEST_F(GenreDialogTest, AddAppendsTheEditedGenreUnlessCancelled)
{
    using namespace genredialog;
    const auto cancelAdd = [](DialogLogic&, MemoryDialogHost& edit) {
        edit.Type(genreeditdialog::kName, u"趣味");
        edit.Press(kIdCancel);
    };
    EXPECT_FALSE(Run(1, [](MemoryDialogHost& host) { host.Press(kAdd); }, { cancelAdd }));
    EXPECT_EQ(GenreNames(), kOriginalNames);

    ui_.QueueColour(kGreen);
    const auto addHobby = [](DialogLogic&, MemoryDialogHost& edit) {
        EXPECT_EQ(edit.Text(genreeditdialog::kName), u"");
        EXPECT_TRUE(edit.IsChecked(genreeditdialog::kVisible));
        edit.Type(genreeditdialog::kName, u"趣味");
        edit.Press(genreeditdialog::kColour);
        edit.Press(kIdOk);
    };
    int selection = -1;
    const auto pressAdd = [&](MemoryDialogHost& host) {
        host.Press(kAdd);
        selection = host.Selection(kList);
    };
    EXPECT_TRUE(Run(1, pressAdd, { addHobby }));
    EXPECT_EQ(GenreNames(), (Names { u"一般", u"仕事", u"私用", u"旅行", u"趣味" }));
    EXPECT_EQ(store_.genres.At(4)->colour, kGreen);
    EXPECT_EQ(selection, 1);
    EXPECT_EQ(EntryGenres(), kUnchanged);
}

TEST_F(GenreDialogTest, GenreFileNameIsKeptAndAReadableFileReplacesTheProgramsList)
{
    using namespace genredialog;
    const std::string folder = ::testing::TempDir() + "genre-dialog";
    std::filesystem::create_directories(folder);
    const std::string readable = JoinPath(folder, "kfield.dat");
    CKalFieldArray fileGenres;
    CKalField fromFile;
    fromFile.name = u"ファイルから";
    fileGenres.Append(fromFile);
    ASSERT_TRUE(WriteFileAtomically(readable, WriteGenreArchive(fileGenres)));
    const std::u16string missing = FromUtf8(JoinPath(folder, "none.dat"));

    const auto pressFile = [](MemoryDialogHost& host) { host.Press(kFile); };
    const auto browse = [](DialogLogic&, MemoryDialogHost& file) {
        file.Press(genrefiledialog::kBrowse);
        file.Press(kIdOk);
    };
    for (const std::u16string& path : { missing, FromUtf8(readable) }) {
        ui_.QueueFile(path);
        EXPECT_FALSE(Run(0, pressFile, { browse }));
        EXPECT_EQ(profile_.GetString("Field", "File", u""), path);
        // A file that does not open leaves the program's list alone.
        if (path == missing) {
            EXPECT_TRUE(applicationGenres_.IsEmpty());
        }
    }
    ASSERT_FALSE(ui_.FileDialogs().empty());
    EXPECT_EQ(ui_.FileDialogs().back().filter, genrefiledialog::kChooserFilter);
    EXPECT_EQ(applicationGenres_.Names(), Names { u"ファイルから" });
    EXPECT_EQ(GenreNames(), kOriginalNames); // the open file keeps its own genres

    // Cancelling the file dialog keeps the stored name.
    const auto typeAndCancel = [](DialogLogic&, MemoryDialogHost& file) {
        EXPECT_FALSE(file.Text(genrefiledialog::kName).empty());
        file.Type(genrefiledialog::kName, u"/elsewhere.dat");
        file.Press(kIdCancel);
    };
    Run(0, pressFile, { typeAndCancel });
    EXPECT_EQ(profile_.GetString("Field", "File", u""), FromUtf8(readable));
}

} // namespace
} // namespace kal
