#include "store/KalField.h"

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

} // namespace kal
