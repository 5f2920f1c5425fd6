#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "store/GenreArchive.h"
#include "store/StoreTexts.h"

#include <gtest/gtest.h>

#include <random>

namespace kal {
namespace {

// Builds archives byte by byte, independently of our writer.
class Archive {
public:
    Archive& Byte(int value)
    {
        bytes_ += static_cast<char>(value);
        return *this;
    }
    Archive& Word(std::uint32_t value) { return Byte(value & 0xFF).Byte(value >> 8 & 0xFF); }
    Archive& Dword(std::uint32_t value) { return Word(value & 0xFFFF).Word(value >> 16); }
    Archive& Raw(std::string_view raw)
    {
        bytes_ += raw;
        return *this;
    }
    Archive& FieldClass(std::uint16_t schema = 2, std::string_view name = "CKalField")
    {
        return Word(0xFFFF).Word(schema).Word(static_cast<std::uint32_t>(name.size())).Raw(name);
    }
    Archive& ShortWide(std::u16string_view text)
    {
        Byte(0xFF).Word(0xFFFE).Byte(static_cast<int>(text.size()));
        for (const char16_t c : text)
            Word(c);
        return *this;
    }
    Archive& ShortAnsi(std::string_view bytes) { return Byte(static_cast<int>(bytes.size())).Raw(bytes); }
    // A genre's data with empty strings apart from the name.
    Archive& PlainField(std::u16string_view name, std::uint32_t colour = 0)
    {
        Word(100).ShortWide(name).ShortAnsi("").Dword(colour).Word(1).Word(0).Word(0).Word(0).Word(0);
        return ShortAnsi("").ShortAnsi("").ShortAnsi("").ShortAnsi("");
    }
    [[nodiscard]] const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

CKalField Genre(std::u16string name, Colour colour = 0)
{
    CKalField genre;
    genre.name = std::move(name);
    genre.colour = colour;
    return genre;
}

std::optional<GenreArchiveFault> FaultOf(std::string_view bytes)
{
    GenreArchiveError error;
    if (ReadGenreArchive(bytes, &error))
        return std::nullopt;
    EXPECT_LE(error.offset, bytes.size());
    return error.fault;
}

TEST(GenreArchive, WriterLaysOutTagsAndFieldsByteForByte)
{
    CKalFieldArray genres;
    CKalField general = Genre(u"一般", 0x00112233);
    general.reserved = { 7, 0, 0, -1 };
    general.reservedTexts[1] = u"予定";
    genres.Append(general);
    CKalField hidden = Genre(u"X", 0xFF);
    hidden.visible = 0;
    hidden.note = u"n";
    genres.Append(hidden);

    Archive expected;
    expected.Word(2).FieldClass();
    expected.Word(100).ShortWide(u"一般").ShortWide(u"").Dword(0x00112233).Word(1).Word(7).Word(0).Word(0).Word(0xFFFF);
    expected.ShortAnsi("").ShortAnsi("\x97\x5C\x92\xE8").ShortAnsi("").ShortAnsi("");
    expected.Word(0x8001).Word(100).ShortWide(u"X").ShortWide(u"n").Dword(0xFF).Word(0).Word(0).Word(0).Word(0).Word(0);
    expected.ShortAnsi("").ShortAnsi("").ShortAnsi("").ShortAnsi("");
    EXPECT_EQ(WriteGenreArchive(genres), expected.Bytes());
    EXPECT_EQ(WriteGenreArchive(CKalFieldArray()), std::string(2, '\0'));
}

TEST(GenreArchive, StringLengthsTakeTheirThreeForms)
{
    // Where the name's length starts: count, class description, version, wide marker.
    constexpr std::size_t kLengthOffset = 2 + 15 + 2 + 3;
    const auto lengthBytes = [](std::size_t length, std::size_t size) {
        CKalFieldArray genres;
        genres.Append(Genre(std::u16string(length, u'あ')));
        return WriteGenreArchive(genres).substr(kLengthOffset, size);
    };
    EXPECT_EQ(lengthBytes(254, 1), "\xFE");
    EXPECT_EQ(lengthBytes(255, 3), std::string("\xFF\xFF\x00", 3));
    EXPECT_EQ(lengthBytes(0xFFFD, 3), "\xFF\xFD\xFF");
    EXPECT_EQ(lengthBytes(0xFFFE, 7), std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));
}

TEST(GenreArchive, EveryFieldSurvivesARoundTrip)
{
    CKalFieldArray genres;
    genres.Append(Genre(u"一般", 0x0000FF));
    CKalField long1 = Genre(std::u16string(300, u'長'), 0x123456);
    long1.note = std::u16string(0x10000, u'n') + u"末";
    long1.visible = 0;
    long1.reserved = { 1, 2, 0x7FFF, 0xFFFF };
    long1.reservedTexts = { u"仕事", u"ｱｲｳ①", std::u16string(254, u'x'), std::u16string(200, u'漢') };
    genres.Append(long1);
    CKalField edge = Genre(std::u16string(0xFFFE, u'a'));
    edge.note = std::u16string(255, u'b');
    edge.reservedTexts[0] = std::u16string(0xFFFD, u'z');
    genres.Append(edge);
    for (int i = 0; i < 40; ++i) // enough genres for plenty of class references
        genres.Append(Genre(u"ジャンル" + std::u16string(1, char16_t(u'A' + i)), static_cast<Colour>(i)));

    GenreArchiveError error;
    const std::optional<CKalFieldArray> read = ReadGenreArchive(WriteGenreArchive(genres), &error);
    ASSERT_TRUE(read) << static_cast<int>(error.fault) << " at " << error.offset;
    ASSERT_EQ(read->Count(), genres.Count());
    for (int i = 0; i < genres.Count(); ++i)
        EXPECT_EQ(*read->At(i), *genres.At(i)) << "genre " << i;
}

TEST(GenreArchive, ReadsAnsiStringsAndLongFormsWrittenByOthers)
{
    Archive archive;
    archive.Word(1).FieldClass().Word(3); // any version word is accepted
    archive.Byte(4).Raw("\x8E\x64\x8E\x96"); // name 仕事 without the wide marker
    archive.Byte(0xFF).Word(300).Raw(std::string(300, 'm')); // note: ANSI, 16-bit length
    archive.Dword(0x00ABCDEF).Word(1).Word(0xFFFF).Word(0x8000).Word(2).Word(3);
    archive.Byte(0xFF).Word(0xFFFF).Dword(4).Raw("\x97\x5C\x92\xE8"); // 予定, 32-bit length
    archive.ShortWide(u"幅"); // the wide form is taken in a reserved text too
    // Wide with a 32-bit length: after the marker 0xFFFE introduces it just as 0xFFFF does.
    archive.Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFE).Dword(1).Word(u'長');
    archive.ShortAnsi("");

