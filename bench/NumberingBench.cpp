// Speed of the whole-mine numbering services and the statistics on generated mines. The
// floor is one pass that gives every fire-pipe device a number in branch order: renumbering
// by filling gaps asks for the first free number before each device, which must stay a
// small multiple of it rather than grow with the square of the mine.

#include "core/services/DeviceRenumbering.h"
#include "core/services/MineStatistics.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

#include "BenchMines.h"

#include <benchmark/benchmark.h>

namespace {

void NumberingFloor(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int next = 1;
        for (TBranch* b : mine.Branches)
            for (TDevice* d : b->FirePipe()->Devices)
                next += d->Number() > 0 ? 1 : 2;
        benchmark::DoNotOptimize(next);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void RenumberAfterMaximum(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        DeviceRenumbering::Renumber(mine, DeviceRenumbering::TMode::AfterMaximum);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void RenumberFillingGaps(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        DeviceRenumbering::Renumber(mine, DeviceRenumbering::TMode::FillFree);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Statistics(benchmark::State& state)
{
    const TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MineStatistics::Rows(mine, QStringLiteral("bench.irv"), 17));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(NumberingFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenumberAfterMaximum)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RenumberFillingGaps)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Statistics)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
