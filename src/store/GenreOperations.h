#pragma once

#include "store/KalField.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "store/KalField.h"

namespace kal {

class CKalStore;
class StoreOperation;

// Changes to a store's genre list that the entries must follow, since each entry refers to its genre
// by position. Indexes out of range leave the store as it is.

// Removes genre `index`. Its entries go to genre 0 and take the colour of the genre that is 0
// afterwards (their colour stays when no genre is left); entries of later genres move down by one.
// True when a genre was removed.
bool DeleteGenre(CKalStore& store, int index);

// Exchanges two genres and the genre indexes of their entries. True when both exist and differ.
bool SwapGenres(CKalStore& store, int first, int second);

enum class Recolour {
    kOldColourOnly, // entries the user coloured differently keep their colour
    kAll,
};

// Gives the entries of genre `index` the genre's current colour: only those still coloured
// `oldColour`, or all of them. Gives the number of entries recoloured.
int RecolourGenre(CKalStore& store, int index, Colour oldColour, Recolour which);

// Turns a genre change made in place into an operation: made before the change, it keeps the genre
// list and every entry's genre and colour; TakeBack then puts the store back as it was and gives the
// operation that makes the change again, keeping only the entries it changed.
class GenreChangeRecorder {
public:
    explicit GenreChangeRecorder(const CKalStore& store);
    [[nodiscard]] StoreOperation TakeBack(CKalStore& store, std::u16string name);

private:
    CKalFieldArray genres_;
    std::vector<std::pair<std::int32_t, Colour>> entries_;
};

} // namespace kal
