#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/FileMessage.h"
#include "store/GenreArchive.h"
#include "store/KalStore.h"
#include "store/NewSchedule.h"
#include "store/ScheduleFile.h"
#include "store/StoreTexts.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kal {
namespace {

class FileMessageTest : public test::TestEnvironment {
protected:
    // The message ShowFileError composes for `path` with the reason `reason`.
    static std::u16string Message(const char16_t* message, const std::string& path, const std::u16string& reason)
    {
        return message + (u"\n" + FromUtf8(path)) + u"\n" + reason;
    }

    std::string Fifo(const std::string& name)
    {
        const std::string path = folder_.File(name);
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }

    test::TemporaryFolder folder_;
};

TEST_F(FileMessageTest, EveryReasonIsOurOwnJapaneseWords)
{
    const struct {
        int code;
        FileRefusal refusal;
        std::uint64_t limit;
        std::u16string reason;
    } cases[] = {
        { 0, FileRefusal::None, 0, u"" },
        { EACCES, FileRefusal::None, 0, texts::kReasonPermissionDenied },
        { EPERM, FileRefusal::None, 0, texts::kReasonPermissionDenied },
        { ENOENT, FileRefusal::None, 0, texts::kReasonNotFound },
        { ENOSPC, FileRefusal::None, 0, texts::kReasonDiskFull },
        { EDQUOT, FileRefusal::None, 0, texts::kReasonDiskFull },
        { EROFS, FileRefusal::None, 0, texts::kReasonReadOnlyFileSystem },
        { EISDIR, FileRefusal::None, 0, texts::kReasonIsFolder },
        { ENOTDIR, FileRefusal::None, 0, texts::kReasonNotInFolder },
        { ELOOP, FileRefusal::None, 0, texts::kReasonTooManyLinks },
        { ENAMETOOLONG, FileRefusal::None, 0, texts::kReasonNameTooLong },
        { EFBIG, FileRefusal::None, 0, texts::kReasonFileTooLarge },
        { EACCES, FileRefusal::ReadOnlyFile, 0, texts::kReasonReadOnlyFile },
        { EINVAL, FileRefusal::NotRegularFile, 0, texts::kReasonNotRegularFile },
        { EFBIG, FileRefusal::TooLarge, std::uint64_t(256) << 20,
            texts::kReasonTooLarge + std::u16string(u"256 MB") + texts::kReasonTooLargeEnd },
        { EFBIG, FileRefusal::TooLarge, std::uint64_t(2) << 30,
            texts::kReasonTooLarge + std::u16string(u"2 GB") + texts::kReasonTooLargeEnd },
        { EMFILE, FileRefusal::None, 0, texts::kReasonTooManyOpen },
        { EIO, FileRefusal::None, 0, texts::kReasonInputOutput },
        { EEXIST, FileRefusal::None, 0, texts::kReasonExists },
        { ETXTBSY, FileRefusal::None, 0, texts::kReasonBusy },
        { EXDEV, FileRefusal::None, 0,
            texts::kReasonOtherError + FromUtf8(std::to_string(EXDEV)) + texts::kReasonOtherErrorEnd },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        FileError error;
        error.code = c.code;
        error.refusal = c.refusal;
        error.limit = c.limit;
        const std::u16string reason = FileErrorReason(error);
        EXPECT_EQ(reason, c.reason);
        // Nothing the system says in English gets through: only digits and the size unit are ASCII.
        for (const char16_t letter : reason) {
            const bool ours = letter >= 0x80 || (letter >= u'0' && letter <= u'9') || letter == u' ' || letter == u'M'
                || letter == u'G' || letter == u'B';
            EXPECT_TRUE(ours) << "ASCII " << char(letter);
        }
    }
}

TEST_F(FileMessageTest, ASpecialOrOversizedScheduleFileIsRefusedAtOnceWithItsReason)
{
    const std::string big = folder_.File("big.klx");
    std::ofstream(big) << "";
    ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kMaxScheduleFileBytes + 1)), 0); // sparse
    const std::u16string tooLarge = texts::kReasonTooLarge + std::u16string(u"2 GB") + texts::kReasonTooLargeEnd;
    const struct {
        std::string path;
        std::u16string reason;
    } cases[] = {
        { big, tooLarge },
        { Fifo("fifo.klx"), texts::kReasonNotRegularFile },
        { "/dev/zero", texts::kReasonNotRegularFile },
        { folder_.Path(), texts::kReasonIsFolder },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CKalStore store;
        const Result<LoadedSchedule> loaded = LoadScheduleFile(store, c.path);
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.Error().message, Message(texts::kCannotOpenFile, c.path, c.reason));
    }
}

TEST_F(FileMessageTest, ASaveOverAFifoFailsAndLeavesIt)
{
    const std::string path = Fifo("fifo.klx");
    CKalStore store;
    const Result<SaveOutcome> saved = SaveScheduleFile(store, path);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.Error().message, Message(texts::kCannotOpenFileForWriting, path, texts::kReasonNotRegularFile));
    struct stat info { };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(FileMessageTest, AGenreFileThatIsAFifoGivesWayToTheProgramsOwn)
{
    const std::string path = Fifo("kfield.dat");
    const Result<CKalFieldArray> genres = LoadGenreFile(path);
    ASSERT_TRUE(genres);
    EXPECT_EQ(genres->Names(), std::vector<std::u16string> { texts::kGeneralGenre });
    profile_.SetString("Field", "File", FromUtf8(path));
    EXPECT_NE(ApplicationGenreFile(profile_), path);
}

} // namespace
} // namespace kal
