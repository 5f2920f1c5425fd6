#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kal {

// Whether a character can move the cursor, change the terminal's state or reorder what it shows:
// C0 controls (tab and line feed included: inside a text they are data), DEL, C1 controls, the line
// and paragraph separators and the bidirectional embedding, override and isolate controls.
[[nodiscard]] bool IsTerminalControl(char32_t c);

// The next character of UTF-8 text at `at`: its code point and the bytes it takes. A byte that starts
// no well-formed sequence comes alone, with `valid` false.
struct Utf8Step {
    char32_t code = 0;
    std::size_t length = 1;
    bool valid = false;
};
[[nodiscard]] Utf8Step NextUtf8(std::string_view utf8, std::size_t at);

enum class LineBreaks { Escape, Keep };

// Text from a file or from the command line made safe to print on a terminal: every control
// character as a visible escape ("\x1b", "\n", "\u202e"), and a byte that is not UTF-8 as "\xNN".
// A message the program composed keeps its line breaks: they lay it out, and cannot steer the terminal.
[[nodiscard]] std::string TerminalText(std::string_view utf8, LineBreaks lineBreaks = LineBreaks::Escape);

// The same written to `out` piece by piece, so a text of megabytes is never copied whole.
void PutTerminalText(std::FILE* out, std::u16string_view text);

} // namespace kal
