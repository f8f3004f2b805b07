#include "render/schema2d/SchemaGrid.h"

#include <cmath>

namespace {

std::vector<double> LinesCovering(double from, double to, double origin, double step)
{
    std::vector<double> lines;
    const double first = std::ceil((from - origin) / step);
    const double last = std::floor((to - origin) / step);
    if (!(last >= first) || last - first >= kMaxGridLines)
        return lines;
    for (double k = first; k <= last; ++k)
        lines.push_back(origin + k * step);
    return lines;
}

}  // namespace

TGridLines GridLines(const QRectF& visible, QPointF origin, double step)
{
    if (!(step > 0))
        return {};
    const QRectF r = visible.normalized();
    return {LinesCovering(r.left(), r.right(), origin.x(), step),
            LinesCovering(r.top(), r.bottom(), origin.y(), step)};
}
