// Feeds arbitrary bytes to the genre file reader. Whatever it accepts must survive being written and
// read again: names, notes, colours and the 16-bit values exactly (the reserved texts pass through the
// code page, which may replace characters, so they are only required to read back). The genres then
// become those of a small schedule, as for a file without genres of its own, whose entries point
// inside, just past and far beyond the list, and months are filled from it.

#include "FuzzSchedule.h"

#include "store/GenreArchive.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct Environment {
    kal::fuzz::Services services { 1767225600 }; // 2026-01-01 in Japan
    std::string schedule = kal::fuzz::SmallSchedule();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Environment environment;
    environment.services.ui.Clear();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kal::GenreArchiveError error;
    const std::optional<kal::CKalFieldArray> genres = kal::ReadGenreArchive(bytes, &error);
    if (!genres) {
        if (error.offset > size)
            __builtin_trap();
        return 0;
    }
    const std::optional<kal::CKalFieldArray> again = kal::ReadGenreArchive(kal::WriteGenreArchive(*genres));
    if (!again || again->Count() != genres->Count())
        __builtin_trap();
    for (int i = 0; i < genres->Count(); ++i) {
        const kal::CKalField& before = *genres->At(i);
        const kal::CKalField& after = *again->At(i);
        if (after.name != before.name || after.note != before.note || after.colour != before.colour
            || after.visible != before.visible || after.reserved != before.reserved)
            __builtin_trap();
    }
    kal::CKalStore store;
    if (!kal::LoadScheduleBytes(store, environment.schedule))
        __builtin_trap();
    store.genres = *genres;
    kal::fuzz::FillMonths(store, environment.services.settings.Weeks(), size);
    // The fill may close a small gap in the list for an entry's genre, never make up a long run of them.
    if (store.genres.Count() > genres->Count() + kal::CKalFieldArray::kMaxFillUp + 1)
        __builtin_trap();
    return 0;
}
