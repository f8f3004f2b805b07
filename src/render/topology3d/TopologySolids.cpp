#include "render/topology3d/TopologySolids.h"

#include <QVector3D>

#include <algorithm>
#include <cmath>

namespace {

using Rgb = TTopologyScene::Rgb;

// The light comes from above, a little from the east and the south; the faces turned from it
// keep a little under half their colour.
const QVector3D kLight = QVector3D(0.3f, 1.0f, 0.4f).normalized();

Rgb Shaded(Rgb c, const QVector3D& normal)
{
    const float f = 0.45f + 0.55f * std::max(0.f, QVector3D::dotProduct(normal, kLight));
    return {c.R * f, c.G * f, c.B * f};
}

void PushPoint(std::vector<float>& out, const QVector3D& p) { out.insert(out.end(), {p.x(), p.y(), p.z()}); }

// How far the box reaches past (positive) or stops short of (negative) a node where `meets`
// branches meet; 0 at a cut inside the branch.
float EndReach(quint8 meets)
{
    if (meets >= 3)
        return -TTopologySolids::kSphereRadius;
    if (meets == 2)
        return TTopologySolids::kHalfWidth;
    return 0;
}

struct Box {
    QVector3D From, To, U, V;
    float HalfU, HalfV;
    // Corner k (0..3 round the cross section) at one end.
    QVector3D Corner(bool end, int k) const
    {
        static const int kSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        return (end ? To : From) + U * (HalfU * float(kSigns[k][0])) + V * (HalfV * float(kSigns[k][1]));
    }
};

}  // namespace

TTopologySolids TTopologySolids::Build(const TTopologyScene& scene)
{
    TTopologySolids solids;
    const size_t segments = std::min({scene.BranchVertices.size() / 6, scene.SegmentEnds.size(), scene.BranchColors.size() / 2});
    solids.Triangles.reserve(segments * 36 * 3);
    solids.TriangleColors.reserve(segments * 36);
    solids.Outline.reserve(segments * 8 * 3);
    solids.OutlineColors.reserve(segments * 8);
    const float steepRatio = float(std::tan(60.0 * M_PI / 180));
    for (size_t i = 0; i < segments; ++i) {
        const float* v = &scene.BranchVertices[6 * i];
        QVector3D from(v[0], v[1], v[2]);
        QVector3D to(v[3], v[4], v[5]);
        const QVector3D d = to - from;
        const float length = d.length();
        if (!(length > 1e-4f))
            continue;
        const QVector3D dir = d / length;
        // Steeper than 60°: a vertical element with a level cross section.
        const float level = std::hypot(d.x(), d.z());
        Box box;
        if (std::abs(d.y()) > level * steepRatio) {
            box.U = QVector3D(1, 0, 0);
            box.V = QVector3D(0, 0, 1);
            box.HalfU = box.HalfV = kHalfWidth;
        } else {
            box.U = QVector3D::crossProduct(dir, QVector3D(0, 1, 0)).normalized();
            box.V = QVector3D::crossProduct(box.U, dir).normalized();
            box.HalfU = kHalfWidth;
            box.HalfV = kHalfHeight;
        }
        float reachFrom = EndReach(scene.SegmentEnds[i][0]);
        float reachTo = EndReach(scene.SegmentEnds[i][1]);
        // A segment too short to stop short at both ends runs from node to node.
        if (length + std::min(reachFrom, 0.f) + std::min(reachTo, 0.f) <= 0.1f) {
            reachFrom = std::max(reachFrom, 0.f);
            reachTo = std::max(reachTo, 0.f);
        }
        box.From = from - dir * reachFrom;
        box.To = to + dir * reachTo;

        const Rgb color = scene.BranchColors[2 * i];
        auto quad = [&](const QVector3D& a, const QVector3D& b, const QVector3D& c, const QVector3D& e,
                        const QVector3D& normal) {
            const Rgb shade = Shaded(color, normal);
            // Counter-clockwise seen from outside, so the faces turned away can be culled.
            const bool outward = QVector3D::dotProduct(QVector3D::crossProduct(b - a, c - a), normal) > 0;
            const QVector3D* forward[6] = {&a, &b, &c, &a, &c, &e};
            const QVector3D* backward[6] = {&a, &c, &b, &a, &e, &c};
            for (const QVector3D* p : outward ? forward : backward) {
                PushPoint(solids.Triangles, *p);
                solids.TriangleColors.push_back(shade);
            }
        };
        // The four sides, each between corners k and k+1 of both ends, then the two ends.
        const QVector3D sideNormals[4] = {-box.V, box.U, box.V, -box.U};
        for (int k = 0; k < 4; ++k)
            quad(box.Corner(false, k), box.Corner(false, (k + 1) % 4), box.Corner(true, (k + 1) % 4),
                 box.Corner(true, k), sideNormals[k]);
        quad(box.Corner(false, 0), box.Corner(false, 3), box.Corner(false, 2), box.Corner(false, 1), -dir);
        quad(box.Corner(true, 0), box.Corner(true, 1), box.Corner(true, 2), box.Corner(true, 3), dir);

        // The outline, a little larger all round so the faces do not hide it.
        Box outline = box;
        outline.HalfU += kOutlineGap;
        outline.HalfV += kOutlineGap;
        outline.From -= dir * kOutlineGap;
        outline.To += dir * kOutlineGap;
        const Rgb edge{color.R * 0.5f, color.G * 0.5f, color.B * 0.5f};
        auto line = [&](const QVector3D& a, const QVector3D& b) {
            PushPoint(solids.Outline, a);
            PushPoint(solids.Outline, b);
            solids.OutlineColors.insert(solids.OutlineColors.end(), 2, edge);
        };
        // The four long edges: the ends' short ones add nothing a user sees at a mine's scale
        // and would cost twice as much to draw.
        for (int k = 0; k < 4; ++k)
            line(outline.Corner(false, k), outline.Corner(true, k));
    }
    return solids;
}
