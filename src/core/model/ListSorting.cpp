#include "core/model/ListSorting.h"

#include "core/model/Branch.h"
#include "core/model/MineObject.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <tuple>

namespace ListSorting {
namespace {

bool gUzelDescending = false;
bool gBranchDescending = false;

template <class T>
int ThreeWay(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Sorts by a precomputed key per object; descending reverses the key order while equal
// keys keep their relative order.
template <class Obj, class Key>
std::vector<Obj*> SortByKeys(const std::vector<Obj*>& objs, const std::vector<Key>& keys, bool descending)
{
    std::vector<size_t> idx(objs.size());
    for (size_t i = 0; i < idx.size(); ++i)
        idx[i] = i;
    std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) {
        return descending ? keys[b] < keys[a] : keys[a] < keys[b];
    });
    std::vector<Obj*> out;
    out.reserve(objs.size());
    for (size_t i : idx)
        out.push_back(objs[i]);
    return out;
}

}  // namespace

bool NextUzelDirection(bool toggle)
{
    gUzelDescending = toggle ? !gUzelDescending : false;
    return gUzelDescending;
}

bool NextBranchDirection(bool toggle)
{
    gBranchDescending = toggle ? !gBranchDescending : false;
    return gBranchDescending;
}

std::vector<TUzel*> SortedUzels(std::vector<TUzel*> uzels, int order, bool descending)
{
    std::vector<double> keys(uzels.size());
    for (size_t i = 0; i < uzels.size(); ++i) {
        const TUzel* u = uzels[i];
        switch (order) {
        case usoX: keys[i] = u->X(); break;
        case usoY: keys[i] = u->Y(); break;
        case usoZ: keys[i] = u->Z(); break;
        default: keys[i] = u->Number(); break;
        }
    }
    return SortByKeys(uzels, keys, descending);
}

std::vector<TBranch*> SortedBranches(std::vector<TBranch*> branches, int order, bool descending)
{
    const size_t n = branches.size();
    switch (order) {
    case bsoStartNumber:
    case bsoEndNumber:
    case bsoNumber: {
        std::vector<int> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = order == bsoStartNumber ? branches[i]->StartNumber()
                    : order == bsoEndNumber   ? branches[i]->EndNumber()
                                              : branches[i]->Number();
        return SortByKeys(branches, keys, descending);
    }
    case bsoLength:
    case bsoAngle: {
        std::vector<double> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = order == bsoLength ? branches[i]->Length() : branches[i]->Angle();
        return SortByKeys(branches, keys, descending);
    }
    case bsoRemark: {
        std::vector<QString> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = branches[i]->Remark();
        return SortByKeys(branches, keys, descending);
    }
    case bsoFireDiameter:
    case bsoFireWall: {
        std::vector<std::tuple<bool, int, int>> keys(n);
        for (size_t i = 0; i < n; ++i) {
            const TPipe* p = branches[i]->FirePipe();
            keys[i] = {IsLaid(p), order == bsoFireDiameter ? p->Diameter() : p->WallThickness(),
                       branches[i]->Number()};
        }
        return SortByKeys(branches, keys, descending);
    }
    case bsoFireK: {
        // Coefficients equal within the tolerance count as equal and fall back to the
        // number. Tolerance equality is not transitive, so values are first grouped into
        // runs that start at a value and take everything within tolerance of it; the run's
        // rank is the key. This keeps the ordering strict and weak.
        std::vector<std::pair<double, size_t>> byK(n);
        for (size_t i = 0; i < n; ++i)
            byK[i] = {static_cast<const TWaterPipe*>(branches[i]->FirePipe())->K(), i};
        std::stable_sort(byK.begin(), byK.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<int> rank(n, 0);
        int r = -1;
        double runStart = 0;
        for (size_t j = 0; j < n; ++j) {
            if (j == 0 || !SameDouble(runStart, byK[j].first)) {
                ++r;
                runStart = byK[j].first;
            }
            rank[byK[j].second] = r;
        }
        std::vector<std::tuple<bool, int, int>> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = {IsLaid(branches[i]->FirePipe()), rank[i], branches[i]->Number()};
        return SortByKeys(branches, keys, descending);
    }
    default:
        return branches;
    }
}

}  // namespace ListSorting
