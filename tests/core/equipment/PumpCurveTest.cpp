#include "core/equipment/PumpCurve.h"
#include "core/model/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TBasePointList Curve(std::initializer_list<TBasePoint> points)
{
    TBasePointList list;
    for (const TBasePoint& p : points)
        list.Insert(p);
    return list;
}

}  // namespace

TEST(PumpCurve, PointsStaySortedAndEqualFlowsKeepTheirOrder)
{
    TBasePointList list = Curve({{200, 40}, {0, 100}, {100, 80}});
    EXPECT_EQ(list.Points(), (std::vector<TBasePoint>{{0, 100}, {100, 80}, {200, 40}}));
    EXPECT_EQ(list.Insert({100, 1}), 2);  // after the point of the same flow
    EXPECT_EQ(list.At(1).H, 80);
    // Moving a point past its neighbour swaps the two.
    EXPECT_EQ(list.Replace(0, {150, 90}), 2);
    EXPECT_EQ(list.At(2), (TBasePoint{150, 90}));
}

TEST(PumpCurve, CoefficientsPerIntervalAddressedFromOneAndHeldWhileSuspended)
{
    int changes = 0;
    TBasePointList list;
    list.SetOnChange([&] { ++changes; });
    list.Insert({0, 100});
    list.Insert({100, 80});
    EXPECT_EQ(list.Coefs().Count(), 0) << "two points make a straight line";
    list.Insert({200, 40});
    EXPECT_EQ(list.Coefs().Count(), 2);
    EXPECT_EQ(changes, 3);
    EXPECT_THROW(list.Coefs().At(0), Exception);
    try {
        list.Coefs().At(0);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), kCoefIndexText);
    }
    EXPECT_THROW(list.Coefs().At(3), EListError);
    EXPECT_EQ(list.Coefs().At(2).C2, 0) << "natural: no curvature at the last point";

    list.Suspend();
    list.Insert({300, 0});
    EXPECT_EQ(list.Coefs().Count(), 2);
    EXPECT_EQ(changes, 3);
    list.Resume();
    EXPECT_EQ(list.Coefs().Count(), 3);
    EXPECT_EQ(changes, 4);
}

TEST(PumpCurve, HeadAtBetweenAndBeyondThePoints)
{
    const TBasePointList list = Curve({{0, 100}, {100, 80}, {200, 40}, {300, 30}});
    for (const TBasePoint& p : list.Points())
        EXPECT_NEAR(EvaluateHead(list, p.Q), p.H, 1e-9) << p.Q;
    EXPECT_EQ(EvaluateHead(list, -50), EvaluateHead(list, 0));
    EXPECT_EQ(EvaluateHead(list, 1e6), 30);
    const double mid = EvaluateHead(list, 150);
    EXPECT_GT(mid, 40);
    EXPECT_LT(mid, 80);
    // The natural spline through three points: a second derivative of -0.003 at the middle.
    const TBasePointList three = Curve({{0, 100}, {100, 80}, {200, 40}});
    EXPECT_NEAR(EvaluateHead(three, 50), 91.875, 1e-9);
    EXPECT_NEAR(EvaluateHead(three, 150), 61.875, 1e-9);
    // The curve is smooth across the middle point.
    const double left = (EvaluateHead(three, 100) - EvaluateHead(three, 99.999)) / 0.001;
    const double right = (EvaluateHead(three, 100.001) - EvaluateHead(three, 100)) / 0.001;
    EXPECT_NEAR(left, right, 1e-3);
}

