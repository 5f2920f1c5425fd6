#include "TestEnvironment.h"

#include "platform/ByteBuffer.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kal {
namespace {

// The reason of a call that must fail.
template <class Outcome> FileError FailureOf(const Outcome& outcome)
{
    EXPECT_FALSE(outcome);
    return outcome ? FileError {} : outcome.Error();
}

using test::TemporaryFolder;

constexpr uid_t kNobody = 65534;

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path)
{
    return ReadWholeFile(path).ValueOr("<none>");
}

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* item = ::readdir(dir)) {
            const std::string name = item->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `body` as a user the test's folders do not let write: the test's own user when it is not
// root, else a child process that gives root up. Gives what the body gave, or 100 and up when the
// child could not run it.
int RunUnprivileged(const std::function<int()>& body)
{
    if (::geteuid() != 0)
        return body();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return 101;
    return WEXITSTATUS(status);
}

// Sets XDG_CACHE_HOME for the life of the object.
class ScopedCacheHome {
public:
    explicit ScopedCacheHome(const std::string& folder)
    {
        if (const char* old = std::getenv("XDG_CACHE_HOME"))
            previous_ = old;
        ::setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    }
    ~ScopedCacheHome()
    {
        if (previous_)
            ::setenv("XDG_CACHE_HOME", previous_->c_str(), 1);
        else
            ::unsetenv("XDG_CACHE_HOME");
    }
    ScopedCacheHome(const ScopedCacheHome&) = delete;
    ScopedCacheHome& operator=(const ScopedCacheHome&) = delete;

private:
    std::optional<std::string> previous_;
};

TEST(FileIoTest, SavingThroughLinksWritesTheirTargetAndKeepsTheLinks)
{
    TemporaryFolder folder;
    ASSERT_TRUE(MakeFolders(folder.File("real")));
    WriteText(folder.File("real/data.klx"), "old");
    ASSERT_EQ(::symlink("real/data.klx", folder.File("link.klx").c_str()), 0);
    ASSERT_EQ(::symlink(folder.File("link.klx").c_str(), folder.File("chain.klx").c_str()), 0);

    for (const char* name : { "link.klx", "chain.klx" }) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteFileAtomically(folder.File(name), name));
        EXPECT_EQ(ReadText(folder.File("real/data.klx")), name);
        struct stat info { };
        ASSERT_EQ(::lstat(folder.File(name).c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode));
    }
    EXPECT_EQ(Names(folder.File("real")), std::vector<std::string> { "data.klx" });

    ASSERT_EQ(::symlink("loop.klx", folder.File("loop.klx").c_str()), 0);
    FileError error;
    error = FailureOf(WriteFileAtomically(folder.File("loop.klx"), "x"));
    EXPECT_EQ(error.code, ELOOP);
}

TEST(FileIoTest, ASaveRemovesOnlyTheStaleTemporaryFilesOfOurOwnWriter)
{
    TemporaryFolder folder;
    struct Left {
        const char* name;
        char kind; // f: file, l: link, d: folder
        int ageMinutes;
        bool removed;
    };
    const Left left[] = {
        { ".kalendra-Ab12xZ", 'f', 120, true }, // a writer killed two hours ago
        { ".kalendra-Ab12xY", 'f', 10, false }, // perhaps still being written
        { ".kalendra-Ab12x", 'f', 120, false }, // not the writer's name pattern
        { ".kalendra-Ab12xZZ", 'f', 120, false },
        { ".kalendra-Ab1.xZ", 'f', 120, false },
        { "kalendra-Ab12xX", 'f', 120, false },
        { ".kalendra-Lnk123", 'l', 120, false },
        { ".kalendra-Dir123", 'd', 120, false },
    };
    WriteText(folder.File("target"), "kept");
    for (const Left& item : left) {
        const std::string path = folder.File(item.name);
        if (item.kind == 'f')
            WriteText(path, "half a save");
        else if (item.kind == 'l')
            ASSERT_EQ(::symlink("target", path.c_str()), 0);
        else
            ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
        const timespec times[2]
            = { { ::time(nullptr) - item.ageMinutes * 60, 0 }, { ::time(nullptr) - item.ageMinutes * 60, 0 } };
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
    }
    ASSERT_TRUE(WriteFileAtomically(folder.File("schedule.klx"), "new"));
    const std::vector<std::string> names = Names(folder.Path());
    for (const Left& item : left) {
        SCOPED_TRACE(item.name);
        EXPECT_EQ(std::count(names.begin(), names.end(), item.name), item.removed ? 0 : 1);
    }
    EXPECT_EQ(ReadText(folder.File("target")), "kept");
    EXPECT_EQ(ReadText(folder.File("schedule.klx")), "new");
}

