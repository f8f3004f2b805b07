// Whole-mine editing on generated mines: rotating every node, splitting one branch, and
// merging a mine with itself, beside the floor of writing the mine's file body once (a
// single pass over every object). Every benchmark counts branches per second, so the ratios
// read straight off the output: RotateAll / WholeMineFloor, Merge / WholeMineFloor.

#include "BenchMines.h"

#include "core/services/BranchSplit.h"
#include "core/services/MineMerge.h"
#include "core/services/NodeTransform.h"
#include "core/schema/SchemaPositions.h"
#include "core/exchange/MineGenerator.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// A mine of its own per size: these benchmarks change it.
TMine& EditedMine(int branches)
{
    static std::map<int, std::unique_ptr<TMine>> mines;
    auto& slot = mines[branches];
    if (!slot)
        slot = MineGenerator::Generate(branches, 2);
    return *slot;
}

void WholeMineFloor(benchmark::State& state)
{
    const TMine& mine = EditedMine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            NetworkFile::WriteBody(mine, TDocumentSettings::Defaults(), {}, kCurrentStreamVersion).size());
    state.SetItemsProcessed(state.iterations() * mine.Branches.Count());
}

void RotateAll(benchmark::State& state)
{
    TMine& mine = EditedMine(static_cast<int>(state.range(0)));
    const TTransformRequest r = BenchRotation();
    const std::vector<TUzel*> nodes = mine.Uzels.ToVector();
    for (auto _ : state)
        NodeTransform::Apply(mine, nodes, r);
    state.SetItemsProcessed(state.iterations() * mine.Branches.Count());
}

void SplitOne(benchmark::State& state)
{
    TMine& mine = EditedMine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // The last branch each time: splitting adds branches after it.
        TBranch* b = mine.Branches.Last();
        if (!b->Linked())
            state.SkipWithError("the last branch has no end node");
        const TSplitPlan plan = BranchSplit::Plan(mine, *b, 3, TSplitNumbering::Free, TSplitNumbering::Free);
        BranchSplit::Execute(mine, plan);
    }
    state.SetItemsProcessed(state.iterations() * mine.Branches.Count());
}

void Merge(benchmark::State& state)
{
    const TMine& mine = EditedMine(static_cast<int>(state.range(0)));
    TMergeRequest r;
    r.Dx = 10000;
    r.Dy = 100;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            MineMerge::Merge(mine, TDocumentSettings::Defaults(), {}, mine, r).Mine->Branches.Count());
    state.SetItemsProcessed(state.iterations() * mine.Branches.Count());
}

}  // namespace

BENCHMARK(WholeMineFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RotateAll)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SplitOne)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Merge)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
