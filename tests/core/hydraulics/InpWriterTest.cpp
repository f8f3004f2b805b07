#include "EpanetOracle.h"
#include "support/TempDir.h"

#include "core/file/FileError.h"
#include "core/hydraulics/InpWriter.h"

#include <gtest/gtest.h>

#include <cmath>

// Networks whose answer is known in closed form, written with a solution made by hand and
// solved by EPANET: the file must carry each element's law exactly as the network states it.

using namespace Hydro;

namespace {

int AddJunction(TNetwork& net, double elevation, double demand = 0)
{
    net.Junctions.push_back({elevation, demand, false, 0});
    return static_cast<int>(net.Junctions.size()) - 1;
}

int AddSource(TNetwork& net, double head)
{
    net.Junctions.push_back({0, 0, true, head});
    return static_cast<int>(net.Junctions.size()) - 1;
}

TLink& AddLink(TNetwork& net, TLinkType type, int from, int to)
{
    TLink link;
    link.Type = type;
    link.From = from;
    link.To = to;
    net.Links.push_back(link);
    return net.Links.back();
}

TLink& AddPipe(TNetwork& net, int from, int to, double s, double length, double k = 1)
{
    TLink& link = AddLink(net, TLinkType::Pipe, from, to);
    link.S = s;
    link.Length = length;
    link.K = k;
    return link;
}

// A solution holding the pipes' fixed S; flows and heads as the test sets them.
TSolution SolutionOf(const TNetwork& net)
{
    TSolution s;
    s.Converged = s.Solved = true;
    s.Head.assign(net.Junctions.size(), 0);
    s.Flow.assign(net.Links.size(), 0);
    s.S.assign(net.Links.size(), 0);
    for (std::size_t i = 0; i < net.Links.size(); ++i)
        if (net.Links[i].Type == TLinkType::Pipe)
            s.S[i] = net.Links[i].S;
    return s;
}

struct TSolved {
    EpanetOracle::TResult Result;
    TInpIds Ids;
    double Head(int j) const { return Result.Heads.at(Ids.Junctions[static_cast<std::size_t>(j)]); }
    double Flow(int l) const
    {
        const double q = Result.Flows.at(Ids.Links[static_cast<std::size_t>(l)]);
        return Ids.LinkReversed[static_cast<std::size_t>(l)] ? -q : q;
    }
};

TSolved RunEpanet(const TNetwork& net, const TSolution& solution)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("net.inp"));
    WriteInpFile(path, net, solution, QStringLiteral("test"));
    TSolved solved{EpanetOracle::Solve(path.toStdString()), MakeInpIds(net, &solution)};
    EXPECT_EQ(solved.Result.Code, 0) << solved.Result.Message;
    return solved;
}

}  // namespace

// Two sources joined through a fixed pipe and a pipe whose resistance comes from its solved
// flow: the flow is √(ΔH / ΣS·L·K) only when every pipe's roughness reproduces its S·L·K in
// EPANET's own units, and only when the solved S is taken for the flow-dependent pipe.
TEST(InpWriter, PipesLoseWhatTheirResistanceSays)
{
    TNetwork net;
    const int a = AddSource(net, 100);
    const int j = AddJunction(net, -20);
    const int b = AddSource(net, 90);
    AddPipe(net, a, j, 0.8, 350, 1.1);
    TLink& snip = AddPipe(net, j, b, 0, 120);
    snip.Law = TPipeLaw::SnipOld;
    snip.Diameter = 0.1;
    TSolution solution = SolutionOf(net);
    solution.S[1] = 4.2;  // as solved at this flow

    const double r1 = 0.8 * 350 * 1.1;
    const double r2 = 4.2 * 120;
    const double q = std::sqrt(10 / (r1 + r2));
    const TSolved e = RunEpanet(net, solution);
    EXPECT_NEAR(e.Flow(0), q, q * 1e-6);
    EXPECT_NEAR(e.Flow(1), q, q * 1e-6);
    EXPECT_NEAR(e.Head(j), 100 - r1 * q * q, 1e-5);
}

