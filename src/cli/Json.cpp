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
        AppendEscaped(piece, ToUtf8(text.substr(0, length)));
        std::fputs(piece.c_str(), out);
        text.remove_prefix(length);
    }
    std::fputc('"', out);
}

} // namespace kal
