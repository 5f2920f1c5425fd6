#include "TestEnvironment.h"

#include "platform/FileIo.h"
#include "platform/WriterLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kal {
namespace {

using namespace std::chrono_literals;
using test::TemporaryFolder;

bool Exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

TEST(WriterLockTest, OneWriterAtATimeAndEveryNameOfTheFileSharesTheLock)
{
    TemporaryFolder folder;
    const std::string path = folder.File("a.klx");
    std::ofstream(path) << "x";
    ASSERT_EQ(::symlink("a.klx", folder.File("link.klx").c_str()), 0);
    {
        std::optional<WriterLock> held = WriterLock::Acquire(path, 0ms);
        ASSERT_TRUE(held);
        EXPECT_TRUE(Exists(WriterLock::CompanionOf(path)));
        for (const std::string& name : { path, folder.File("link.klx") }) {
            WriterLock::Failure failure = WriterLock::Failure::CannotLock;
            const auto start = std::chrono::steady_clock::now();
            EXPECT_FALSE(WriterLock::Acquire(name, 150ms, &failure));
            EXPECT_EQ(failure, WriterLock::Failure::Busy);
            EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
        }
    }
    // Nothing is left beside the file once the writer is done.
    EXPECT_FALSE(Exists(WriterLock::CompanionOf(path)));
    EXPECT_TRUE(WriterLock::Acquire(path, 0ms));
}

TEST(WriterLockTest, ACompanionLeftByAKilledWriterIsTakenOverAndRemoved)
{
    TemporaryFolder folder;
    const std::string path = folder.File("a.klx");
    std::ofstream(WriterLock::CompanionOf(path)) << "";
    {
        const std::optional<WriterLock> lock = WriterLock::Acquire(path, 0ms);
        ASSERT_TRUE(lock);
    }
    EXPECT_FALSE(Exists(WriterLock::CompanionOf(path)));
}

// Many writers that each read, change and write a counter, with the companion coming and going
// between them: no increment may be lost.
TEST(WriterLockTest, WritersThatWaitLoseNoChange)
{
    TemporaryFolder folder;
    const std::string path = folder.File("counter");
    ASSERT_TRUE(WriteFileAtomically(path, "0"));
    constexpr int kWriters = 4;
    constexpr int kRounds = 25;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&path] {
            for (int round = 0; round < kRounds; ++round) {
                const std::optional<WriterLock> lock = WriterLock::Acquire(path, 10s);
                if (!lock)
                    return;
                const int value = std::stoi(ReadWholeFile(path).ValueOr("0"));
                if (!WriteFileAtomically(path, std::to_string(value + 1)))
                    return;
            }
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(ReadWholeFile(path).ValueOr(""), std::to_string(kWriters * kRounds));
    EXPECT_FALSE(Exists(WriterLock::CompanionOf(path)));
}

} // namespace
} // namespace kal
