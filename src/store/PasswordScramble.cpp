#include "store/PasswordScramble.h"

namespace kal {

namespace {

// The shift for character i is kKey[i % 8]. Files exchanged with other copies of the program must use
// the same table, so it never changes.
constexpr int kKey[8] = { 3, 1, 4, 1, 5, 9, 2, 6 };

char16_t Shift(char16_t c, int amount)
{
    const auto rotate = [&](char16_t first, int size) {
        return static_cast<char16_t>(first + ((c - first + amount) % size + size) % size);
    };
    if (c >= u'0' && c <= u'9')
        return rotate(u'0', 10);
    if (c >= u'A' && c <= u'Z')
        return rotate(u'A', 26);
    if (c >= u'a' && c <= u'z')
        return rotate(u'a', 26);
    return c;
}

std::u16string ShiftAll(std::u16string_view text, int direction)
{
    std::u16string out(text);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = Shift(out[i], direction * kKey[i % 8]);
    return out;
}

} // namespace

std::u16string ScramblePassword(std::u16string_view password)
{
    return ShiftAll(password, -1);
}
std::u16string UnscramblePassword(std::u16string_view scrambled)
{
    return ShiftAll(scrambled, +1);
}

} // namespace kal
