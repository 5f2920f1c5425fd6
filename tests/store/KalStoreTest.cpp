#include "TestEnvironment.h"

#include "store/KalStore.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

class KalStoreTest : public test::TestEnvironment { };

CKalField Genre(const char16_t* name, Colour colour = 0)
{
    CKalField genre;
    genre.name = name;
    genre.colour = colour;
    return genre;
}

std::unique_ptr<CKalData> Entry(const char16_t* text)
{
    auto entry = std::make_unique<CKalData>();
    entry->text = text;
    return entry;
}

TEST_F(KalStoreTest, ClearDeletesContentButKeepsPasswordAndFolders)
{
    CKalStore store;
    store.AppendEntry(Entry(u"a"));
    store.SetDayColour(u"2005/07/03", { 0x00FF00, u"note" });
    store.genres.Append(Genre(u"一般"));
    store.memos.push_back(std::make_unique<CMemoData>(CMemoData { u"メモ", u"text" }));
    store.password = u"secret1";
    store.diaryFolderDefault = u"/home/user/diary/";
    store.SetDiaryFolder(u"/home/user/own/");
    store.fileVersion = 430;

    store.Clear();

    EXPECT_EQ(store.EntryCount(), 0);
    EXPECT_TRUE(store.dayColours.empty());
    EXPECT_TRUE(store.genres.IsEmpty());
    EXPECT_TRUE(store.memos.empty());
    EXPECT_EQ(store.password, u"secret1");
    EXPECT_EQ(store.diaryFolderDefault, u"/home/user/diary/");
    EXPECT_EQ(store.diaryFolder, u"/home/user/own/");
    EXPECT_EQ(store.DiaryLocator(), u"/home/user/own/");
    EXPECT_EQ(store.fileVersion, 430);
}

TEST_F(KalStoreTest, EntriesKeepOrderAndAreFoundByIdentity)
{
    CKalStore store;
    store.AppendEntry(Entry(u"a"));
    store.AppendEntry(Entry(u"b"));
    store.AppendEntry(Entry(u"c"));
    const CKalData* b = &store.Entry(1);
    const CKalData lookalike = store.Entry(1);
    EXPECT_EQ(store.IndexOf(b), 1);
    EXPECT_EQ(store.IndexOf(&lookalike), -1);

    store.ExchangeEntries(0, 2);
    EXPECT_EQ(store.Entry(0).text, u"c");
    EXPECT_EQ(store.Entry(2).text, u"a");
    store.ExchangeEntries(0, 3); // out of range: nothing happens
    EXPECT_EQ(store.Entry(0).text, u"c");

    std::unique_ptr<CKalData> removed = store.RemoveEntry(1);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed.get(), b);
    EXPECT_EQ(store.EntryCount(), 2);
    EXPECT_EQ(store.IndexOf(b), -1);
    EXPECT_EQ(store.RemoveEntry(5), nullptr);
}

TEST_F(KalStoreTest, PresetGenresFallBackToTheGeneralGenre)
{
    CKalStore store;
    for (const char16_t* name : { u"一般", u"仕事", u"私用" })
        store.genres.Append(Genre(name));
    store.defaultTodoGenre = 5;
    store.defaultScheduleGenre = 2;
    EXPECT_EQ(store.DefaultTodoGenre(), 0);
    EXPECT_EQ(store.DefaultScheduleGenre(), 2);
    store.defaultScheduleGenre = 3;
    EXPECT_EQ(store.DefaultScheduleGenre(), 0);
    store.defaultScheduleGenre = -1;
    EXPECT_EQ(store.DefaultScheduleGenre(), 0);
    EXPECT_EQ(store.GenreAt(1)->name, u"仕事");
    EXPECT_EQ(store.GenreAt(3), nullptr);
    EXPECT_EQ(store.GenreAt(-1), nullptr);
}

TEST_F(KalStoreTest, DayColoursAreReplacedAndRemovedByDate)
{
    CKalStore store;
    store.SetDayColour(u"2005/07/03", { 0x0000FF, u"" });
    store.SetDayColour(u"2005/07/03", { 0x00FF00, u"kept" });
    ASSERT_NE(store.FindDayColour(u"2005/07/03"), nullptr);
    EXPECT_EQ(store.FindDayColour(u"2005/07/03")->colour, 0x00FF00u);
    EXPECT_EQ(store.dayColours.size(), 1u);
    store.RemoveDayColour(u"2005/07/03");
    EXPECT_EQ(store.FindDayColour(u"2005/07/03"), nullptr);
    store.RemoveDayColour(u"2005/07/04"); // absent: nothing happens
}

TEST_F(KalStoreTest, DiaryFolderComesFromSettingsUntilTheFileChoosesOne)
{
    profile_.SetString("Diary", "Dir", u"/srv/diary/");
    CKalStore store;
    EXPECT_EQ(store.diaryFolderDefault, u"/srv/diary/");
    EXPECT_EQ(store.DiaryLocator(), u"/srv/diary/");
    store.SetDiaryFolder(u"/srv/mine/");
    EXPECT_EQ(store.DiaryLocator(), u"/srv/mine/");
    store.ResetDiaryLocator();
    EXPECT_EQ(store.DiaryLocator(), u"/srv/diary/");
    store.SetDiaryFolder(u"");
    EXPECT_EQ(store.DiaryLocator(), u"/srv/diary/");
}

TEST_F(KalStoreTest, DefaultDiaryFolderIsTheDocumentsFolder)
{
    const CKalStore store;
    ASSERT_FALSE(store.diaryFolderDefault.empty());
    EXPECT_EQ(store.diaryFolderDefault.back(), u'/');
    EXPECT_NE(store.diaryFolderDefault.find(u"Documents"), std::u16string::npos);
}

// Entries come from slabs of a few thousand each: a store of many slabs keeps every entry apart, and
// after all are freed (the slabs given back) new entries are whole again.
TEST_F(KalStoreTest, ManyEntriesStayApartAndComeBackAfterAllAreFreed)
{
    for (int round = 0; round < 2; ++round) {
        CKalStore store;
        constexpr int kCount = 20000;
        for (int i = 0; i < kCount; ++i) {
            auto entry = std::make_unique<CKalData>();
            entry->genre = i;
            entry->text = std::u16string(static_cast<std::size_t>(i % 40), u'x');
            store.AppendEntry(std::move(entry));
        }
        for (int i = 0; i < kCount; i += 997) {
            EXPECT_EQ(store.Entry(i).genre, i);
            EXPECT_EQ(store.Entry(i).text.size(), static_cast<std::size_t>(i % 40));
        }
        store.Clear();
        EXPECT_EQ(store.EntryCount(), 0);
    }
}

TEST(KalFieldArray, CopiesAreDeepAndRangesAreChecked)
{
    CKalFieldArray genres;
    genres.Append(Genre(u"一般", 0x111111));
    CKalField work = Genre(u"仕事", 0x222222);
    work.reserved = { 1, 2, 3, 4 };
    work.reservedTexts = { u"a", u"b", u"c", u"d" };
    genres.Append(work);
    CKalFieldArray copy = genres;
    copy.At(1)->name = u"変更";
    EXPECT_EQ(genres.At(1)->name, u"仕事");
    EXPECT_EQ(copy.At(1)->reserved[3], 4);
    EXPECT_EQ(copy.At(1)->reservedTexts[2], u"c");
    copy.Swap(0, 1);
    EXPECT_EQ(copy.At(0)->name, u"変更");
    copy.RemoveAt(0);
    EXPECT_EQ(copy.Count(), 1);
    copy.RemoveAt(7);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.At(1), nullptr);
}

} // namespace
} // namespace kal
