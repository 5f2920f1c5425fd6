#pragma once

#include <cstdint>

namespace kal {

// A colour as the schedule files and the settings store it: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

} // namespace kal
