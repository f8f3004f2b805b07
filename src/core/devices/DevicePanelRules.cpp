#include "core/devices/DevicePanelRules.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

namespace DevicePanelRules {

QStringList DeviceTypeEntries()
{
    QStringList entries;
    for (int kind = dkAll; kind <= kDeviceKindCount; ++kind)
        entries << TDevice::KindFilterName(kind);
    return entries;
}

QString DeviceLineText(const TDevice& device)
{
    if (device.Model().isEmpty())
        return device.KindName();
    return QStringLiteral("%1 \"%2\"").arg(device.KindName(), device.Model());
}

std::vector<TDeviceLine> DeviceLines(const TBranch* branch, int kind)
{
    std::vector<TDeviceLine> lines;
    if (!branch || kind < dkAll || kind > kDeviceKindCount)
        return lines;
    for (TPipe* pipe : branch->Pipes)
        for (TDevice* device : pipe->Devices)
            if (kind == dkAll || device->GetKind() == kind)
                lines.push_back({DeviceLineText(*device), device});
    return lines;
}

std::vector<TBranch*> TargetBranches(const TMine& mine, TBranch* current)
{
    std::vector<TBranch*> targets;
    for (TMineObject* obj : mine.Selection)
        if (auto* b = dynamic_cast<TBranch*>(obj))
            targets.push_back(b);
    if (targets.empty() && current)
        targets.push_back(current);
    return targets;
}

namespace {

template <class Setter>
int AssignIndex(TMine& mine, TBranch* current, int index, int listCount, Setter set)
{
    if (index < 0 || index >= listCount)
        index = -1;
    int changed = 0;
    for (TBranch* b : TargetBranches(mine, current))
        if (set(*b, index))
            ++changed;
    return changed;
}

}  // namespace

int AssignLayer(TMine& mine, TBranch* current, int layerIndex)
{
    return AssignIndex(mine, current, layerIndex, mine.Layers.Count(), [](TBranch& b, int index) {
        if (b.RawLayerIndex() == index)
            return false;
        b.SetLayerIndex(index);
        return true;
    });
}

int AssignPLF(TMine& mine, TBranch* current, int plfIndex)
{
    return AssignIndex(mine, current, plfIndex, mine.PLFPositions.Count(), [](TBranch& b, int index) {
        if (b.RawPLFIndex() == index)
            return false;
        b.SetPLFIndex(index);
        return true;
    });
}

}  // namespace DevicePanelRules
