#pragma once

// Colouring by pressures: the pressure along each branch's fire-fighting pipe, from the
// document's calculation results, cut into stretches of four classes on a fixed scale
// (below zero, short of the hydrants' lower limit, within the limits, above the upper one).
// The plan, the 3D view, pictures and sheets all take the stretches from here, and the
// printed legend its scale.

#include <QColor>
#include <QString>

#include <vector>

class TBranch;
class THydroResults;
struct TSchemaDrawing;

enum class TPressureClass { Negative = 0, Shortage = 1, Normal = 2, Excess = 3 };
inline constexpr int kPressureClasses = 4;

// A stretch of a branch, from one fraction of its length to another, in one class.
struct TPressureStretch {
    double Start = 0;
    double End = 0;
    TPressureClass Class = TPressureClass::Normal;
    bool operator==(const TPressureStretch&) const = default;
};

namespace PressureColouring {

// The drawing colours by pressures: chosen, and it has results to colour by.
bool Applies(const TSchemaDrawing& drawing);

// The class of a pressure, m: < 0, 0 to below the lower limit, up to the upper limit, above.
TPressureClass ClassOf(double pressure);

// The stretches of the branch's fire-fighting pipe whose sections carry results, in order
// along the branch, neighbours of one class joined; the pressure runs straight from a
// section's start pressure to its end pressure. Empty when no section of it has results.
// The vector is reused, so drawing many branches allocates once.
void Stretches(const TBranch& branch, const THydroResults& results, std::vector<TPressureStretch>& out);
std::vector<TPressureStretch> Stretches(const TBranch& branch, const THydroResults& results);

// The class's colour on the plan, in 3D and in the legend.
QColor Color(TPressureClass c);
// Black-and-white output: the band's hatching (one a metafile keeps too) and the thin line's
// dashes, one each class.
Qt::BrushStyle Hatch(TPressureClass c);
Qt::PenStyle Dashes(TPressureClass c);
// The legend's caption of the class.
QString Caption(TPressureClass c);
// The legend's heading of the scale.
QString Heading();

}  // namespace PressureColouring
