#pragma once

#include <cstdint>
#include <vector>

namespace kal {

// The small mark drawn before entries that have a link file: a paper clip, drawn by us and held as
// data. Pixels are 0xAARRGGBB, rows top to bottom.
struct LinkMark {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    [[nodiscard]] bool IsEmpty() const { return width == 0 || height == 0; }
    [[nodiscard]] std::uint32_t Pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }

    static LinkMark PaperClip();
};

} // namespace kal
