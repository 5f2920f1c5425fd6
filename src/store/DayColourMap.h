#pragma once

#include "platform/Colour.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kal {

// The colour of one day, and a note the program keeps but never sets.
struct DayColour {
    Colour colour = 0;
    std::u16string note;

    bool operator==(const DayColour&) const = default;
};

// Per-day colours keyed by the date text "%d/%02d/%02d". Iteration follows the order in which the
// keys first arrived, so a file is written back with its rows in the order they were read.
class DayColourMap {
public:
    using Item = std::pair<std::u16string, DayColour>;

    // Replaces the colour under an existing key in place, or adds the key at the end.
    void Set(const std::u16string& key, DayColour colour);
    void Remove(const std::u16string& key);
    // Adds a key that is not in the map at `position` (at the end when that is past it).
    void InsertAt(std::size_t position, const std::u16string& key, DayColour colour);
    [[nodiscard]] std::optional<std::size_t> PositionOf(const std::u16string& key) const;
    [[nodiscard]] const DayColour* Find(const std::u16string& key) const;
    void Clear();

    [[nodiscard]] std::size_t size() const { return items_.size(); }
    [[nodiscard]] bool empty() const { return items_.empty(); }
    [[nodiscard]] std::vector<Item>::const_iterator begin() const { return items_.begin(); }
    [[nodiscard]] std::vector<Item>::const_iterator end() const { return items_.end(); }

private:
    std::vector<Item> items_;
    std::unordered_map<std::u16string, std::size_t> index_;
};

} // namespace kal
