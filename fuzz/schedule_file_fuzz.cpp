// Feeds arbitrary bytes to the schedule file reader, then writes what it kept and reads that again:
// nothing may crash, and the second reading must keep every entry of the first.
#include "platform/CodePage.h"
#include "platform/ValuesProfile.h"
#include "settings/KalSettings.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"
#include "ui/Ui.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

struct Environment {
    Environment()
    {
        profile.SetInt("System", "HolidayChangeFlag1", 1);
        kal::Profile::Install(&profile);
        kal::Ui::Install(&ui);
        settings.Load(profile);
        kal::CKalSettings::Install(&settings);
    }
    kal::MemoryProfile profile;
    kal::RecordingUi ui;
    kal::CKalSettings settings;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Environment environment;
    environment.ui.Clear();
    environment.ui.QueuePassword(std::nullopt);
    kal::CKalStore store;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (kal::LoadScheduleBytes(store, bytes) == kal::LoadResult::Failed)
        return 0;
    store.password.clear();
    const std::u16string text = kal::ScheduleFileText(store);
    const kal::CodePage::Encoded encoded = kal::CodePage::Ansi().Encode(text);
    kal::CKalStore again;
    if (kal::LoadScheduleBytes(again, encoded.bytes) == kal::LoadResult::Failed)
        std::abort();
    if (again.EntryCount() != store.EntryCount())
        std::abort();
    return 0;
}
