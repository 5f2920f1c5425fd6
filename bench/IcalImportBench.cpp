#include "BenchStore.h"

#include "calstore/IcalImport.h"
#include "calstore/IcalOutline.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace kal::bench {
namespace {

constexpr int kEvents = 100000;

// 100,000 floating events over 2020-2035 as a calendar program writes them: nine in ten single
// (some all-day, some over several days), one in ten repeating daily, weekly, monthly or yearly.
std::string CalendarText()
{
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Bench//EN\r\n";
    char line[512];
    for (int i = 0; i < kEvents; ++i) {
        const int year = 2020 + i % 16;
        const int month = 1 + i / 16 % 12;
        const int day = 1 + i / 192 % 28;
        const int hour = 8 + i % 11;
        std::snprintf(line, sizeof line, "BEGIN:VEVENT\r\nUID:bench-%d@example.org\r\nDTSTAMP:20260101T000000Z\r\n", i);
        text += line;
        if (i % 7 == 3)
            std::snprintf(line, sizeof line, "DTSTART;VALUE=DATE:%04d%02d%02d\r\nDTEND;VALUE=DATE:%04d%02d%02d\r\n",
                year, month, day, year, month, day + 1 + i % 3);
        else
            std::snprintf(line, sizeof line, "DTSTART:%04d%02d%02dT%02d0000\r\nDTEND:%04d%02d%02dT%02d3000\r\n", year,
                month, day, hour, year, month, day, hour);
        text += line;
        if (i % 10 == 0) {
            static const char* const kRules[] = { "FREQ=DAILY;INTERVAL=2;COUNT=30", "FREQ=WEEKLY;UNTIL=%04d1231T235959",
                "FREQ=MONTHLY;UNTIL=%04d1231T235959", "FREQ=YEARLY" };
            char rule[128];
            std::snprintf(rule, sizeof rule, kRules[i / 10 % 4], year + 1);
            text += std::string("RRULE:") + rule + "\r\n";
        }
        std::snprintf(line, sizeof line, "SUMMARY:予定 %d\r\nLOCATION:会議室 %d\r\nCATEGORIES:%s\r\nEND:VEVENT\r\n", i,
            i % 20, i % 3 ? "仕事" : "家庭");
        text += line;
    }
    return text + "END:VCALENDAR\r\n";
}

void BM_IcalImport(benchmark::State& state)
{
    QuietEnvironment quiet;
    const std::string text = CalendarText();
    CKalStore store;
    store.genres.FindOrAddByName(u"一般");
    for (auto _ : state) {
        auto imported = ImportIcal(store, text, IcalImportOptions { "bench.klx", {} });
        // A repeating event over several days has no rule of the program: it adds one entry a day.
        if (!imported || imported->report.skipped != 0 || imported->report.schedules < kEvents) {
            state.SkipWithError("import failed");
            break;
        }
        // The caller applies the operation and keeps it for undo: letting go of it is not the import's.
        state.PauseTiming();
        imported = Failure {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["events"] = kEvents;
    state.counters["peak_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(BM_IcalImport)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The floor under the import: libical's reading of the same text, nothing made of it.
void BM_IcalParseOnly(benchmark::State& state)
{
    const std::string text = CalendarText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseIcal(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_IcalParseOnly)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace
} // namespace kal::bench
