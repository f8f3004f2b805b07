#include "render/schema2d/PreviewNetwork.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <QLineF>

#include <algorithm>

#include <cmath>

namespace {

// How near a click must come to a node's centre or a branch's line, in pixels.
constexpr double kUzelReach = 6;
constexpr double kBranchReach = 4;

double DistanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

}  // namespace

namespace PreviewNetwork {

std::unique_ptr<TMine> Build()
{
    auto mine = std::make_unique<TMine>(QStringLiteral("Preview"));
    struct Place {
        int number;
        double x, y;
    };
    for (const Place& p : {Place{1, 12, 22}, Place{2, 150, 70}, Place{3, 240, 22}}) {
        // A node not placed by hand keeps its schema position at its coordinates.
        TUzel* u = TUzel::Create(mine.get(), p.number);
        u->SetX(p.x);
        u->SetY(p.y);
    }
    TBranch::Create(mine.get(), 1, 1, 2);
    TBranch::Create(mine.get(), 2, 2, 3);
    mine->SetModified(false, false);
    return mine;
}

TRenderContext Context(const TColors2D& colors, const QSizeF& area)
{
    TRenderContext context;
    context.Colors = colors;
    context.View.SetScale(1);
    context.Show.PipeIndex = kPipeIndexNone;
    context.Show.UzelNumbers = true;
    context.Show.BranchLabels = true;
    context.Show.BranchInfo = biNumbers;
    context.Show.Devices = false;
    context.Show.TextBlocks = false;
    context.Show.ThickBranch = true;
    context.Area = QRectF(QPointF(0, 0), area);
    return context;
}

TMineObject* PickAt(const TDrawnObjects& drawn, QPointF point)
{
    for (auto it = drawn.Labels.rbegin(); it != drawn.Labels.rend(); ++it)
        if (it->Box.contains(point) && it->Owner)
            return it->Owner;
    for (auto it = drawn.Uzels.rbegin(); it != drawn.Uzels.rend(); ++it)
        if (QLineF(point, it->At).length() <= kUzelReach)
            return it->Object;
    for (auto it = drawn.Branches.rbegin(); it != drawn.Branches.rend(); ++it)
        if (DistanceToSegment(point, it->From, it->To) <= kBranchReach)
            return it->Object;
    return nullptr;
}

}  // namespace PreviewNetwork
