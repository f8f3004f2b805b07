#include "core/file/BranchRecord.h"

#include "core/file/DeviceRecord.h"
#include "core/file/RecordFields.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

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
// the slot's), a new degasification pipe after them.
TPipe* PipeForSlot(TBranch& branch, int slot, int kind)
{
    if (slot < kWaterPipeCount) {
        if (kind != slot)
            Malformed(QStringLiteral("Pipe kind %1 in water slot %2").arg(kind).arg(slot));
        return branch.Pipes.Items(slot);
    }
    if (kind != pkGas)
        Malformed(QStringLiteral("Pipe kind %1 in degasification slot %2").arg(kind).arg(slot));
    return TGasPipe::Create(&branch);
}

void ReadPipe(ByteReader& r, TBranch& branch, int slot, int version)
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

    const int32_t devices = r.count(DeviceRecord::MinSize(version));
    for (int i = 0; i < devices; ++i)
        DeviceRecord::Read(r, branch, *pipe, version);
    pipe->Devices.SortByPosition();

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

TBranch* Read(ByteReader& r, TMine& mine, int version, bool createUnnumbered)
{
    // The fixed block is read before the branch exists.
    const int number = r.i32();
    const int startNumber = r.i32();
    const int endNumber = r.i32();
    const int layerIndex = r.i32();
    const double airQ = version >= 5 ? r.f64() : 0.0;
    const bool showResult = version >= 6 ? r.boolean() : true;
    const bool labelToggle = version >= 7 ? r.boolean() : false;
    TLabelOffset offset;
    bool autoPlace = true;
    if (version >= 10) {
        offset = ReadLabelOffset(r);
        autoPlace = r.boolean();
    }
    const int plfIndex = version >= 14 ? r.i32() : -1;

    TBranch* b = createUnnumbered ? TBranch::Create(&mine, -1, -1, -1)
                                  : TBranch::Create(&mine, number, startNumber, endNumber);
    b->SetNumber(number);
    b->SetStartNumber(startNumber);
    b->SetEndNumber(endNumber);
    b->SetLayerIndex(layerIndex);
    b->SetAirQ(airQ);
    b->SetShowResult(showResult);
    b->SetLabelToggle(labelToggle);
    if (version >= 10) {
        b->SetAutoPlaceLabel(autoPlace);
        b->SetNumberLabelOffset(offset);
        b->DeriveLabelPlacement();
    }
    b->SetPLFIndex(plfIndex);
    b->SetRemark(r.string());

    const int32_t pipes = r.count(PipeMinSize(version));
    if (pipes < kWaterPipeCount)
        Malformed(QStringLiteral("Branch %1 has %2 pipes").arg(number).arg(pipes));
    for (int slot = 0; slot < pipes; ++slot)
        ReadPipe(r, *b, slot, version);
    return b;
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
