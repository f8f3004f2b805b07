#include "core/services/FreeNumberEntries.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <climits>

namespace FreeNumberEntries {

std::vector<int> UsedNumbers(const TMine& mine, int sources, const std::vector<int>& extra)
{
    std::vector<int> used = extra;
    if (sources & nsUzels)
        for (const TUzel* u : mine.Uzels)
            used.push_back(u->Number());
    if (sources & nsBranches)
        for (const TBranch* b : mine.Branches)
            used.push_back(b->Number());
    for (size_t kind = 0; kind < mine.DevicesByPipeKind.size(); ++kind) {
        const int source = kind == pkGas ? nsGasDevices : nsWaterDevices;
        if (sources & source)
            for (const TDevice* d : mine.DevicesByPipeKind[kind])
                used.push_back(d->Number());
    }
    return used;
}

std::vector<TFreeNumberEntry> Entries(std::vector<int> used, bool withTail)
{
    std::sort(used.begin(), used.end());
    std::vector<TFreeNumberEntry> entries;
    // 64-bit, so the number after the largest integer is no trouble. Numbers below the
    // counter (repeats, zero, negatives) leave it where it is.
    long long n = 1;
    for (const int v : used) {
        if (v > n) {
            if (v - n < 4) {
                for (long long free = n; free < v; ++free)
                    entries.push_back({QString::number(free), static_cast<int>(free)});
            } else {
                entries.push_back({QStringLiteral("%1 - %2").arg(n).arg(v - 1), static_cast<int>(n)});
            }
        }
        n = std::max(n, static_cast<long long>(v) + 1);
    }
    if (withTail && n <= INT_MAX)
        entries.push_back({QStringLiteral("%1 и далее ...").arg(n), static_cast<int>(n)});
    return entries;
}

int FirstFree(const TMine& mine, int sources, const std::vector<int>& extra, bool withTail)
{
    const auto entries = Entries(UsedNumbers(mine, sources, extra), withTail);
    return entries.empty() ? -1 : entries.front().Number;
}

int SuggestedDeviceNumber(const TMine& mine, bool gasPipe)
{
    return FirstFree(mine, nsUzels | (gasPipe ? nsGasDevices : nsWaterDevices), {}, true);
}

}  // namespace FreeNumberEntries
