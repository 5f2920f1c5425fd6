#include "platform/TextEncoding.h"

#include "platform/CodePage.h"
#include "platform/Text.h"

namespace kal {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char kEndOfText = 0x1A; // Ctrl-Z
constexpr char16_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// Whether `bytes` may still grow into a byte order mark.
bool MayBecomeMark(std::string_view bytes)
{
    for (const std::string_view mark : { kUtf8Mark, kUtf16LeMark, kUtf16BeMark }) {
        if (bytes.size() < mark.size() && StartsWith(mark, bytes))
            return true;
    }
    return false;
}

std::optional<TextEncoding> MarkedEncoding(std::string_view start)
{
    if (StartsWith(start, kUtf8Mark))
        return TextEncoding::Utf8;
    if (StartsWith(start, kUtf16LeMark))
        return TextEncoding::Utf16Le;
    if (StartsWith(start, kUtf16BeMark))
        return TextEncoding::Utf16Be;
    return std::nullopt;
}

std::size_t MarkLength(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return kUtf8Mark.size();
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        return kUtf16LeMark.size();
    case TextEncoding::Ansi:
        break;
    }
    return 0;
}

} // namespace

void EncodingDetector::Feed(std::string_view bytes)
{
    std::size_t i = 0;
    while (!Decided() && i < bytes.size() && !marked_) {
        // The first bytes wait until they show whether a mark is there.
        if (start_.size() < kUtf8Mark.size()) {
            start_ += bytes[i++];
            if (MayBecomeMark(start_))
                continue;
        }
        if ((marked_ = MarkedEncoding(start_))) {
            decided_ = true;
            return;
        }
        for (const char byte : start_)
            FeedMark(static_cast<unsigned char>(byte));
        start_.clear();
        marked_ = TextEncoding::Ansi; // stands for "no mark" from here on
    }
    for (; i < bytes.size() && !Decided(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        // Plain ASCII between characters changes nothing: it is passed over quickly.
        if (byte != 0 && byte < 0x80 && utf8Pending_ == 0 && !ansiTrailDue_)
            continue;
        FeedMark(byte);
    }
}

void EncodingDetector::FeedMark(unsigned char byte)
{
    if (byte == 0) {
        zero_ = true;
        return;
    }
    if (byte >= 0x80)
        beyondAscii_ = true;
    FeedUtf8(byte);
    FeedAnsi(byte);
}

void EncodingDetector::FeedUtf8(unsigned char byte)
{
    if (!utf8Valid_)
        return;
    if (utf8Pending_ > 0) {
        if (byte < utf8Low_ || byte > utf8High_)
            utf8Valid_ = false;
        utf8Low_ = 0x80;
        utf8High_ = 0xBF;
        --utf8Pending_;
        return;
    }
    // The lead bytes of well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
    if (byte < 0x80)
        return;
    if (byte >= 0xC2 && byte <= 0xDF) {
        utf8Pending_ = 1;
    } else if (byte == 0xE0) {
        utf8Pending_ = 2;
        utf8Low_ = 0xA0;
    } else if ((byte >= 0xE1 && byte <= 0xEC) || byte == 0xEE || byte == 0xEF) {
        utf8Pending_ = 2;
    } else if (byte == 0xED) {
        utf8Pending_ = 2;
        utf8High_ = 0x9F;
    } else if (byte == 0xF0) {
        utf8Pending_ = 3;
        utf8Low_ = 0x90;
    } else if (byte >= 0xF1 && byte <= 0xF3) {
        utf8Pending_ = 3;
    } else if (byte == 0xF4) {
        utf8Pending_ = 3;
        utf8High_ = 0x8F;
    } else {
        utf8Valid_ = false;
    }
}

void EncodingDetector::FeedAnsi(unsigned char byte)
{
    if (!ansiValid_)
        return;
    if (ansiTrailDue_) {
        ansiTrailDue_ = false;
        ansiValid_ = (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
        return;
    }
    if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF)) // ASCII, half-width katakana
        return;
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC))
        ansiTrailDue_ = true;
    else
        ansiValid_ = false;
}

