#pragma once

#include "platform/Result.h"
#include "store/KalField.h"
#include "store/ScheduleFile.h"

namespace kal {

class Profile;

// Whether what a load found may be recorded in the user's settings. A command that only reports
// leaves them as they are.
enum class SettingsWrites { Made, Skipped };

// A load for the user: the password asked through Ui, the first holiday update made when the
// settings do not record it as made.
[[nodiscard]] LoadOptions UserLoadOptions(const Profile& settings);

// Records in the settings what a successful load found that is to be remembered: that the first
// holiday update has been made.
void RecordLoad(Profile& settings, const LoadedSchedule& loaded);

// Shows a failure's message to the user; a failure without one (the user declined) shows nothing.
void Tell(const Failure& failure);

// A save as the commands see it: a failure is told and becomes SaveResult::Failed.
[[nodiscard]] SaveResult Told(const Result<SaveOutcome>& saved);

// The program's genre list from ApplicationGenreFile(): the user is told of a damaged file, whose
// place "一般" takes. With SettingsWrites::Made the file read is recorded in the settings when they
// named none that could be read.
[[nodiscard]] CKalFieldArray LoadApplicationGenres(SettingsWrites writes);

} // namespace kal
