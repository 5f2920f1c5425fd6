#pragma once

#include <string>

namespace kal {

// The decimal text a number field shows.
[[nodiscard]] inline std::u16string NumberText(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace kal
