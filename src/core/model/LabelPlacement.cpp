#include "core/model/LabelPlacement.h"

#include <cmath>
#include <numbers>

namespace LabelPlacement {
namespace {

bool gNumBranchesBottom = true;

constexpr double kDegToRad = std::numbers::pi / 180.0;

double Normalize360(double a)
{
    a = std::fmod(a, 360.0);
    if (a < 0)
        a += 360.0;
    return a;
}

// Labels go above the branch (screen up) unless their kind is placed below.
bool PlacedBelow(LabelKind kind)
{
    return kind == LabelKind::BranchNumber ? gNumBranchesBottom : !gNumBranchesBottom;
}

// A relative angle of 90 degrees turns a rightward branch's label upwards on the screen;
// branches pointing left, and all branches when the label belongs below, are turned by
// another half turn.
double SideTurn(LabelKind kind, int direction)
{
    const bool pointsLeft = direction >= 90 && direction < 270;
    return (pointsLeft != PlacedBelow(kind)) ? 180.0 : 0.0;
}

}  // namespace

void SetNumBranchesBottom(bool bottom) { gNumBranchesBottom = bottom; }
bool NumBranchesBottom() { return gNumBranchesBottom; }

int DirectionDegrees(double startSX, double startSY, double endSX, double endSY)
{
    const double dx = endSX - startSX;
    const double dy = endSY - startSY;
    if (dx == 0 && dy == 0)
        return 0;
    int deg = static_cast<int>(std::lround(std::atan2(dy, dx) / kDegToRad));
    deg %= 360;
    if (deg < 0)
        deg += 360;
    return deg;
}

TLabelOffset Place(LabelKind kind, int direction, double relativeAngle, double distance)
{
    const double phi = Normalize360(direction + relativeAngle + SideTurn(kind, direction)) * kDegToRad;
    return TLabelOffset::Make(distance * std::cos(phi), -distance * std::sin(phi));
}

Placement Derive(LabelKind kind, int direction, const TLabelOffset& offset)
{
    const double dx = offset.X();
    const double dy = offset.Y();
    Placement p;
    p.distance = std::sqrt(dx * dx + dy * dy);
    if (p.distance == 0 || !std::isfinite(p.distance))
        return p;
    const double phi = std::atan2(-dy, dx) / kDegToRad;
    p.angle = Normalize360(phi - direction - SideTurn(kind, direction));
    return p;
}

}  // namespace LabelPlacement
