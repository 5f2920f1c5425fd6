#pragma once

#include "platform/ByteBuffer.h"

#include <atomic>
#include <memory>
#include <mutex>
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
// The C library's converter defines the code page: on first use of each direction it is asked once
// for every byte, every pair of bytes and every character of the Basic Multilingual Plane, and the
// answers are kept as tables that every conversion then reads. Code pages whose characters take more
// than two bytes, or that keep a shift state, are converted through the converter itself.
class CodePage {
public:
    explicit CodePage(const char* name = "CP932");
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    [[nodiscard]] bool IsOpen() const { return open_; }

    [[nodiscard]] std::u16string Decode(std::string_view bytes) const;
    // Decodes onto the end of `text`.
    void AppendDecoded(std::string_view bytes, std::u16string& text) const;
    // Decodes into the characters from `out`, which has room for one character a byte; gives the end
    // of what was written.
    char16_t* DecodeTo(std::string_view bytes, char16_t* out) const;

    struct Encoded {
        std::string bytes;
        std::u16string replaced; // each character that became "?", once, in order of appearance
    };
    [[nodiscard]] Encoded Encode(std::u16string_view text) const;
    // Encodes `text` onto the end of `into`, so that many texts can make one buffer.
    void AppendEncoded(std::u16string_view text, Encoded& into) const;
    // The same onto bytes that grow without being cleared first; `replaced` as in Encoded.
    void AppendEncoded(std::u16string_view text, ByteBuffer& bytes, std::u16string& replaced) const;
    // Adds to a list of replaced characters those of `more` it lacks, in their order. A character
    // outside the BMP is a surrogate pair, kept whole.
    static void AddReplaced(std::u16string& replaced, std::u16string_view more);

    // The code page of schedule files and the other text files the program reads and writes.
    static const CodePage& Ansi();

    static constexpr char kDefaultCharacter = '?';

private:
    struct DecodeTable;
    struct EncodeTable;
    // Writes the code of `text` from `out` on (room for two bytes a character); returns the end.
    static char* EncodeWithTable(
        const EncodeTable& table, std::u16string_view text, char* out, std::u16string& replaced);

    const DecodeTable* Decoder() const;
    const EncodeTable* Encoder() const;
    bool FillEncodeTable(EncodeTable& table) const;
    [[nodiscard]] std::u16string DecodeThroughConverter(std::string_view bytes) const;
    void EncodeThroughConverter(std::u16string_view text, Encoded& into) const;

    std::string name_;
    bool open_ = false;
    mutable std::once_flag decoderBuilt_;
    mutable std::once_flag encoderBuilt_;
    mutable std::atomic<bool> decoderReady_ { false };
    mutable std::atomic<bool> encoderReady_ { false };
    mutable std::unique_ptr<DecodeTable> decoder_;
    mutable std::unique_ptr<EncodeTable> encoder_;
};

// The look-alike the code page holds for a character it does not, or the character itself.
[[nodiscard]] char16_t CodePageLookAlike(char16_t c);

} // namespace kal
