#include "core/hydraulics/HydroSolver.h"
#include "core/hydraulics/PipeResistance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

using namespace Hydro;

// Heads to a millimetre, flows to a hundredth of a litre per second.
constexpr double kHead = 1e-3;
constexpr double kFlow = 1e-5;

// A network written link by link; pipes of the fixed law with L = 100 m, K = 1, so r = S·100.
struct TNet {
    TNetwork net;

    int Junction(double demand = 0, double elevation = 0)
    {
        net.Junctions.push_back({elevation, demand, false, 0});
        return int(net.Junctions.size()) - 1;
    }
    int Source(double head, double elevation = 0)
    {
        net.Junctions.push_back({elevation, 0, true, head});
        return int(net.Junctions.size()) - 1;
    }
    TLink& Add(TLinkType type, int from, int to)
    {
        TLink l;
        l.Type = type;
        l.From = from;
        l.To = to;
        net.Links.push_back(l);
        return net.Links.back();
    }
    int Pipe(int from, int to, double r)
    {
        TLink& l = Add(TLinkType::Pipe, from, to);
        l.Length = 100;
        l.S = r / 100;
        return int(net.Links.size()) - 1;
    }
    int Prv(int from, int to, std::vector<double> flows, std::vector<double> pressures)
    {
        TLink& l = Add(TLinkType::Prv, from, to);
        l.SettingFlows = std::move(flows);
        l.SettingPressures = std::move(pressures);
        return int(net.Links.size()) - 1;
    }
    int Pump(int from, int to, double a, double b)
    {
        TLink& l = Add(TLinkType::Pump, from, to);
        l.A = a;
        l.B = b;
        return int(net.Links.size()) - 1;
    }
    int Boost(int from, int to, double gain)
    {
        Add(TLinkType::Boost, from, to).Gain = gain;
        return int(net.Links.size()) - 1;
    }
    TSolution Solve(const TSolveOptions& options = {}) const
    {
        TSolution s = Hydro::Solve(net, options);
        EXPECT_TRUE(s.Solved) << s.Error.toStdString();
        return s;
    }
};

TEST(HydroSolver, SinglePipeFromAReservoir)
{
    TNet n;
    const int r = n.Source(100);
    const int a = n.Junction(0.01, 10);
    TLink& pipe = n.Add(TLinkType::Pipe, r, a);
    pipe.Length = 100;
    pipe.K = 1.1;
    pipe.S = 1000;
    // h = S·L·K·q² = 1000·100·1.1·0.0001 = 11 m.
    const TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Head[a], 89, kHead);
    EXPECT_NEAR(s.Flow[0], 0.01, kFlow);
    EXPECT_EQ(s.S[0], 1000);
    EXPECT_EQ(s.Status[0], TLinkStatus::Open);
    EXPECT_LT(s.MaxHeadError, 0.001);

    // A new steel pipe, d = 0.1, L = 1000, at V = 1 m/s (q = 0.00785398): h = 0.0153334·1000.
    pipe.Law = TPipeLaw::SnipNew;
    pipe.Diameter = 0.1;
    pipe.Length = 1000;
    pipe.K = 1;
    n.net.Junctions[a].Demand = std::numbers::pi * 0.01 / 4;
    const TSolution snip = n.Solve();
    ASSERT_TRUE(snip.Converged);
    EXPECT_NEAR(snip.Head[a], 100 - 15.3334, kHead);
    EXPECT_NEAR(snip.S[0], 248.576, 1e-3) << "the resistance at the solved flow";
}

TEST(HydroSolver, DemandsInSeriesWithAChainAndADeadEnd)
{
    TNet n;
    const int r = n.Source(100);
    const int a = n.Junction(0.01);
    const int b = n.Junction();  // draws nothing: inside a chain
    const int c = n.Junction(0.02);
    const int d = n.Junction();  // a dead end
    const int e = n.Junction();
    n.Pipe(r, a, 10000);         // q = 0.03, h = 9
    n.Pipe(b, a, 5000);          // drawn against its direction: q = −0.02, h = 2
    n.Pipe(b, c, 15000);         // q = 0.02, h = 6
    n.Pipe(b, d, 7000);          // no flow
    n.Pipe(d, e, 7000);
    const TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Head[a], 91, kHead);
    EXPECT_NEAR(s.Head[b], 89, kHead);
    EXPECT_NEAR(s.Head[c], 83, kHead);
    EXPECT_NEAR(s.Head[d], 89, kHead);
    EXPECT_NEAR(s.Head[e], 89, kHead);
    EXPECT_NEAR(s.Flow[0], 0.03, kFlow);
    EXPECT_NEAR(s.Flow[1], -0.02, kFlow);
    EXPECT_NEAR(s.Flow[2], 0.02, kFlow);
    EXPECT_EQ(s.Flow[3], 0);
    EXPECT_EQ(s.Flow[4], 0);
}

