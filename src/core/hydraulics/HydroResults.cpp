#include "core/hydraulics/HydroResults.h"

#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <algorithm>

void THydroResults::AddSection(const TBranch* branch, const TWaterPipePart* section, const TSectionResult& values)
{
    Sections.push_back({branch, section, values});
    stale_ = true;
}

void THydroResults::Fresh() const
{
    if (stale_)
        const_cast<THydroResults*>(this)->Reindex();
}

void THydroResults::Reindex()
{
    stale_ = false;
    rows_.Clear();
    firstRows_.Clear();
    pipes_.Clear();
    uzels_.Clear();
    devices_.Clear();
    rows_.Reserve(Sections.size());
    firstRows_.Reserve(Sections.size());
    pipes_.Reserve(Sections.size());
    for (size_t i = 0; i < Sections.size(); ++i) {
        const THydroBranch& row = Sections[i];
        rows_.Add(row.Section, static_cast<int>(i));
        firstRows_.Add(row.Branch, static_cast<int>(i));
        pipes_.Add(row.Section->OwnerPipeOf(), 0);
    }
    uzels_.Reserve(Uzels.size());
    for (size_t i = 0; i < Uzels.size(); ++i)
        uzels_.Add(Uzels[i].Uzel, static_cast<int>(i));
    devices_.Reserve(Devices.size());
    for (size_t i = 0; i < Devices.size(); ++i)
        devices_.Add(Devices[i].Device, static_cast<int>(i));
    rows_.Sort();
    firstRows_.Sort();  // stable: a branch's first row stays first
    pipes_.Sort();
    uzels_.Sort();
    devices_.Sort();
}

const TSectionResult* THydroResults::Find(const TPipePart* section) const
{
    const int row = RowOf(section);
    return row < 0 ? nullptr : &Sections[static_cast<size_t>(row)].Values;
}

int THydroResults::RowOf(const TPipePart* section) const
{
    Fresh();
    return rows_.Find(section);
}

int THydroResults::FirstRowOf(const TBranch* branch) const
{
    Fresh();
    return firstRows_.Find(branch);
}

bool THydroResults::PipeHasResults(const TPipe* pipe) const
{
    Fresh();
    return pipes_.Find(pipe) >= 0;
}

const TUzelResult* THydroResults::FindUzel(const TUzel* uzel) const
{
    Fresh();
    const int i = uzels_.Find(uzel);
    return i < 0 ? nullptr : &Uzels[static_cast<size_t>(i)];
}

const TDeviceResult* THydroResults::FindDevice(const TDevice* device) const
{
    Fresh();
    const int i = devices_.Find(device);
    return i < 0 ? nullptr : &Devices[static_cast<size_t>(i)];
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

double TWasherRow::Excess() const { return std::max(0.0, Pressure - THydroResults::kUpperPressure); }

double TWasherRow::Drop() const { return TCrane::WasherDrop(Washer); }

double TLowerRow::Shortage() const { return Pressure - THydroResults::kLowerPressure; }
