#include "store/GenreOperations.h"

#include "store/KalStore.h"
#include "store/StoreOperation.h"

#include <algorithm>

namespace kal {

bool DeleteGenre(CKalStore& store, int index)
{
    if (!store.genres.At(index))
        return false;
    store.genres.RemoveAt(index);
    const CKalField* general = store.genres.At(0);
    for (auto& entry : store.entries) {
        if (entry->genre == index) {
            entry->genre = 0;
            if (general)
                entry->colour = general->colour;
        } else if (entry->genre > index) {
            --entry->genre;
        }
    }
    return true;
}

bool SwapGenres(CKalStore& store, int first, int second)
{
    if (first == second || !store.genres.At(first) || !store.genres.At(second))
        return false;
    store.genres.Swap(first, second);
    for (auto& entry : store.entries) {
        if (entry->genre == first)
            entry->genre = second;
        else if (entry->genre == second)
            entry->genre = first;
    }
    return true;
}

int RecolourGenre(CKalStore& store, int index, Colour oldColour, Recolour which)
{
    const CKalField* genre = store.genres.At(index);
    if (!genre)
        return 0;
    int recoloured = 0;
    for (auto& entry : store.entries) {
        if (entry->genre == index && (which == Recolour::kAll || entry->colour == oldColour)) {
            entry->colour = genre->colour;
            ++recoloured;
        }
    }
    return recoloured;
}

GenreChangeRecorder::GenreChangeRecorder(const CKalStore& store)
    : genres_(store.genres)
{
    entries_.reserve(store.entries.size());
    for (const auto& entry : store.entries)
        entries_.emplace_back(entry->genre, entry->colour);
}

StoreOperation GenreChangeRecorder::TakeBack(CKalStore& store, std::u16string name)
{
    StoreOperation operation(std::move(name));
    std::vector<EntryGenreColour> changes;
    const std::size_t count = std::min(entries_.size(), store.entries.size());
    for (std::size_t i = 0; i < count; ++i) {
        CKalData& entry = *store.entries[i];
        const auto [genre, colour] = entries_[i];
        if (entry.genre == genre && entry.colour == colour)
            continue;
        changes.push_back(EntryGenreColour { static_cast<int>(i), entry.genre, entry.colour });
        entry.genre = genre;
        entry.colour = colour;
    }
    CKalFieldArray after = std::move(store.genres);
    store.genres = std::move(genres_);
    operation.SetGenres(std::move(after)).SetEntryGenres(std::move(changes));
    return operation;
}

} // namespace kal
