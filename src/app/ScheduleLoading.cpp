#include "app/ScheduleLoading.h"

#include "platform/Profile.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/GenreArchive.h"
#include "store/NewSchedule.h"
#include "store/StoreTexts.h"
#include "ui/Ui.h"

namespace kal {

namespace {

} // namespace

LoadOptions UserLoadOptions(const Profile& settings)
{
    LoadOptions options;
    options.askPassword = [] { return Ui::Current().AskPassword(texts::kPasswordCaption, texts::kPasswordPrompt); };
    options.firstHolidayUpdateDue = ReadSetting(settings, ProfileIntSetting::HolidayChangeFlag1) == 0;
    return options;
}

void RecordLoad(Profile& settings, const LoadedSchedule& loaded)
{
    if (loaded.firstHolidayUpdateMade)
        WriteSetting(settings, ProfileIntSetting::HolidayChangeFlag1, 1);
}

void Tell(const Failure& failure)
{
    if (!failure.message.empty())
        Ui::Current().ShowMessage(failure.message);
}

SaveResult Told(const Result<SaveOutcome>& saved)
{
    if (!saved) {
        Tell(saved.Error());
        return SaveResult::Failed;
    }
    return *saved == SaveOutcome::Saved ? SaveResult::Saved : SaveResult::Cancelled;
}

CKalFieldArray LoadApplicationGenres(SettingsWrites writes)
{
    Profile& settings = Profile::Current();
    const std::string path = ApplicationGenreFile(settings);
    if (writes == SettingsWrites::Made && FromUtf8(path) != ReadSetting(settings, ProfileTextSetting::FieldFile, u""))
        WriteSetting(settings, ProfileTextSetting::FieldFile, FromUtf8(path));
    Result<CKalFieldArray> genres = LoadGenreFile(path);
    if (!genres)
        Tell(genres.Error());
    return std::move(genres).ValueOr(GeneralGenreOnly());
}

} // namespace kal
