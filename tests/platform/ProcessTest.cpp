#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace kal {
namespace {

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
    EXPECT_FALSE(ReadWholeFile(marker).has_value()); // had we waited, the file would be there
    for (int i = 0; i < 100 && !ReadWholeFile(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(ReadWholeFile(marker).value_or(""), "done\n");
}

TEST(Process, ArgumentsLeftRunningReachTheProgramAsTheyAre)
{
    test::TemporaryFolder folder;
    const std::string marker = folder.File("marker");
    const std::string hostile = "$(touch " + folder.File("ran") + ")`touch " + folder.File("ran") + "`;&|";
    ASSERT_TRUE(RunProgram({ "sh", "-c", "printf %s \"$1\" > \"$0\"", marker, hostile }, ProcessWait::LeaveRunning));
    for (int i = 0; i < 100 && ReadWholeFile(marker).value_or("").empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ReadWholeFile(marker).value_or(""), hostile);
    EXPECT_FALSE(ReadWholeFile(folder.File("ran")).has_value());
    EXPECT_FALSE(RunProgram({ "no-such-program-kalendra" }, ProcessWait::LeaveRunning));
}

} // namespace
} // namespace kal
