#include "core/hydraulics/HydroResults.h"

#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

void THydroResults::AddSection(const TBranch* branch, const TWaterPipePart* section, const TSectionResult& values)
{
    Sections.push_back({branch, section, values});
    const int row = static_cast<int>(Sections.size()) - 1;
    rows_[section] = row;
    firstRows_.try_emplace(branch, row);
    pipes_.insert(section->OwnerPipeOf());
}

void THydroResults::Reindex()
{
    rows_.clear();
    firstRows_.clear();
    pipes_.clear();
    uzels_.clear();
    devices_.clear();
    for (size_t i = 0; i < Sections.size(); ++i) {
        const THydroBranch& row = Sections[i];
        rows_[row.Section] = static_cast<int>(i);
        firstRows_.try_emplace(row.Branch, static_cast<int>(i));
        pipes_.insert(row.Section->OwnerPipeOf());
    }
    for (size_t i = 0; i < Uzels.size(); ++i)
        uzels_[Uzels[i].Uzel] = static_cast<int>(i);
    for (size_t i = 0; i < Devices.size(); ++i)
        devices_[Devices[i].Device] = static_cast<int>(i);
}

const TSectionResult* THydroResults::Find(const TPipePart* section) const
{
    const int row = RowOf(section);
    return row < 0 ? nullptr : &Sections[static_cast<size_t>(row)].Values;
}

int THydroResults::RowOf(const TPipePart* section) const
{
    const auto it = rows_.find(section);
    return it == rows_.end() ? -1 : it->second;
}

int THydroResults::FirstRowOf(const TBranch* branch) const
{
    const auto it = firstRows_.find(branch);
    return it == firstRows_.end() ? -1 : it->second;
}

const TUzelResult* THydroResults::FindUzel(const TUzel* uzel) const
{
    const auto it = uzels_.find(uzel);
    return it == uzels_.end() ? nullptr : &Uzels[static_cast<size_t>(it->second)];
}

const TDeviceResult* THydroResults::FindDevice(const TDevice* device) const
{
    const auto it = devices_.find(device);
    return it == devices_.end() ? nullptr : &Devices[static_cast<size_t>(it->second)];
}

bool THydroResults::HydrantPressure(const TCrane& hydrant, double& pressure) const
{
    const TPipePart* after = hydrant.Section();
    const TPipePart* before = hydrant.IncomingSection();
    const TSectionResult* a = after ? Find(after) : nullptr;
    const TSectionResult* b = before ? Find(before) : nullptr;
    if (a && after->SectionLength() > 0) {
        pressure = a->P1;
        return true;
    }
    if (b) {
        pressure = b->P2;
        return true;
    }
    if (a) {
        pressure = a->P1;
        return true;
    }
    return false;
}
