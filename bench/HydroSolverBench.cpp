// Speed of the hydraulic solve on generated networks shaped like a mine's fire-fighting pipe:
// branches of a few sections each between nodes on a plane, mostly a tree with every fiftieth
// branch closing a loop, steel pipes of both laws, a pressure-reducing valve now and then. Two cases: a fire
// (three hydrants draw water, the rest of the pipe stands still) and a pipe where every node
// draws a little (nothing to reduce: the floor of the factorisation).

#include "core/hydraulics/HydroSolver.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <random>

namespace {

using namespace Hydro;

TNetwork MakeNetwork(int branches, bool everyNodeDraws)
{
    std::mt19937 rng(1234);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    static const double kDiameters[] = {0.1, 0.15, 0.2, 0.25, 0.3};

    // The nodes stand on a square grid; the drifts follow a random spanning tree of it, and
    // every fiftieth branch closes a loop between grid neighbours.
    const int loops = branches / 50;
    const int uzels = branches - loops + 1;
    const int side = int(std::ceil(std::sqrt(double(uzels))));
    std::vector<std::pair<int, int>> ends;
    {
        std::vector<int> parent(uzels, -2);
        std::vector<std::pair<int, int>> frontier{{0, -1}};
        while (!frontier.empty()) {
            const int i = pick(int(frontier.size()));
            const auto [cell, from] = frontier[i];
            frontier[i] = frontier.back();
            frontier.pop_back();
            if (parent[cell] != -2)
                continue;
            parent[cell] = from;
            if (from >= 0)
                ends.emplace_back(from, cell);
            const int r = cell / side, c = cell % side;
            for (int next : {c > 0 ? cell - 1 : -1, c + 1 < side ? cell + 1 : -1, r > 0 ? cell - side : -1, cell + side})
                if (next >= 0 && next < uzels && parent[next] == -2)
                    frontier.emplace_back(next, cell);
        }
        while (int(ends.size()) < branches) {
            const int cell = pick(uzels);
            const int next = pick(2) == 0 ? cell + 1 : cell + side;
            if (next < uzels && (next != cell + 1 || (cell + 1) % side != 0) && parent[next] != cell && parent[cell] != next)
                ends.emplace_back(cell, next);
        }
    }

    TNetwork net;
    net.Junctions.push_back({0, 0, true, 1000});
    for (int cell = 0; cell < uzels; ++cell)
        net.Junctions.push_back({-50 + 0.02 * (cell % side) - 0.01 * (cell / side) + uniform(-5, 5), 0, false, 0});
    auto pipe = [&](int from, int to, double d) {
        TLink l;
        l.From = from;
        l.To = to;
        l.Law = pick(3) == 0 ? TPipeLaw::SnipNew : TPipeLaw::SnipOld;
        l.Diameter = d;
        l.Length = uniform(10, 60);
        l.K = 1.1;
        net.Links.push_back(l);
    };
    pipe(0, 1, 0.3);
    for (int b = 0; b < int(ends.size()); ++b) {
        const int start = 1 + ends[b].first, end = 1 + ends[b].second;
        const double z0 = net.Junctions[start].Elevation, z1 = net.Junctions[end].Elevation;
        const double d = kDiameters[pick(5)];
        const int sections = 3 + pick(5);
        int at = start;
        if (b % 997 == 500) {
            net.Junctions.push_back({z0, 0, false, 0});
            TLink valve;
            valve.Type = TLinkType::Prv;
            valve.From = at;
            valve.To = int(net.Junctions.size()) - 1;
            valve.SettingFlows = {0};
            valve.SettingPressures = {120};
            net.Links.push_back(valve);
            at = valve.To;
        }
        for (int s = 1; s < sections; ++s) {
            net.Junctions.push_back({z0 + (z1 - z0) * s / sections, 0, false, 0});
            pipe(at, int(net.Junctions.size()) - 1, d);
            at = int(net.Junctions.size()) - 1;
        }
        pipe(at, end, d);
    }
    if (everyNodeDraws) {
        for (int cell = 0; cell < uzels; ++cell)
            net.Junctions[1 + cell].Demand = 0.05 / uzels;
    } else {
        for (int i = 0; i < 3; ++i)
            net.Junctions[1 + pick(uzels)].Demand = 0.005;
    }
    return net;
}

const TNetwork& CachedNetwork(int branches, bool everyNodeDraws)
{
    static std::map<std::pair<int, bool>, TNetwork> cache;
    auto it = cache.find({branches, everyNodeDraws});
    if (it == cache.end())
        it = cache.emplace(std::make_pair(branches, everyNodeDraws), MakeNetwork(branches, everyNodeDraws)).first;
    return it->second;
}

void Solve(benchmark::State& state, bool everyNodeDraws)
{
    const TNetwork& net = CachedNetwork(int(state.range(0)), everyNodeDraws);
    TSolution solution;
    for (auto _ : state) {
        solution = Hydro::Solve(net);
        benchmark::DoNotOptimize(solution.Head.data());
    }
    if (!solution.Converged)
        state.SkipWithError("not converged");
    state.counters["links"] = double(net.Links.size());
    state.counters["iterations"] = solution.Iterations;
    state.counters["trials"] = solution.Trials;
}

void HydroSolveFire(benchmark::State& state) { Solve(state, false); }
void HydroSolveEveryNodeDraws(benchmark::State& state) { Solve(state, true); }

}  // namespace

BENCHMARK(HydroSolveFire)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(HydroSolveEveryNodeDraws)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
