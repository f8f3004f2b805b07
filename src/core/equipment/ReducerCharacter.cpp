#include "core/equipment/ReducerCharacter.h"

#include <algorithm>

TReducerCharacter::TReducerCharacter() { ResetToDefault(); }

void TReducerCharacter::ResetToDefault()
{
    inlet_ = {16.0, 60.0};
    locking_ = {8.0, 32.0};
    flows_ = {10.0, 100.0};
    outlet_ = {7.3, 0.0, 28.6, 8.0};
}

void TReducerCharacter::Resize(int nP, int nQ)
{
    nP = std::max(nP, 0);
    nQ = std::max(nQ, 0);
    std::vector<double> outlet(static_cast<size_t>(nP) * static_cast<size_t>(nQ), 0.0);
    for (int r = 0; r < std::min(nP, NP()); ++r)
        for (int c = 0; c < std::min(nQ, NQ()); ++c)
            outlet[static_cast<size_t>(r) * static_cast<size_t>(nQ) + static_cast<size_t>(c)] = Outlet(r, c);
    inlet_.resize(static_cast<size_t>(nP), 0.0);
    locking_.resize(static_cast<size_t>(nP), 0.0);
    flows_.resize(static_cast<size_t>(nQ), 0.0);
    outlet_ = std::move(outlet);
}

namespace {
// Interpolates along one column of row values (inlet or locking pressures).
TReducerCharacter::Interpolated Along(const TReducerCharacter& c, const std::vector<double>& key, double x,
                                      bool byLocking)
{
    TReducerCharacter::Interpolated r;
    const int n = static_cast<int>(key.size());
    if (n == 0 || !(x >= key.front() && x <= key.back()))
        return r;
    int j = 0;
    while (j < n && key[static_cast<size_t>(j)] < x)
        ++j;
    if (j >= n)
        return r;
    r.valid = true;
    r.outlet.resize(static_cast<size_t>(c.NQ()));
    if (key[static_cast<size_t>(j)] == x || j == 0) {
        r.inlet = c.Inlet(j);
        r.locking = c.Locking(j);
        for (int k = 0; k < c.NQ(); ++k)
            r.outlet[static_cast<size_t>(k)] = c.Outlet(j, k);
        return r;
    }
    const double lo = key[static_cast<size_t>(j - 1)];
    const double hi = key[static_cast<size_t>(j)];
    const double t = (x - lo) / (hi - lo);
    r.inlet = c.Inlet(j - 1) + t * (c.Inlet(j) - c.Inlet(j - 1));
    r.locking = c.Locking(j - 1) + t * (c.Locking(j) - c.Locking(j - 1));
    if (byLocking)
        r.locking = x;
    else
        r.inlet = x;
    for (int k = 0; k < c.NQ(); ++k)
        r.outlet[static_cast<size_t>(k)] = c.Outlet(j - 1, k) + t * (c.Outlet(j, k) - c.Outlet(j - 1, k));
    return r;
}
}  // namespace

TReducerCharacter::Interpolated TReducerCharacter::ForLockingPressure(double locking) const
{
    return Along(*this, locking_, locking, true);
}

TReducerCharacter::Interpolated TReducerCharacter::ForInletPressure(double inlet) const
{
    return Along(*this, inlet_, inlet, false);
}
