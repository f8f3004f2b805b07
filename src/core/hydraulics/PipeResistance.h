#pragma once

// The specific resistance of a steel water pipe after the hydraulic-gradient formula of the
// water supply code: i = (1000·A1/2g)/1000 · (A0 + C/V)^m · V² / d^(m+1), A0 = 1.
//
// Pipes in service follow the transitional branch (1000·A1/2g = 0.912, C = 0.867) at low
// velocities and the square law (1.07, C = 0) above; the two do not quite meet at the
// customary 1.2 m/s, so the law switches where they do meet (SnipOldSwitchVelocity, about
// 1.233 m/s) and stays continuous. The fixed law has no formula: the functions give 0 for it,
// and for a diameter that is not a positive number. The sign of a velocity or flow is ignored.

#include "core/hydraulics/HydroNetwork.h"

namespace Hydro {

// Below this velocity (m/s) the specific resistance is taken at it: the transitional law's s
// grows without bound as the flow vanishes, while the head loss itself goes to zero.
inline constexpr double kSnipVelocityFloor = 1e-3;

// The velocity (m/s) where the old pipes' transitional branch meets the square law.
double SnipOldSwitchVelocity();

// Hydraulic gradient i (m per m) at velocity v (m/s) in a pipe of inner diameter d (m).
double SnipGradient(TPipeLaw law, double d, double v);
// Its derivative di/dv (zero at zero velocity).
double SnipGradientSlope(TPipeLaw law, double d, double v);
// Specific resistance s = i / q² at flow q (m3/s), always finite: at velocities below
// kSnipVelocityFloor, the value at the floor.
double SnipResistance(TPipeLaw law, double d, double q);

// One diameter's law prepared for evaluation at many velocities (the solver's inner loop).
class TSnipLaw {
public:
    TSnipLaw() = default;
    TSnipLaw(TPipeLaw law, double d);

    // i and di/dv at velocity v ≥ 0.
    void Evaluate(double v, double& i, double& slope) const;

private:
    double k_ = 0;        // (1000·A1/2g)/1000 / d^(m+1) of the transitional branch
    double c_ = 0;        // C
    double m_ = 0;        // m
    double kSquare_ = 0;  // the square law's factor, old pipes only
    double vSwitch_ = 0;  // where the square law takes over; 0 when it never does
};

}  // namespace Hydro
