#pragma once

#include <string>
#include <string_view>

namespace kal {

// A JSON string literal of UTF-8 text, quotes included.
[[nodiscard]] std::string JsonString(std::string_view utf8);

} // namespace kal
