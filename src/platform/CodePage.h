#pragma once

#include <string>
#include <string_view>

namespace kal {

// Conversion between UTF-16 text and the bytes of a code page, CP932 (Shift_JIS with the vendor
// extensions real files contain) by default.
//
// Decoding never fails and never stops: a byte that does not start a valid character becomes the
// lone surrogate U+DC00 + byte, which encoding turns back into the same byte, so a damaged file
// survives a load and a save unchanged. Encoding turns characters the code page cannot hold into "?"
// and lists them. A few characters that desktop input methods type where the code page has a
// look-alike (U+301C WAVE DASH for FULLWIDTH TILDE and the like) are written as that look-alike.
//
// An object keeps its converters open; it is not meant to be shared between threads.
class CodePage {
public:
    explicit CodePage(const char* name = "CP932");
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    [[nodiscard]] bool IsOpen() const { return toUnicode_ != nullptr && fromUnicode_ != nullptr; }

    [[nodiscard]] std::u16string Decode(std::string_view bytes) const;

    struct Encoded {
        std::string bytes;
        std::u16string replaced; // each character that became "?", once, in order of appearance
    };
    [[nodiscard]] Encoded Encode(std::u16string_view text) const;

    // The code page of schedule files and the other text files the program reads and writes.
    static const CodePage& Ansi();

    static constexpr char kDefaultCharacter = '?';

private:
    void* toUnicode_ = nullptr;
    void* fromUnicode_ = nullptr;
};

// The look-alike the code page holds for a character it does not, or the character itself.
[[nodiscard]] char16_t CodePageLookAlike(char16_t c);

} // namespace kal
