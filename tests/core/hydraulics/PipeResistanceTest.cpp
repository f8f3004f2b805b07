#include "core/hydraulics/PipeResistance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace Hydro;

double Area(double d) { return std::numbers::pi * d * d / 4; }

TEST(PipeResistance, NewPipesFollowTheTransitionalLaw)
{
    // d = 0.1, V = 1: (1 + 0.684/1)^0.226 = 1.125002, 0.1^1.226 = 0.0594292,
    // i = 0.810/1000 · 1.125002 · 1 / 0.0594292 = 0.0153334.
    EXPECT_NEAR(SnipGradient(TPipeLaw::SnipNew, 0.1, 1), 0.0153334, 1e-7);
    // d = 0.2, V = 2: (1 + 0.684/2)^0.226 = 1.068740, 0.2^1.226 = 0.139015,
    // i = 0.810/1000 · 1.068740 · 4 / 0.139015 = 0.0249089.
    EXPECT_NEAR(SnipGradient(TPipeLaw::SnipNew, 0.2, 2), 0.0249089, 1e-7);
    EXPECT_EQ(SnipGradient(TPipeLaw::SnipNew, 0.2, -2), SnipGradient(TPipeLaw::SnipNew, 0.2, 2)) << "the sign is ignored";
    // s = i / q²: q = V·πd²/4 = 0.00785398 at V = 1 in a 0.1 pipe, s = 0.0153334 / 6.16850e-5 = 248.576.
    EXPECT_NEAR(SnipResistance(TPipeLaw::SnipNew, 0.1, Area(0.1)), 248.576, 1e-3);
    EXPECT_NEAR(SnipResistance(TPipeLaw::SnipNew, 0.1, -Area(0.1)), 248.576, 1e-3);
}

TEST(PipeResistance, OldPipesSwitchToTheSquareLawWhereTheBranchesMeet)
{
    // V = 0.5, transitional: (1 + 0.867/0.5)^0.3 = 1.352196, 0.1^1.3 = 0.0501187,
    // i = 0.912/1000 · 1.352196 · 0.25 / 0.0501187 = 0.00615141.
    EXPECT_NEAR(SnipGradient(TPipeLaw::SnipOld, 0.1, 0.5), 0.00615141, 1e-8);
    // V = 2, square law: i = 1.07/1000 · 4 / 0.0501187 = 0.0853972.
    EXPECT_NEAR(SnipGradient(TPipeLaw::SnipOld, 0.1, 2), 0.0853972, 1e-7);
    // At 1.2 m/s still the transitional branch: 0.912·(1 + 0.867/1.2)^0.3 = 1.07358, so
    // i = 1.07358/1000 · 1.44 / 0.0501187 = 0.0308464, not the square law's 0.0307430.
    EXPECT_NEAR(SnipGradient(TPipeLaw::SnipOld, 0.1, 1.2), 0.0308464, 1e-7);

    // V* = 0.867 / ((1.07/0.912)^(1/0.3) − 1) = 0.867 / 0.703323 = 1.232723.
    const double vs = SnipOldSwitchVelocity();
    EXPECT_NEAR(vs, 1.232723, 1e-6);
    for (double d : {0.05, 0.1, 0.3}) {
        const double below = SnipGradient(TPipeLaw::SnipOld, d, vs * (1 - 1e-12));
        const double above = SnipGradient(TPipeLaw::SnipOld, d, vs * (1 + 1e-12));
        EXPECT_NEAR(below / above, 1, 1e-9) << "no jump at V* for d = " << d;
    }
}

TEST(PipeResistance, SlopeIsTheDerivativeOfTheGradient)
{
    for (TPipeLaw law : {TPipeLaw::SnipNew, TPipeLaw::SnipOld})
        for (double v : {0.01, 0.4, 1.1, 1.5, 3.0}) {
            const double dv = 1e-6 * v;
            const double numeric = (SnipGradient(law, 0.15, v + dv) - SnipGradient(law, 0.15, v - dv)) / (2 * dv);
            EXPECT_NEAR(SnipGradientSlope(law, 0.15, v) / numeric, 1, 1e-6) << "v = " << v;
        }
}

TEST(PipeResistance, ZeroFlowGivesFiniteValues)
{
    for (TPipeLaw law : {TPipeLaw::SnipNew, TPipeLaw::SnipOld}) {
        EXPECT_EQ(SnipGradient(law, 0.1, 0), 0);
        EXPECT_EQ(SnipGradientSlope(law, 0.1, 0), 0);
        const double s0 = SnipResistance(law, 0.1, 0);
        EXPECT_TRUE(std::isfinite(s0));
        // Below the velocity floor the resistance is the floor's.
        EXPECT_EQ(SnipResistance(law, 0.1, 1e-3 * kSnipVelocityFloor * Area(0.1)), s0);
        EXPECT_GT(s0, SnipResistance(law, 0.1, Area(0.1)));
        EXPECT_TRUE(std::isfinite(SnipResistance(law, 0.1, INFINITY)));
    }
    // At the floor of 1 mm/s: (1 + 684)^0.226 = 4.3743, i = 0.81e-3 · 4.3743 · 1e-6 / 0.0594292
    // = 5.9621e-8, q = 7.85398e-6, s = 5.9621e-8 / 6.16850e-11 = 966.43.
    EXPECT_NEAR(SnipResistance(TPipeLaw::SnipNew, 0.1, 0), 966.43, 0.01);
    EXPECT_EQ(SnipResistance(TPipeLaw::SnipNew, 0, 0.01), 0) << "no diameter, no law";
    EXPECT_EQ(SnipResistance(TPipeLaw::Fixed, 0.1, 0.01), 0);
}

}  // namespace