// The Manning roughness alone, over the diameters and resistances the pipes have.
TEST(InpWriter, RoughnessScalesAsTheSquareRootOfResistance)
{
    const double n = ManningRoughness(200, 0.15, 300);
    EXPECT_GT(n, 0);
    EXPECT_NEAR(ManningRoughness(800, 0.15, 300), 2 * n, n * 1e-12);
    EXPECT_NEAR(ManningRoughness(200, 0.15, 1200), n / 2, n * 1e-12);
    EXPECT_GT(ManningRoughness(0, 0.15, 300), 0) << "EPANET refuses a roughness of zero";
    EXPECT_GT(ManningRoughness(std::nan(""), 0.15, 300), 0);
}

// A pump against a higher source: A − B·q² = ΔH + R·q². A flat pump (B = 0) still gets a
// curve EPANET accepts, and delivers its head.
TEST(InpWriter, PumpCurveIsTheQuadraticOfTheNetwork)
{
    for (const double b : {4000.0, 0.0}) {
        TNetwork net;
        const int a = AddSource(net, 0);
        const int j = AddJunction(net, 0);
        const int c = AddSource(net, 30);
        TLink& pump = AddLink(net, TLinkType::Pump, a, j);
        pump.A = 50;
        pump.B = b;
        AddPipe(net, j, c, 2.5, 400);
        const double r = 2.5 * 400;
        const double q = std::sqrt(20 / (b + r));
        const TSolved e = RunEpanet(net, SolutionOf(net));
        EXPECT_NEAR(e.Flow(0), q, q * 1e-5) << b;
        EXPECT_NEAR(e.Head(j), 50 - b * q * q, 1e-3) << b;
    }
}

// A reducing valve holding the pressure its law gives at the solved flow, and the same valve
// standing open when the pressure before it is below that.
TEST(InpWriter, ReducingValveHoldsItsSettingAtTheSolvedFlow)
{
    TNetwork net;
    const int a = AddSource(net, 100);
    const int j1 = AddJunction(net, 10);
    const int j2 = AddJunction(net, 5);
    const int b = AddSource(net, 20);
    AddPipe(net, a, j1, 1, 100);
    TLink& prv = AddLink(net, TLinkType::Prv, j1, j2);
    prv.SettingFlows = {0, 0.1};
    prv.SettingPressures = {50, 30};
    AddPipe(net, j2, b, 1, 10000);
    // At 0.05 m3/s the setting is 40 m: the head after the valve is 45, and the pipe to the
    // lower source passes exactly 0.05.
    TSolution solution = SolutionOf(net);
    solution.Flow = {0.05, 0.05, 0.05};
    const TSolved e = RunEpanet(net, solution);
    EXPECT_NEAR(e.Head(j2), 45, 1e-4);
    EXPECT_NEAR(e.Flow(1), 0.05, 1e-6);

    // Upstream source lowered below the setting: the valve is fully open.
    net.Junctions[static_cast<std::size_t>(a)].FixedHead = 40;
    const double q = std::sqrt(20 / (100 + 10000.0));
    const TSolved open = RunEpanet(net, solution);
    EXPECT_NEAR(open.Flow(1), q, q * 1e-4);
    EXPECT_NEAR(open.Head(j2), 20 + 10000 * q * q, 1e-3);
}

// A fixed head gain passes water both ways with the same step of head.
TEST(InpWriter, BoostGainsItsHeadWhicheverWayTheWaterGoes)
{
    for (const double downstream : {55.0, 65.0}) {
        TNetwork net;
        const int a = AddSource(net, 50);
        const int j1 = AddJunction(net, 0);
        const int j2 = AddJunction(net, 0);
        const int b = AddSource(net, downstream);
        AddPipe(net, a, j1, 1, 200);
        TLink& boost = AddLink(net, TLinkType::Boost, j1, j2);
        boost.Gain = 10;
        AddPipe(net, j2, b, 1, 300);
        const double q = std::copysign(std::sqrt(5 / 500.0), 60 - downstream);
        const TSolved e = RunEpanet(net, SolutionOf(net));
        EXPECT_NEAR(e.Flow(1), q, std::abs(q) * 1e-5) << downstream;
        EXPECT_NEAR(e.Head(j2) - e.Head(j1), 10, 1e-5) << downstream;
    }
}

