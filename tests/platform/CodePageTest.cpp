#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>

namespace kal {
namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int v : values)
        bytes += static_cast<char>(v);
    return bytes;
}

TEST(CodePage, Cp932IsAvailable)
{
    ASSERT_TRUE(CodePage::Ansi().IsOpen());
}

TEST(CodePage, JapaneseTextAndVendorCharactersRoundTrip)
{
    const CodePage& page = CodePage::Ansi();
    // Plain kana and kanji, half-width kana, and the NEC and IBM extensions real files contain.
    const std::u16string text = u"敬老の日ｱｲｳ①Ⅰ㈱纊ⅰ～∥－￠￡￢\\~";
    const CodePage::Encoded encoded = page.Encode(text);
    EXPECT_TRUE(encoded.replaced.empty());
    EXPECT_EQ(page.Decode(encoded.bytes), text);
    EXPECT_EQ(page.Encode(u"①").bytes, Bytes({ 0x87, 0x40 }));
    EXPECT_EQ(page.Encode(u"～").bytes, Bytes({ 0x81, 0x60 }));
    EXPECT_EQ(page.Decode(Bytes({ 0x8C, 0x8E })), u"月");
    EXPECT_EQ(page.Encode(u"\\").bytes, "\\");
    // Runs of ASCII go over in groups: a kanji, a replaced character or a look-alike at any place of
    // a run ends a group where it stands.
    for (const std::u16string_view odd :
        { std::u16string_view(u"月"), std::u16string_view(u"€"), std::u16string_view(u"〜") }) {
        for (std::size_t at = 0; at <= 40; ++at) {
            std::u16string run(40, u'a');
            for (std::size_t i = 0; i < run.size(); ++i)
                run[i] = static_cast<char16_t>(u' ' + (i * 7) % 95);
            run.insert(at, odd);
            std::string expected;
            for (const char16_t c : run)
                expected += page.Encode(std::u16string_view(&c, 1)).bytes;
            const CodePage::Encoded grouped = page.Encode(run);
            EXPECT_EQ(grouped.bytes, expected) << at;
        }
    }
}

TEST(CodePage, InputMethodLookAlikesBecomeTheCodePageForms)
{
    const CodePage& page = CodePage::Ansi();
    const CodePage::Encoded encoded = page.Encode(u"〜‖−¢£¬—");
    EXPECT_TRUE(encoded.replaced.empty());
    EXPECT_EQ(page.Decode(encoded.bytes), u"～∥－￠￡￢―");
}

TEST(CodePage, CharactersTheCodePageCannotHoldBecomeQuestionMarks)
{
    const CodePage& page = CodePage::Ansi();
    const CodePage::Encoded encoded = page.Encode(u"a€b😀c€한");
    EXPECT_EQ(encoded.bytes, "a?b?c??");
    EXPECT_EQ(encoded.replaced, u"€😀한");
    // An unpaired surrogate that is not an escaped byte is replaced too.
    const CodePage::Encoded lone = page.Encode(std::u16string(1, char16_t(0xD800)) + u"x");
    EXPECT_EQ(lone.bytes, "?x");
}

TEST(CodePage, BytesThatDoNotDecodeSurviveARoundTrip)
{
    const CodePage& page = CodePage::Ansi();
    // A lone lead byte before ASCII, a byte no character starts with, and a lead byte cut off at the end.
    const std::string damaged = Bytes({ 'a', 0x81, 0x20, 'b', 0xFF, 0x8C, 0x8E, 0x82 });
    const std::u16string decoded = page.Decode(damaged);
    EXPECT_EQ(decoded.front(), u'a');
    EXPECT_NE(decoded.find(u'月'), std::u16string::npos);
    EXPECT_EQ(page.Encode(decoded).bytes, damaged);
}

TEST(CodePage, EveryByteSequenceDecodesWithoutStopping)
{
    const CodePage& page = CodePage::Ansi();
    std::string all;
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0x20; trail < 256; trail += 7) {
            all += static_cast<char>(lead);
            all += static_cast<char>(trail);
        }
    }
    const std::u16string decoded = page.Decode(all);
    EXPECT_FALSE(decoded.empty());
    EXPECT_EQ(page.Encode(decoded).bytes.size(), page.Encode(page.Decode(page.Encode(decoded).bytes)).bytes.size());
}

