#include "core/services/DeviceRenumbering.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Errors.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>

namespace DeviceRenumbering {

namespace {

// The used numbers of nodes and water-pipe devices as a multiset that answers "the first
// free number below the largest" after each change without walking every number again: a
// mine of many thousand devices would otherwise take quadratic time.
class TUsedNumbers {
public:
    void Add(int n) { ++counts_[n]; }
    void Move(int from, int to)
    {
        auto it = counts_.find(from);
        if (it != counts_.end() && --it->second == 0) {
            counts_.erase(it);
            if (from >= 1 && from < scan_)
                freed_.insert(from);
        }
        Add(to);
        freed_.erase(to);
    }
    // The smallest number ≥ 1 that is unused and below the largest used one, or −1.
    int FirstFree()
    {
        if (counts_.empty())
            return -1;
        const int largest = counts_.rbegin()->first;
        while (counts_.count(scan_))
            ++scan_;
        int candidate = scan_;
        if (!freed_.empty())
            candidate = std::min(candidate, *freed_.begin());
        return candidate < largest ? candidate : -1;
    }

private:
    std::map<int, int> counts_;
    std::set<int> freed_;  // numbers below scan_ that became free again
    int scan_ = 1;         // every number in 1 … scan_ − 1 is used, save those in freed_
};

}  // namespace

std::vector<TDevice*> FireDevicesInOrder(const TMine& mine)
{
    std::vector<TBranch*> branches = mine.Branches.ToVector();
    std::stable_sort(branches.begin(), branches.end(),
                     [](const TBranch* a, const TBranch* b) { return a->Number() < b->Number(); });
    std::vector<TDevice*> devices;
    for (const TBranch* b : branches) {
        std::vector<TDevice*> own = b->FirePipe()->Devices.ToVector();
        std::stable_sort(own.begin(), own.end(),
                         [](const TDevice* x, const TDevice* y) { return x->Position() < y->Position(); });
        devices.insert(devices.end(), own.begin(), own.end());
    }
    return devices;
}

int FirstNumberAfterMaximum(const TMine& mine)
{
    long long largest = 0;
    for (const TUzel* u : mine.Uzels)
        largest = std::max<long long>(largest, u->Number());
    for (size_t kind = pkDrainage; kind < mine.DevicesByPipeKind.size(); ++kind)
        for (const TDevice* d : mine.DevicesByPipeKind[kind])
            largest = std::max<long long>(largest, d->Number());
    return static_cast<int>(std::min<long long>(largest + 1, INT_MAX));
}

void Renumber(TMine& mine, TMode mode)
{
    const std::vector<TDevice*> devices = FireDevicesInOrder(mine);
    if (devices.empty())
        throw Exception(kNoWaterDevices);
    const int first = FirstNumberAfterMaximum(mine);
    if (static_cast<long long>(first) + static_cast<long long>(devices.size()) - 1 > INT_MAX)
        throw Exception(QStringLiteral("Номер вне допустимого диапазона"));

    int next = first;
    for (TDevice* d : devices)
        d->SetNumber(next++);
    if (mode != TMode::FillFree)
        return;

    // The numbers of nodes and of the devices of the fire-fighting, drainage and air pipes
    // count as used, as for a new device on a water pipe.
    TUsedNumbers used;
    for (const TUzel* u : mine.Uzels)
        used.Add(u->Number());
    for (size_t kind = pkFire; kind <= pkAir; ++kind)
        for (const TDevice* d : mine.DevicesByPipeKind[kind])
            used.Add(d->Number());
    if (used.FirstFree() == devices.front()->Number())
        return;
    for (TDevice* d : devices) {
        const int free = used.FirstFree();
        if (free < 0)
            break;
        used.Move(d->Number(), free);
        d->SetNumber(free);
    }
}

}  // namespace DeviceRenumbering
