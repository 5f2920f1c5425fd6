#pragma once

#include "store/KalField.h"

namespace kal {

class CKalStore;

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

} // namespace kal
