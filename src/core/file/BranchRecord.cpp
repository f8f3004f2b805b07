#include "core/file/BranchRecord.h"

#include "core/file/DeviceRecord.h"
#include "core/file/RecordFields.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <algorithm>

using namespace RecordFields;

namespace {

constexpr int kWaterPipeCount = 3;
constexpr int kWaterTailSize = 1 + 8;

int FixedSize(int version)
{
    if (version >= 14)
        return 55;
    if (version >= 10)
        return 51;
    if (version >= 7)
        return 26;
    if (version >= 6)
        return 25;
    if (version >= 5)
        return 24;
    return 16;
}

// Common part of a pipe without the first-section label (only the fire pipe has one), the
// device count and the smaller (water) tail.
int PipeMinSize(int version)
{
    int size = 1 + 4 + 8 + 8;
    if (version >= 4)
        size += 4;
    if (version >= 6)
        size += 4;
    if (version >= 10)
        size += 1 + 1 + 8;
    if (version >= 15)
        size += 1;
    return size + 4 + kWaterTailSize;
}

// The pipe in the slot: the branch's own water pipe for slots 0-2 (the stored kind must be
// the slot's), the degasification pipe already there or a new one after them.
TPipe* PipeForSlot(TBranch& branch, int slot, int kind)
{
    if (slot < kWaterPipeCount) {
        if (kind != slot)
            Malformed(QStringLiteral("Pipe kind %1 in water slot %2").arg(kind).arg(slot));
        return branch.Pipes.Items(slot);
    }
    if (kind != pkGas)
        Malformed(QStringLiteral("Pipe kind %1 in degasification slot %2").arg(kind).arg(slot));
    if (slot < branch.Pipes.Count())
        return branch.Pipes.Items(slot);
    return TGasPipe::Create(&branch);
}

void ReadDevices(ByteReader& r, TBranch& branch, TPipe& pipe, int version, const BranchRecord::DeviceReuse& reuse)
{
    const int32_t devices = r.count(DeviceRecord::MinSize(version));
    if (pipe.Devices.IsEmpty()) {
        for (int i = 0; i < devices; ++i)
            DeviceRecord::Read(r, branch, pipe, version);
        pipe.Devices.SortByPosition();
        return;
    }
    // A pipe read over again: devices the record names keep their objects, the rest go.
    const std::vector<TDevice*> before = pipe.Devices.ToVector();
    std::vector<TDevice*> read;
    read.reserve(static_cast<size_t>(devices));
    for (int i = 0; i < devices; ++i)
        read.push_back(DeviceRecord::Read(r, branch, pipe, version, [&](int kind) -> TDevice* {
            return reuse ? reuse(pipe, i, kind) : nullptr;
        }));
    for (TDevice* d : before)
        if (std::find(read.begin(), read.end(), d) == read.end())
            pipe.Devices.Remove(d);
    pipe.Devices.ReorderTo(read);
}

void ReadPipe(ByteReader& r, TBranch& branch, int slot, int version, const BranchRecord::DeviceReuse& reuse)
{
    TPipe* pipe = PipeForSlot(branch, slot, r.u8());
    pipe->SetDiameter(r.i32());
    const double startFrac = Fraction(r);
    const double endFrac = Fraction(r);
    pipe->SetFractions(startFrac, endFrac);
    if (version >= 4)
        pipe->SetWallThickness(r.i32());
    if (version >= 6)
        pipe->SetColorQuietly(r.i32());
    if (version >= 10) {
        if (pipe->Kind() == pkFire) {
            const TLabelOffset offset = ReadLabelOffset(r);
            const bool autoPlace = r.boolean();
            if (auto* section = dynamic_cast<TWaterPipePart*>(pipe->FirstSection())) {
                section->SetLabelOffset(offset);
                section->SetAutoPlaceLabel(autoPlace);
                section->DeriveLabelPlacement();
            }
        }
        pipe->SetResistanceMode(r.u8());
        pipe->SetNotNew(r.boolean());
        pipe->SetFixedResistance(r.f64());
    }
    if (version >= 15)
        pipe->SetProjected(r.boolean());

    ReadDevices(r, branch, *pipe, version, reuse);

    if (auto* water = dynamic_cast<TWaterPipe*>(pipe)) {
        water->SetPresent(r.boolean());
        water->SetK(FiniteDouble(r));
    } else {
        auto* gas = static_cast<TGasPipe*>(pipe);
        gas->SetPipeNo(r.i32());
        gas->SetDiameterType(r.u8());
        gas->SetTemperature(r.f64());
        gas->SetMixtureFlow(r.f64());
        gas->SetMethaneConcentration(r.f64());
        gas->SetFixedFlow(r.boolean());
    }

    // Files before colours were stored: the pipe takes the colour of its diameter. While
    // the mine loads pipes do not register themselves, so it is asked here.
    if (version < 6)
        pipe->SetColorQuietly(branch.Mine()->DiamColors.RegisterPipe(pipe, false));
}

void WritePipe(ByteWriter& w, const TPipe& pipe, int version)
{
    w.u8(static_cast<uint8_t>(pipe.Kind()));
    w.i32(pipe.Diameter());
    w.f64(pipe.StartFrac());
    w.f64(pipe.EndFrac());
    if (version >= 4)
        w.i32(pipe.WallThickness());
    if (version >= 6)
        w.i32(pipe.Color());
    if (version >= 10) {
        if (pipe.Kind() == pkFire) {
            if (const auto* section = dynamic_cast<const TWaterPipePart*>(pipe.FirstSection())) {
                WriteLabelOffset(w, section->LabelOffset());
                w.boolean(section->AutoPlaceLabel());
            } else {
                WriteLabelOffset(w, TLabelOffset::Make(0, 0));
                w.boolean(true);
            }
        }
        w.u8(static_cast<uint8_t>(pipe.ResistanceMode()));
        w.boolean(pipe.NotNew());
        w.f64(pipe.FixedResistance());
    }
    if (version >= 15)
        w.boolean(pipe.Projected());

    int stored = 0;
    for (const TDevice* d : pipe.Devices)
        if (DeviceRecord::Stored(*d, version))
            ++stored;
    w.i32(stored);
    for (const TDevice* d : pipe.Devices)
        if (DeviceRecord::Stored(*d, version))
            DeviceRecord::Write(w, *d, version);

    if (const auto* water = dynamic_cast<const TWaterPipe*>(&pipe)) {
        w.boolean(water->Present());
        w.f64(water->K());
    } else {
        const auto& gas = static_cast<const TGasPipe&>(pipe);
        w.i32(gas.PipeNo());
        w.u8(static_cast<uint8_t>(gas.DiameterType()));
        w.f64(gas.Temperature());
        w.f64(gas.MixtureFlow());
        w.f64(gas.MethaneConcentration());
        w.boolean(gas.FixedFlow());
    }
}

}  // namespace

