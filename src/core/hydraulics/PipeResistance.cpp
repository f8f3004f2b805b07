#include "core/hydraulics/PipeResistance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Hydro {

namespace {

// (1000·A1/2g, C, m) of the laws.
constexpr double kNewA = 0.810, kNewC = 0.684, kNewM = 0.226;
constexpr double kOldA = 0.912, kOldC = 0.867, kOldM = 0.3;
constexpr double kOldSquareA = 1.07;

bool IsSnip(TPipeLaw law) { return law == TPipeLaw::SnipNew || law == TPipeLaw::SnipOld; }

}  // namespace

double SnipOldSwitchVelocity()
{
    // 0.912·(1 + 0.867/V)^0.3 = 1.07
    static const double v = kOldC / (std::pow(kOldSquareA / kOldA, 1 / kOldM) - 1);
    return v;
}

TSnipLaw::TSnipLaw(TPipeLaw law, double d)
{
    if (!IsSnip(law) || !(d > 0) || !std::isfinite(d))
        return;
    const bool old = law == TPipeLaw::SnipOld;
    m_ = old ? kOldM : kNewM;
    c_ = old ? kOldC : kNewC;
    const double scale = 1 / (1000 * std::pow(d, m_ + 1));
    k_ = (old ? kOldA : kNewA) * scale;
    if (old) {
        kSquare_ = kOldSquareA * scale;
        vSwitch_ = SnipOldSwitchVelocity();
    }
}

void TSnipLaw::Evaluate(double v, double& i, double& slope) const
{
    if (!(v > 0)) {
        i = 0;
        slope = 0;
        return;
    }
    if (vSwitch_ > 0 && v >= vSwitch_) {
        i = kSquare_ * v * v;
        slope = 2 * kSquare_ * v;
        return;
    }
    // i = k·t^m·v² with t = 1 + C/v; di/dv = k·t^(m−1)·(2v + (2−m)·C); one power serves both.
    const double t = 1 + c_ / v;
    const double p = k_ * std::pow(t, m_ - 1);
    i = p * t * v * v;
    slope = p * (2 * v + (2 - m_) * c_);
}

double SnipGradient(TPipeLaw law, double d, double v)
{
    double i = 0, slope = 0;
    TSnipLaw(law, d).Evaluate(std::fabs(v), i, slope);
    return i;
}

double SnipGradientSlope(TPipeLaw law, double d, double v)
{
    double i = 0, slope = 0;
    TSnipLaw(law, d).Evaluate(std::fabs(v), i, slope);
    return slope;
}

double SnipResistance(TPipeLaw law, double d, double q)
{
    if (!IsSnip(law) || !(d > 0) || !std::isfinite(d) || std::isnan(q))
        return 0;
    const double area = std::numbers::pi * d * d / 4;
    // Far above any real velocity s has reached its square-law limit; an infinite flow stays finite.
    const double v = std::clamp(std::fabs(q) / area, kSnipVelocityFloor, 1e6);
    const double flow = v * area;
    return SnipGradient(law, d, v) / (flow * flow);
}

}  // namespace Hydro