TEST(FileIoTest, AReadOnlyFileIsRefusedAndLeftAsItWas)
{
    TemporaryFolder folder;
    WriteText(folder.File("locked.klx"), "old");
    ASSERT_EQ(::chmod(folder.File("locked.klx").c_str(), 0444), 0);
    FileError error;
    error = FailureOf(WriteFileAtomically(folder.File("locked.klx"), "new"));
    EXPECT_EQ(error.code, EACCES);
    EXPECT_EQ(error.refusal, FileRefusal::ReadOnlyFile);
    EXPECT_EQ(ReadText(folder.File("locked.klx")), "old");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string> { "locked.klx" });
}

TEST(FileIoTest, RootKeepsTheOwnerAndGroupOfAnotherUsersFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TemporaryFolder folder;
    WriteText(folder.File("theirs.klx"), "old");
    ASSERT_EQ(::chown(folder.File("theirs.klx").c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(WriteFileAtomically(folder.File("theirs.klx"), "new"));
    struct stat info { };
    ASSERT_EQ(::stat(folder.File("theirs.klx").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
}

TEST(FileIoTest, AWritableFileInAFolderTheUserCannotWriteIsWrittenInPlace)
{
    TemporaryFolder folder;
    TemporaryFolder cache;
    const std::string path = folder.File("shared.klx");
    WriteText(path, "old content");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    // Root gives the folder to nobody to read but not to write; another user takes the write bit off.
    ASSERT_EQ(::chmod(folder.Path().c_str(), ::geteuid() == 0 ? 0755 : 0555), 0);
    ASSERT_EQ(::chmod(cache.Path().c_str(), 0777), 0);
    ScopedCacheHome cacheHome(cache.Path());

    const int written = RunUnprivileged([&] { return WriteFileAtomically(path, "new content") ? 0 : 1; });
    EXPECT_EQ(written, 0);
    EXPECT_EQ(ReadText(path), "new content");

    const int failed = RunUnprivileged([&] {
        ScopedWriteFailure diskFull(3);
        const FileStatus again = WriteFileAtomically(path, "newer content");
        if (again)
            return 1;
        return again.Error().code == ENOSPC ? 0 : 2;
    });
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(ReadText(path), "new content");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string> { "shared.klx" });
    // The copy the old content waited in is gone once the file holds it again.
    EXPECT_EQ(Names(cache.File("kalendra")), std::vector<std::string> {});
}

TEST(FileIoTest, KeepCopyWritesBesideTheFileElseInTheFallbackFolder)
{
    TemporaryFolder folder;
    TemporaryFolder fallback;
    EXPECT_EQ(KeepCopy(folder.File("none.klx"), "~", fallback.Path()), std::string());

    WriteText(folder.File("a.klx"), "first");
    EXPECT_EQ(KeepCopy(folder.File("a.klx"), "~", fallback.Path()), folder.File("a.klx~"));
    EXPECT_EQ(ReadText(folder.File("a.klx~")), "first");

    // A copy that cannot be replaced beside the file goes to the fallback folder.
    ASSERT_EQ(::chmod(folder.File("a.klx~").c_str(), 0444), 0);
    WriteText(folder.File("a.klx"), "second");
    EXPECT_EQ(KeepCopy(folder.File("a.klx"), "~", fallback.File("aside")), fallback.File("aside/a.klx~"));
    EXPECT_EQ(ReadText(fallback.File("aside/a.klx~")), "second");
}

// What sits in a file's place, made in `folder` under `name`; false when this user cannot make it.
enum class Kind { Fifo, Folder, Socket, CharDevice, LinkToFifo };

bool Make(Kind kind, const TemporaryFolder& folder, const std::string& name)
{
    const std::string path = folder.File(name);
    switch (kind) {
    case Kind::Fifo:
        return ::mkfifo(path.c_str(), 0600) == 0;
    case Kind::Folder:
        return MakeFolders(path);
    case Kind::Socket: {
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path)
            return false;
        std::copy(path.begin(), path.end(), address.sun_path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            ::close(fd);
        return bound;
    }
    case Kind::CharDevice: // the numbers of /dev/null
        return ::geteuid() == 0 && ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    case Kind::LinkToFifo:
        return ::mkfifo(folder.File(name + ".fifo").c_str(), 0600) == 0
            && ::symlink((name + ".fifo").c_str(), path.c_str()) == 0;
    }
    return false;
}

mode_t TypeOf(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

struct SpecialCase {
    Kind kind;
    const char* name;
    int code;
    FileRefusal refusal;
};

constexpr SpecialCase kSpecialCases[] = {
    { Kind::Fifo, "fifo", EINVAL, FileRefusal::NotRegularFile },
    { Kind::Folder, "folder", EISDIR, FileRefusal::None },
    { Kind::Socket, "socket", EINVAL, FileRefusal::NotRegularFile },
    { Kind::CharDevice, "device", EINVAL, FileRefusal::NotRegularFile },
    { Kind::LinkToFifo, "link", EINVAL, FileRefusal::NotRegularFile },
};

// A FIFO with no writer would hold an open or a read for ever; a device would be read without end.
TEST(FileIoTest, OnlyRegularFilesAreReadAndNothingWaits)
{
    TemporaryFolder folder;
    for (const SpecialCase& special : kSpecialCases) {
        SCOPED_TRACE(special.name);
        if (!Make(special.kind, folder, special.name)) {
            EXPECT_EQ(special.kind, Kind::CharDevice) << "only a device node needs root";
            continue;
        }
        FileError error;
        error = FailureOf(ReadWholeFile(folder.File(special.name)));
        EXPECT_EQ(error.code, special.code);
        EXPECT_EQ(error.refusal, special.refusal);
        EXPECT_FALSE(IsReadableFile(folder.File(special.name)));
    }
    FileError error;
    error = FailureOf(ReadWholeFile("/dev/zero"));
    EXPECT_EQ(error.refusal, FileRefusal::NotRegularFile);

    WriteText(folder.File("plain"), "text");
    EXPECT_TRUE(IsReadableFile(folder.File("plain")));
    EXPECT_FALSE(IsReadableFile(folder.File("none")));
}

TEST(FileIoTest, SavesReplaceOnlyRegularFilesAndLeaveAnythingElseAlone)
{
    TemporaryFolder folder;
    TemporaryFolder fallback;
    WriteText(folder.File("data.klx"), "content");
    for (const SpecialCase& special : kSpecialCases) {
        SCOPED_TRACE(special.name);
        if (!Make(special.kind, folder, special.name))
            continue;
        const std::string path = folder.File(special.name);
        const mode_t type = TypeOf(path);
        FileError error;
        error = FailureOf(WriteFileAtomically(path, "new"));
        EXPECT_EQ(error.code, special.code);
        EXPECT_EQ(error.refusal, special.refusal);
        EXPECT_EQ(TypeOf(path), type);
        EXPECT_FALSE(KeepCopy(path, "~", fallback.Path()));
        // A copy whose name beside the file is taken by something else goes to the fallback folder.
        ASSERT_EQ(::symlink(special.name, folder.File("data.klx~").c_str()), 0);
        EXPECT_EQ(KeepCopy(folder.File("data.klx"), "~", fallback.Path()), fallback.File("data.klx~"));
        EXPECT_EQ(TypeOf(path), type);
        ASSERT_EQ(::unlink(folder.File("data.klx~").c_str()), 0);
    }
    EXPECT_EQ(ReadText(fallback.File("data.klx~")), "content");
}

TEST(FileIoTest, AFileOverTheBoundIsRefusedWithTheBoundBeforeItIsRead)
{
    TemporaryFolder folder;
    const std::string path = folder.File("big");
    constexpr std::size_t kBound = std::size_t(256) << 20;
    WriteText(path, "");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kBound + 1)), 0); // sparse: nothing is written
    FileError error;
    error = FailureOf(ReadWholeFile(path, kBound));
    EXPECT_EQ(error.code, EFBIG);
    EXPECT_EQ(error.refusal, FileRefusal::TooLarge);
    EXPECT_EQ(error.limit, kBound);

    ASSERT_EQ(::truncate(path.c_str(), 10), 0);
    EXPECT_EQ(ReadWholeFile(path, 10), std::string(10, '\0'));
    // A file whose size says nothing (as the system's own files) is still read only up to the bound.
    const std::string status = "/proc/self/status";
    ASSERT_TRUE(ReadWholeFile(status).HasValue());
    EXPECT_GT(ReadWholeFile(status)->size(), 64u);
    error = FailureOf(ReadWholeFile(status, 64));
    EXPECT_EQ(error.refusal, FileRefusal::TooLarge);
}

// Bytes grow from the heap into mapped large pages and move: nothing written before is lost on the
// way.
TEST(FileIoTest, ByteBuffersKeepTheirBytesAcrossGrowthAndMoves)
{
    ByteBuffer bytes;
    std::string expected;
    for (int piece = 0; expected.size() < (std::size_t(9) << 20); ++piece) {
        const std::string text(
            std::size_t(100000) + static_cast<std::size_t>(piece), static_cast<char>('a' + piece % 26));
        bytes.Append(text);
        expected += text;
    }
    ASSERT_EQ(bytes.View(), expected);
    ByteBuffer moved = std::move(bytes);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(moved.View(), expected);

    // A file is read in pieces to its end, and one over the reader's bound is refused, not cut.
    TemporaryFolder folder;
    const std::string path = folder.File("big");
    WriteText(path, expected);
    const Result<FileReader, FileError> refused = FileReader::Open(path, expected.size() - 1);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().refusal, FileRefusal::TooLarge);
    Result<FileReader, FileError> reader = FileReader::Open(path, expected.size());
    ASSERT_TRUE(reader);
    std::string read(expected.size() + 1, '\0');
    long long got = 0;
    std::size_t filled = 0;
    while ((got = reader->Read(read.data() + filled, std::min<std::size_t>(65536, read.size() - filled))) > 0)
        filled += static_cast<std::size_t>(got);
    EXPECT_EQ(got, 0);
    EXPECT_EQ(read.substr(0, filled), expected);
}

} // namespace
} // namespace kal
