#include "core/schema/DrawingOrder.h"

#include "core/model/Branch.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <unordered_map>

namespace {

struct Segment {
    double x1, y1, x2, y2, z1, z2;
};

Segment SegmentOf(const TBranch& b)
{
    const TUzel* s = b.StartUzel();
    const TUzel* e = b.EndUzel();
    return Segment{s->SX(), s->SY(), e->SX(), e->SY(), s->Z(), e->Z()};
}

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// Where the two segments cross (as fractions along each), when they do at one point.
bool Crossing(const Segment& a, const Segment& b, double& ta, double& tb)
{
    const double rx = a.x2 - a.x1, ry = a.y2 - a.y1;
    const double sx = b.x2 - b.x1, sy = b.y2 - b.y1;
    const double d = Cross(rx, ry, sx, sy);
    if (d == 0)
        return false;
    const double qx = b.x1 - a.x1, qy = b.y1 - a.y1;
    ta = Cross(qx, qy, sx, sy) / d;
    tb = Cross(qx, qy, rx, ry) / d;
    return ta >= 0 && ta <= 1 && tb >= 0 && tb <= 1;
}

double PointSegment(double px, double py, const Segment& s)
{
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - s.x1) * dx + (py - s.y1) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (s.x1 + t * dx), py - (s.y1 + t * dy));
}

std::vector<TBranch*> MoveSelected(const std::vector<TBranch*>& order, bool front)
{
    std::vector<TBranch*> selected, rest;
    for (TBranch* b : order)
        (b->Selected() ? selected : rest).push_back(b);
    if (front) {
        rest.insert(rest.end(), selected.begin(), selected.end());
        return rest;
    }
    selected.insert(selected.end(), rest.begin(), rest.end());
    return selected;
}

}  // namespace

