#pragma once

// The specific resistance of a steel water pipe after the hydraulic-gradient formula of the
// water supply code: i = (1000·A1/2g)/1000 · (A0 + C/V)^m · V² / d^(m+1).

#include "core/hydraulics/HydroNetwork.h"

namespace Hydro {

// Hydraulic gradient i (m per m) at velocity v (m/s) in a pipe of inner diameter d (m).
double SnipGradient(TPipeLaw law, double d, double v);
// Its derivative di/dv.
double SnipGradientSlope(TPipeLaw law, double d, double v);
// Specific resistance s = i / q² at flow q (m3/s); at zero flow the limit of the law.
double SnipResistance(TPipeLaw law, double d, double q);

}  // namespace Hydro
