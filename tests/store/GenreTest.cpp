#include "TestEnvironment.h"

#include "store/GenreOperations.h"
#include "store/KalStore.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;

CKalField Genre(const char16_t* name, Colour colour = 0)
{
    CKalField genre;
    genre.name = name;
    genre.colour = colour;
    return genre;
}

CKalFieldArray Genres(std::initializer_list<const char16_t*> names)
{
    CKalFieldArray genres;
    for (const char16_t* name : names)
        genres.Append(Genre(name));
    return genres;
}

TEST(GenreList, FindsNamesExactlyAndAddsMissingOnesWithDefaults)
{
    CKalFieldArray genres = Genres({ u"一般", u"仕事", u"私用", u"仕事" });
    EXPECT_EQ(genres.FindByName(u"仕事"), 1); // the first of two
    EXPECT_EQ(genres.FindByName(u"私用"), 2);
    EXPECT_EQ(genres.FindByName(u"仕事 "), -1);
    EXPECT_EQ(genres.FindByName(u"ｼｺﾞﾄ"), -1);
    EXPECT_EQ(genres.FindByName(u""), -1);

    EXPECT_EQ(genres.FindOrAddByName(u"私用"), 2);
    EXPECT_EQ(genres.Count(), 4);
    genres.At(0)->colour = kRed;
    EXPECT_EQ(genres.FindOrAddByName(u"旅行"), 4);
    ASSERT_EQ(genres.Count(), 5);
    EXPECT_EQ(*genres.At(4), Genre(u"旅行"));
    EXPECT_EQ(genres.At(4)->visible, 1);
    EXPECT_EQ(genres.FindOrAddByName(u"旅行"), 4);
    EXPECT_EQ(genres.Count(), 5);

    EXPECT_EQ(genres.Names(), (std::vector<std::u16string> { u"一般", u"仕事", u"私用", u"仕事", u"旅行" }));
    EXPECT_TRUE(CKalFieldArray().Names().empty());
}

