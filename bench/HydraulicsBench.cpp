// Speed of the hydraulic calculation of the fire-fighting pipe on generated mines: the whole
// calculation as the program runs it (the pipeline check, the network, the solve, the results
// table), the solve alone, and EPANET's EN_solveH on the same network written as an .inp file
// (read once, outside the timing). Medians of five runs.

#include "core/checks/MessageList.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/hydraulics/HydroSolver.h"
#include "core/hydraulics/InpWriter.h"
#include "core/model/Mine.h"

#include "BenchMines.h"
#include "EpanetOracle.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// The calculation of a bench mine, made once per size.
const THydroCalculation& Calculated(int branches)
{
    static std::map<int, std::unique_ptr<THydroCalculation>> done;
    auto& slot = done[branches];
    if (!slot) {
        slot = std::make_unique<THydroCalculation>();
        TMessageList list;
        if (slot->Prepare(BenchMine(branches), list))
            slot->Solve();
    }
    return *slot;
}

void HydraulicCalculation(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    bool ok = true;
    for (auto _ : state) {
        TMessageList list;
        const std::unique_ptr<THydroResults> results = THydroCalculation::Run(mine, list);
        ok = ok && results != nullptr;
        benchmark::DoNotOptimize(results.get());
    }
    if (!ok)
        state.SkipWithError("the calculation of the bench mine gave no results");
    state.counters["junctions"] = static_cast<double>(Calculated(static_cast<int>(state.range(0))).Network().Network.Junctions.size());
}

// The first step alone: the pipeline check and the network.
void HydraulicPrepare(benchmark::State& state)
{
    TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TMessageList list;
        THydroCalculation calc;
        benchmark::DoNotOptimize(calc.Prepare(mine, list));
    }
}

// The network alone, without the check.
void FireNetworkBuild(benchmark::State& state)
{
    const TMine& mine = BenchMine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TFireNetwork::Build(mine).Network.Links.size());
}

void HydraulicSolve(benchmark::State& state)
{
    const THydroCalculation& calc = Calculated(static_cast<int>(state.range(0)));
    if (!calc.Prepared()) {
        state.SkipWithError("the bench mine's network could not be built");
        return;
    }
    int iterations = 0;
    bool converged = true;
    for (auto _ : state) {
        const Hydro::TSolution s = Hydro::Solve(calc.Network().Network);
        iterations = s.Iterations;
        converged = converged && s.Converged;
    }
    if (!converged)
        state.SkipWithError("the solve did not converge");
    state.counters["iterations"] = iterations;
}

void EpanetSolveH(benchmark::State& state)
{
    const THydroCalculation& calc = Calculated(static_cast<int>(state.range(0)));
    if (!calc.Converged()) {
        state.SkipWithError("no converged solution to write");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine.inp"));
    Hydro::WriteInpFile(path, calc.Network().Network, calc.Solution());
    EpanetOracle::TProject project;
    if (const int code = project.Open(path.toStdString()); code != 0) {
        state.SkipWithError(EpanetOracle::TProject::ErrorText(code).c_str());
        return;
    }
    int code = 0;
    for (auto _ : state)
        code = project.SolveH();
    // 4 to 6 are warnings of the network's state (a pump or valve that cannot do its work,
    // negative pressures); 1 is a solve that stopped unbalanced after its trials, still timed.
    if (code > 6)
        state.SkipWithError(EpanetOracle::TProject::ErrorText(code).c_str());
    state.counters["unbalanced"] = code == 1 ? 1 : 0;
}

}  // namespace

BENCHMARK(HydraulicCalculation)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(HydraulicPrepare)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(FireNetworkBuild)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(HydraulicSolve)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(EpanetSolveH)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
