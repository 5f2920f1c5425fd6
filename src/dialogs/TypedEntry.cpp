#include "dialogs/TypedEntry.h"

#include "dialogs/RepeatEditing.h"
#include "dialogs/TodoDialog.h"
#include "settings/KalSettings.h"
#include "store/KalData.h"
#include "store/KalStore.h"

namespace kal {

namespace {

CDTime At(const LocalFields& day, std::optional<HourMinute> time)
{
    return time ? CDTime(day.year, day.month, day.day, time->hour, time->minute) : CDTime(day.year, day.month, day.day);
}

// The genre list's choice and its colour, as the dialogs take them: a genre the store lacks leaves
// the entry's own colour.
void SetGenre(const CKalStore& store, CKalData& entry, int genre)
{
    entry.genre = genre;
    if (const CKalField* field = store.genres.At(genre))
        entry.colour = field->colour;
}

} // namespace

CKalData ScheduleAsTyped(const CKalStore& store, CDTime day, const TypedEntry& typed)
{
    const LocalFields date = day.Fields();
    CKalData entry;
    entry.start = At(date, typed.startTime);
    entry.Set(flag::kStartTimeSet, typed.startTime.has_value());
    entry.end = At(date, typed.endTime);
    entry.Set(flag::kEndTimeSet, typed.endTime.has_value());
    entry.text = typed.text;
    entry.place = typed.place;
    SetGenre(store, entry, typed.genre.value_or(store.DefaultScheduleGenre()));
    entry.timeDisplay = CKalSettings::Current().Get(IntSetting::ViewTime);
    // A new schedule's repetition starts out on its own day of the month.
    RepeatSettings repeat;
    repeat.repeatDayFrom = date.day;
    repeat.repeatDayTo = date.day;
    repeat.WriteTo(entry);
    return entry;
}

CKalData TodoAsTyped(const CKalStore& store, CDTime day, const TypedEntry& typed)
{
    CKalData entry;
    entry.start = DateOnly(day);
    entry.Set(flag::kIsTodo, true);
    entry.text = typed.text;
    entry.place = typed.place;
    entry.priority = tododialog::kNewPriority;
    SetGenre(store, entry, typed.genre.value_or(store.DefaultTodoGenre()));
    return entry;
}

} // namespace kal