TEST(PumpCurve, FewPointsAndFailedSplines)
{
    EXPECT_TRUE(std::isnan(EvaluateHead(TBasePointList(), 10))) << "no points, no head";
    EXPECT_EQ(EvaluateHead(Curve({{50, 70}}), 10), 70);
    EXPECT_EQ(EvaluateHead(Curve({{50, 70}}), 90), 70);
    EXPECT_DOUBLE_EQ(EvaluateHead(Curve({{0, 100}, {100, 50}}), 25), 87.5);
    EXPECT_TRUE(std::isnan(EvaluateHead(Curve({{10, 100}, {10, 50}}), 10)));
    const TBasePointList equal = Curve({{0, 100}, {100, 80}, {100, 70}});
    EXPECT_TRUE(equal.SplineFailed());
    EXPECT_EQ(equal.Coefs().Count(), 0);
    EXPECT_TRUE(std::isnan(EvaluateHead(equal, 50)));
    EXPECT_TRUE(CurvePolyline(equal).empty());
    TBasePointList suspended = Curve({{0, 100}, {100, 80}});
    suspended.Suspend();
    suspended.Insert({200, 40});
    EXPECT_TRUE(std::isnan(EvaluateHead(suspended, 50))) << "no coefficients yet";
}

TEST(PumpCurve, FitThroughTwoOperatingPoints)
{
    // H = 120 - 2e5 q^2 (q in m3/s), sampled exactly.
    const auto h = [](double Q) { return 120 - 2e5 * (Q / 3600) * (Q / 3600); };
    const TBasePointList list = Curve({{0, h(0)}, {1800, h(1800)}, {3600, h(3600)}});
    const auto fit = FitPump(list, 0, 3600);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->H1, 120, 1e-9);
    EXPECT_DOUBLE_EQ(fit->H2, h(3600));
    EXPECT_NEAR(fit->A, 120, 1e-9);
    EXPECT_NEAR(fit->B, 2e5, 1e-6);
    const std::vector<TBasePoint> dotted = FitPolyline(*fit, 0, 4000);
    ASSERT_EQ(dotted.size(), 401u);
    EXPECT_NEAR(dotted.back().H, h(4000), 1e-6);

    // From a non-zero first flow the q1 term counts: A = H1 + B q1^2 (at flow 0 it vanishes),
    // and the points may come in either order.
    for (const auto& [q1, q2] : {std::pair{1800.0, 3600.0}, std::pair{3600.0, 1800.0}}) {
        const auto inner = FitPump(list, q1, q2);
        ASSERT_TRUE(inner) << q1;
        EXPECT_NEAR(inner->H1, h(q1), 1e-6);
        EXPECT_NEAR(inner->H2, h(q2), 1e-6);
        EXPECT_NEAR(inner->A, 120, 1e-4) << q1;
        EXPECT_NEAR(inner->B, 2e5, 1e-3) << q1;
    }

    EXPECT_FALSE(FitPump(list, 900, 900)) << "equal flows: no fit, no division by zero";
    EXPECT_TRUE(FitPolyline({900, 900, 1, 1, 1, 0}, 0, 100).empty());
    EXPECT_FALSE(FitPump(TBasePointList(), 0, 100));
}

TEST(PumpCurve, PolylineAndBarsReachTheLastPoint)
{
    const TBasePointList list = Curve({{0, 100}, {100, 80}, {100.004, 79}, {200.5, 40}});
    const std::vector<TBasePoint> line = CurvePolyline(list);
    EXPECT_EQ(line.size(), 1u + 3 * 15);
    EXPECT_EQ(line.front(), list.At(0));
    EXPECT_DOUBLE_EQ(line.back().Q, 200.5);
    EXPECT_EQ(CurvePolyline(Curve({{0, 1}, {5, 2}})).size(), 2u);

    const TFlowBarRange bars = FlowBarRange(list);
    EXPECT_EQ(bars.Min, 0);
    EXPECT_EQ(bars.Max, 20050) << "the last point's flow can be chosen";
    EXPECT_EQ(bars.SmallStep, 200);
    EXPECT_EQ(bars.LargeStep, 4010);

    EXPECT_EQ(FlowAxisLabel(250, 250), QStringLiteral("250"));
    EXPECT_EQ(FlowAxisLabel(12.5, 12.5), QStringLiteral("12.5"));
    EXPECT_EQ(FlowAxisLabel(101.25, 1.25), QStringLiteral("101.25"));
}
