// Feeds arbitrary bytes to the schedule file reader, fills month grids from what it kept, then writes
// it and reads that again: nothing may crash or hang, and the second reading must keep every entry of
// the first.
#include "FuzzSchedule.h"

#include "platform/CodePage.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"
#include "views/MonthGrid.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

struct Environment {
    kal::fuzz::Services services { 1136041200 }; // 2006-01-01 in Japan
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Environment environment;
    environment.services.ui.Clear();
    environment.services.ui.QueuePassword(std::nullopt);
    kal::CKalStore store;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!kal::LoadScheduleBytes(store, bytes))
        return 0;
    // Every stored number ends up in the month fill's arithmetic: fill the month of the first entry
    // and one picked by the input, as the program does on opening a file.
    {
        kal::CMonthGrid grid;
        grid.Create(&store, 6);
        kal::YearMonth months[2]
            = { { 2006, 1 }, { kal::kFirstYear + static_cast<int>(size % 65), 1 + static_cast<int>(size % 12) } };
        if (store.EntryCount() > 0) {
            const kal::LocalFields start = store.Entry(0).start.Fields();
            months[0] = { start.year, start.month };
        }
        for (kal::YearMonth shown : months) {
            if (shown.year < kal::kFirstYear || shown.year > kal::kLastYear)
                continue;
            (void)grid.Fill(kal::CDTime(shown.year, shown.month, 1), shown);
        }
        environment.services.ui.Clear();
    }
    store.password.clear();
    const std::u16string text = kal::ScheduleFileText(store);
    const kal::CodePage::Encoded encoded = kal::CodePage::Ansi().Encode(text);
    // The save encodes line by line: it must give the bytes of the whole text encoded at once.
    const kal::ScheduleBytes byLine = kal::ScheduleFileBytes(store);
    if (byLine.Joined() != encoded.bytes || byLine.replaced != encoded.replaced)
        std::abort();
    kal::CKalStore again;
    if (!kal::LoadScheduleBytes(again, encoded.bytes))
        std::abort();
    if (again.EntryCount() != store.EntryCount())
        std::abort();
    return 0;
}
