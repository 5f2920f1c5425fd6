#include "store/NewSchedule.h"

#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"
#include "platform/Text.h"
#include "store/GenreArchive.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace kal {

namespace {

bool CanOpen(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

CKalFieldArray LoadApplicationGenres()
{
    Profile& profile = Profile::Current();
    std::string path = ToUtf8(profile.GetString("Field", "File", u""));
    if (path.empty() || !CanOpen(path)) {
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
