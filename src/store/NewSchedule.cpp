#include "store/NewSchedule.h"

#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"
#include "platform/Text.h"
#include "store/GenreArchive.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"

namespace kal {

CKalFieldArray LoadApplicationGenres()
{
    Profile& profile = Profile::Current();
    std::string path = ToUtf8(profile.GetString("Field", "File", u""));
    if (path.empty() || !IsReadableFile(path)) {
        path = JoinPath(ProgramDataFolder(), "kfield.dat");
        profile.SetString("Field", "File", FromUtf8(path));
    }
    return LoadGenreFile(path);
}

bool StartNewSchedule(CKalStore& store, const CKalFieldArray& applicationGenres)
{
    store.Clear();
    store.genres = applicationGenres;
    return LoadScheduleTemplate(store, ProgramDataFolder());
}

} // namespace kal
