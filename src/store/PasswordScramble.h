#pragma once

#include <string>
#include <string_view>

namespace kal {

// The file password is stored scrambled: each digit and each ASCII letter is shifted within its class
// (0-9, A-Z, a-z, with wrap-around) by the key amount for its position; other characters stay.
[[nodiscard]] std::u16string ScramblePassword(std::u16string_view password);
[[nodiscard]] std::u16string UnscramblePassword(std::u16string_view scrambled);

} // namespace kal
