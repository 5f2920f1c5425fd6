#include "store/ReadAheadLines.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kal {
namespace {

// Rows "0", "1", ... up to `count`; reading row `failAt` throws.
struct NumberedLines {
    int count = 0;
    int failAt = -1;
    int next = 0;

    bool Next(CsvLine& row)
    {
        if (next == failAt)
            throw std::runtime_error("unreadable");
        if (next == count)
            return false;
        row.Parse(std::u16string(u"\"") + std::u16string(static_cast<std::size_t>(next % 50), u'x') + u"\","
            + std::u16string(1, static_cast<char16_t>(u'0' + next % 10)));
        ++next;
        return true;
    }
    [[nodiscard]] static bool Failed() { return false; }
};

// The rows read ahead are those of the lines, in order; a failure reaches the reader after the rows
// before it, and a reader that stops early stops the reading thread too.
TEST(ReadAheadLines, GivesTheSameRowsInOrderAndPassesOnAFailure)
{
    for (const int count : { 0, 1, 255, 256, 257, 2000 }) {
        for (const bool fail : { false, true }) {
            NumberedLines lines { count, fail ? count / 2 : -1 };
            ReadAheadLines<NumberedLines> ahead(lines);
            CsvLine row;
            int seen = 0;
            bool threw = false;
            try {
                while (ahead.Next(row)) {
                    ASSERT_EQ(row.Field(0).size(), static_cast<std::size_t>(seen % 50)) << count;
                    ASSERT_EQ(row.Field(1), std::u16string(1, static_cast<char16_t>(u'0' + seen % 10)));
                    ++seen;
                }
            } catch (const std::runtime_error&) {
                threw = true;
            }
            EXPECT_EQ(threw, fail) << count;
            EXPECT_EQ(seen, fail ? count / 2 : count);
            if (!fail) {
                EXPECT_FALSE(ahead.Next(row)); // the end stays the end
            }
        }
    }
    NumberedLines endless { 1 << 30 };
    {
        ReadAheadLines<NumberedLines> ahead(endless);
        CsvLine row;
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(ahead.Next(row));
    }
    EXPECT_LT(endless.next, 2000);
}

} // namespace
} // namespace kal
