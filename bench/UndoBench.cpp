#include "BenchStore.h"

#include "app/KalDoc.h"
#include "store/StoreOperation.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <malloc.h>
#include <random>
#include <unistd.h>

namespace kal::bench {
namespace {

// The memory the process holds now (not its peak), in megabytes. Memory freed earlier in the process
// is used again without showing here, so the figures below hold only for a first run in a process.
double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// What the heap has handed out and not taken back, in megabytes (entries themselves live in their
// own pages, outside it).
double HeapMegabytes()
{
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// 1,000 changes as a day of heavy use makes them, spread over the file: edits, deletions, new
// entries, moves and day colours.
void MakeThousandChanges(CKalDoc& document, std::mt19937& random)
{
    for (int i = 0; i < 1000; ++i) {
        const CKalStore& store = document.Store();
        const int index = std::uniform_int_distribution<int>(0, store.EntryCount() - 2)(random);
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
        case 3: {
            CKalData edited;
            edited = store.Entry(index);
            edited.text += u"（変更）";
            edited.place = u"第二会議室";
            document.Apply(StoreOperation(u"編集").Replace(index, edited));
            break;
        }
        case 4:
        case 5:
            document.Apply(StoreOperation(u"削除").Remove(index));
            break;
        case 6:
        case 7: {
            auto entry = std::make_unique<CKalData>();
            entry->text = u"打ち合わせ";
            entry->start = entry->end = CDTime(2027, 1 + i % 12, 1 + i % 28, 10, 0);
            document.Apply(StoreOperation(u"追加").Append(std::move(entry)));
            break;
        }
        case 8:
            document.Apply(StoreOperation(u"移動").Exchange(index, index + 1));
            break;
        default:
            document.Apply(StoreOperation(u"色").SetDayColour(
                u"2027/01/" + std::u16string(1, static_cast<char16_t>(u'1' + i % 9)), DayColour { 0xFF, {} }));
            break;
        }
    }
}

// What 1,000 changes to a 100,000-entry file keep for undo, against what the file itself takes. Run
// it first and alone in its process (--benchmark_filter=History): see ResidentMegabytes.
void BM_HistoryOfThousandChanges(benchmark::State& state)
{
    QuietEnvironment quiet;
    const CKalFieldArray genres;
    for (auto _ : state) {
        const double empty = ResidentMegabytes();
        CKalDoc document(genres);
        FillRealisticStore(document.Store(), kRealisticEntries);
        std::mt19937 random(7);
        const double filled = ResidentMegabytes();
        const double heap = HeapMegabytes();
        MakeThousandChanges(document, random);
        state.counters["store_MB"] = filled - empty;
        state.counters["history_MB"] = ResidentMegabytes() - filled;
        state.counters["history_heap_MB"] = HeapMegabytes() - heap;
        state.counters["history_share"] = (ResidentMegabytes() - filled) / (filled - empty);
    }
}
BENCHMARK(BM_HistoryOfThousandChanges)->Unit(benchmark::kMillisecond)->Iterations(1);

// One undo and one redo of the last of 1,000 changes, in a 100,000-entry file: every kind in turn.
void BM_UndoAndRedo(benchmark::State& state)
{
    QuietEnvironment quiet;
    const CKalFieldArray genres;
    CKalDoc document(genres);
    FillRealisticStore(document.Store(), kRealisticEntries);
    std::mt19937 random(7);
    MakeThousandChanges(document, random);
    // Walks back and forth through the last ten changes, so that each kind is undone and redone.
    int depth = 0;
    bool back = true;
    for (auto _ : state) {
        if (back ? document.Undo() : document.Redo())
            ++depth;
        if (depth == 10) {
            depth = 0;
            back = !back;
        }
    }
    state.counters["entries"] = document.Store().EntryCount();
}
BENCHMARK(BM_UndoAndRedo)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace kal::bench
