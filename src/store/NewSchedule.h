#pragma once

#include "platform/Result.h"
#include "store/KalField.h"

#include <string>

namespace kal {

class CKalStore;
class Profile;

// The genre file the program's genre list comes from: the one named in the settings ("Field"/"File")
// when it can be read, else kfield.dat in the program's data folder.
[[nodiscard]] std::string ApplicationGenreFile(const Profile& settings);

// Makes the store a new schedule: cleared, the program's genres copied in, then the template's
// holidays read and brought up to date. Fails when the template cannot be read.
[[nodiscard]] Status StartNewSchedule(CKalStore& store, const CKalFieldArray& applicationGenres);

} // namespace kal
