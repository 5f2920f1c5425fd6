#include "platform/Text.h"

#include <algorithm>
#include <climits>

namespace kal {

namespace {

template <typename Char> int ParseLeadingIntImpl(std::basic_string_view<Char> text)
{
    // Most numbers a file holds are a few plain digits.
    if (!text.empty() && text.size() <= 9) {
        int value = 0;
        std::size_t digits = 0;
        for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits)
            value = value * 10 + (text[digits] - '0');
        if (digits == text.size())
            return value;
    }
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= INT_MAX)
            value = value * 10 + (text[i] - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Returns U+FFFD for anything malformed,
// consuming one byte so that decoding always moves on.
char32_t DecodeUtf8(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += length;
    return c;
}

} // namespace

int ParseLeadingInt(std::u16string_view text)
{
    return ParseLeadingIntImpl(text);
}
int ParseLeadingInt(std::string_view text)
{
    return ParseLeadingIntImpl(text);
}

bool ParseWholeInt(std::string_view text, int& value)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.size() || text.size() - i > 10)
        return false;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
    }
    long long parsed = 0;
    for (std::size_t k = i; k < text.size(); ++k)
        parsed = parsed * 10 + (text[k] - '0');
    if (text[0] == '-')
        parsed = -parsed;
    if (parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

std::uint32_t ParseLeadingHex(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        i += 2;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = (value << 4) | digit;
    }
    return value;
}

char16_t* WriteInt(char16_t* out, long long value, int width)
{
    // Most numbers a file holds are one or two digits (flags, months, days, hours, minutes) or -1 (off).
    if (value == -1 && width <= 2) {
        *out++ = u'-';
        *out++ = u'1';
        return out;
    }
    if (value >= 0 && value < 100 && width <= 2) {
        if (value >= 10 || width == 2)
            *out++ = static_cast<char16_t>(u'0' + value / 10);
        *out++ = static_cast<char16_t>(u'0' + value % 10);
        return out;
    }
    char16_t digits[24];
    int count = 0;
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value) : value;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *out++ = u'-';
    for (int pad = count + (negative ? 1 : 0); pad < width; ++pad)
        *out++ = u'0';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

void AppendInt(std::u16string& out, long long value, int width)
{
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(std::max(width, 0)) + 21);
    out.resize(static_cast<std::size_t>(WriteInt(out.data() + start, value, width) - out.data()));
}

std::u16string IntText(long long value, int width)
{
    std::u16string out;
    AppendInt(out, value, width);
    return out;
}

std::u16string HexText(std::uint32_t value, int width)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out;
    do {
        out.insert(out.begin(), kDigits[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(out.size()) < width)
        out.insert(0, width - out.size(), u'0');
    return out;
}

std::u16string AsciiText(std::string_view ascii)
{
    std::u16string out;
    out.reserve(ascii.size());
    for (const char c : ascii)
        out += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD';
    return out;
}

std::u16string FromUtf8(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        AppendUtf16(out, DecodeUtf8(utf8, i));
    return out;
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string WithText(std::u16string_view format, std::u16string_view value)
{
    std::u16string text(format);
    const std::size_t at = text.find(u"%s");
    if (at != std::u16string::npos)
        text.replace(at, 2, value);
    return text;
}

std::u16string WithNumber(std::u16string_view format, long long number)
{
    std::u16string text(format);
    const std::size_t at = text.find(u"%d");
    if (at != std::u16string::npos)
        text.replace(at, 2, IntText(number));
    return text;
}

} // namespace kal
