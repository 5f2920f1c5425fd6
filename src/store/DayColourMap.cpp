#include "store/DayColourMap.h"

#include <algorithm>

namespace kal {

void DayColourMap::Set(const std::u16string& key, DayColour colour)
{
    const auto [found, added] = index_.try_emplace(key, items_.size());
    if (added)
        items_.emplace_back(key, std::move(colour));
    else
        items_[found->second].second = std::move(colour);
}

void DayColourMap::Remove(const std::u16string& key)
{
    const auto found = index_.find(key);
    if (found == index_.end())
        return;
    const std::size_t position = found->second;
    index_.erase(found);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [name, index] : index_) {
        if (index > position)
            --index;
    }
}

void DayColourMap::InsertAt(std::size_t position, const std::u16string& key, DayColour colour)
{
    if (index_.count(key) != 0) {
        Set(key, std::move(colour));
        return;
    }
    position = std::min(position, items_.size());
    for (auto& [name, index] : index_) {
        if (index >= position)
            ++index;
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), Item(key, std::move(colour)));
    index_.emplace(key, position);
}

std::optional<std::size_t> DayColourMap::PositionOf(const std::u16string& key) const
{
    const auto found = index_.find(key);
    if (found == index_.end())
        return std::nullopt;
    return found->second;
}

const DayColour* DayColourMap::Find(const std::u16string& key) const
{
    const auto found = index_.find(key);
    return found == index_.end() ? nullptr : &items_[found->second].second;
}

void DayColourMap::Clear()
{
    items_.clear();
    index_.clear();
}

} // namespace kal
