#include "BenchStore.h"

#include "app/DocumentViews.h"
#include "store/ScheduleFile.h"
#include "support/RecordingCanvas.h"
#include "ui/CommandIds.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kal::bench {
namespace {

// What the window does from "open" to its first picture: read the file, fill the month and the day
// list, lay out and draw the month view (on a recording canvas: the drawing calls without pixels).
void BM_OpenToFirstPaint(benchmark::State& state)
{
    QuietEnvironment quiet;
    const CKalFieldArray genres;
    for (auto _ : state) {
        DocumentViews views(genres);
        views.month.OnSize(1000, 680);
        if (!views.document.OpenDocument(RealisticScheduleFile()))
            state.SkipWithError("open failed");
        RecordingCanvas canvas;
        views.month.OnDraw(canvas);
        benchmark::DoNotOptimize(canvas.Ops().size());
    }
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Page Down: the next month filled, the day list refilled and the month drawn.
void BM_NextMonth(benchmark::State& state)
{
    QuietEnvironment quiet;
    const CKalFieldArray genres;
    DocumentViews views(genres);
    CKalView& month = views.month;
    month.OnSize(1000, 680);
    if (!views.document.OpenDocument(RealisticScheduleFile()))
        state.SkipWithError("open failed");
    int steps = 0;
    for (auto _ : state) {
        month.OnCommand(++steps % 24 < 12 ? ID_GO_NEXT_MONTH : ID_GO_PREVIOUS_MONTH);
        RecordingCanvas canvas;
        month.OnDraw(canvas);
        benchmark::DoNotOptimize(canvas.Ops().size());
    }
}
BENCHMARK(BM_NextMonth)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace kal::bench
