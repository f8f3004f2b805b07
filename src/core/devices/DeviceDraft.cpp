#include "core/devices/DeviceDraft.h"

#include "core/devices/DevicePosition.h"
#include "core/services/FreeNumberEntries.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

namespace DeviceDrafts {

QString NumberText(double value) { return QString::number(value, 'g', 15); }

std::vector<TDevice*> ConnectionGroup(const TBranch& branch, double position)
{
    std::vector<TDevice*> group;
    for (int i = 3; i < branch.Pipes.Count(); ++i) {
        const TPipe* pipe = branch.Pipes.Items(i);
        if (!pipe->IsGas())
            continue;
        const int at = pipe->Devices.IndexOfKindAt(dkConnection, position);
        if (at >= 0)
            group.push_back(pipe->Devices.Items(at));
    }
    return group;
}

std::vector<TConnectionEntry> ConnectionEntries(const TBranch& branch, const TDevice* groupMember)
{
    std::vector<TDevice*> group;
    if (groupMember && groupMember->GetKind() == dkConnection)
        group = ConnectionGroup(branch, groupMember->Position());
    std::vector<TConnectionEntry> entries;
    std::vector<int> given;
    for (int i = 3; i < branch.Pipes.Count(); ++i) {
        auto* gas = dynamic_cast<const TGasPipe*>(branch.Pipes.Items(i));
        if (!gas)
            continue;
        TConnectionEntry entry;
        entry.PipeIndex = i;
        entry.PipeNo = gas->PipeNo();
        for (TDevice* d : group) {
            if (d->Pipe() != gas)
                continue;
            auto* c = static_cast<const TConnection*>(d);
            entry.Checked = true;
            entry.NodeNumber = c->Number();
            entry.Flow = c->MixtureFlow();
            entry.Concentration = c->MethaneConcentration();
            entry.Temperature = c->Temperature();
        }
        if (!entry.Checked)
            entry.NodeNumber = FreeNumberEntries::FirstFree(*branch.Mine(), nsUzels | nsGasDevices, given, true);
        given.push_back(entry.NodeNumber);
        entries.push_back(entry);
    }
    return entries;
}

TDeviceDraft ForNewDevice(const TBranch& branch, int kind, int pipeIndex, double position)
{
    TDeviceDraft draft;
    draft.Kind = kind;
    draft.PipeIndex = pipeIndex;
    const bool validPipe = pipeIndex >= 0 && pipeIndex < branch.Pipes.Count();
    draft.Position = validPipe ? DevicePosition::IntoPipe(*branch.Pipes.Items(pipeIndex), position) : position;
    draft.Number = FreeNumberEntries::SuggestedDeviceNumber(*branch.Mine(), pipeIndex >= 3);
    draft.Connections = ConnectionEntries(branch, nullptr);
    for (size_t i = 0; i < draft.Connections.size(); ++i)
        if (draft.Connections[i].PipeIndex == pipeIndex)
            draft.SelectedConnection = static_cast<int>(i);
    return draft;
}

TDeviceDraft ForDevice(const TDevice& device)
{
    TDeviceDraft draft;
    const TBranch& branch = *device.Branch();
    draft.Kind = device.GetKind();
    draft.PipeIndex = device.Pipe() ? device.Pipe()->SlotIndex() : 0;
    draft.Position = device.Position();
    draft.Number = device.Number();
    draft.PPZNumber = device.PPZNumber();
    draft.Model = device.Model();
    switch (device.GetKind()) {
    case dkPump: {
        auto& d = static_cast<const TPump&>(device);
        draft.Pump.Chosen = true;
        for (int i = 1; i <= 6; ++i)
            draft.Pump.Values[static_cast<size_t>(i - 1)] = d.Value(i);
        draft.Pump.HeadDirection = d.HeadDirection();
        draft.Pump.Off = d.Off();
        draft.Pump.Manometer1 = NumberText(d.Manometer(1));
        draft.Pump.Manometer2 = NumberText(d.Manometer(2));
        break;
    }
    case dkReducer: {
        auto& d = static_cast<const TReducer&>(device);
        draft.Reducer.Characteristic = d.Characteristic();
        draft.Reducer.LockingPressure = d.LockingPressure();
        draft.Reducer.Direction = d.Direction();
        draft.Reducer.Off = d.Off();
        draft.Reducer.Manometer1 = NumberText(d.Manometer(1));
        draft.Reducer.Manometer2 = NumberText(d.Manometer(2));
        break;
    }
    case dkGate:
        draft.GateClosed = static_cast<const TGate&>(device).Closed();
        break;
    case dkCrane: {
        auto& d = static_cast<const TCrane&>(device);
        draft.Crane.Consumption = d.Consumption();
        draft.Crane.ConsumerType = d.ConsumerType();
        draft.Crane.Flow = NumberText(d.Flow());
        draft.Crane.Orifice = d.Orifice();
        draft.Crane.OrificeDiameter = NumberText(d.OrificeDiameter());
        draft.Crane.Manometer = NumberText(d.Manometer());
        break;
    }
    case dkJetBreakTank: {
        auto& d = static_cast<const TJetBreakTank&>(device);
        draft.Tank.Volume = NumberText(d.Volume());
        draft.Tank.Bypass = d.Bypass();
        draft.Tank.MakeUpFlow = NumberText(d.MakeUpFlow());
        draft.Tank.AddPressure = NumberText(d.AddPressure());
        draft.Tank.Manometer = NumberText(d.Manometer());
        break;
    }
    case dkVacuumPump: {
        auto& d = static_cast<const TVacuumPump&>(device);
        draft.Vacuum = {d.P1(), d.Q1(), d.P2(), d.Q2()};
        break;
    }
    case dkSlit: {
        auto& d = static_cast<const TSlit&>(device);
        for (int i = 0; i < d.WellCount(); ++i) {
            TWellRow row;
            for (int f = 0; f < 5; ++f)
                row[static_cast<size_t>(f)] = QString::number(d.Well(i)->Value(f));
            draft.Wells.push_back(row);
        }
        break;
    }
    case dkFireMachine: {
        auto& d = static_cast<const TFireMachine&>(device);
        draft.Machine.Volume = NumberText(d.Volume());
        draft.Machine.AddPressure = NumberText(d.AddPressure());
        draft.Machine.Manometer = NumberText(d.Manometer());
        break;
    }
    default:
        break;
    }
    draft.Connections = ConnectionEntries(branch, &device);
    for (size_t i = 0; i < draft.Connections.size(); ++i)
        if (draft.Connections[i].PipeIndex == draft.PipeIndex)
            draft.SelectedConnection = static_cast<int>(i);
    return draft;
}

}  // namespace DeviceDrafts
