#pragma once

#include "store/KalField.h"

namespace kal {

class CKalStore;

// The program's own genre list: read from the genre file named in the settings ("Field"/"File") when
// it opens, else from kfield.dat in the program's data folder, whose path is then stored.
[[nodiscard]] CKalFieldArray LoadApplicationGenres();

// Makes the store a new schedule: cleared, the program's genres copied in, then the template's
// holidays read and brought up to date. False when the template cannot be read.
[[nodiscard]] bool StartNewSchedule(CKalStore& store, const CKalFieldArray& applicationGenres);

} // namespace kal
