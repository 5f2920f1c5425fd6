#include "store/NewSchedule.h"

#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/HolidayUpdates.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"

namespace kal {

std::string ApplicationGenreFile(const Profile& settings)
{
    const std::string path = ToUtf8(ReadSetting(settings, ProfileTextSetting::FieldFile, u""));
    if (path.empty() || !IsReadableFile(path))
        return JoinPath(ProgramDataFolder(), "kfield.dat");
    return path;
}

Status StartNewSchedule(CKalStore& store, const CKalFieldArray& applicationGenres)
{
    store.Clear();
    store.genres = applicationGenres;
    Result<HolidayUpdates> updates = LoadScheduleTemplate(store, ProgramDataFolder());
    if (!updates)
        return updates.Error();
    // A new schedule is nobody's change yet: its holidays are simply up to date from the start.
    ApplyHolidayUpdates(store, std::move(updates).Value());
    return {};
}

} // namespace kal