TEST(HydroSolver, LoopSplitsTheFlowByResistance)
{
    // Chosen so that q01 = 0.02, q12 = 0.01, q02 = 0.01: the loop's losses 5000·0.0004 +
    // 20000·0.0001 = 40000·0.0001 = 4 m balance, and the demands 0.01 and 0.02 are met.
    TNet n;
    const int r = n.Source(100);
    const int a = n.Junction(0.01);
    const int b = n.Junction(0.02);
    n.Pipe(r, a, 5000);
    n.Pipe(a, b, 20000);
    n.Pipe(r, b, 40000);
    TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Flow[0], 0.02, kFlow);
    EXPECT_NEAR(s.Flow[1], 0.01, kFlow);
    EXPECT_NEAR(s.Flow[2], 0.01, kFlow);
    EXPECT_NEAR(s.Head[a], 98, kHead);
    EXPECT_NEAR(s.Head[b], 96, kHead);
    const double loopSum = (s.Head[r] - s.Head[a]) + (s.Head[a] - s.Head[b]) - (s.Head[r] - s.Head[b]);
    EXPECT_NEAR(loopSum, 0, 1e-9);

    // Node a draws nothing: the path through it is one chain parallel to the direct pipe.
    // h = 25000·q1² = 40000·q2², q1 + q2 = 0.03: q2 = 0.03 / (1 + √1.6) = 0.0132456, h = 7.01780.
    n.net.Junctions[a].Demand = 0;
    n.net.Junctions[b].Demand = 0.03;
    s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Flow[2], 0.0132456, kFlow);
    EXPECT_NEAR(s.Flow[0], 0.03 - 0.0132456, kFlow);
    EXPECT_NEAR(s.Head[b], 100 - 7.01780, kHead);
    // The inner junction: 100 − 5000·0.0167544² = 98.59645.
    EXPECT_NEAR(s.Head[a], 98.59645, kHead);
}

TEST(HydroSolver, ClosedLinkCarriesNothing)
{
    TNet n;
    const int r = n.Source(100);
    const int a = n.Junction(0.01);
    const int b = n.Junction(0.02);
    n.Pipe(r, a, 5000);
    n.Pipe(a, b, 20000);
    n.Pipe(r, b, 40000);
    n.net.Links[2].Closed = true;
    // All through a: 5000·0.03² = 4.5, 20000·0.02² = 8.
    const TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_EQ(s.Flow[2], 0);
    EXPECT_EQ(s.Status[2], TLinkStatus::Closed);
    EXPECT_NEAR(s.Head[a], 95.5, kHead);
    EXPECT_NEAR(s.Head[b], 87.5, kHead);
}

TEST(HydroSolver, PressureReducingValveHoldsOpensAndCloses)
{
    // Reservoir → pipe (r 10000) → inlet → valve → outlet (elevation 10) → pipe (r 10000) → 0.01.
    TNet n;
    const int r = n.Source(100);
    const int in = n.Junction();
    const int out = n.Junction(0, 10);
    const int use = n.Junction(0.01);
    n.Pipe(r, in, 10000);
    const int valve = n.Prv(in, out, {0, 0.02}, {20, 40});
    n.Pipe(out, use, 10000);
    // Setting at 0.01: 30 m, so the outlet head is 10 + 30 = 40; the inlet loses 1 m.
    TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_EQ(s.Status[valve], TLinkStatus::Active);
    EXPECT_NEAR(s.Flow[valve], 0.01, kFlow);
    EXPECT_NEAR(s.Head[in], 99, kHead);
    EXPECT_NEAR(s.Head[out], 40, kHead);
    EXPECT_NEAR(s.Head[use], 39, kHead);

    // A reservoir of 35 cannot give the outlet 40: the valve stands open and loses nothing.
    n.net.Junctions[r].FixedHead = 35;
    s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_EQ(s.Status[valve], TLinkStatus::Open);
    EXPECT_NEAR(s.Head[in], 34, kHead);
    EXPECT_NEAR(s.Head[out], 34, kHead);
    EXPECT_NEAR(s.Head[use], 33, kHead);

    // A reservoir of 120 behind the user (pipe r 10000): the outlet head 119 is above the
    // setting and water would flow back through the valve, so it closes.
    n.net.Junctions[r].FixedHead = 100;
    const int high = n.Source(120);
    n.Pipe(use, high, 10000);
    s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_EQ(s.Status[valve], TLinkStatus::Closed);
    EXPECT_EQ(s.Flow[valve], 0);
    EXPECT_NEAR(s.Head[use], 119, kHead);
    EXPECT_NEAR(s.Head[out], 119, kHead);
    EXPECT_NEAR(s.Head[in], 100, kHead);
}

