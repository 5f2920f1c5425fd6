#include "platform/Text.h"

#include <climits>
#include <gtest/gtest.h>

namespace kal {
namespace {

TEST(Text, LeadingIntegersReadLikeAtoi)
{
    EXPECT_EQ(ParseLeadingInt(u"123abc"), 123);
    EXPECT_EQ(ParseLeadingInt(u"  -45"), -45);
    EXPECT_EQ(ParseLeadingInt(u"+7"), 7);
    EXPECT_EQ(ParseLeadingInt(u"abc"), 0);
    EXPECT_EQ(ParseLeadingInt(u""), 0);
    EXPECT_EQ(ParseLeadingInt(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt(u"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt("0042x"), 42);
}

TEST(Text, WholeIntegersRejectAnythingElse)
{
    int value = 0;
    EXPECT_TRUE(ParseWholeInt(" -12 ", value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(ParseWholeInt("2147483647", value));
    EXPECT_EQ(value, INT_MAX);
    value = 5;
    EXPECT_FALSE(ParseWholeInt("2147483648", value));
    EXPECT_FALSE(ParseWholeInt("12a", value));
    EXPECT_FALSE(ParseWholeInt("", value));
    EXPECT_FALSE(ParseWholeInt("-", value));
    EXPECT_FALSE(ParseWholeInt("99999999999999", value));
    EXPECT_EQ(value, 5);
}

TEST(Text, NumbersAsText)
{
    EXPECT_EQ(IntText(7, 2), u"07");
    EXPECT_EQ(IntText(2005, 4), u"2005");
    EXPECT_EQ(IntText(5, 4), u"0005");
    EXPECT_EQ(IntText(-5, 3), u"-05");
    EXPECT_EQ(IntText(LLONG_MIN), u"-9223372036854775808");
    EXPECT_EQ(HexText(0x00FF8000, 6), u"FF8000");
    EXPECT_EQ(HexText(0x12, 6), u"000012");
    EXPECT_EQ(ParseLeadingHex(u"ff8000"), 0xFF8000u);
    EXPECT_EQ(ParseLeadingHex(u"0x1Az"), 0x1Au);
    EXPECT_EQ(ParseLeadingHex(u"zz"), 0u);
}

TEST(Text, Utf8ConversionsNeverFail)
{
    const std::u16string text = u"予定 ①😀";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
        u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xE3\x81"), u"\uFFFD\uFFFD"); // cut off
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xDC81))), "\xEF\xBF\xBD");
}

} // namespace
} // namespace kal