namespace BranchRecord {

int MinSize(int version) { return FixedSize(version) + 4 + 4 + kWaterPipeCount * PipeMinSize(version); }

namespace {

// The fixed block, read before the branch exists.
struct FixedBlock {
    int Number = 0, StartNumber = 0, EndNumber = 0, LayerIndex = -1, PLFIndex = -1;
    double AirQ = 0;
    bool ShowResult = true, LabelToggle = false, AutoPlace = true;
    TLabelOffset Offset;
};

FixedBlock ReadFixed(ByteReader& r, int version)
{
    FixedBlock f;
    f.Number = r.i32();
    f.StartNumber = r.i32();
    f.EndNumber = r.i32();
    f.LayerIndex = r.i32();
    f.AirQ = version >= 5 ? r.f64() : 0.0;
    f.ShowResult = version >= 6 ? r.boolean() : true;
    f.LabelToggle = version >= 7 ? r.boolean() : false;
    if (version >= 10) {
        f.Offset = ReadLabelOffset(r);
        f.AutoPlace = r.boolean();
    }
    f.PLFIndex = version >= 14 ? r.i32() : -1;
    return f;
}

void ReadRest(ByteReader& r, TBranch& b, const FixedBlock& f, int version, const DeviceReuse& reuse)
{
    b.SetNumber(f.Number);
    b.SetStartNumber(f.StartNumber);
    b.SetEndNumber(f.EndNumber);
    b.SetLayerIndex(f.LayerIndex);
    b.SetAirQ(f.AirQ);
    b.SetShowResult(f.ShowResult);
    b.SetLabelToggle(f.LabelToggle);
    if (version >= 10) {
        b.SetAutoPlaceLabel(f.AutoPlace);
        b.SetNumberLabelOffset(f.Offset);
        b.DeriveLabelPlacement();
    }
    b.SetPLFIndex(f.PLFIndex);
    b.SetRemark(r.string());

    const int32_t pipes = r.count(PipeMinSize(version));
    if (pipes < kWaterPipeCount)
        Malformed(QStringLiteral("Branch %1 has %2 pipes").arg(f.Number).arg(pipes));
    for (int slot = 0; slot < pipes; ++slot)
        ReadPipe(r, b, slot, version, reuse);
    while (b.Pipes.Count() > pipes)
        b.Pipes.Delete(b.Pipes.Count() - 1);
}

}  // namespace

TBranch* Read(ByteReader& r, TMine& mine, int version, bool createUnnumbered)
{
    const FixedBlock f = ReadFixed(r, version);
    TBranch* b = createUnnumbered ? TBranch::Create(&mine, -1, -1, -1)
                                  : TBranch::Create(&mine, f.Number, f.StartNumber, f.EndNumber);
    ReadRest(r, *b, f, version, {});
    return b;
}

void ReadInto(ByteReader& r, TBranch& branch, int version, const DeviceReuse& reuse)
{
    const FixedBlock f = ReadFixed(r, version);
    ReadRest(r, branch, f, version, reuse);
}

void Write(ByteWriter& w, const TBranch& b, int version)
{
    w.i32(b.Number());
    w.i32(b.StartNumber());
    w.i32(b.EndNumber());
    w.i32(b.RawLayerIndex());
    if (version >= 5)
        w.f64(b.AirQ());
    if (version >= 6)
        w.boolean(b.ShowResult());
    if (version >= 7)
        w.boolean(b.LabelToggle());
    if (version >= 10) {
        WriteLabelOffset(w, b.NumberLabelOffset());
        w.boolean(b.AutoPlaceLabel());
    }
    if (version >= 14)
        w.i32(b.RawPLFIndex());
    w.string(b.Remark());
    w.i32(b.Pipes.Count());
    for (const TPipe* p : b.Pipes)
        WritePipe(w, *p, version);
}

}  // namespace BranchRecord
