#include "store/KalField.h"

#include "platform/Text.h"
#include "store/StoreTexts.h"

#include <utility>

namespace kal {

CKalFieldArray::CKalFieldArray(const CKalFieldArray& other)
{
    genres_.reserve(other.genres_.size());
    for (const auto& genre : other.genres_)
        Append(*genre);
}

CKalFieldArray& CKalFieldArray::operator=(const CKalFieldArray& other)
{
    if (this != &other) {
        CKalFieldArray copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CKalField* CKalFieldArray::At(int index)
{
    return index >= 0 && index < Count() ? genres_[static_cast<std::size_t>(index)].get() : nullptr;
}

const CKalField* CKalFieldArray::At(int index) const
{
    return const_cast<CKalFieldArray*>(this)->At(index);
}

void CKalFieldArray::Append(std::unique_ptr<CKalField> genre)
{
    genres_.push_back(std::move(genre));
}

void CKalFieldArray::RemoveAt(int index)
{
    if (index >= 0 && index < Count())
        genres_.erase(genres_.begin() + index);
}

void CKalFieldArray::Swap(int first, int second)
{
    if (At(first) && At(second))
        std::swap(genres_[static_cast<std::size_t>(first)], genres_[static_cast<std::size_t>(second)]);
}

int CKalFieldArray::FindByName(std::u16string_view name) const
{
    for (std::size_t i = 0; i < genres_.size(); ++i) {
        if (genres_[i]->name == name)
            return static_cast<int>(i);
    }
    return -1;
}

int CKalFieldArray::FindOrAddByName(std::u16string_view name)
{
    const int found = FindByName(name);
    if (found >= 0)
        return found;
    auto genre = std::make_unique<CKalField>();
    genre->name = name;
    Append(std::move(genre));
    return Count() - 1;
}

void CKalFieldArray::ReplaceAll(const CKalFieldArray& other)
{
    // The copy assignment takes the copies before it lets go of our own genres, so replacing a list
    // with itself keeps it.
    *this = other;
}

bool CKalFieldArray::FillUpTo(int index)
{
    if (index < 0 || index >= Count() + kMaxFillUp)
        return At(index) != nullptr;
    while (Count() <= index) {
        auto genre = std::make_unique<CKalField>();
        genre->name = texts::kNumberedGenrePrefix + IntText(Count() + 1);
        Append(std::move(genre));
    }
    return true;
}

std::vector<std::u16string> CKalFieldArray::Names() const
{
    std::vector<std::u16string> names;
    names.reserve(genres_.size());
    for (const auto& genre : genres_)
        names.push_back(genre->name);
    return names;
}

} // namespace kal