TEST(HydroSolver, ValveWhoseSettingFallsWithTheFlow)
{
    // Setting 45 m at no flow down to 5 m at 4 l/s; the outlet (elevation −10) draws 1 l/s
    // and spills into a reservoir of head 0 through r = 1 250 000. At q = 3 l/s the setting
    // is 15 m, the outlet head 5, the spill √(5/1.25e6) = 2 l/s: 1 + 2 = 3. Followed with
    // the setting of the last flow, the valve would swing: a litre more lowers the head by
    // 10 m, which cuts the spill by far more than a litre.
    TNet n;
    const int r = n.Source(100);
    const int out = n.Junction(0.001, -10);
    const int low = n.Source(0);
    const int valve = n.Prv(r, out, {0, 0.004}, {45, 5});
    const int spill = n.Pipe(out, low, 1.25e6);
    const TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_EQ(s.Status[valve], TLinkStatus::Active);
    EXPECT_NEAR(s.Flow[valve], 0.003, kFlow);
    EXPECT_NEAR(s.Flow[spill], 0.002, kFlow);
    EXPECT_NEAR(s.Head[out], 5, kHead);
}

TEST(HydroSolver, PumpCheckValveClosesAgainstAHigherReservoir)
{
    // Reservoir 50 → pump (60 − 100000·q²) → 0.01 drawn: gain 60 − 10 = 50, head 100.
    TNet n;
    const int r = n.Source(50);
    const int a = n.Junction(0.01);
    const int pump = n.Pump(r, a, 60, 1e5);
    TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_EQ(s.Status[pump], TLinkStatus::Open);
    EXPECT_NEAR(s.Flow[pump], 0.01, kFlow);
    EXPECT_NEAR(s.Head[a], 100, kHead);

    // A reservoir of 150 on the discharge side (pipe r 10000) feeds the demand at 149: the pump
    // would have to lift 99 m, more than its shutoff head, and its check valve shuts.
    const int high = n.Source(150);
    n.Pipe(a, high, 10000);
    s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_EQ(s.Status[pump], TLinkStatus::Closed);
    EXPECT_EQ(s.Flow[pump], 0);
    EXPECT_NEAR(s.Head[a], 149, kHead);
}

TEST(HydroSolver, BoostAddsItsHeadEitherWay)
{
    TNet n;
    const int r = n.Source(100);
    const int a = n.Junction();
    const int b = n.Junction(0.01);
    const int boost = n.Boost(r, a, 20);
    n.Pipe(a, b, 10000);
    TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Head[a], 120, kHead);
    EXPECT_NEAR(s.Head[b], 119, kHead);
    EXPECT_NEAR(s.Flow[boost], 0.01, kFlow);

    // Turned toward the reservoir, the water flows against it: the reservoir stands 20 m above.
    std::swap(n.net.Links[boost].From, n.net.Links[boost].To);
    s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Head[a], 80, kHead);
    EXPECT_NEAR(s.Head[b], 79, kHead);
    EXPECT_NEAR(s.Flow[boost], -0.01, kFlow);
}

