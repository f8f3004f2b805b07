// Speed of the check commands on generated mines. The floor is one plain pass over every
// node, branch, pipe and device of the same mine: the checks should stay a small multiple
// of it at every size.

#include "core/checks/CheckCommands.h"
#include "core/checks/FreeNumbers.h"
#include "core/checks/MessageList.h"
#include "core/exchange/MineGenerator.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include "BenchMines.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

void ChecksFloor(benchmark::State& state)
{
    const TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qint64 sum = 0;
        for (const TUzel* u : mine.Uzels)
            sum += u->Number() + u->IncidentCount();
        for (const TBranch* b : mine.Branches)
            for (const TPipe* p : b->Pipes)
                for (const TDevice* d : p->Devices)
                    sum += d->Number();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void TopologyCheck(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    TMessageList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunTopologyCheck(mine, list));
    if (list.ErrorCount() != 0)
        state.SkipWithError("the bench mine has topology errors");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void PipelineCheck(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    TMessageList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunPipelineCheck(mine, list));
    if (list.Count() != 5 || list.ErrorCount() != 0)
        state.SkipWithError("the bench mine does not pass the pipeline check");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void FreeNumberSearch(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    TMessageList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunFreeNumbers(mine, list));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(ChecksFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(TopologyCheck)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(PipelineCheck)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(FreeNumberSearch)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
