#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace kal {
namespace {

// What the file holds once it holds `expected`, or after ten seconds: the shell makes the file
// empty before it writes, so that the file being there says nothing yet.
std::string ContentOnceWritten(const std::string& path, const std::string& expected)
{
    std::string content;
    for (int i = 0; i < 500 && (content = ReadWholeFile(path).ValueOr("")) != expected; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return content;
}

TEST(Process, RunsProgramsAndReportsTheirEnd)
{
    EXPECT_TRUE(RunProgram({ "true" }, ProcessWait::UntilDone));
    EXPECT_FALSE(RunProgram({ "false" }, ProcessWait::UntilDone));
    EXPECT_FALSE(RunProgram({ "no-such-program-kalendra" }, ProcessWait::UntilDone));
    EXPECT_FALSE(RunProgram({}, ProcessWait::UntilDone));
}

TEST(Process, AProgramLeftRunningGoesOnAfterwards)
{
    test::TemporaryFolder folder;
    const std::string marker = folder.File("a file with spaces");
    ASSERT_TRUE(RunProgram({ "sh", "-c", "sleep 1; echo done > \"$0\"", marker }, ProcessWait::LeaveRunning));
    EXPECT_FALSE(ReadWholeFile(marker).HasValue()); // had we waited, the file would be there
    EXPECT_EQ(ContentOnceWritten(marker, "done\n"), "done\n");
}

TEST(Process, ArgumentsLeftRunningReachTheProgramAsTheyAre)
{
    test::TemporaryFolder folder;
    const std::string marker = folder.File("marker");
    const std::string hostile = "$(touch " + folder.File("ran") + ")`touch " + folder.File("ran") + "`;&|";
    ASSERT_TRUE(RunProgram({ "sh", "-c", "printf %s \"$1\" > \"$0\"", marker, hostile }, ProcessWait::LeaveRunning));
    EXPECT_EQ(ContentOnceWritten(marker, hostile), hostile);
    EXPECT_FALSE(ReadWholeFile(folder.File("ran")).HasValue());
    EXPECT_FALSE(RunProgram({ "no-such-program-kalendra" }, ProcessWait::LeaveRunning));
}

} // namespace
} // namespace kal
