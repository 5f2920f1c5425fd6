#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/IniProfile.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kal {
namespace {

using test::TemporaryFolder;

bool IsFifo(const std::string& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Sets the handler for the life of the object, so that a failing test leaves none behind.
class ScopedNotAFileHandler {
public:
    explicit ScopedNotAFileHandler(std::vector<std::string>& told)
    {
        IniProfile::SetNotAFileHandler([&told](const std::string& path) { told.push_back(path); });
    }
    ~ScopedNotAFileHandler() { IniProfile::SetNotAFileHandler(nullptr); }
    ScopedNotAFileHandler(const ScopedNotAFileHandler&) = delete;
    ScopedNotAFileHandler& operator=(const ScopedNotAFileHandler&) = delete;
};

// Nothing writes to these FIFOs: a read or an open that waited for a writer would never end.
TEST(SettingsFileTest, AFifoInPlaceOfTheSettingsReadsAsDefaultsAndIsNeverWrittenOver)
{
    TemporaryFolder folder;
    const std::string path = folder.File("Kalendra.ini");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    std::vector<std::string> told;
    const ScopedNotAFileHandler handler(told);

    IniProfile profile(path);
    EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 5);
    EXPECT_FALSE(profile.SetInt("View", "MonthWeeks", 6));
    EXPECT_FALSE(profile.SetInt("View", "Youbi", 1));
    EXPECT_EQ(profile.GetInt("View", "MonthWeeks", 5), 6); // the change lasts for this run
    EXPECT_EQ(told, std::vector<std::string> { path }); // once, not for every change
    EXPECT_TRUE(IsFifo(path));
    EXPECT_NE(::access((path + IniProfile::kBadSuffix).c_str(), F_OK), 0); // nothing was moved aside
}

TEST(SettingsFileTest, AFifoInPlaceOfTheLockFileDoesNotStopTheSettingsBeingWritten)
{
    TemporaryFolder folder;
    const std::string path = folder.File("Kalendra.ini");
    const std::string lock = path + IniProfile::kLockSuffix;
    ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
    std::vector<std::string> told;
    const ScopedNotAFileHandler handler(told);

    IniProfile profile(path);
    EXPECT_TRUE(profile.SetInt("View", "MonthWeeks", 6));
    EXPECT_EQ(IniProfile(path).GetInt("View", "MonthWeeks", 5), 6);
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(IsFifo(lock));
}

} // namespace
} // namespace kal