TEST(HydroSolver, PartsNoSourceReaches)
{
    TNet n;
    const int r = n.Source(100);
    const int a = n.Junction(0.01);
    const int lone1 = n.Junction();
    const int lone2 = n.Junction();
    n.Pipe(r, a, 10000);
    n.Pipe(lone1, lone2, 10000);
    const int gate = n.Pipe(a, lone1, 10000);
    n.net.Links[gate].Closed = true;

    // Drawing nothing, the part behind the shut gate is left out.
    TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Head[a], 99, kHead);
    EXPECT_TRUE(std::isnan(s.Head[lone1]));
    EXPECT_TRUE(std::isnan(s.Head[lone2]));
    EXPECT_EQ(s.Flow[1], 0);
    EXPECT_TRUE(std::isfinite(s.S[1]));

    // Drawing water, it cannot be solved.
    n.net.Junctions[lone2].Demand = 0.001;
    n.net.JunctionNames = {"Р", "1", "2", "3"};
    s = Hydro::Solve(n.net);
    EXPECT_FALSE(s.Solved);
    EXPECT_EQ(s.Unfed, std::vector<int>{lone2});
    EXPECT_TRUE(s.Error.contains(QStringLiteral("3"))) << s.Error.toStdString();

    // A pump or a valve passes water one way: a part behind one that points toward the
    // source is no better fed than behind a shut gate.
    n.net.JunctionNames.clear();
    n.net.Links[gate].Closed = false;
    n.net.Links[gate].Type = TLinkType::Pump;
    n.net.Links[gate].From = lone1;
    n.net.Links[gate].To = a;
    n.net.Links[gate].A = 10;
    s = Hydro::Solve(n.net);
    EXPECT_FALSE(s.Solved);
    EXPECT_EQ(s.Unfed, std::vector<int>{lone2});
    n.net.Links[gate].Type = TLinkType::Prv;
    n.net.Links[gate].SettingFlows = {0};
    n.net.Links[gate].SettingPressures = {30};
    s = Hydro::Solve(n.net);
    EXPECT_EQ(s.Unfed, std::vector<int>{lone2});
    n.net.Junctions[lone2].Demand = 0;
    s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_NEAR(s.Head[a], 99, kHead);
    EXPECT_TRUE(std::isnan(s.Head[lone1]));
    EXPECT_EQ(s.Flow[gate], 0);
}

TEST(HydroSolver, StillNetworkConvergesInBalance)
{
    // A 40 × 40 grid of branches of four new 100 mm pipes each, fed at a corner, with two
    // hydrants drawing 5 l/s: nearly all of it stands still, its loops carrying next to nothing.
    constexpr int side = 40;
    TNet n;
    const int r = n.Source(1000);
    std::vector<int> grid;
    for (int i = 0; i < side * side; ++i)
        grid.push_back(n.Junction(0, -0.1 * i));
    auto branch = [&](int from, int to) {
        int at = from;
        for (int s = 0; s < 4; ++s) {
            const int next = s == 3 ? to : n.Junction();
            TLink& l = n.Add(TLinkType::Pipe, at, next);
            l.Law = TPipeLaw::SnipNew;
            l.Diameter = 0.1;
            l.Length = 25;
            at = next;
        }
    };
    branch(r, grid[0]);
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j) {
            if (j + 1 < side)
                branch(grid[i * side + j], grid[i * side + j + 1]);
            if (i + 1 < side)
                branch(grid[i * side + j], grid[(i + 1) * side + j]);
        }
    n.net.Junctions[grid[side * side - 1]].Demand = 0.005;
    n.net.Junctions[grid[side * 7 + 30]].Demand = 0.005;
    const TSolution s = n.Solve();
    ASSERT_TRUE(s.Converged);
    EXPECT_LT(s.Iterations, 40);
    EXPECT_NEAR(s.Flow[0], 0.01, 1e-8) << "all that is drawn passes the first pipe";
    EXPECT_LT(s.MaxHeadError, 0.001);
}