namespace DrawingOrder {

bool Overlap(const TBranch& a, const TBranch& b, double tolerance)
{
    if (!a.Linked() || !b.Linked())
        return false;
    const Segment sa = SegmentOf(a), sb = SegmentOf(b);
    double ta = 0, tb = 0;
    if (Crossing(sa, sb, ta, tb))
        return true;
    return std::min({PointSegment(sa.x1, sa.y1, sb), PointSegment(sa.x2, sa.y2, sb), PointSegment(sb.x1, sb.y1, sa),
                     PointSegment(sb.x2, sb.y2, sa)}) <= tolerance;
}

std::vector<TBranch*> ToFront(const std::vector<TBranch*>& order) { return MoveSelected(order, true); }
std::vector<TBranch*> ToBack(const std::vector<TBranch*>& order) { return MoveSelected(order, false); }

std::vector<TBranch*> Forward(const std::vector<TBranch*>& order, double tolerance)
{
    std::vector<TBranch*> result = order;
    // From the last selected one back, so each moves past branches the others left alone.
    for (size_t i = result.size(); i-- > 0;) {
        TBranch* b = result[i];
        if (!b->Selected())
            continue;
        for (size_t j = i + 1; j < result.size() && !result[j]->Selected(); ++j)
            if (Overlap(*b, *result[j], tolerance)) {
                result.erase(result.begin() + std::ptrdiff_t(i));
                result.insert(result.begin() + std::ptrdiff_t(j), b);
                break;
            }
    }
    return result;
}

std::vector<TBranch*> Backward(const std::vector<TBranch*>& order, double tolerance)
{
    std::vector<TBranch*> result = order;
    for (size_t i = 0; i < result.size(); ++i) {
        TBranch* b = result[i];
        if (!b->Selected())
            continue;
        for (size_t j = i; j-- > 0 && !result[j]->Selected();)
            if (Overlap(*b, *result[j], tolerance)) {
                result.erase(result.begin() + std::ptrdiff_t(i));
                result.insert(result.begin() + std::ptrdiff_t(j), b);
                break;
            }
    }
    return result;
}

std::vector<TBranch*> FromHeights(const std::vector<TBranch*>& order, const std::function<bool(const TBranch&)>& taken,
                                  const std::function<void(double)>& progress)
{
    const size_t n = order.size();
    std::vector<Segment> segments(n);
    std::vector<bool> in(n, false);
    double minX = 0, minY = 0, maxX = 0, maxY = 0, length = 0;
    size_t count = 0;
    for (size_t i = 0; i < n; ++i) {
        const TBranch* b = order[i];
        if (!b->Linked() || (taken && !taken(*b)))
            continue;
        in[i] = true;
        segments[i] = SegmentOf(*b);
        const Segment& s = segments[i];
        if (count++ == 0) {
            minX = maxX = s.x1;
            minY = maxY = s.y1;
        }
        minX = std::min({minX, s.x1, s.x2});
        maxX = std::max({maxX, s.x1, s.x2});
        minY = std::min({minY, s.y1, s.y2});
        maxY = std::max({maxY, s.y1, s.y2});
        length += std::hypot(s.x2 - s.x1, s.y2 - s.y1);
    }

    // A grid of cells about the average branch's length: each branch lies in a few cells,
    // and only branches sharing a cell are tried against each other.
    const double cell = std::max(count > 0 ? length / double(count) : 1.0, 1e-6);
    const int columns = std::clamp(int((maxX - minX) / cell) + 1, 1, 4096);
    const int rows = std::clamp(int((maxY - minY) / cell) + 1, 1, 4096);
    const double cw = std::max((maxX - minX) / columns, 1e-9), ch = std::max((maxY - minY) / rows, 1e-9);
    std::vector<std::vector<int>> cells(size_t(columns) * size_t(rows));
    for (size_t i = 0; i < n; ++i) {
        if (!in[i])
            continue;
        const Segment& s = segments[i];
        const int c0 = std::clamp(int((std::min(s.x1, s.x2) - minX) / cw), 0, columns - 1);
        const int c1 = std::clamp(int((std::max(s.x1, s.x2) - minX) / cw), 0, columns - 1);
        const int r0 = std::clamp(int((std::min(s.y1, s.y2) - minY) / ch), 0, rows - 1);
        const int r1 = std::clamp(int((std::max(s.y1, s.y2) - minY) / ch), 0, rows - 1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                cells[size_t(r) * size_t(columns) + size_t(c)].push_back(int(i));
    }

    // Edges from the lower branch to the higher one at each crossing (each pair once).
    std::vector<std::vector<int>> above(n);
    std::vector<int> below(n, 0);
    std::unordered_map<long long, bool> tried;
    for (size_t k = 0; k < cells.size(); ++k) {
        const auto& list = cells[k];
        for (size_t x = 0; x < list.size(); ++x)
            for (size_t y = x + 1; y < list.size(); ++y) {
                const int i = std::min(list[x], list[y]);
                const int j = std::max(list[x], list[y]);
                if (!tried.emplace((long long)i * (long long)n + j, true).second)
                    continue;
                double ti = 0, tj = 0;
                if (!Crossing(segments[size_t(i)], segments[size_t(j)], ti, tj))
                    continue;
                // Branches meeting at a shared end do not cross.
                if ((ti == 0 || ti == 1) && (tj == 0 || tj == 1))
                    continue;
                const Segment& a = segments[size_t(i)];
                const Segment& b = segments[size_t(j)];
                const double za = a.z1 + (a.z2 - a.z1) * ti;
                const double zb = b.z1 + (b.z2 - b.z1) * tj;
                if (za == zb)
                    continue;
                const int low = za < zb ? i : j;
                const int high = za < zb ? j : i;
                above[size_t(low)].push_back(high);
                ++below[size_t(high)];
            }
        if (progress && (k & 1023) == 0)
            progress(0.9 * double(k) / double(cells.size()));
    }

    // Kahn's order, always taking the earliest branch the crossings allow; a cycle is broken
    // at its earliest branch.
    std::vector<TBranch*> result;
    result.reserve(n);
    std::priority_queue<int, std::vector<int>, std::greater<int>> ready;
    for (size_t i = 0; i < n; ++i)
        if (below[i] == 0)
            ready.push(int(i));
    std::vector<bool> done(n, false);
    size_t next = 0;  // where a cycle is looked for
    while (result.size() < n) {
        if (ready.empty()) {
            while (done[next])
                ++next;
            below[next] = 0;
            ready.push(int(next));
        }
        const int i = ready.top();
        ready.pop();
        if (done[size_t(i)])
            continue;
        done[size_t(i)] = true;
        result.push_back(order[size_t(i)]);
        for (int j : above[size_t(i)])
            if (--below[size_t(j)] == 0 && !done[size_t(j)])
                ready.push(j);
    }
    if (progress)
        progress(1);
    return result;
}

}  // namespace DrawingOrder