// Shut links pass nothing; names unfit for EPANET fall back to unique IDs; a junction no
// link reaches and a link looping on one junction are left out, so EPANET reads the file.
TEST(InpWriter, ShutLinksNamesAndLeftOutElements)
{
    TNetwork net;
    const int a = AddSource(net, 100);
    const int j1 = AddJunction(net, 0, 0.01);
    const int j2 = AddJunction(net, 0);
    AddJunction(net, 0);  // joined to nothing
    AddPipe(net, a, j1, 1, 100);
    AddPipe(net, a, j2, 1, 100).Closed = true;
    AddPipe(net, j1, j1, 1, 10);  // on itself
    TLink& pump = AddLink(net, TLinkType::Pump, j1, j2);
    pump.A = 10;
    pump.B = 100;
    pump.Closed = true;
    net.JunctionNames = {"S1", "J3", "name with spaces", "J3"};
    net.LinkNames = {"P1", std::string(40, 'x'), "P1", "L0"};

    const TInpIds ids = MakeInpIds(net);
    EXPECT_EQ(ids.Junctions[0], "S1");
    EXPECT_EQ(ids.Junctions[1], "J3");
    EXPECT_EQ(ids.Junctions[2], "J2");
    EXPECT_EQ(ids.Junctions[3], "J3_") << "the fallback must not take a name already used";
    EXPECT_EQ(ids.Links[1], "L1");
    EXPECT_EQ(ids.Links[2], "L2");
    EXPECT_EQ(ids.Links[3], "L0");
    EXPECT_TRUE(ids.JunctionSkipped[3]);
    EXPECT_FALSE(ids.JunctionSkipped[2]) << "reached by shut links only, it is still joined";
    EXPECT_TRUE(ids.LinkSkipped[2]);

    const TSolved e = RunEpanet(net, SolutionOf(net));
    EXPECT_NEAR(e.Flow(0), 0.01, 1e-9);
    EXPECT_NEAR(e.Flow(1), 0, 1e-9);
    EXPECT_NEAR(e.Flow(3), 0, 1e-9);
    EXPECT_EQ(e.Result.Heads.count("J3_"), 0u);
}

TEST(InpWriter, UnwritableFileThrowsAndLeavesNothing)
{
    TNetwork net;
    AddPipe(net, AddSource(net, 1), AddJunction(net, 0), 1, 1);
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("missing/net.inp"));
    EXPECT_THROW(WriteInpFile(path, net, SolutionOf(net)), EFileError);
}

// A part of the network no source reaches has no solved heads: it is left out with its links,
// and EPANET solves the rest instead of failing on a part it cannot solve.
TEST(InpWriter, PartsWithoutHeadsAreLeftOut)
{
    TNetwork net;
    const int a = AddSource(net, 50);
    const int j1 = AddJunction(net, 0, 0.005);
    const int j2 = AddJunction(net, 0);
    const int j3 = AddJunction(net, 0);
    AddPipe(net, a, j1, 2, 100);
    AddPipe(net, j2, j3, 2, 100);
    TSolution solution = SolutionOf(net);
    solution.Head[static_cast<std::size_t>(j2)] = solution.Head[static_cast<std::size_t>(j3)] = std::nan("");

    const TInpIds ids = MakeInpIds(net, &solution);
    EXPECT_TRUE(ids.JunctionSkipped[2]);
    EXPECT_TRUE(ids.JunctionSkipped[3]);
    EXPECT_TRUE(ids.LinkSkipped[1]);
    const TSolved e = RunEpanet(net, solution);
    EXPECT_NEAR(e.Head(j1), 50 - 200 * 0.005 * 0.005, 1e-6);
    EXPECT_EQ(e.Result.Flows.size(), 1u);
}
