#include "core/equipment/PumpCurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kNoHead = std::numeric_limits<double>::quiet_NaN();
constexpr double kSecondsPerHour = 3600;
}  // namespace

double EvaluateHead(const TBasePointList& points, double q)
{
    const std::vector<TBasePoint>& p = points.Points();
    const size_t n = p.size();
    if (n == 0 || std::isnan(q))
        return kNoHead;
    q = std::clamp(q, p.front().Q, std::max(p.front().Q, p.back().Q));
    if (n == 1)
        return p[0].H;
    if (n == 2) {
        const double dq = p[1].Q - p[0].Q;
        if (!(dq > 0))
            return kNoHead;
        return p[0].H + (p[1].H - p[0].H) * (q - p[0].Q) / dq;
    }
    if (points.SplineFailed() || points.Coefs().Count() != static_cast<int>(n) - 1)
        return kNoHead;
    size_t k = 1;
    while (k < n && !(p[k].Q > q))
        ++k;
    if (k == n)
        return p.back().H;
    const TCoefRecord& c = points.Coefs().At(static_cast<int>(k));
    const double u = p[k].Q - q;
    return p[k].H + c.B1 * u + c.C2 * u * u + c.A3 * u * u * u;
}

std::optional<TPumpFit> FitPump(const TBasePointList& points, double q1, double q2)
{
    TPumpFit fit;
    fit.Q1 = q1;
    fit.Q2 = q2;
    fit.H1 = EvaluateHead(points, q1);
    fit.H2 = EvaluateHead(points, q2);
    const double s1 = q1 / kSecondsPerHour;
    const double s2 = q2 / kSecondsPerHour;
    const double denominator = s1 * s1 - s2 * s2;
    if (std::isnan(fit.H1) || std::isnan(fit.H2) || denominator == 0)
        return std::nullopt;
    fit.B = (fit.H2 - fit.H1) / denominator;
    fit.A = fit.H1 + fit.B * s1 * s1;
    if (!std::isfinite(fit.A) || !std::isfinite(fit.B))
        return std::nullopt;
    return fit;
}

std::vector<TBasePoint> CurvePolyline(const TBasePointList& points, int piecesPerInterval)
{
    std::vector<TBasePoint> line;
    const std::vector<TBasePoint>& p = points.Points();
    if (p.size() < 2 || std::isnan(EvaluateHead(points, p.front().Q)))
        return line;
    if (p.size() == 2)
        return p;
    line.push_back(p.front());
    for (size_t k = 1; k < p.size(); ++k) {
        const double width = std::max(p[k].Q - p[k - 1].Q, 0.01);
        for (int i = 1; i <= piecesPerInterval; ++i) {
            const double q = std::min(p[k - 1].Q + width * i / piecesPerInterval, p[k].Q);
            line.push_back({q, EvaluateHead(points, q)});
        }
    }
    return line;
}

std::vector<TBasePoint> FitPolyline(const TPumpFit& fit, double qMin, double qMax)
{
    std::vector<TBasePoint> line;
    const double step = std::abs(qMax - qMin) / 400;
    if (fit.Q1 == fit.Q2 || !(step > 0) || !std::isfinite(step))
        return line;
    const double from = std::min(qMin, qMax);
    for (int i = 0; i <= 400; ++i) {
        const double q = from + step * i;
        const double s = q / kSecondsPerHour;
        line.push_back({q, fit.A - fit.B * s * s});
    }
    return line;
}

TFlowBarRange FlowBarRange(const TBasePointList& points)
{
    TFlowBarRange r;
    if (points.Count() == 0)
        return r;
    const auto hundredths = [](double q) {
        return std::clamp(q * 100, double(std::numeric_limits<int>::min() / 2), double(std::numeric_limits<int>::max() / 2));
    };
    r.Min = static_cast<int>(std::ceil(hundredths(points.Points().front().Q)));
    r.Max = std::max(r.Min, static_cast<int>(std::floor(hundredths(points.Points().back().Q))));
    const qint64 range = qint64(r.Max) - r.Min;
    r.SmallStep = static_cast<int>(std::max<qint64>(1, range / 100));
    r.LargeStep = static_cast<int>(std::max<qint64>(1, range / 5));
    return r;
}

QString FlowAxisLabel(double value, double offsetFromMinimum)
{
    const double offset = std::abs(offsetFromMinimum);
    const int decimals = offset >= 100 ? 0 : offset >= 10 ? 1 : 2;
    return QString::number(value, 'f', decimals);
}
