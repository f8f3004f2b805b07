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

std::optional<TReducerCharacter::Fault> TReducerCharacter::FindFault() const
{
    using namespace ReducerTexts;
    // Every check is written as what must hold, so a NaN fails it.
    if (NQ() == 0)
        return Fault{Part::Flow, 0, 0, kBadFlow};
    if (!(Flow(0) > 0))
        return Fault{Part::Flow, 0, 0, kBadFlow};
    for (int k = 1; k < NQ(); ++k)
        if (!(Flow(k) > Flow(k - 1)))
            return Fault{Part::Flow, 0, k, kBadFlow};
    if (NP() == 0 || !(Inlet(0) > 0))
        return Fault{Part::Inlet, 0, 0, kBadInlet};
    if (!(Locking(0) > 0))
        return Fault{Part::Locking, 0, 0, kBadLocking};
    for (int r = 1; r < NP(); ++r) {
        if (!(Inlet(r) > Inlet(r - 1)))
            return Fault{Part::Inlet, r, 0, kBadInlet};
        if (!(Locking(r) > Locking(r - 1)))
            return Fault{Part::Locking, r, 0, kBadLocking};
    }
    for (int k = 0; k < NQ(); ++k)
        if (!(Outlet(0, k) >= 0))
            return Fault{Part::Outlet, 0, k, kBadOutlet};
    for (int r = 1; r < NP(); ++r)
        if (!(Outlet(r, 0) > 0))
            return Fault{Part::Outlet, r, 0, kBadOutlet};
    for (int r = 0; r < NP(); ++r)
        for (int k = 0; k < NQ(); ++k) {
            const bool notRising = k == 0 || Outlet(r, k) <= Outlet(r, k - 1);
            const bool notFalling = r == 0 || Outlet(r, k) >= Outlet(r - 1, k);
            if (!notRising || !notFalling)
                return Fault{Part::Outlet, r, k, kBadOutlet};
        }
    return std::nullopt;
}

void TReducerCharacter::Validate() const
{
    if (auto fault = FindFault())
        throw EReducerCharacterError(std::move(*fault));
}
