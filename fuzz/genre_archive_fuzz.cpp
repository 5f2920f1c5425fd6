// Feeds arbitrary bytes to the genre file reader. Whatever it accepts must survive being written and
// read again: names, notes, colours and the 16-bit values exactly (the reserved texts pass through the
// code page, which may replace characters, so they are only required to read back).

#include "store/GenreArchive.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
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
    return 0;
}
