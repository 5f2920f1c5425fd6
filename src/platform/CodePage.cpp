#include "platform/CodePage.h"

#include <cerrno>
#include <iconv.h>

namespace kal {

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // bytes 0x80-0xFF that do not decode live at U+DC80-U+DCFF

iconv_t Handle(void* handle)
{
    return static_cast<iconv_t>(handle);
}

void* Open(const char* to, const char* from)
{
    const iconv_t handle = iconv_open(to, from);
    return handle == reinterpret_cast<iconv_t>(-1) ? nullptr : handle;
}

bool IsEscapedByte(char16_t c)
{
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}
bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf16Le(std::u16string& out, const char* bytes, std::size_t count)
{
    for (std::size_t i = 0; i + 1 < count; i += 2)
        out += static_cast<char16_t>(
            static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
}

} // namespace

char16_t CodePageLookAlike(char16_t c)
{
    switch (c) {
    case 0x301C: // WAVE DASH
        return 0xFF5E; // FULLWIDTH TILDE
    case 0x2016: // DOUBLE VERTICAL LINE
        return 0x2225; // PARALLEL TO
    case 0x2212: // MINUS SIGN
        return 0xFF0D; // FULLWIDTH HYPHEN-MINUS
    case 0x00A2: // CENT SIGN
        return 0xFFE0;
    case 0x00A3: // POUND SIGN
        return 0xFFE1;
    case 0x00AC: // NOT SIGN
        return 0xFFE2;
    case 0x2014: // EM DASH
        return 0x2015; // HORIZONTAL BAR
    default:
        return c;
    }
}

CodePage::CodePage(const char* name)
    : toUnicode_(Open("UTF-16LE", name))
    , fromUnicode_(Open(name, "UTF-16LE"))
{
}

CodePage::~CodePage()
{
    if (toUnicode_)
        iconv_close(Handle(toUnicode_));
    if (fromUnicode_)
        iconv_close(Handle(fromUnicode_));
}

std::u16string CodePage::Decode(std::string_view bytes) const
{
    std::u16string out;
    out.reserve(bytes.size());
    if (!toUnicode_) {
        for (const char c : bytes)
            out += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c)
                                                        : kEscapeBase + static_cast<unsigned char>(c);
        return out;
    }
    iconv(Handle(toUnicode_), nullptr, nullptr, nullptr, nullptr);
    char buffer[16384];
    char* input = const_cast<char*>(bytes.data());
    std::size_t inputLeft = bytes.size();
    while (inputLeft > 0) {
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        const std::size_t result = iconv(Handle(toUnicode_), &input, &inputLeft, &output, &outputLeft);
        AppendUtf16Le(out, buffer, sizeof buffer - outputLeft);
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a sequence cut off by the end): keep the byte and go on after it.
        out += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(*input));
        ++input;
        --inputLeft;
        iconv(Handle(toUnicode_), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

CodePage::Encoded CodePage::Encode(std::u16string_view text) const
{
    Encoded encoded;
    encoded.bytes.reserve(text.size() * 2);
    const auto replace = [&](std::u16string_view character) {
        encoded.bytes += kDefaultCharacter;
        if (encoded.replaced.find(character) == std::u16string::npos)
            encoded.replaced += character;
    };
    if (fromUnicode_)
        iconv(Handle(fromUnicode_), nullptr, nullptr, nullptr, nullptr);
    // Runs of ordinary characters go through the converter together; escaped bytes, surrogates and
    // characters the converter refuses are handled one at a time.
    std::string run;
    const auto flush = [&] {
        char* input = run.data();
        std::size_t inputLeft = run.size();
        char buffer[16384];
        while (inputLeft > 0) {
            char* output = buffer;
            std::size_t outputLeft = sizeof buffer;
            const std::size_t result = fromUnicode_
                ? iconv(Handle(fromUnicode_), &input, &inputLeft, &output, &outputLeft)
                : std::size_t(-1);
            encoded.bytes.append(buffer, sizeof buffer - outputLeft);
            if (result != static_cast<std::size_t>(-1) || (fromUnicode_ && errno == E2BIG))
                continue;
            const char16_t refused = static_cast<char16_t>(
                static_cast<unsigned char>(input[0]) | static_cast<unsigned char>(input[1]) << 8);
            if (!fromUnicode_ && refused < 0x80)
                encoded.bytes += static_cast<char>(refused);
            else
                replace(std::u16string_view(&refused, 1));
            input += 2;
            inputLeft -= 2;
            if (fromUnicode_)
                iconv(Handle(fromUnicode_), nullptr, nullptr, nullptr, nullptr);
        }
        run.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = CodePageLookAlike(text[i]);
        if (IsEscapedByte(c)) {
            flush();
            encoded.bytes += static_cast<char>(c - kEscapeBase);
        } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            flush();
            replace(text.substr(i, 2)); // outside the Basic Multilingual Plane: no code page here holds it
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            flush();
            replace(text.substr(i, 1));
        } else {
            run += static_cast<char>(c & 0xFF);
            run += static_cast<char>(c >> 8);
        }
    }
    flush();
    return encoded;
}

const CodePage& CodePage::Ansi()
{
    static const CodePage ansi("CP932");
    return ansi;
}

} // namespace kal