    const std::optional<CKalFieldArray> read = ReadGenreArchive(archive.Bytes());
    ASSERT_TRUE(read);
    ASSERT_EQ(read->Count(), 1);
    const CKalField& genre = *read->At(0);
    EXPECT_EQ(genre.name, u"仕事");
    EXPECT_EQ(genre.note, std::u16string(300, u'm'));
    EXPECT_EQ(genre.colour, 0x00ABCDEFu);
    EXPECT_EQ(genre.visible, 1);
    EXPECT_EQ(genre.reserved, (std::array<std::int32_t, 4> { 0xFFFF, 0x8000, 2, 3 }));
    EXPECT_EQ(genre.reservedTexts, (std::array<std::u16string, 4> { u"予定", u"幅", u"長", u"" }));
}

TEST(GenreArchive, LaterGenresReferToTheClassInEitherTagSize)
{
    Archive archive;
    archive.Word(3).FieldClass().PlainField(u"一般", 1);
    archive.Word(0x8001).PlainField(u"仕事", 2);
    archive.Word(0x7FFF).Dword(0x80000001).PlainField(u"私用", 3);
    archive.Raw("trailing bytes are left alone");
    const std::optional<CKalFieldArray> read = ReadGenreArchive(archive.Bytes());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Names(), (std::vector<std::u16string> { u"一般", u"仕事", u"私用" }));
    EXPECT_EQ(read->At(2)->colour, 3u);
}

TEST(GenreArchive, GenresOfTheSmallestSizePassTheCountCheck)
{
    const auto smallest = [](Archive& archive) {
        archive.Word(100).ShortAnsi("").ShortAnsi("").Dword(0).Word(0).Word(0).Word(0).Word(0).Word(0);
        archive.ShortAnsi("").ShortAnsi("").ShortAnsi("").ShortAnsi("");
    };
    // Enough of them that the class description's extra bytes cannot make up for a count check that
    // asks too much of each.
    constexpr int kCount = 40;
    Archive archive;
    archive.Word(kCount).FieldClass();
    smallest(archive);
    for (int i = 1; i < kCount; ++i) {
        archive.Word(0x8001);
        smallest(archive);
    }
    const std::optional<CKalFieldArray> read = ReadGenreArchive(archive.Bytes());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Names(), (std::vector<std::u16string>(kCount)));
    EXPECT_EQ(read->At(kCount - 1)->visible, 0);
}