// A text that ends with a run of plain ASCII is not read past its end: the line feed after it here
// must not appear.
TEST(CodePage, DecodingStopsAtTheEndOfTheBytes)
{
    const std::string line = "0123456789abcdef\n";
    EXPECT_EQ(CodePage::Ansi().Decode(std::string_view(line).substr(0, 8)), u"01234567");
    EXPECT_EQ(CodePage::Ansi().Decode(std::string_view(line).substr(0, 16)), u"0123456789abcdef");
}

TEST(CodePage, LargeTextsConvertWhole)
{
    const CodePage& page = CodePage::Ansi();
    std::u16string text;
    for (int i = 0; i < 20000; ++i)
        text += u"予定,\"場所\"\r\n";
    const CodePage::Encoded encoded = page.Encode(text);
    EXPECT_EQ(encoded.bytes.size(), 20000u * 13u);
    EXPECT_EQ(page.Decode(encoded.bytes), text);
}

// The converter itself, one sequence at a time, as the tables must answer.
class Reference {
public:
    Reference()
        : toUnicode_(iconv_open("UTF-16LE", "CP932"))
        , fromUnicode_(iconv_open("CP932", "UTF-16LE"))
    {
    }
    ~Reference()
    {
        iconv_close(toUnicode_);
        iconv_close(fromUnicode_);
    }

    // Bytes that start no character become U+DC00 + byte, and decoding goes on after them.
    std::u16string Decode(const std::string& bytes)
    {
        std::u16string text;
        char* input = const_cast<char*>(bytes.data());
        std::size_t inputLeft = bytes.size();
        while (inputLeft > 0) {
            iconv(toUnicode_, nullptr, nullptr, nullptr, nullptr);
            char buffer[16];
            char* output = buffer;
            std::size_t outputLeft = sizeof buffer;
            const std::size_t result = iconv(toUnicode_, &input, &inputLeft, &output, &outputLeft);
            for (char* p = buffer; p + 1 < output; p += 2)
                text += static_cast<char16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
            if (result == static_cast<std::size_t>(-1)) {
                text += static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(*input));
                ++input;
                --inputLeft;
            }
        }
        return text;
    }

    // A character the code page lacks is "?".
    std::string Encode(char16_t c)
    {
        iconv(fromUnicode_, nullptr, nullptr, nullptr, nullptr);
        char input[2] = { static_cast<char>(c & 0xFF), static_cast<char>(c >> 8) };
        char* in = input;
        std::size_t inputLeft = 2;
        char buffer[16];
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        if (iconv(fromUnicode_, &in, &inputLeft, &output, &outputLeft) == static_cast<std::size_t>(-1))
            return "?";
        return std::string(buffer, output);
    }

private:
    iconv_t toUnicode_;
    iconv_t fromUnicode_;
};

TEST(CodePage, AgreesWithTheConverterOnEveryByteEveryPairAndEveryCharacter)
{
    const CodePage& page = CodePage::Ansi();
    Reference reference;
    int differences = 0;
    for (int lead = 0; lead < 256; ++lead) {
        const std::string one(1, static_cast<char>(lead));
        differences += page.Decode(one) != reference.Decode(one);
        for (int trail = 0; trail < 256; ++trail) {
            const std::string two = one + static_cast<char>(trail);
            if (page.Decode(two) != reference.Decode(two) && ++differences < 5)
                ADD_FAILURE() << "bytes " << lead << " " << trail;
        }
    }
    for (int c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const char16_t character = static_cast<char16_t>(c);
        if (page.Encode(std::u16string_view(&character, 1)).bytes != reference.Encode(CodePageLookAlike(character))
            && ++differences < 5)
            ADD_FAILURE() << "character " << c;
    }
    EXPECT_EQ(differences, 0);
}

} // namespace
} // namespace kal
