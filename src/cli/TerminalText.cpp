#include "cli/TerminalText.h"

#include "platform/Text.h"

#include <algorithm>

namespace kal {

namespace {

// Texts are converted and written in pieces of this many UTF-16 units.
constexpr std::size_t kPiece = 4096;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

void AppendEscape(std::string& out, char32_t code, bool valid)
{
    char escaped[12];
    switch (code) {
    case U'\t':
        out += "\\t";
        return;
    case U'\n':
        out += "\\n";
        return;
    case U'\r':
        out += "\\r";
        return;
    default:
        break;
    }
    if (!valid || code < 0x80)
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(code));
    else
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(code));
    out += escaped;
}

} // namespace

bool IsTerminalControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E)
        || (c >= 0x2066 && c <= 0x2069);
}

Utf8Step NextUtf8(std::string_view utf8, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return Utf8Step { lead, 1, true };
    std::size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return Utf8Step { lead, 1, false };
    }
    if (at + length > utf8.size())
        return Utf8Step { lead, 1, false };
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(byte(at + i)))
            return Utf8Step { lead, 1, false };
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return Utf8Step { lead, 1, false };
    return Utf8Step { code, length, true };
}

std::string TerminalText(std::string_view utf8, LineBreaks lineBreaks)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Step step = NextUtf8(utf8, at);
        const bool layout = lineBreaks == LineBreaks::Keep && step.code == U'\n';
        if (!step.valid || (IsTerminalControl(step.code) && !layout))
            AppendEscape(out, step.code, step.valid);
        else
            out.append(utf8.substr(at, step.length));
        at += step.length;
    }
    return out;
}

void PutTerminalText(std::FILE* out, std::u16string_view text)
{
    while (!text.empty()) {
        std::size_t piece = std::min(text.size(), kPiece);
        // A surrogate pair is never split between pieces.
        if (piece < text.size() && text[piece - 1] >= 0xD800 && text[piece - 1] <= 0xDBFF)
            --piece;
        std::fputs(TerminalText(ToUtf8(text.substr(0, piece))).c_str(), out);
        text.remove_prefix(piece);
    }
}

} // namespace kal
