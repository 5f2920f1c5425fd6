#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/IniProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kal {
namespace {

// The reason of a call that must fail.
template <class Outcome> FileError FailureOf(const Outcome& outcome)
{
    EXPECT_FALSE(outcome);
    return outcome ? FileError {} : outcome.Error();
}

using test::TemporaryFolder;

std::string ReadText(const std::string& path)
{
    return ReadWholeFile(path).ValueOr("<missing>");
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(IniProfile, ValuesAreOnDiskAsSoonAsTheyAreSet)
{
    TemporaryFolder folder;
    const std::string path = folder.File("Zentrik/Kalendra.ini"); // the folder is made on first write
    {
        IniProfile profile(path);
        EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 5);
        EXPECT_TRUE(profile.SetInt("View", "MonthWeeks", 6));
        EXPECT_TRUE(profile.SetString("System", "DefaultFile", u"/home/山田/予定.klx"));
        EXPECT_TRUE(profile.SetString("Search", "Text", u"a\\b\r\nc = d "));
        EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 6);
        IniProfile other(path);
        EXPECT_EQ(other.GetInt("view", "monthweeks", 5), 6);
    }
    IniProfile reread(path);
    EXPECT_EQ(reread.GetInt("View", "MonthWeeks", 5), 6);
    EXPECT_EQ(reread.GetString("System", "DefaultFile", u""), u"/home/山田/予定.klx");
    EXPECT_EQ(reread.GetString("Search", "Text", u""), u"a\\b\r\nc = d ");
    EXPECT_EQ(reread.GetString("System", "Missing", u"dflt"), u"dflt");
    const std::string text = ReadText(path);
    EXPECT_NE(text.find("[View]\nMonthWeeks=6\n"), std::string::npos) << text;
}

TEST(IniProfile, IntegersThatDoNotReadTakeTheDefault)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    WriteText(path, "[View]\nA=12\nB=twelve\nC=\nD=99999999999\nE= -3 \n");
    IniProfile profile(path);
    EXPECT_EQ(profile.GetInt("View", "A", 0), 12);
    EXPECT_EQ(profile.GetInt("View", "B", 7), 7);
    EXPECT_EQ(profile.GetInt("View", "C", 7), 7);
    EXPECT_EQ(profile.GetInt("View", "D", 7), 7);
    EXPECT_EQ(profile.GetInt("View", "E", 7), -3);
    EXPECT_EQ(profile.GetString("View", "B", u""), u"twelve");
}

TEST(IniProfile, DamagedFilesReadAsFarAsTheyCan)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 131 + 7) % 256);
    std::string text = junk + "\n[View]\nMonthWeeks=6\nLong=" + std::string(1u << 20, 'x') + "\nYoubi=1\n";
    text += "no equals sign\n=empty name\n[broken\nStartMonday=1\n[System]\r\nSchSort=0\r\n";
    text += std::string("Bin\0ary=1\n", 10);
    WriteText(path, text);

    IniProfile profile(path);
    EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 6);
    EXPECT_EQ(profile.GetInt("View", "Youbi", 0), 1);
    EXPECT_FALSE(profile.Has("View", "Long"));
    EXPECT_EQ(profile.GetInt("View", "StartMonday", 0), 0); // under a broken section header
    EXPECT_EQ(profile.GetInt("System", "SchSort", 1), 0);

    // Writing a value rewrites the file with what could be read.
    EXPECT_TRUE(profile.SetInt("View", "MonthWeeks", 5));
    IniProfile reread(path);
    EXPECT_EQ(reread.GetInt("View", "MonthWeeks", 6), 5);
    EXPECT_EQ(reread.GetInt("System", "SchSort", 1), 0);
}

// The recent-file list lives in "Recent File List": it must survive a restart.
TEST(IniProfile, SectionNamesMayHoldSpaces)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    {
        IniProfile profile(path);
        for (int i = 1; i <= 4; ++i)
            ASSERT_TRUE(profile.SetString("Recent File List", "File" + std::to_string(i), u"/home/u/予定.klx"));
    }
    IniProfile reread(path);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(reread.GetString("Recent File List", "File" + std::to_string(i), u""), u"/home/u/予定.klx");
}

