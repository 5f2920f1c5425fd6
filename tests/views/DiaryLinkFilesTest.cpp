#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "views/DiaryFiles.h"
#include "views/LinkFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kal {
namespace {

class DiaryFilesTest : public test::TestEnvironment {
protected:
    test::TemporaryFolder folder_;
    const CDTime day_ { 2013, 10, 5 };
};

TEST_F(DiaryFilesTest, PathOfADayInEachFormOfTheFolder)
{
    profile_.SetString(diarytext::kSection, diarytext::kFolderValue, FromUtf8(folder_.Path()));
    const std::string documents = DocumentsFolder() + "/20131005.TXT";
    const struct {
        std::u16string folder;
        std::string path;
    } cases[] = {
        { u"\\My Documents", documents }, { u"\\My Documents\\", documents }, // no doubled separator
        { FromUtf8(folder_.Path()), folder_.File("20131005.TXT") },
        { FromUtf8(folder_.Path() + "/"), folder_.File("20131005.TXT") },
        { u"", folder_.File("20131005.TXT") }, // the settings' folder
    };
    for (const auto& c : cases)
        EXPECT_EQ(DiaryPath(c.folder, day_), c.path) << ToUtf8(c.folder);
}

TEST_F(DiaryFilesTest, HeadingIsTheDateInTheProgramsCodePage)
{
    // 月 = 8C 8E, 日 = 93 FA, 土 = 93 79 in CP932.
    EXPECT_EQ(DiaryHeading(day_), "10\x8C\x8E 5\x93\xFA(\x93y) \r\n");
    EXPECT_EQ(DiaryHeading(CDTime(2027, 1, 31)), "1\x8C\x8E 31\x93\xFA(\x93\xFA) \r\n");
}

TEST_F(DiaryFilesTest, NewDiaryMakesMissingFoldersAndAHeading)
{
    ASSERT_TRUE(MakeFolders(folder_.File("a")));
    const std::u16string deep = FromUtf8(folder_.File("a/b/c"));
    const DiaryFile diary = PrepareDiary(deep, day_);
    EXPECT_TRUE(diary.failure.empty());
    EXPECT_EQ(diary.path, folder_.File("a/b/c/20131005.TXT"));
    EXPECT_EQ(ReadWholeFile(diary.path).ValueOr(""), DiaryHeading(day_));
    EXPECT_TRUE(DiaryExists(deep, day_));
    EXPECT_FALSE(DiaryExists(deep, CDTime(2013, 10, 6)));
}

TEST_F(DiaryFilesTest, ExistingDiaryIsLeftAsItIs)
{
    ASSERT_TRUE(WriteFileAtomically(folder_.File("20131005.TXT"), "my own words"));
    const DiaryFile diary = PrepareDiary(FromUtf8(folder_.Path()), day_);
    EXPECT_TRUE(diary.failure.empty());
    EXPECT_EQ(ReadWholeFile(diary.path).ValueOr(""), "my own words");
}

TEST_F(DiaryFilesTest, FolderThatCannotBeMadeIsReported)
{
    ASSERT_TRUE(WriteFileAtomically(folder_.File("plain"), "x"));
    const DiaryFile diary = PrepareDiary(FromUtf8(folder_.File("plain/diaries")), day_);
    EXPECT_EQ(diary.failure, diarytext::kCannotCreateFolder);
    EXPECT_FALSE(OpenDiary(FromUtf8(folder_.File("plain/diaries")), day_));
    EXPECT_EQ(ui_.Messages().back(), diarytext::kCannotCreateFolder);
}

TEST(LinkRules, KindsOfLinks)
{
    const struct {
        std::u16string_view link;
        bool url;
        bool absolute;
    } cases[] = {
        { u"http://example.com/a", true, false }, { u"mailto:someone@example.com", true, false },
        { u"javascript:alert(1)", true, false }, { u"\\Storage\\a.txt", false, true }, { u"/home/a.txt", false, true },
        { u"links\\a.txt", false, false }, { u"会議: 10月5日.txt", false, false },
        { u"C:a.txt", false, false }, // one letter is no scheme
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUrl(c.link), c.url) << ToUtf8(c.link);
        EXPECT_EQ(IsAbsoluteLink(c.link), c.absolute) << ToUtf8(c.link);
    }
}