TEST(GenreArchive, RefusesTagsThatAreNotOneNewGenreOfOurClass)
{
    const auto second = [](auto tag) {
        Archive archive;
        archive.Word(2).FieldClass().PlainField(u"一般");
        tag(archive);
        return FaultOf(archive.PlainField(u"二").Bytes());
    };
    using enum GenreArchiveFault;
    EXPECT_EQ(second([](Archive& a) { a.Word(0); }), kBadTag); // null object
    EXPECT_EQ(second([](Archive& a) { a.Word(2); }), kBadTag); // the first genre again
    EXPECT_EQ(second([](Archive& a) { a.Word(0x8002); }), kBadTag); // index of an object, not a class
    EXPECT_EQ(second([](Archive& a) { a.Word(0x8003); }), kBadTag); // beyond the map
    EXPECT_EQ(second([](Archive& a) { a.Word(0x8000); }), kBadTag);
    EXPECT_EQ(second([](Archive& a) { a.Word(0x7FFF).Dword(0x80000002); }), kBadTag);
    EXPECT_EQ(second([](Archive& a) { a.Word(0x7FFF).Dword(0xFFFFFFFF); }), kBadTag);
    EXPECT_EQ(second([](Archive& a) { a.Word(0x7FFF).Dword(1); }), kBadTag);
    EXPECT_EQ(second([](Archive& a) { a.FieldClass(); }), std::nullopt); // described again: harmless

    const auto first = [](auto tag) {
        Archive archive;
        archive.Word(1);
        tag(archive);
        return FaultOf(archive.PlainField(u"一般").Bytes());
    };
    EXPECT_EQ(first([](Archive& a) { a.Word(0x8001); }), kBadTag); // no class described yet
    EXPECT_EQ(first([](Archive& a) { a.FieldClass(2, "CKalData"); }), kBadClass);
    EXPECT_EQ(first([](Archive& a) { a.FieldClass(2, "CKalFiel"); }), kBadClass);
    EXPECT_EQ(first([](Archive& a) { a.FieldClass(2, std::string(100, 'C')); }), kBadClass);
    EXPECT_EQ(first([](Archive& a) { a.FieldClass(1); }), kBadSchema);
    EXPECT_EQ(first([](Archive& a) { a.FieldClass(0xFFFF); }), kBadSchema);
}

TEST(GenreArchive, EveryTruncationFails)
{
    CKalFieldArray genres;
    genres.Append(Genre(u"一般", 0xFF));
    CKalField work = Genre(std::u16string(260, u'仕'));
    work.note = u"メモ";
    work.reservedTexts = { u"a", u"予定", u"", std::u16string(300, u'x') };
    genres.Append(work);
    genres.Append(Genre(u"私用"));
    const std::string whole = WriteGenreArchive(genres);
    ASSERT_TRUE(ReadGenreArchive(whole));
    for (std::size_t size = 0; size < whole.size(); ++size)
        EXPECT_NE(FaultOf(std::string_view(whole).substr(0, size)), std::nullopt) << "cut at " << size;
}

TEST(GenreArchive, CountsAndLengthsBeyondTheDataFailAtOnce)
{
    using enum GenreArchiveFault;
    const std::string oneGenre = Archive().FieldClass().PlainField(u"一般").Bytes();
    EXPECT_EQ(FaultOf(Archive().Word(2).Raw(oneGenre).Bytes()), kCountTooLarge);
    EXPECT_EQ(FaultOf(Archive().Word(0xFFFE).Raw(oneGenre).Bytes()), kCountTooLarge);
    EXPECT_EQ(FaultOf(Archive().Word(0xFFFF).Dword(0x7FFFFFFF).Raw(oneGenre).Bytes()), kCountTooLarge);
    EXPECT_EQ(FaultOf(Archive().Word(0xFFFF).Dword(0xFFFFFFFF).Dword(0).Dword(0x80000000).Raw(oneGenre).Bytes()),
        kCountTooLarge);
    EXPECT_EQ(FaultOf(Archive().Word(0xFFFF).Dword(0xFFFFFFFF).Word(1).Bytes()), kTruncated);

    const auto withName = [](auto name) {
        Archive archive;
        archive.Word(1).FieldClass().Word(100);
        name(archive);
        return FaultOf(archive.Raw(std::string(200, 'x')).Bytes());
    };
    EXPECT_EQ(withName([](Archive& a) { a.Byte(0xFF).Word(0x1000); }), kLengthTooLarge);
    EXPECT_EQ(withName([](Archive& a) { a.Byte(0xFF).Word(0xFFFF).Dword(0xFFFFFFF0); }), kLengthTooLarge);
    EXPECT_EQ(withName([](Archive& a) { a.Byte(0xFF).Word(0xFFFF).Dword(0xFFFFFFFF).Dword(0).Dword(0x80000000); }),
        kLengthTooLarge);
    // 120 wide characters need 240 bytes, more than the 200 that are left.
    EXPECT_EQ(withName([](Archive& a) { a.Byte(0xFF).Word(0xFFFE).Byte(120); }), kLengthTooLarge);
    EXPECT_EQ(withName([](Archive& a) { a.Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFE).Dword(0x80000000); }),
        kLengthTooLarge);
}