TEST(IniProfile, AFailedWriteLeavesTheOldFile)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    IniProfile profile(path);
    ASSERT_TRUE(profile.SetInt("View", "MonthWeeks", 6));
    const std::string before = ReadText(path);
    {
        ScopedWriteFailure full(3);
        EXPECT_FALSE(profile.SetInt("View", "Youbi", 1));
    }
    EXPECT_EQ(ReadText(path), before);
    EXPECT_EQ(profile.GetInt("View", "Youbi", 0), 1); // still in force for this run
    // No temporary file is left behind; the lock file stays for the next writer.
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::directory_iterator(folder.Path()))
        files.push_back(item.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string> { "k.ini", "k.ini.lock" }));
}

TEST(IniProfile, ProcessesSharingTheFileKeepEachOthersValues)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    WriteText(path, "[View]\nMonthWeeks=5\n");
    IniProfile desktop(path);
    IniProfile tool(path); // started later, while the first still runs
    ASSERT_TRUE(tool.SetInt("System", "HolidayChangeFlag1", 1));
    ASSERT_TRUE(desktop.SetInt("View", "Youbi", 1));
    ASSERT_TRUE(tool.SetInt("View", "MonthWeeks", 6));
    ASSERT_TRUE(desktop.SetInt("View", "StartMonday", 1));

    IniProfile reread(path);
    EXPECT_EQ(reread.GetInt("System", "HolidayChangeFlag1", 0), 1);
    EXPECT_EQ(reread.GetInt("View", "Youbi", 0), 1);
    EXPECT_EQ(reread.GetInt("View", "MonthWeeks", 5), 6); // the desktop never set it, so it keeps the tool's
    EXPECT_EQ(reread.GetInt("View", "StartMonday", 0), 1);
    EXPECT_EQ(desktop.GetInt("View", "MonthWeeks", 5), 6); // a write also brings in what others wrote
}

TEST(IniProfile, AnUnreadableFileIsSetAsideNotReplaced)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    WriteText(path, "[View]\nMonthWeeks=6\n");
    const auto tooLarge = static_cast<off_t>(IniProfile::kMaxFileSize + 1);
    ASSERT_EQ(::truncate(path.c_str(), tooLarge), 0); // sparse: the size alone stops the read
    std::vector<std::string> told;
    IniProfile::SetSetAsideHandler([&](const std::string& keptAs) { told.push_back(keptAs); });

    IniProfile profile(path);
    EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 5);
    EXPECT_TRUE(profile.SetInt("View", "Youbi", 1));
    EXPECT_TRUE(profile.SetInt("View", "StartMonday", 1));
    IniProfile::SetSetAsideHandler(nullptr);

    const std::string bad = path + IniProfile::kBadSuffix;
    EXPECT_EQ(told, std::vector<std::string> { bad });
    struct stat info { };
    ASSERT_EQ(::stat(bad.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, tooLarge);
    IniProfile reread(path);
    EXPECT_EQ(reread.GetInt("View", "Youbi", 0), 1);
    EXPECT_EQ(reread.GetInt("View", "StartMonday", 0), 1);
}

TEST(IniProfile, AFolderThatCannotBeMadeIsReportedNotFatal)
{
    TemporaryFolder folder;
    WriteText(folder.File("plain"), "a file where a folder should be");
    IniProfile profile(folder.File("plain/sub/k.ini"));
    EXPECT_FALSE(profile.SetInt("View", "MonthWeeks", 6));
    EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 6);
}

TEST(IniProfile, AFolderInPlaceOfTheFileIsReportedNotFatal)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    ASSERT_TRUE(MakeFolders(path));
    IniProfile profile(path);
    EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 5);
    EXPECT_FALSE(profile.SetInt("View", "MonthWeeks", 6));
}

