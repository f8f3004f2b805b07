#include "core/model/LabelPlacement.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <utility>

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

// The labels of one branch's sections share its direction and mostly their placement, and
// they are placed one after another: the last answer is kept, so only the first of them pays
// for the trigonometry. Keys compare bit for bit, so the answer is always the computed one.
struct PlaceKey {
    LabelKind kind;
    bool bottom;
    int direction;
    uint64_t angle, distance;
    bool operator==(const PlaceKey&) const = default;
};
struct DeriveKey {
    LabelKind kind;
    bool bottom;
    int direction;
    TLabelOffset offset;
    bool operator==(const DeriveKey&) const = default;
};
thread_local std::optional<std::pair<PlaceKey, TLabelOffset>> gLastPlace;
thread_local std::optional<std::pair<DeriveKey, Placement>> gLastDerive;

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
    const PlaceKey key{kind, gNumBranchesBottom, direction, std::bit_cast<uint64_t>(relativeAngle),
                       std::bit_cast<uint64_t>(distance)};
    if (gLastPlace && gLastPlace->first == key)
        return gLastPlace->second;
    const double phi = Normalize360(direction + relativeAngle + SideTurn(kind, direction)) * kDegToRad;
    const TLabelOffset offset = TLabelOffset::Make(distance * std::cos(phi), -distance * std::sin(phi));
    gLastPlace.emplace(key, offset);
    return offset;
}

namespace {

Placement DeriveAnew(LabelKind kind, int direction, const TLabelOffset& offset)
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

}  // namespace

Placement Derive(LabelKind kind, int direction, const TLabelOffset& offset)
{
    const DeriveKey key{kind, gNumBranchesBottom, direction, offset};
    if (gLastDerive && gLastDerive->first == key)
        return gLastDerive->second;
    const Placement p = DeriveAnew(kind, direction, offset);
    gLastDerive.emplace(key, p);
    return p;
}

}  // namespace LabelPlacement
