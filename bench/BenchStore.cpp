#include "BenchStore.h"

#include "platform/ValuesProfile.h"
#include "settings/KalSettings.h"
#include "ui/Ui.h"

#include "store/ScheduleFile.h"
#include "support/MemoryProfile.h"
#include "support/RecordingUi.h"

#include <cstdlib>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace kal::bench {

namespace {

MemoryProfile& Profile()
{
    static MemoryProfile profile;
    return profile;
}

RecordingUi& SilentUi()
{
    static RecordingUi ui;
    return ui;
}

CKalSettings& Settings()
{
    static CKalSettings settings;
    return settings;
}

} // namespace

QuietEnvironment::QuietEnvironment()
{
    Profile().SetInt("System", "HolidayChangeFlag1", 1);
    Profile::Install(&Profile());
    Ui::Install(&SilentUi());
    Settings().Load(Profile());
    CKalSettings::Install(&Settings());
}

QuietEnvironment::~QuietEnvironment()
{
    CKalSettings::Install(nullptr);
    Ui::Install(nullptr);
    Profile::Install(nullptr);
}

void FillRealisticStore(CKalStore& store, int count, std::uint32_t seed)
{
    std::mt19937 random(seed);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    static const char16_t* const kTexts[] = { u"打ち合わせ", u"歯医者", u"会議（第二会議室）", u"出張：大阪", u"誕生日",
        u"ゴミ出し", u"英会話", u"締め切り", u"ジム", u"飲み会" };
    static const char16_t* const kPlaces[] = { u"", u"", u"本社", u"新宿", u"自宅", u"渋谷区神南1-2-3" };
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<CKalData>();
        const int year = between(1995, 2030);
        const int month = between(1, 12);
        const int day = between(1, 28);
        const int hour = between(8, 20);
        entry->start = CDTime(year, month, day, hour, between(0, 3) * 15);
        entry->end = entry->start + 3600 * between(1, 3);
        entry->text = kTexts[between(0, 9)];
        entry->place = kPlaces[between(0, 5)];
        entry->colour = static_cast<Colour>(between(0, 0xFFFFFF));
        entry->genre = between(0, 4);
        entry->flags = flag::kStartTimeSet | flag::kEndTimeSet;
        if (between(0, 4) == 0)
            entry->memo = u"持ち物：資料、名刺\r\n連絡先：03-1234-5678";
        const int kind = between(0, 99);
        if (kind < 10) {
            entry->Set(flag::kIsTodo, true);
            entry->showDaysBefore = between(-1, 7);
        } else if (kind >= 50) {
            entry->repeatType = between(1, 4);
            entry->end = CDTime(std::min(year + between(0, 6), 2036), 12, 31);
            entry->repeatDayFrom = entry->repeatDayTo = day;
            if (kind >= 85) {
                entry->positionMode = 1;
                entry->weeks[static_cast<std::size_t>(between(0, 4))] = 1;
                entry->weekdays[static_cast<std::size_t>(between(0, 6))] = 1;
            }
            if (kind >= 90)
                entry->exclusions.push_back(ExclusionPeriod { year, month, day, year, month, day });
            if (kind >= 95)
                entry->avoidDays = 0x0E;
        }
        store.AppendEntry(std::move(entry));
    }
}

const std::string& RealisticScheduleFile()
{
    static const std::string path = [] {
        QuietEnvironment quiet;
        CKalStore store;
        FillRealisticStore(store, kRealisticEntries);
        std::string name = "/tmp/kalendra-bench-XXXXXX";
        ::close(::mkstemp(name.data()));
        if (SaveScheduleFile(store, name) != SaveOutcome::Saved)
            std::abort();
        std::atexit([] { ::unlink(RealisticScheduleFile().c_str()); });
        return name;
    }();
    return path;
}

double PeakMemoryMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace kal::bench
