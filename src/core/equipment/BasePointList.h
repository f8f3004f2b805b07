#pragma once

#include <QString>

#include <functional>
#include <vector>

// One base point of a pump's head-flow curve: flow Q in m3/h, head H in m.
struct TBasePoint {
    double Q = 0;
    double H = 0;
    bool operator==(const TBasePoint&) const = default;
};

// Spline coefficients of one interval [x(k-1), x(k)] between consecutive base points, and the
// two elimination values the solve leaves behind. The curve on the interval is
// H(k) + B1 u + C2 u^2 + A3 u^3 with u = Q(k) - Q.
struct TCoefRecord {
    double A3 = 0;
    double C2 = 0;
    double B1 = 0;
    double P = 0;
    double Q = 0;
};

// The coefficient records, addressed from 1 (record k belongs to the interval ending at point k).
class TCoefList {
public:
    int Count() const { return static_cast<int>(records_.size()); }
    // Throws Exception for an index of 0 or below, EListError past the end.
    const TCoefRecord& At(int index) const;
    void Clear() { records_.clear(); }
    void Assign(std::vector<TCoefRecord> records) { records_ = std::move(records); }

private:
    std::vector<TCoefRecord> records_;
};

inline const QString kCoefIndexText = QStringLiteral("Начальным индексом в списке коэффициентов является 1");

// The natural cubic spline through points sorted by ascending Q: one record per interval, or
// nothing with fewer than 3 points. Empty as well when the solve fails (two points of equal
// flow, values out of range), which Computed tells apart.
struct TSplineResult {
    bool Computed = false;
    std::vector<TCoefRecord> Records;
};
TSplineResult SolveSpline(const std::vector<TBasePoint>& points);

// Base points kept sorted by ascending Q with the spline coefficients over them. While
// suspended (bulk loading, copying) the coefficients are left alone; resuming recomputes once.
class TBasePointList {
public:
    int Count() const { return static_cast<int>(points_.size()); }
    const TBasePoint& At(int index) const;
    const std::vector<TBasePoint>& Points() const { return points_; }
    const TCoefList& Coefs() const { return coefs_; }
    // False when the last computation failed (equal flows): the curve then gives no head.
    bool SplineFailed() const { return failed_; }

    // Places the point before the first point of greater flow; returns its index.
    int Insert(const TBasePoint& point);
    void Delete(int index);
    // Moves a point to new values; it takes its place by flow again. Returns its new index.
    int Replace(int index, const TBasePoint& point);
    void Clear();
    void Assign(const std::vector<TBasePoint>& points);

    void Suspend() { suspended_ = true; }
    void Resume();
    bool Suspended() const { return suspended_; }

    // Called after every recomputation, failed ones included.
    void SetOnChange(std::function<void()> callback) { onChange_ = std::move(callback); }

private:
    void Recompute();

    std::vector<TBasePoint> points_;
    TCoefList coefs_;
    bool suspended_ = false;
    bool failed_ = false;
    std::function<void()> onChange_;
};
