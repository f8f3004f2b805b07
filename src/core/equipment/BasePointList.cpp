#include "core/equipment/BasePointList.h"

#include "core/model/Errors.h"

#include <algorithm>
#include <cmath>

const TCoefRecord& TCoefList::At(int index) const
{
    if (index <= 0)
        throw Exception(kCoefIndexText);
    if (index > Count())
        throw EListError(index);
    return records_[static_cast<size_t>(index - 1)];
}

TSplineResult SolveSpline(const std::vector<TBasePoint>& points)
{
    TSplineResult result;
    const size_t n = points.size();
    if (n < 3) {
        result.Computed = true;
        return result;
    }
    for (size_t i = 1; i < n; ++i)
        if (!(points[i].Q - points[i - 1].Q > 0))
            return result;  // equal flows: no interval to divide by
    const auto x = [&](size_t i) { return points[i].Q; };
    const auto y = [&](size_t i) { return points[i].H; };

    // Forward sweep: c(i-1) = p(i-1) c(i) + q(i-1), with c(0) = 0.
    std::vector<TCoefRecord> records(1);
    for (size_t i = 1; i + 1 < n; ++i) {
        const TCoefRecord& prev = records.back();
        const double hl = x(i) - x(i - 1);
        const double hr = x(i + 1) - x(i);
        const double d = hl / 3 * prev.P + 2.0 / 3 * (hl + hr);
        TCoefRecord r;
        r.Q = ((y(i + 1) - y(i)) / hr - (y(i) - y(i - 1)) / hl - hl / 3 * prev.Q) / d;
        r.P = -(hr / 3) / d;
        records.push_back(r);
    }
    // Back substitution from the last interval, where the curve ends straight (c = 0).
    double cRight = 0;
    for (size_t k = n - 1; k >= 1; --k) {
        TCoefRecord& r = records[k - 1];
        const double cLeft = r.P * cRight + r.Q;
        const double h = x(k) - x(k - 1);
        r.A3 = (cLeft - cRight) / (3 * h);
        r.C2 = cRight;
        r.B1 = -(y(k) - y(k - 1)) / h + (cRight - cLeft) * h / 3 - cRight * h;
        for (double v : {r.A3, r.C2, r.B1, r.P, r.Q})
            if (!std::isfinite(v))
                return result;
        cRight = cLeft;
    }
    result.Computed = true;
    result.Records = std::move(records);
    return result;
}

const TBasePoint& TBasePointList::At(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return points_[static_cast<size_t>(index)];
}

int TBasePointList::Insert(const TBasePoint& point)
{
    const auto at = std::upper_bound(points_.begin(), points_.end(), point.Q,
                                     [](double q, const TBasePoint& p) { return q < p.Q; });
    const int index = static_cast<int>(at - points_.begin());
    points_.insert(at, point);
    Recompute();
    return index;
}

void TBasePointList::Delete(int index)
{
    At(index);
    points_.erase(points_.begin() + index);
    Recompute();
}

int TBasePointList::Replace(int index, const TBasePoint& point)
{
    At(index);
    const bool wasSuspended = suspended_;
    suspended_ = true;
    points_.erase(points_.begin() + index);
    const int to = Insert(point);
    suspended_ = wasSuspended;
    Recompute();
    return to;
}

void TBasePointList::Clear()
{
    points_.clear();
    Recompute();
}

void TBasePointList::Assign(const std::vector<TBasePoint>& points)
{
    const bool wasSuspended = suspended_;
    suspended_ = true;
    points_.clear();
    for (const TBasePoint& p : points)
        Insert(p);
    suspended_ = wasSuspended;
    Recompute();
}

void TBasePointList::Resume()
{
    suspended_ = false;
    Recompute();
}

void TBasePointList::Recompute()
{
    if (suspended_)
        return;
    TSplineResult spline = SolveSpline(points_);
    failed_ = !spline.Computed;
    coefs_.Assign(std::move(spline.Records));
    if (onChange_)
        onChange_();
}
