#include "core/services/NodeTransform.h"

#include "core/tables/BulkNodeEdit.h"
#include "core/schema/SchemaPositions.h"
#include "core/model/Errors.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <cmath>
#include <numbers>

namespace NodeTransform {

namespace {

struct TPlanPoint {
    double x, y;
};

TPlanPoint Rotated(double x, double y, double x0, double y0, double cosA, double sinA)
{
    return {x0 + (x - x0) * cosA + (y - y0) * sinA, y0 - (x - x0) * sinA + (y - y0) * cosA};
}

}  // namespace

std::vector<TUzel*> AreaNodes(const TMine& mine, bool selectedOnly, TUzel* current)
{
    if (!selectedOnly)
        return mine.Uzels.ToVector();
    std::vector<TUzel*> nodes;
    for (TUzel* u : mine.Uzels)
        if (u->Selected())
            nodes.push_back(u);
    if (nodes.empty() && current)
        nodes.push_back(current);
    return nodes;
}

void Validate(const TTransformRequest& r)
{
    for (double v : {r.Kx, r.Ky, r.Kz, r.Dx, r.Dy, r.Dz, r.AngleDegrees, r.X0, r.Y0, r.SchemaFactor})
        if (!std::isfinite(v))
            throw EMineError(kBadNumber);
    if (r.Kind == TTransformKind::ShiftScale && (r.Kx == 0 || r.Ky == 0 || r.Kz == 0))
        throw EMineError(kZeroScale);
}

void Apply(TMine& mine, const std::vector<TUzel*>& nodes, const TTransformRequest& r)
{
    Validate(r);
    const double s = r.SchemaFactor;
    const double angle = r.AngleDegrees * std::numbers::pi / 180.0;
    const double cosA = std::cos(angle), sinA = std::sin(angle);
    TBulkNodeEdit bulk(mine);
    for (TUzel* u : nodes) {
        // Setting X or Y moves a node's schema position after its coordinates, so the new
        // schema position is worked out from the one it had before.
        const double sx = u->SX(), sy = u->SY();
        double nsx = sx, nsy = sy;
        switch (r.Kind) {
        case TTransformKind::ShiftScale:
            if (!r.SchemaOnly) {
                const double x = u->X(), y = u->Y(), z = u->Z();
                u->SetX(x * r.Kx + r.Dx);
                u->SetY(y * r.Ky + r.Dy);
                u->SetZ(z * r.Kz + r.Dz);
            }
            nsx = sx * r.Kx + r.Dx * s;
            nsy = sy * r.Ky + r.Dy * s;
            break;
        case TTransformKind::Rotate: {
            if (!r.SchemaOnly) {
                const TPlanPoint p = Rotated(u->X(), u->Y(), r.X0, r.Y0, cosA, sinA);
                u->SetX(p.x);
                u->SetY(p.y);
            }
            const TPlanPoint q = Rotated(sx, sy, r.X0 * s, r.Y0 * s, cosA, sinA);
            nsx = q.x;
            nsy = q.y;
            break;
        }
        case TTransformKind::SwapXY:
            if (!r.SchemaOnly) {
                const double x = u->X(), y = u->Y();
                u->SetX(y);
                u->SetY(x);
            }
            nsx = sy;
            nsy = sx;
            break;
        }
        u->SetSX(static_cast<float>(nsx));
        u->SetSY(static_cast<float>(nsy));
    }
    SchemaPositions::PlaceAutomaticLabels(mine);
}

double DialAngle(double dx, double dyUp)
{
    if (dx == 0)
        return dyUp < 0 ? 180.0 : 0.0;
    const double a = std::atan(dyUp / dx) * 180.0 / std::numbers::pi;
    return dx > 0 ? a - 90.0 : a + 90.0;
}

double SnapAngle(double degrees)
{
    const long long whole = std::llround(degrees);
    const long long rest = whole % 5;  // carries the sign of the angle
    if (rest == 0)
        return static_cast<double>(whole);
    const long long down = whole - rest;
    if (std::llabs(rest) < 2)
        return static_cast<double>(down);
    return static_cast<double>(down + (whole > 0 ? 5 : -5));
}

}  // namespace NodeTransform
