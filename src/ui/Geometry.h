#pragma once

#include "platform/Colour.h"

#include <cstdint>

namespace kal {

[[nodiscard]] constexpr Colour MakeColour(int red, int green, int blue)
{
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8
        | static_cast<Colour>(blue & 0xFF) << 16;
}
[[nodiscard]] constexpr int RedOf(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
[[nodiscard]] constexpr int GreenOf(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
[[nodiscard]] constexpr int BlueOf(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// Left and top inside, right and bottom just outside, as window rectangles are.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] int Width() const { return right - left; }
    [[nodiscard]] int Height() const { return bottom - top; }
    [[nodiscard]] bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    [[nodiscard]] Rect Deflated(int by) const { return Rect { left + by, top + by, right - by, bottom - by }; }
    [[nodiscard]] Rect Inflated(int by) const { return Deflated(-by); }
    bool operator==(const Rect&) const = default;
};

} // namespace kal
