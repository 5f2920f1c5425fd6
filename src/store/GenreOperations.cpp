#include "store/GenreOperations.h"

#include "store/KalStore.h"

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

} // namespace kal
