// Feeds arbitrary bytes to the program as its settings file, reads the settings from it as the
// program does at start, then fills months of a small schedule with those settings: no value a
// settings file can hold may crash the month fill or make it run away.
#include "FuzzSchedule.h"

#include "platform/Clock.h"
#include "platform/IniProfile.h"
#include "platform/ValuesProfile.h"
#include "settings/KalSettings.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"
#include "support/FixedClock.h"
#include "support/MemoryProfile.h"
#include "support/RecordingUi.h"
#include "ui/Ui.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

struct Environment {
    Environment()
    {
        char folderName[] = "/tmp/kalendra-settings-fuzz-XXXXXX";
        if (!::mkdtemp(folderName))
            std::abort();
        folder = folderName;
        path = folder + "/Kalendra.ini";
        // The schedule is read with settings of its own, which do not ask for holiday updates.
        memory.SetInt("System", "HolidayChangeFlag1", 1);
        kal::Profile::Install(&memory);
        kal::Ui::Install(&ui);
        kal::Clock::Install(&clock);
    }
    ~Environment()
    {
        for (const char* suffix : { "", kal::IniProfile::kLockSuffix })
            ::unlink((path + suffix).c_str());
        ::rmdir(folder.c_str());
    }
    kal::FixedClock clock { 1767225600 }; // 2026-01-01 in Japan
    kal::MemoryProfile memory;
    kal::RecordingUi ui;
    std::string folder;
    std::string path;
    std::string schedule = kal::fuzz::SmallSchedule();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Environment environment;
    environment.ui.Clear();
    // Written plainly: the safe writer's flush to disk would make each run a hundred times slower.
    std::FILE* file = std::fopen(environment.path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();

    kal::IniProfile profile(environment.path);
    kal::CKalSettings settings;
    settings.Load(profile);
    kal::CKalStore store;
    if (!kal::LoadScheduleBytes(store, environment.schedule))
        std::abort();
    kal::Profile* previousProfile = kal::Profile::Install(&profile);
    kal::CKalSettings* previousSettings = kal::CKalSettings::Install(&settings);
    kal::fuzz::FillMonths(store, settings.Weeks(), size);
    kal::CKalSettings::Install(previousSettings);
    kal::Profile::Install(previousProfile);
    return 0;
}
