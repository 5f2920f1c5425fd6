#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kal {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// Tells which encoding a text file from another program is in, from all its bytes given piece by
// piece in order. The tests, in this order:
// 1. A byte order mark decides: EF BB BF is UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian.
// 2. Without a mark, a zero byte refuses the file: it is UTF-16 without a mark, or no text at all, and
//    any guess would import nonsense.
// 3. Bytes that are all well-formed UTF-8 and include some beyond ASCII are UTF-8: Shift_JIS text
//    with any Japanese in it is almost never well-formed UTF-8.
// 4. Bytes that keep to the double-byte structure of the ANSI code page (CP932) are in it; plain
//    ASCII lands here too and reads the same either way.
// 5. Anything else (Latin-1, UTF-8 damaged part-way, ...) is refused.
class EncodingDetector {
public:
    void Feed(std::string_view bytes);
    // True once a byte order mark has decided, or a zero byte has refused: the rest need not be fed.
    [[nodiscard]] bool Decided() const { return decided_ || zero_; }
    // The encoding once every byte has been fed; nothing when the bytes fit none.
    [[nodiscard]] std::optional<TextEncoding> Result() const;

private:
    void FeedMark(unsigned char byte);
    void FeedUtf8(unsigned char byte);
    void FeedAnsi(unsigned char byte);

    std::string start_; // the first bytes, until they tell whether a mark is there
    std::optional<TextEncoding> marked_;
    bool decided_ = false;
    bool zero_ = false;
    bool beyondAscii_ = false;
    bool utf8Valid_ = true;
    int utf8Pending_ = 0; // continuation bytes still due, [0, 3]
    unsigned char utf8Low_ = 0x80; // the range the next continuation byte must lie in
    unsigned char utf8High_ = 0xBF;
    bool ansiValid_ = true;
    bool ansiTrailDue_ = false;
};

// Turns the bytes of a text in `encoding` into UTF-16 piece by piece, joining a character split
// between two pieces. A byte order mark at the start is dropped. Bytes that form no character become
// U+FFFD in the Unicode encodings and are kept as the ANSI code page keeps them (see CodePage). In the
// ANSI code page, as in the program's other text files, a Ctrl-Z ends the text.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding)
        : encoding_(encoding)
    {
    }
    // Appends the characters of `bytes` that are complete to `out`.
    void Decode(std::string_view bytes, std::u16string& out);
    // Appends what is left at the end of the text.
    void Finish(std::u16string& out);

private:
    void DecodeComplete(std::string_view bytes, std::u16string& out);

    TextEncoding encoding_;
    std::string held_; // bytes of a piece not yet decoded: a cut character, the mark while it is unsure
    bool started_ = false; // the byte order mark is behind us
    bool ended_ = false; // a Ctrl-Z was met
};

} // namespace kal