// Another process holding the lock for good (here a thread with a lock of its own on the same file)
// must not hang every change of a setting.
TEST(IniProfile, ALockHeldElsewhereDelaysAChangeOnlyBriefly)
{
    TemporaryFolder folder;
    const std::string path = folder.File("k.ini");
    WriteText(path, "[View]\nMonthWeeks=5\n");
    std::mutex mutex;
    std::condition_variable changed;
    bool locked = false;
    bool release = false;
    std::thread holder([&] {
        const int fd = ::open((path + IniProfile::kLockSuffix).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ::flock(fd, LOCK_EX);
        std::unique_lock<std::mutex> guard(mutex);
        locked = true;
        changed.notify_all();
        // Bounded, so that a profile that waits for ever fails the test instead of hanging it.
        changed.wait_for(guard, std::chrono::seconds(5), [&] { return release; });
        ::close(fd);
    });
    {
        std::unique_lock<std::mutex> guard(mutex);
        changed.wait(guard, [&] { return locked; });
    }
    std::vector<std::string> told;
    IniProfile::SetLockedHandler([&](const std::string& lockedPath) { told.push_back(lockedPath); });
    IniProfile profile(path);
    profile.SetLockWait(std::chrono::milliseconds(300));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(profile.SetInt("View", "Youbi", 1));
    EXPECT_FALSE(profile.SetInt("View", "StartMonday", 1));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(told, std::vector<std::string> { path }); // told once, naming the file
    EXPECT_EQ(ReadText(path), "[View]\nMonthWeeks=5\n");
    EXPECT_EQ(profile.GetInt("View", "Youbi", 0), 1); // in force for this run

    {
        const std::lock_guard<std::mutex> guard(mutex);
        release = true;
    }
    changed.notify_all();
    holder.join();
    IniProfile::SetLockedHandler(nullptr);
    // The first change that gets the lock writes what could not be written before.
    EXPECT_TRUE(profile.SetInt("View", "MonthWeeks", 6));
    IniProfile reread(path);
    EXPECT_EQ(reread.GetInt("View", "Youbi", 0), 1);
    EXPECT_EQ(reread.GetInt("View", "StartMonday", 0), 1);
    EXPECT_EQ(reread.GetInt("View", "MonthWeeks", 5), 6);
    EXPECT_EQ(told.size(), 1u);
}

// Reading and writing cost time in proportion to the file: 80,000 keys once took 11 seconds.
TEST(IniProfile, ManyKeysReadAndWriteInLinearTime)
{
    constexpr int kKeys = 80000;
    std::string oneSection = "[Many]\n";
    std::string manySections;
    for (int i = 0; i < kKeys; ++i) {
        oneSection += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
        manySections += "[Section " + std::to_string(i) + "]\nKey=" + std::to_string(i) + "\n";
    }
    const struct {
        const char* name;
        std::string text;
        std::string section; // of the last key
        std::string key;
    } cases[] = {
        { "one section", oneSection, "many", "KEY79999" },
        { "one key per section", manySections, "SECTION 79999", "key" },
    };
    for (const auto& c : cases) {
        TemporaryFolder folder;
        const std::string path = folder.File("k.ini");
        WriteText(path, c.text);
        const auto start = std::chrono::steady_clock::now();
        IniProfile profile(path);
        EXPECT_EQ(profile.GetInt(c.section, c.key, -1), kKeys - 1) << c.name;
        EXPECT_TRUE(profile.SetInt(c.section, c.key, 7)) << c.name;
        IniProfile reread(path);
        EXPECT_EQ(reread.GetInt(c.section, c.key, -1), 7) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.name;
    }
}

TEST(IniProfile, DefaultPathFollowsTheEnvironment)
{
    const char* saved = std::getenv("KALENDRA_CONFIG");
    const std::string previous = saved ? saved : "";
    ::setenv("KALENDRA_CONFIG", "/tmp/elsewhere.ini", 1);
    EXPECT_EQ(IniProfile::DefaultPath(), "/tmp/elsewhere.ini");
    ::unsetenv("KALENDRA_CONFIG");
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(IniProfile::DefaultPath(), "/tmp/xdg/Zentrik/Kalendra.ini");
    if (xdg)
        ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    if (saved)
        ::setenv("KALENDRA_CONFIG", previous.c_str(), 1);
}

TEST(FileIo, AtomicWriteKeepsPermissions)
{
    TemporaryFolder folder;
    const std::string path = folder.File("a.klx");
    WriteText(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new content"));
    EXPECT_EQ(ReadText(path), "new content");
    struct stat info { };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    FileError error;
    error = FailureOf(WriteFileAtomically(folder.File("missing/a.klx"), "x"));
    EXPECT_EQ(error.code, ENOENT);
    error = FailureOf(ReadWholeFile(folder.File("none")));
    EXPECT_EQ(error.code, ENOENT);
    error = FailureOf(ReadWholeFile(path, 4));
    EXPECT_EQ(error.code, EFBIG);
}

} // namespace
} // namespace kal