TEST(HydroSolver, InputThatIsNotNumbersIsRefused)
{
    auto refused = [](const TNet& n) {
        const TSolution s = Hydro::Solve(n.net);
        return !s.Solved && s.Error.startsWith(QStringLiteral("Неверные исходные данные: ")) && s.Head.empty();
    };
    TNet good;
    const int r = good.Source(100);
    const int a = good.Junction(0.01);
    good.Pipe(r, a, 10000);
    ASSERT_FALSE(refused(good));

    TNet n = good;
    n.net.Junctions[a].Elevation = NAN;
    EXPECT_TRUE(refused(n));
    n = good;
    n.net.Junctions[a].Demand = -0.01;
    EXPECT_TRUE(refused(n));
    n = good;
    n.net.Junctions[r].FixedHead = INFINITY;
    EXPECT_TRUE(refused(n));
    n = good;
    n.net.Links[0].S = NAN;
    EXPECT_TRUE(refused(n));
    n = good;
    n.net.Links[0].Law = TPipeLaw::SnipOld;  // no diameter
    EXPECT_TRUE(refused(n));
    n = good;
    n.net.Links[0].To = 7;
    EXPECT_TRUE(refused(n));
    n = good;
    n.Pump(r, a, 10, NAN);
    EXPECT_TRUE(refused(n));
    n = good;
    n.Prv(r, a, {0.01, 0.005}, {10, 20});  // flows not ascending
    EXPECT_TRUE(refused(n));
}

TEST(HydroSolver, GivingUpSaysWhatKeptSwitching)
{
    TNet n;
    const int r = n.Source(35);
    const int in = n.Junction();
    const int out = n.Junction(0, 10);
    n.Pipe(r, in, 10000);
    const int valve = n.Prv(in, out, {0}, {30});
    n.Pipe(out, n.Junction(0.01), 10000);

    // The valve starts holding its outlet and must open: with no status trials allowed the
    // solve gives up and names it.
    TSolveOptions options;
    options.MaxTrials = 0;
    TSolution s = n.Solve(options);
    EXPECT_FALSE(s.Converged);
    EXPECT_EQ(s.Switching, std::vector<int>{valve});

    // Too few iterations: not converged, but nothing switching to blame.
    n.net.Junctions[r].FixedHead = 100;
    options = {};
    options.MaxIterations = 1;
    s = n.Solve(options);
    EXPECT_FALSE(s.Converged);
    EXPECT_EQ(s.Iterations, 1);

    // Stopped by the caller after the second iteration.
    options = {};
    options.Progress = [](int iteration) { return iteration < 2; };
    s = n.Solve(options);
    EXPECT_FALSE(s.Converged);
    EXPECT_EQ(s.Iterations, 2);
}

