#include "core/devices/DeviceApply.h"

#include "core/devices/DeviceValidation.h"
#include "core/services/FreeNumberEntries.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/DeviceRecord.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

#include <algorithm>
#include <cmath>

namespace DeviceApply {

namespace {

double Number(const QString& text) { return DeviceValidation::NumberOf(text).value_or(0); }

int16_t Whole16(int v) { return static_cast<int16_t>(std::clamp(v, 0, 32767)); }

void WriteKindFields(TDevice& device, const TDeviceDraft& d)
{
    switch (device.GetKind()) {
    case dkPump: {
        auto& p = static_cast<TPump&>(device);
        for (int i = 1; i <= 6; ++i)
            p.SetValue(i, d.Pump.Values[static_cast<size_t>(i - 1)]);
        p.SetHeadDirection(d.Pump.HeadDirection);
        p.SetOff(d.Pump.Off);
        p.SetManometer(1, Number(d.Pump.Manometer1));
        p.SetManometer(2, Number(d.Pump.Manometer2));
        break;
    }
    case dkReducer: {
        auto& r = static_cast<TReducer&>(device);
        r.SetCharacteristic(d.Reducer.Characteristic);
        r.SetLockingPressure(d.Reducer.LockingPressure);
        r.SetDirection(d.Reducer.Direction);
        r.SetOff(d.Reducer.Off);
        r.SetHasCharacteristic(true);
        r.SetManometer(1, Number(d.Reducer.Manometer1));
        r.SetManometer(2, Number(d.Reducer.Manometer2));
        break;
    }
    case dkGate:
        static_cast<TGate&>(device).SetClosed(d.GateClosed);
        break;
    case dkCrane: {
        auto& c = static_cast<TCrane&>(device);
        c.SetConsumption(d.Crane.Consumption);
        c.SetConsumerType(std::clamp(d.Crane.ConsumerType, 0, 3));
        c.SetFlow(Number(d.Crane.Flow));
        c.SetOrifice(d.Crane.Orifice);
        c.SetOrificeDiameter(Number(d.Crane.OrificeDiameter));
        c.SetManometer(Number(d.Crane.Manometer));
        break;
    }
    case dkJetBreakTank: {
        auto& t = static_cast<TJetBreakTank&>(device);
        t.SetVolume(std::max(Number(d.Tank.Volume), 0.0));
        t.SetBypass(d.Tank.Bypass);
        if (d.Tank.Bypass)
            t.SetAddPressure(Number(d.Tank.AddPressure));
        else
            t.SetMakeUpFlow(Number(d.Tank.MakeUpFlow));
        t.SetManometer(Number(d.Tank.Manometer));
        break;
    }
    case dkVacuumPump: {
        auto& v = static_cast<TVacuumPump&>(device);
        v.SetP1(Whole16(d.Vacuum.P1));
        v.SetQ1(Whole16(d.Vacuum.Q1));
        v.SetP2(Whole16(d.Vacuum.P2));
        v.SetQ2(Whole16(d.Vacuum.Q2));
        break;
    }
    case dkSlit: {
        auto& s = static_cast<TSlit&>(device);
        s.ClearWells();
        for (const TWellRow& row : d.Wells) {
            TSlitParams* well = s.AddWell();
            for (int f = 0; f < 5; ++f)
                well->SetValue(f, static_cast<int16_t>(row[static_cast<size_t>(f)].trimmed().toInt()));
        }
        break;
    }
    case dkFireMachine: {
        auto& m = static_cast<TFireMachine&>(device);
        m.SetVolume(std::max(Number(d.Machine.Volume), 0.0));
        m.SetAddPressure(Number(d.Machine.AddPressure));
        m.SetManometer(Number(d.Machine.Manometer));
        break;
    }
    default:
        break;
    }
}

// Number, "Номер ППЗ", model and position; the pipe grows to cover the device.
void WriteCommonFields(TDevice& device, const TDeviceDraft& d, int number)
{
    device.SetNumber(number);
    device.SetPPZNumber(d.PPZNumber.trimmed());
    device.SetModel(d.Kind == dkReducer ? d.Reducer.Characteristic.Name.trimmed() : d.Model.trimmed());
    device.SetPosition(d.Position);
    device.Pipe()->CoverPosition(device.Position());
}

TDevice* ApplyConnections(TBranch& branch, const TDeviceDraft& d, TDevice* editing)
{
    std::vector<TDevice*> stale = DeviceDrafts::ConnectionGroup(branch, d.Position);
    if (editing)
        for (TDevice* old : DeviceDrafts::ConnectionGroup(branch, editing->Position()))
            if (std::find(stale.begin(), stale.end(), old) == stale.end())
                stale.push_back(old);
    for (TDevice* old : stale)
        old->Pipe()->Devices.Remove(old);

    TDevice* result = nullptr;
    for (size_t i = 0; i < d.Connections.size(); ++i) {
        const TConnectionEntry& e = d.Connections[i];
        if (!e.Checked)
            continue;
        TPipe* pipe = branch.Pipes.Items(e.PipeIndex);
        auto* c = TDevice::Create<TConnection>(&branch, pipe);
        c->SetMixtureFlow(e.Flow);
        c->SetMethaneConcentration(e.Concentration);
        c->SetTemperature(e.Temperature);
        WriteCommonFields(*c, d, e.NodeNumber);
        pipe->Devices.SortByPosition();
        if (!result || static_cast<int>(i) == d.SelectedConnection)
            result = c;
    }
    return result;
}

}  // namespace

TDevice* Apply(TBranch& branch, const TDeviceDraft& draft, TDevice* editing)
{
    if (editing && (editing->Branch() != &branch || editing->GetKind() != draft.Kind))
        throw EDeviceEditError(DeviceEditTexts::kUnsupported, TDraftField::Kind);
    DeviceValidation::Validate(branch, draft);
    if (draft.Kind == dkConnection)
        return ApplyConnections(branch, draft, editing);
    TPipe* pipe = branch.Pipes.Items(draft.PipeIndex);
    TDevice* device = editing;
    if (!device)
        device = TDevice::CreateDevice(&branch, pipe, draft.Kind);
    else if (device->Pipe() != pipe)
        device->MoveToPipe(pipe);
    WriteKindFields(*device, draft);
    WriteCommonFields(*device, draft, draft.Number);
    pipe->Devices.SortByPosition();
    return device;
}

bool CanDuplicate(const TBranch& branch, const TDeviceDraft& draft, int direction, double stepMetres)
{
    const double length = branch.Length();
    if (!(length > 0) || !(stepMetres > 0) || (direction != -1 && direction != 1))
        return false;
    if (draft.PipeIndex < 0 || draft.PipeIndex >= branch.Pipes.Count())
        return false;
    const TPipe* pipe = branch.Pipes.Items(draft.PipeIndex);
    const double target = draft.Position + direction * stepMetres / length;
    return direction < 0 ? target >= std::min(pipe->StartFrac(), draft.Position)
                         : target <= std::max(pipe->EndFrac(), draft.Position);
}

TDevice* Duplicate(TBranch& branch, const TDeviceDraft& draft, TDevice* editing, int direction, double stepMetres)
{
    if (!CanDuplicate(branch, draft, direction, stepMetres))
        return nullptr;
    DeviceValidation::Validate(branch, draft);

    // The copy as a new device: numbers free over nodes and all devices, the draft's own
    // numbers counted as used before they reach the model.
    const TMine& mine = *branch.Mine();
    const int sources = nsUzels | nsWaterDevices | nsGasDevices;
    TDeviceDraft copy = draft;
    copy.Position = draft.Position + direction * stepMetres / branch.Length();
    std::vector<int> given{draft.Number};
    for (const TConnectionEntry& e : draft.Connections)
        if (e.Checked)
            given.push_back(e.NodeNumber);
    if (draft.Kind == dkConnection) {
        for (TConnectionEntry& e : copy.Connections) {
            if (!e.Checked)
                continue;
            e.NodeNumber = FreeNumberEntries::FirstFree(mine, sources, given, true);
            given.push_back(e.NodeNumber);
        }
    } else {
        copy.Number = FreeNumberEntries::FirstFree(mine, sources, given, true);
    }
    DeviceValidation::Validate(branch, copy);

    TDevice* original = Apply(branch, draft, editing);
    std::vector<TDevice*> sourcesOfCopy{original};
    if (draft.Kind == dkConnection)
        sourcesOfCopy = DeviceDrafts::ConnectionGroup(branch, original->Position());
    TDevice* result = nullptr;
    for (TDevice* source : sourcesOfCopy) {
        TPipe* pipe = source->Pipe();
        ByteWriter writer;
        DeviceRecord::Write(writer, *source, kCurrentStreamVersion);
        ByteReader reader(writer.data());
        TDevice* twin = DeviceRecord::Read(reader, branch, *pipe, kCurrentStreamVersion);
        int number = copy.Number;
        for (const TConnectionEntry& e : copy.Connections)
            if (draft.Kind == dkConnection && e.PipeIndex == pipe->SlotIndex())
                number = e.NodeNumber;
        twin->SetNumber(number);
        twin->SetPosition(copy.Position);
        pipe->CoverPosition(twin->Position());
        pipe->Devices.SortByPosition();
        if (source == original)
            result = twin;
    }
    return result;
}

TDevice* Neighbour(const TDevice& device, int step)
{
    const TPipe* pipe = device.Pipe();
    if (!pipe || pipe->Devices.IsEmpty())
        return nullptr;
    const int index = pipe->Devices.IndexOf(&device);
    return pipe->Devices.Items(std::clamp(index + step, 0, pipe->Devices.Count() - 1));
}

bool CanGoPrevious(const TPipe& pipe, const TDevice* editing, double position)
{
    const auto& list = pipe.Devices;
    if (!editing)
        return !list.IsEmpty() && list.First()->Position() < position;
    if (list.Count() < 2)
        return false;
    return (list.Items(0)->Position() < position && list.Items(0) != editing) || list.Items(1)->Position() < position;
}

bool CanGoNext(const TPipe& pipe, const TDevice* editing, double position)
{
    const auto& list = pipe.Devices;
    if (!editing)
        return !list.IsEmpty() && list.Last()->Position() > position;
    const int n = list.Count();
    if (n < 2)
        return false;
    return (list.Items(n - 1)->Position() > position && list.Items(n - 1) != editing) ||
           list.Items(n - 2)->Position() > position;
}

}  // namespace DeviceApply
