#include "cli/Json.h"

#include "cli/TerminalText.h"
#include "platform/Text.h"

#include <algorithm>
#include <string>

namespace kal {

namespace {

// Texts are converted and written in pieces of this many UTF-16 units.
constexpr std::size_t kPiece = 4096;

void AppendEscaped(std::string& out, std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Step step = NextUtf8(utf8, at);
        switch (step.code) {
        case U'"':
            out += "\\\"";
            break;
        case U'\\':
            out += "\\\\";
            break;
        case U'\n':
            out += "\\n";
            break;
        case U'\r':
            out += "\\r";
            break;
        case U'\t':
            out += "\\t";
            break;
        default:
            if (step.valid && IsTerminalControl(step.code)) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(step.code));
                out += escaped;
            } else {
                out.append(utf8.substr(at, step.length));
            }
        }
        at += step.length;
    }
}

bool IsSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// What AppendEscaped gives for the UTF-8 of `text`, for a text without surrogates (every unit one
// character), straight from the units: most characters of a month are plain ASCII or two and three
// byte Japanese.
void AppendEscapedUnits(std::string& out, std::u16string_view text)
{
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
            out += static_cast<char>(c);
        } else if (c == u'"' || c == u'\\' || c == u'\n' || c == u'\r' || c == u'\t') {
            out += '\\';
            out += c == u'"' ? '"' : c == u'\\' ? '\\' : c == u'\n' ? 'n' : c == u'\r' ? 'r' : 't';
        } else if (IsTerminalControl(c)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

} // namespace

void PutJsonString(std::FILE* out, std::u16string_view text)
{
    std::fputc('"', out);
    std::string piece;
    while (!text.empty()) {
        std::size_t length = std::min(text.size(), kPiece);
        // A surrogate pair is never split between pieces.
        if (length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
            --length;
        piece.clear();
        piece.reserve(3 * length);
        const std::u16string_view part = text.substr(0, length);
        if (std::none_of(part.begin(), part.end(), IsSurrogate))
            AppendEscapedUnits(piece, part);
        else
            AppendEscaped(piece, ToUtf8(part));
        std::fputs(piece.c_str(), out);
        text.remove_prefix(length);
    }
    std::fputc('"', out);
}

} // namespace kal