TEST(HydroSolver, RandomNetworksKeepBalanceAndPipeLaws)
{
    // Trees with a few loops, chains and dead ends, shut pipes and parts cut off by them, a
    // boost, a pump or a valve here and there: whatever the reduction does, every junction must
    // balance and every link obey its law.
    std::mt19937 rng(11);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int round = 0; round < 600; ++round) {
        TNet n;
        n.Source(uniform(50, 150));
        const int count = 10 + pick(50);
        std::vector<char> valveEnd(count, 0);
        for (int j = 1; j < count; ++j) {
            n.Junction(pick(3) == 0 ? uniform(0, 0.005) : 0, uniform(-20, 20));
            const int links = j < 3 || pick(8) != 0 ? 1 : 2;
            for (int l = 0; l < links; ++l) {
                TLink& pipe = n.Add(TLinkType::Pipe, pick(2) ? pick(j) : j, 0);
                pipe.To = pipe.From == j ? pick(j) : j;
                pipe.Law = TPipeLaw(pick(3));
                pipe.Diameter = 0.05 + 0.05 * pick(4);
                pipe.S = uniform(100, 5000);
                pipe.Length = uniform(1, 300);
                pipe.K = 1.1;
                pipe.Closed = pick(20) == 0;
                // Boosts and valves on the tree's links only: a ring of them alone would
                // drive water round without end.
                if (l == 0 && pick(15) == 0) {
                    pipe.Type = TLinkType::Boost;
                    pipe.Gain = uniform(0, 20);
                } else if (pick(15) == 0) {
                    pipe.Type = TLinkType::Pump;
                    pipe.A = uniform(0, 40);
                    pipe.B = uniform(0, 1e5);
                } else if (l == 0 && pick(12) == 0 && pipe.To != 0 && !valveEnd[pipe.From] && !valveEnd[pipe.To]) {
                    pipe.Type = TLinkType::Prv;
                    valveEnd[pipe.From] = valveEnd[pipe.To] = 1;
                    pipe.SettingFlows = {0, 0.01};
                    pipe.SettingPressures = {uniform(0, 60), uniform(0, 60)};
                }
            }
        }
        // A second source, reached from the first through pipes only (boosts between given
        // heads could not balance).
        const int second = pick(count);
        bool pipesOnly = true;
        for (const TLink& l : n.net.Links)
            if ((l.From == second || l.To == second) && l.Type != TLinkType::Pipe)
                pipesOnly = false;
        if (pick(2) && pipesOnly)
            n.net.Junctions[second].Fixed = true;
        const TSolution s = Hydro::Solve(n.net);
        if (!s.Solved) {
            EXPECT_FALSE(s.Unfed.empty()) << s.Error.toStdString();
            for (int j : s.Unfed)
                EXPECT_GT(n.net.Junctions[j].Demand, 0);
            continue;
        }
        ASSERT_TRUE(s.Converged) << "round " << round;
        std::vector<double> balance(count, 0);
        for (int k = 0; k < int(n.net.Links.size()); ++k) {
            const TLink& l = n.net.Links[k];
            balance[l.From] -= s.Flow[k];
            balance[l.To] += s.Flow[k];
            ASSERT_TRUE(std::isfinite(s.S[k]));
            ASSERT_TRUE(std::isfinite(s.Flow[k]));
            if (l.Closed || std::isnan(s.Head[l.From])) {
                EXPECT_EQ(s.Flow[k], 0);
                continue;
            }
            const double gain = s.Head[l.To] - s.Head[l.From];
            if (l.Type == TLinkType::Boost) {
                EXPECT_NEAR(gain, l.Gain, 1e-3) << "round " << round << ", boost " << k;
                continue;
            }
            if (l.Type == TLinkType::Prv) {
                const double q = s.Flow[k];
                const double t = std::clamp(q / 0.01, 0.0, 1.0);
                const double hset = n.net.Junctions[l.To].Elevation + l.SettingPressures[0] + t * (l.SettingPressures[1] - l.SettingPressures[0]);
                const double h1 = s.Head[l.From], h2 = s.Head[l.To];
                if (s.Status[k] == TLinkStatus::Active) {
                    EXPECT_NEAR(h2, hset, 1e-3) << "round " << round << ", valve " << k;
                    EXPECT_GE(h1, hset - 1e-3) << "round " << round << ", valve " << k;
                    EXPECT_GE(q, -1e-5) << "round " << round << ", valve " << k;
                } else if (s.Status[k] == TLinkStatus::Open) {
                    EXPECT_NEAR(h1, h2, 1e-3) << "round " << round << ", valve " << k;
                    EXPECT_LE(h2, hset + 1e-3) << "round " << round << ", valve " << k;
                    EXPECT_GE(q, -1e-5) << "round " << round << ", valve " << k;
                } else {
                    EXPECT_EQ(q, 0);
                    EXPECT_TRUE(h2 >= hset - 1e-3 || h1 <= h2 + 1e-3) << "round " << round << ", valve " << k << " shut needlessly";
                }
                continue;
            }
            if (l.Type == TLinkType::Pump) {
                if (s.Status[k] == TLinkStatus::Closed) {
                    EXPECT_EQ(s.Flow[k], 0);
                    EXPECT_GT(gain, l.A - 1e-3) << "round " << round << ", pump " << k << " shut needlessly";
                } else {
                    EXPECT_GE(s.Flow[k], -1e-5) << "round " << round << ", pump " << k;
                    EXPECT_NEAR(gain, l.A - l.B * s.Flow[k] * std::fabs(s.Flow[k]), 1e-3) << "round " << round << ", pump " << k;
                }
                continue;
            }
            double h = l.S * l.Length * l.K * s.Flow[k] * std::fabs(s.Flow[k]);
            if (l.Law != TPipeLaw::Fixed) {
                const double v = s.Flow[k] / (std::numbers::pi * l.Diameter * l.Diameter / 4);
                h = std::copysign(SnipGradient(l.Law, l.Diameter, v) * l.Length * l.K, v);
            }
            EXPECT_NEAR(s.Head[l.From] - s.Head[l.To], h, 2e-3) << "round " << round << ", pipe " << k;
        }
        for (int j = 0; j < count; ++j) {
            const TJunction& junction = n.net.Junctions[j];
            if (std::isnan(s.Head[j])) {
                EXPECT_EQ(junction.Demand, 0);
            } else if (!junction.Fixed) {
                EXPECT_NEAR(balance[j], junction.Demand, 1e-7) << "round " << round << ", junction " << j;
            }
        }
    }
}

}  // namespace
