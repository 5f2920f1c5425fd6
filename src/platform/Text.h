#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kal {

// Reads an integer the way the C library's atoi does: leading blanks, an optional sign, then decimal
// digits up to the first other character. No digits gives 0; values beyond 32 bits saturate.
[[nodiscard]] int ParseLeadingInt(std::u16string_view text);
[[nodiscard]] int ParseLeadingInt(std::string_view text);

// Reads a whole text as a decimal integer (blanks around it allowed). False for anything else,
// including values that do not fit in 32 bits.
[[nodiscard]] bool ParseWholeInt(std::string_view text, int& value);

// Reads leading hexadecimal digits (an optional "0x" prefix allowed), up to the first other character.
[[nodiscard]] std::uint32_t ParseLeadingHex(std::u16string_view text);

// Decimal text of value, zero-padded on the left to at least `width` digits ("%0*d").
[[nodiscard]] std::u16string IntText(long long value, int width = 0);
void AppendInt(std::u16string& out, long long value, int width = 0);
// The same from `out` on, which has room for 21 characters more than `width`; gives the end of what
// was written.
char16_t* WriteInt(char16_t* out, long long value, int width = 0);

// Upper-case hexadecimal, zero-padded to `width` digits ("%0*lX").
[[nodiscard]] std::u16string HexText(std::uint32_t value, int width);

// Plain ASCII to UTF-16; bytes above 0x7F become U+FFFD.
[[nodiscard]] std::u16string AsciiText(std::string_view ascii);

// UTF-8 <-> UTF-16. Malformed input and unpaired surrogates become U+FFFD; nothing throws.
[[nodiscard]] std::u16string FromUtf8(std::string_view utf8);

// A message format with its first "%s" replaced by `value`, or its first "%d" by `number`; a format
// without one stays as it is.
[[nodiscard]] std::u16string WithText(std::u16string_view format, std::u16string_view value);
[[nodiscard]] std::u16string WithNumber(std::u16string_view format, long long number);
[[nodiscard]] std::string ToUtf8(std::u16string_view text);

} // namespace kal