TEST(GenreList, ReplaceAllTakesCopiesOfEveryField)
{
    CKalFieldArray target = Genres({ u"古い", u"もっと古い", u"一番古い" });
    CKalFieldArray source;
    CKalField work = Genre(u"仕事", kBlue);
    work.visible = 0;
    work.note = u"メモ";
    work.reserved = { 1, -2, 3, 4 };
    work.reservedTexts = { u"a", u"", u"c", u"漢字" };
    source.Append(Genre(u"一般"));
    source.Append(work);

    target.ReplaceAll(source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(*target.At(1), work);
    source.At(1)->name = u"変更";
    EXPECT_EQ(target.At(1)->name, u"仕事");

    target.ReplaceAll(target);
    EXPECT_EQ(target.Names(), (std::vector<std::u16string> { u"一般", u"仕事" }));
    target.ReplaceAll(CKalFieldArray());
    EXPECT_TRUE(target.IsEmpty());
}

TEST(GenreList, FillingUpNumbersNewGenresByPosition)
{
    CKalFieldArray genres = Genres({ u"一般", u"仕事", u"私用" });
    EXPECT_TRUE(genres.FillUpTo(4));
    EXPECT_EQ(genres.Names(), (std::vector<std::u16string> { u"一般", u"仕事", u"私用", u"ジャンル4", u"ジャンル5" }));
    EXPECT_EQ(genres.At(3)->visible, 1);
    EXPECT_TRUE(genres.FillUpTo(2)); // present already
    EXPECT_EQ(genres.Count(), 5);
    EXPECT_FALSE(genres.FillUpTo(-1));
    EXPECT_EQ(genres.Count(), 5);

    CKalFieldArray empty;
    EXPECT_TRUE(empty.FillUpTo(0));
    EXPECT_EQ(empty.Names(), (std::vector<std::u16string> { u"ジャンル1" }));
}

TEST(GenreList, FillingUpFillsOnlySmallGaps)
{
    CKalFieldArray genres = Genres({ u"一般", u"仕事" });
    EXPECT_FALSE(genres.FillUpTo(2 + CKalFieldArray::kMaxFillUp));
    EXPECT_FALSE(genres.FillUpTo(0x7FFFFFFF));
    EXPECT_EQ(genres.Count(), 2);
    EXPECT_TRUE(genres.FillUpTo(1 + CKalFieldArray::kMaxFillUp));
    EXPECT_EQ(genres.Count(), 2 + CKalFieldArray::kMaxFillUp);
    EXPECT_EQ(genres.At(1 + CKalFieldArray::kMaxFillUp)->name, u"ジャンル66");
}

class GenreOperationsTest : public test::TestEnvironment {
protected:
    // Genres 一般 (red), 仕事 (green), 私用 (blue), 旅行 (black) and one entry per given genre, each
    // coloured 0x10 + its position so that a change shows.
    void Populate(std::initializer_list<int> entryGenres)
    {
        store_.genres.Append(Genre(u"一般", kRed));
        store_.genres.Append(Genre(u"仕事", kGreen));
        store_.genres.Append(Genre(u"私用", kBlue));
        store_.genres.Append(Genre(u"旅行", 0));
        Colour colour = 0x10;
        for (const int genre : entryGenres) {
            auto entry = std::make_unique<CKalData>();
            entry->genre = genre;
            entry->colour = colour++;
            store_.AppendEntry(std::move(entry));
        }
    }

    std::vector<int> EntryGenres() const
    {
        std::vector<int> genres;
        for (const auto& entry : store_.entries)
            genres.push_back(entry->genre);
        return genres;
    }

    std::vector<Colour> EntryColours() const
    {
        std::vector<Colour> colours;
        for (const auto& entry : store_.entries)
            colours.push_back(entry->colour);
        return colours;
    }

    CKalStore store_;
};

TEST_F(GenreOperationsTest, DeletingMovesItsEntriesToTheGeneralGenreAndLaterOnesDown)
{
    Populate({ 0, 1, 2, 3, 2, 7 });
    EXPECT_TRUE(DeleteGenre(store_, 2));
    EXPECT_EQ(store_.genres.Names(), (std::vector<std::u16string> { u"一般", u"仕事", u"旅行" }));
    EXPECT_EQ(EntryGenres(), (std::vector<int> { 0, 1, 0, 2, 0, 6 }));
    EXPECT_EQ(EntryColours(), (std::vector<Colour> { 0x10, 0x11, kRed, 0x13, kRed, 0x15 }));
}

TEST_F(GenreOperationsTest, DeletingOutOfRangeChangesNothing)
{
    Populate({ 0, 1, 3 });
    EXPECT_FALSE(DeleteGenre(store_, 4));
    EXPECT_FALSE(DeleteGenre(store_, -1));
    EXPECT_EQ(store_.genres.Count(), 4);
    EXPECT_EQ(EntryGenres(), (std::vector<int> { 0, 1, 3 }));
    EXPECT_EQ(EntryColours(), (std::vector<Colour> { 0x10, 0x11, 0x12 }));
}

TEST_F(GenreOperationsTest, DeletingTheGeneralGenreGivesItsEntriesTheNewFirstColour)
{
    Populate({ 0, 1, 2 });
    EXPECT_TRUE(DeleteGenre(store_, 0));
    EXPECT_EQ(EntryGenres(), (std::vector<int> { 0, 0, 1 }));
    EXPECT_EQ(EntryColours(), (std::vector<Colour> { kGreen, 0x11, 0x12 }));

    // With the last genre gone there is no colour to give: the entries keep theirs.
    ASSERT_TRUE(DeleteGenre(store_, 2));
    ASSERT_TRUE(DeleteGenre(store_, 1));
    store_.entries[1]->colour = kBlue;
    EXPECT_TRUE(DeleteGenre(store_, 0));
    EXPECT_TRUE(store_.genres.IsEmpty());
    EXPECT_EQ(EntryGenres(), (std::vector<int> { 0, 0, 0 }));
    EXPECT_EQ(EntryColours(), (std::vector<Colour> { kGreen, kBlue, kGreen }));
}

TEST_F(GenreOperationsTest, SwappingExchangesOnlyTheTwoGenresAndTheirEntries)
{
    Populate({ 1, 2, 0, 3, 2 });
    EXPECT_TRUE(SwapGenres(store_, 1, 2));
    EXPECT_EQ(store_.genres.Names(), (std::vector<std::u16string> { u"一般", u"私用", u"仕事", u"旅行" }));
    EXPECT_EQ(EntryGenres(), (std::vector<int> { 2, 1, 0, 3, 1 }));
    EXPECT_EQ(EntryColours(), (std::vector<Colour> { 0x10, 0x11, 0x12, 0x13, 0x14 }));

    EXPECT_FALSE(SwapGenres(store_, 3, 4));
    EXPECT_FALSE(SwapGenres(store_, -1, 0));
    EXPECT_FALSE(SwapGenres(store_, 3, 3));
    EXPECT_EQ(EntryGenres(), (std::vector<int> { 2, 1, 0, 3, 1 }));
    EXPECT_EQ(store_.genres.At(3)->name, u"旅行");
}

TEST_F(GenreOperationsTest, RecolouringSparesEntriesTheUserColouredUnlessForced)
{
    Populate({ 1, 1, 1, 2 });
    store_.entries[0]->colour = kRed; // still the genre's old colour
    store_.entries[1]->colour = kGreen; // coloured by the user
    store_.entries[3]->colour = kRed; // the old colour, but another genre
    store_.genres.At(1)->colour = kBlue;

    EXPECT_EQ(RecolourGenre(store_, 1, kRed, Recolour::kOldColourOnly), 1);
    EXPECT_EQ(EntryColours(), (std::vector<Colour> { kBlue, kGreen, 0x12, kRed }));

    EXPECT_EQ(RecolourGenre(store_, 1, kRed, Recolour::kAll), 3);
    EXPECT_EQ(EntryColours(), (std::vector<Colour> { kBlue, kBlue, kBlue, kRed }));
    EXPECT_EQ(EntryGenres(), (std::vector<int> { 1, 1, 1, 2 }));

    EXPECT_EQ(RecolourGenre(store_, 9, kRed, Recolour::kAll), 0);
    EXPECT_EQ(store_.entries[3]->colour, kRed);
}

} // namespace
} // namespace kal
