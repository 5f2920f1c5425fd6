#include "ui/LinkMark.h"

#include <string_view>

namespace kal {

LinkMark LinkMark::PaperClip()
{
    // '#' is the wire, '+' its lighter edge, '.' transparent.
    static constexpr std::string_view kRows[] = {
        "..+##+..",
        ".#....#.",
        ".#.##.#.",
        ".#.#..#.",
        ".#.#..#.",
        ".#.#..#.",
        ".#.#..#.",
        ".#.##.#.",
        ".#....#.",
        "..####..",
    };
    LinkMark mark;
    mark.width = static_cast<int>(kRows[0].size());
    mark.height = static_cast<int>(std::size(kRows));
    for (const std::string_view row : kRows) {
        for (const char c : row)
            mark.pixels.push_back(c == '#' ? 0xFF404040u : c == '+' ? 0xFF808080u : 0x00000000u);
    }
    return mark;
}

} // namespace kal