TEST(LinkRules, ResolveAgainstTheScheduleFilesFolder)
{
    const std::string schedule = "/home/u/Documents/kaldata.klx";
    const struct {
        std::u16string_view link;
        std::u16string expected;
    } cases[] = {
        { u"links\\a.txt", u"/home/u/Documents/links/a.txt" },
        { u"links/a.txt", u"/home/u/Documents/links/a.txt" },
        { u"..\\..\\Storage\\a.txt", u"/home/u/Documents/../../Storage/a.txt" },
        { u"\\Storage\\a.txt", u"/Storage/a.txt" },
        { u"\\My Documents\\a.txt", FromUtf8(DocumentsFolder() + "/a.txt") },
        { u"https://example.com/x", u"https://example.com/x" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveLink(c.link, schedule).value_or(u"?"), c.expected) << ToUtf8(c.link);
    EXPECT_FALSE(ResolveLink(u"a.txt", "").has_value());
    EXPECT_EQ(ResolveLink(u"/abs/a.txt", "").value_or(u"?"), u"/abs/a.txt");
}

TEST(LinkRules, MakeRelativeToTheScheduleFile)
{
    const struct {
        std::u16string_view base;
        std::u16string_view target;
        std::u16string_view expected;
    } cases[] = {
        { u"/home/u/Documents/kaldata.klx", u"/home/u/Documents/links/a.txt", u"links/a.txt" },
        { u"/home/u/Documents/sub/x.klx", u"/home/u/Storage/a.txt", u"../../Storage/a.txt" },
        { u"/media/sub/x.klx", u"/Storage/a.txt", u"../../Storage/a.txt" },
        { u"/home/u/Documents/kaldata.klx", u"/home/u/Documents/a.txt", u"a.txt" },
        { u"/home/u/Documents/kaldata.klx", u"/home/U/Documents/a.txt", u"../../U/Documents/a.txt" }, // case counts,
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeRelative(c.base, c.target), c.expected) << ToUtf8(c.target);
}

TEST(LinkRules, ProposedFileNames)
{
    const struct {
        std::u16string_view content;
        std::u16string_view expected;
    } cases[] = {
        { u"会議: 10月5日", u"会議  10月5日.txt" },
        { u"/memo", u"memo.txt" },
        { u"*note*", u"note*.txt" },
        { u"a/b\\c", u"abc.txt" }, // no folders slip in
        { u"two\r\nlines", u"two  lines.txt" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProposedFileName(c.content), c.expected) << ToUtf8(c.content);
}

class LinkSettingsTest : public test::TestEnvironment { };

TEST_F(LinkSettingsTest, BrowseFilterAndStoredForm)
{
    EXPECT_EQ(LinkBrowseOptions(u"").filter, u"ﾃｷｽﾄﾌｧｲﾙ(*.TXT)|*.TXT| 全てのﾌｧｲﾙ(*.*) |*.*||");
    profile_.SetString(linktext::kSection, linktext::kPatternValue, u"*.md");
    EXPECT_EQ(LinkBrowseOptions(u"").filter, u"ﾕｰｻﾞ設定ﾌｧｲﾙ|*.md| 全てのﾌｧｲﾙ(*.*) |*.*||");
    EXPECT_EQ(LinkBrowseOptions(u"").initialName, u"*.md");

    const std::string schedule = "/home/u/Documents/kaldata.klx";
    EXPECT_EQ(LinkForBrowsedFile(u"/home/u/Documents/links/a.txt", schedule), u"links/a.txt");
    EXPECT_EQ(LinkForBrowsedFile(u"/home/u/a.txt", ""), u"/home/u/a.txt");
    EXPECT_EQ(LinkBrowseFolder(u"", schedule), u"/home/u/Documents");
    EXPECT_EQ(LinkBrowseFolder(u"links\\a.txt", schedule), u"/home/u/Documents/links");
    profile_.SetInt(linktext::kSection, linktext::kAbsolutePathValue, 1);
    profile_.SetInt(linktext::kSection, linktext::kInitialFolderValue, 1);
    EXPECT_EQ(LinkForBrowsedFile(u"/home/u/Documents/links/a.txt", schedule), u"/home/u/Documents/links/a.txt");
    EXPECT_EQ(LinkBrowseFolder(u"", schedule), u"");
}

} // namespace
} // namespace kal