std::optional<TextEncoding> EncodingDetector::Result() const
{
    EncodingDetector last = *this;
    if (!last.marked_) {
        // A text shorter than a mark: a mark it is, or its bytes are text.
        if ((last.marked_ = MarkedEncoding(last.start_)))
            return last.marked_;
        for (const char byte : last.start_)
            last.FeedMark(static_cast<unsigned char>(byte));
    } else if (last.decided_) {
        return last.marked_;
    }
    if (last.zero_)
        return std::nullopt;
    if (last.beyondAscii_ && last.utf8Valid_ && last.utf8Pending_ == 0)
        return TextEncoding::Utf8;
    if (last.ansiValid_ && !last.ansiTrailDue_)
        return TextEncoding::Ansi;
    return std::nullopt;
}

void TextDecoder::Decode(std::string_view bytes, std::u16string& out)
{
    if (ended_)
        return;
    if (!started_) {
        held_.append(bytes);
        if (MayBecomeMark(held_))
            return;
        started_ = true;
        std::string first = std::move(held_);
        held_.clear();
        if (MarkedEncoding(first) == encoding_)
            first.erase(0, MarkLength(encoding_));
        DecodeComplete(first, out);
        return;
    }
    DecodeComplete(bytes, out);
}

void TextDecoder::DecodeComplete(std::string_view bytes, std::u16string& out)
{
    if (encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be) {
        const int low = encoding_ == TextEncoding::Utf16Le ? 0 : 1;
        std::size_t i = 0;
        if (!held_.empty() && !bytes.empty()) {
            const char pair[2] = { held_[0], bytes[0] };
            out += static_cast<char16_t>(
                static_cast<unsigned char>(pair[low]) | static_cast<unsigned char>(pair[1 - low]) << 8);
            held_.clear();
            i = 1;
        }
        for (; i + 1 < bytes.size(); i += 2) {
            out += static_cast<char16_t>(
                static_cast<unsigned char>(bytes[i + low]) | static_cast<unsigned char>(bytes[i + 1 - low]) << 8);
        }
        if (i < bytes.size())
            held_ += bytes[i];
        return;
    }
    // In the ANSI code page and in UTF-8 a line feed is never part of another character: the bytes
    // are decoded up to the last one, and the rest waits for the next piece.
    if (encoding_ == TextEncoding::Ansi) {
        if (const std::size_t end = bytes.find(kEndOfText); end != std::string_view::npos) {
            bytes = bytes.substr(0, end);
            ended_ = true;
        }
    }
    std::size_t complete = bytes.size(); // the bytes that end whole lines, or all up to a Ctrl-Z
    if (!ended_) {
        const std::size_t last = bytes.rfind('\n');
        if (last == std::string_view::npos) {
            held_.append(bytes);
            return;
        }
        complete = last + 1;
    }
    const auto decode = [&](std::string_view part) {
        if (encoding_ == TextEncoding::Ansi)
            CodePage::Ansi().AppendDecoded(part, out);
        else
            out += FromUtf8(part);
    };
    std::string_view done = bytes.substr(0, complete);
    if (!held_.empty()) {
        // The line held from the last piece ends in this one.
        const std::size_t firstEnd = ended_ ? done.size() : done.find('\n') + 1;
        held_.append(done.substr(0, firstEnd));
        decode(held_);
        held_.clear();
        done.remove_prefix(firstEnd);
    }
    decode(done);
    held_.assign(bytes.substr(complete));
}

void TextDecoder::Finish(std::u16string& out)
{
    if (!started_) {
        started_ = true;
        std::string first = std::move(held_);
        held_.clear();
        if (MarkedEncoding(first) == encoding_)
            first.erase(0, MarkLength(encoding_));
        DecodeComplete(first, out);
    }
    if (held_.empty() || ended_)
        return;
    if (encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be)
        out += kReplacement; // half a character at the end
    else if (encoding_ == TextEncoding::Ansi)
        CodePage::Ansi().AppendDecoded(held_, out);
    else
        out += FromUtf8(held_);
    held_.clear();
}

} // namespace kal