TEST(GenreArchive, GarbageAndEmptyInputFailWithoutHarm)
{
    using enum GenreArchiveFault;
    EXPECT_EQ(FaultOf(""), kTruncated);
    EXPECT_EQ(FaultOf("\x01"), kTruncated);
    EXPECT_EQ(FaultOf("[Field]\nFile=/home/user/kfield.dat\n"), kCountTooLarge);
    EXPECT_NE(FaultOf(std::string(4096, '\xFF')), std::nullopt);
    EXPECT_NE(FaultOf(std::string(4096, '\x01')), std::nullopt);

    // A zero count is a valid, empty list whatever follows.
    const std::optional<CKalFieldArray> empty = ReadGenreArchive(std::string(64, '\0'));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->IsEmpty());
}

TEST(GenreArchive, DamagedBytesEitherFailOrReadAsSomethingWritable)
{
    CKalFieldArray genres;
    genres.Append(Genre(u"一般", 0xFF));
    CKalField work = Genre(u"仕事");
    work.reservedTexts = { u"a", u"予定", u"", u"b" };
    genres.Append(work);
    genres.Append(Genre(u"私用"));
    const std::string whole = WriteGenreArchive(genres);

    std::mt19937 random(2005);
    int readable = 0;
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = whole;
        for (int flips = 1 + static_cast<int>(random() % 3); flips > 0; --flips)
            bytes[random() % bytes.size()] = static_cast<char>(random() % 3 == 0 ? 0xFF : random() & 0xFF);
        GenreArchiveError error;
        const std::optional<CKalFieldArray> read = ReadGenreArchive(bytes, &error);
        if (!read) {
            ++refused;
            ASSERT_LE(error.offset, bytes.size());
            continue;
        }
        ++readable;
        const std::optional<CKalFieldArray> again = ReadGenreArchive(WriteGenreArchive(*read));
        ASSERT_TRUE(again);
        ASSERT_EQ(again->Names(), read->Names());
    }
    // Both outcomes must have been seen for the loop to have tested anything.
    EXPECT_GT(readable, 100);
    EXPECT_GT(refused, 100);
}

class GenreFileTest : public test::TestEnvironment {
protected:
    std::string WriteFile(const std::string& name, std::string_view bytes)
    {
        const std::string path = folder_.File(name);
        EXPECT_TRUE(WriteFileAtomically(path, bytes));
        return path;
    }

    test::TemporaryFolder folder_;
};

TEST_F(GenreFileTest, ReadsTheGenresOfTheFile)
{
    CKalFieldArray genres;
    genres.Append(Genre(u"一般", 0x0000FF));
    genres.Append(Genre(u"仕事", 0x00FF00));
    const Result<CKalFieldArray> read = LoadGenreFile(WriteFile("kfield.dat", WriteGenreArchive(genres)));
    ASSERT_TRUE(read);
    const CKalFieldArray& loaded = *read;
    EXPECT_EQ(loaded.Names(), genres.Names());
    EXPECT_EQ(loaded.At(1)->colour, 0x00FF00u);
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(GenreFileTest, MissingFileGivesTheGeneralGenreQuietly)
{
    const Result<CKalFieldArray> loaded = LoadGenreFile(folder_.File("none.dat"));
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->Count(), 1);
    EXPECT_EQ(*loaded->At(0), Genre(u"一般"));
    EXPECT_EQ(LoadGenreFile(folder_.Path()).Value().Names(), loaded->Names()); // a folder is no file either
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(GenreFileTest, EmptyFileAddsNothing)
{
    EXPECT_TRUE(LoadGenreFile(WriteFile("empty.dat", "")).Value().IsEmpty());
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(GenreFileTest, DamagedFileIsAFailureToTell)
{
    CKalFieldArray genres;
    genres.Append(Genre(u"一般"));
    genres.Append(Genre(u"仕事"));
    const std::string whole = WriteGenreArchive(genres);
    const Result<CKalFieldArray> loaded = LoadGenreFile(WriteFile("cut.dat", whole.substr(0, whole.size() - 1)));
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.Error().message,
        u"ジャンルファイルが壊れているため読み込めませんでした。ジャンルは「一般」だけになります。");
    EXPECT_TRUE(ui_.Messages().empty());
}

} // namespace
} // namespace kal
